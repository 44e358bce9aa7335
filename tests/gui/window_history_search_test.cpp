// SPDX-License-Identifier: GPL-3.0-or-later
// The history, the search dialog and the abbreviations window on the real window.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "search/ui/search_forms.h"
#include "tests/gui/window_fixture.h"

namespace zelvoran::testing {
namespace {

using Strings = std::vector<std::string>;

class WindowHistoryTest : public WindowTest {
 protected:
  // Shows cat, dog and apple in turn by typing them.
  void ShowThree() {
    for (const char* word : {"cat", "dog", "apple"}) {
      TypeWord(word);
      ASSERT_EQ(Label(), word);
    }
    ASSERT_EQ(Back(), (Strings{"dog", "cat"}));
    ASSERT_TRUE(Forward().empty());
  }
  // The entry on screen, as the box, the list and the label show it.
  void ExpectShown(const std::string& word) {
    EXPECT_EQ(Label(), word);
    EXPECT_EQ(EntryText(), word);
    EXPECT_EQ(Rows(), Strings{word});
    EXPECT_FALSE(Description().empty());
  }
};

TEST_F(WindowHistoryTest, BackAndForwardStepThroughTheHistory) {
  // The same walk with the toolbar buttons and with Alt+Left / Alt+Right.
  const std::pair<const char*, bool> ways[] = {{"buttons", true}, {"keys", false}};
  for (const auto& way : ways) {
    const auto& name = way.first;
    const auto& buttons = way.second;
    SCOPED_TRACE(name);
    Open();
    auto back = [&, buttons = buttons] {
      if (buttons) {
        Click(B::kPrev);
      } else {
        Key(Qt::Key_Left, Qt::AltModifier);
      }
    };
    auto forward = [&, buttons = buttons] {
      if (buttons) {
        Click(B::kNext);
      } else {
        Key(Qt::Key_Right, Qt::AltModifier);
      }
    };
    ShowThree();
    forward();  // nothing ahead: nothing happens
    EXPECT_EQ(Label(), "apple");

    back();
    ExpectShown("dog");
    EXPECT_EQ(Back(), Strings{"cat"});
    EXPECT_EQ(Forward(), Strings{"apple"});

    back();
    ExpectShown("cat");
    EXPECT_TRUE(Back().empty());
    EXPECT_EQ(Forward(), (Strings{"dog", "apple"}));

    back();  // nothing behind: nothing happens
    ExpectShown("cat");
    EXPECT_EQ(Forward(), (Strings{"dog", "apple"}));

    forward();
    ExpectShown("dog");
    EXPECT_EQ(Back(), Strings{"cat"});
    EXPECT_EQ(Forward(), Strings{"apple"});

    // Typing starts a new path: the forward history is gone.
    TypeWord("sofa");
    EXPECT_TRUE(Forward().empty());
    EXPECT_EQ(Back(), (Strings{"dog", "cat"}));
    window_.reset();
  }
}

TEST_F(WindowHistoryTest, TheMenusListTheHistoryAndJumpToAnItem) {
  TMainLex& w = Open();
  ShowThree();

  QStringList captions;
  QPoint at;
  WhenMenuOpens(1, &captions, &at);
  Click(B::kPrevMenu);
  EXPECT_EQ(captions, (QStringList{"dog", "cat"}));
  const QRect prev = w.Button(B::kPrev)->geometry();
  EXPECT_EQ(at, w.mapToGlobal(QPoint(prev.left(), prev.bottom() + 1)));
  ExpectShown("cat");
  EXPECT_EQ(Back(), (Strings{"apple", "dog"}));
  EXPECT_TRUE(Forward().empty());

  Click(B::kPrev);
  Click(B::kPrev);
  ExpectShown("dog");
  EXPECT_TRUE(Back().empty());
  EXPECT_EQ(Forward(), (Strings{"apple", "cat"}));

  WhenMenuOpens(1, &captions, &at);
  Click(B::kNextMenu);
  EXPECT_EQ(captions, (QStringList{"apple", "cat"}));
  const QRect next = w.Button(B::kNext)->geometry();
  EXPECT_EQ(at, w.mapToGlobal(QPoint(next.left(), next.bottom() + 1)));
  ExpectShown("cat");
  EXPECT_EQ(Back(), Strings{"dog"});
  EXPECT_TRUE(Forward().empty());  // the items before the chosen one are dropped

  // A menu closed without a choice changes nothing.
  WhenMenuOpens(-1, &captions);
  Click(B::kPrevMenu);
  EXPECT_EQ(captions, QStringList{"dog"});
  ExpectShown("cat");
  EXPECT_EQ(Back(), Strings{"dog"});
}

class WindowSearchTest : public WindowHistoryTest {
 protected:
  // Runs the search dialog, fills it and closes it with OK (or Cancel).
  void Search(const QString& start, const QString& contain, const QString& end,
              const QString& category, bool ok = true) {
    bool seen = false;
    WhenShown<TSearchForm>([&](TSearchForm& f) {
      seen = true;
      EXPECT_TRUE(f.Start_Edit->text().isEmpty());  // every dialog starts empty
      EXPECT_EQ(f.ShortCuts_Combo->currentIndex(), 0);
      // The subject fields, in table order, after the empty item.
      QStringList fields;
      for (int i = 0; i < f.ShortCuts_Combo->count(); ++i) fields << f.ShortCuts_Combo->itemText(i);
      EXPECT_EQ(fields, (QStringList{"", "ιατρική", "βοτανική", "ζωολογία"}));
      f.Start_Edit->setText(start);
      f.Contain_edit->setText(contain);
      f.End_Edit->setText(end);
      if (!category.isEmpty()) f.ShortCuts_Combo->setCurrentIndex(fields.indexOf(category));
      QTest::mouseClick(ok ? f.BitBtn1 : f.BitBtn2, Qt::LeftButton);
    });
    Click(B::kSearch);
    EXPECT_TRUE(seen);
  }
};

TEST_F(WindowSearchTest, AConfirmedDialogFillsTheList) {
  struct Case {
    const char *start, *contain, *end, *category;
    Strings rows;
    const char* entry;  // the entry box afterwards
  } cases[] = {
      {"cat", "", "", "", {"cat", "catalogue"}, "cat"},
      {"catx", "", "", "", {"cat", "catalogue"}, "catx"},  // shortened as when typing
      {"", "ple", "", "", {"apple", "apple tree", "Apple-pie", "mail@home"}, "ple"},  // "@" passes
      {"", "", "logue", "", {"catalogue"}, "logue"},
      {"", "", "", "ζωολογία", {"cat", "doctor", "dog", "γάτα"}, ""},  // English first
      {"ca", "", "", "ζωολογία", {"cat"}, "ca"},
      {"αρ", "", "ση", "", {"άρθρωση"}, ""},  // two criteria, compared as typed
      {"Αρ", "", "ση", "", {}, ""},
      {"  ", "", "", "", {}, "  "},  // blanks count as filled and find nothing
      {"", "", "", "", {}, ""},      // nothing asked: the typed word's list is emptied
  };
  TMainLex& w = Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.start << "|" << c.contain << "|" << c.end << "|" << c.category);
    // A forward history to lose, and an entry on screen.
    TypeWord("cat");
    TypeWord("dog");
    Click(B::kPrev);
    ASSERT_EQ(Forward(), Strings{"dog"});
    w.Description_Text->setFocus();

    Search(Q(c.start), Q(c.contain), Q(c.end), Q(c.category));
    EXPECT_EQ(Rows(), c.rows);
    EXPECT_EQ(EntryText(), c.entry);
    EXPECT_EQ(SelectedRow(), c.rows.empty() ? -1 : 0);
    EXPECT_EQ(Label(), "");  // nothing is shown
    EXPECT_EQ(Description(), "");
    EXPECT_TRUE(Forward().empty());
    EXPECT_TRUE(EntryBoxFocused());
    // The list came from the search, not from a lookup of what the box holds.
    if (c.rows.size() > 1) {
      Key(Qt::Key_Down);
      EXPECT_EQ(Label(), c.rows[1]);
    }
  }
}

TEST_F(WindowSearchTest, CancelChangesNothing) {
  TMainLex& w = Open();
  TypeWord("cat");
  TypeWord("dog");
  Click(B::kPrev);
  ASSERT_EQ(Label(), "cat");
  const Strings rows = Rows();
  const std::string description = Description();
  w.Entries_List->setFocus();

  Search(QStringLiteral("apple"), QStringLiteral("p"), QStringLiteral("e"),
         QStringLiteral("βοτανική"), /*ok=*/false);
  EXPECT_EQ(Rows(), rows);
  EXPECT_EQ(Label(), "cat");
  EXPECT_EQ(Description(), description);
  EXPECT_EQ(EntryText(), "cat");
  EXPECT_TRUE(Back().empty());
  EXPECT_EQ(Forward(), Strings{"dog"});
  EXPECT_TRUE(EntryBoxFocused());

  // The next dialog starts empty again, and a confirmed one finds as asked.
  Search(QStringLiteral("ap"), "", "", "");
  EXPECT_EQ(Rows(), (Strings{"apple", "apple tree", "Apple-pie"}));
}

TEST_F(WindowSearchTest, AbbreviationsWindowListsTheTableAndClosesWithEnterOrEscape) {
  TMainLex& w = Open();
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter}) {
    SCOPED_TRACE(key);
    w.Description_Text->setFocus();
    QStringList cells;
    bool closed_by_key = false;
    WhenShown<TShortCutsForm>([&](TShortCutsForm& f) {
      EXPECT_EQ(f.windowTitle(), QStringLiteral("Πίνακας Κυριοτέρων Συντομογραφιών"));
      for (int r = 0; r < f.StringGrid1->rowCount(); ++r) {
        cells << f.StringGrid1->item(r, 0)->text() + " " + f.StringGrid1->item(r, 1)->text();
      }
      // The key goes where a keyboard sends it: the active dialog's focused control, the grid.
      EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
      EXPECT_EQ(f.focusWidget(), f.StringGrid1);
      QTest::keyClick(f.focusWidget() ? f.focusWidget() : &f, key);
      closed_by_key = !f.isVisible();
    });
    Click(B::kShortCuts);
    EXPECT_TRUE(closed_by_key);
    EXPECT_EQ(cells,
              (QStringList{"ουσ. ουσιαστικό", "ιατρ. ιατρική", "βοτ. βοτανική", "ζωολ. ζωολογία"}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(EntryBoxFocused());
  }
}

}  // namespace
}  // namespace zelvoran::testing
