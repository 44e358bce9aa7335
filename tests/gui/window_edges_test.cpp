// SPDX-License-Identifier: GPL-3.0-or-later
// The window's edges on the real window: the keypad's keys in the entry box, the history
// menus (captions, buttons, position, the context menu), the entry dialog's refusals, the
// double-click in the explanation and the long-headword tooltip.
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <fstream>

#include "custom/ui/insert_entry_form.h"
#include "platform/linux/qt_text.h"
#include "tests/gui/window_fixture.h"

namespace zelvoran::testing {
namespace {

using Strings = std::vector<std::string>;

void InsertAfter(std::vector<dictc::SourceEntry>& list, const std::string& headword_utf8,
                 dictc::SourceEntry entry) {
  const std::string after = Utf8ToCp1253(headword_utf8);
  auto it = std::find_if(list.begin(), list.end(),
                         [&](const dictc::SourceEntry& e) { return e.Headword == after; });
  ASSERT_NE(it, list.end()) << headword_utf8;
  list.insert(it + 1, std::move(entry));
}

// The window's data with headwords that hold "&" and an explanation of awkward words.
dictc::DataSet EdgesDataSet() {
  dictc::DataSet d = WindowDataSet();
  InsertAfter(d.English, "catalogue", Entry("D&C", "Δ&Σ"));
  InsertAfter(d.English, "dog", Entry("e-mail", "ηλεκτρονικό ταχυδρομείο"));
  InsertAfter(d.Greek, "γιατρός", Entry("ηλεκτρονικό", "e-mail (λέξη), 123abc ναϊσκος"));
  InsertAfter(d.Greek, "σοφός", Entry("το σύμβολο &", "the ampersand"));
  return d;
}

// What a menu shows for an action's text: "&&" is one "&", a single "&" marks the next letter.
QString Shown(const QString& text) {
  QString out;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&')) {
      if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) out += text[++i];
      continue;
    }
    out += text[i];
  }
  return out;
}

// Runs `act` on the pop-up menu as soon as it is open; `act` leaves it closed or chooses an
// item. A menu still open five seconds later is closed, so a failing test never hangs.
void WhenPopupOpens(std::function<void(QMenu&)> act, int tries = 2000) {
  QTimer::singleShot(2, [act, tries] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) {
      if (tries > 0) {
        WhenPopupOpens(act, tries - 1);
      } else {
        ADD_FAILURE() << "no menu opened";
      }
      return;
    }
    QPointer<QMenu> guard(menu);
    QTimer::singleShot(5000, [guard] {
      if (guard && guard->isVisible()) {
        ADD_FAILURE() << "the menu was left open";
        guard->close();
      }
    });
    act(*menu);
  });
}

class WindowEdgesTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    WriteData(files_, folder_, EdgesDataSet());
  }
  // Shows the entry of a listed row by clicking it, as the user picks a row.
  void ClickRow(const std::string& utf8) {
    const Strings rows = Rows();
    const auto it = std::find(rows.begin(), rows.end(), utf8);
    ASSERT_NE(it, rows.end()) << utf8;
    const QModelIndex i =
        Win().Entries_List->model()->index(static_cast<int>(it - rows.begin()), 0);
    Win().Entries_List->scrollTo(i);
    QTest::mouseClick(Win().Entries_List->viewport(), Qt::LeftButton, Qt::NoModifier,
                      Win().Entries_List->visualRect(i).center());
    ASSERT_EQ(Label(), utf8);
  }
  // Shows an entry: typed, and picked from the list unless the typing showed it.
  void Show(const std::string& typed, const std::string& row) {
    TypeWord(typed);
    if (Label() != row) ClickRow(row);
  }
  QPoint Under(B button) {
    const QWidget* b = Win().Button(button);
    return b->mapToGlobal(QPoint(0, b->height()));
  }
};

// --- The entry box's keys ---

TEST_F(WindowEdgesTest, TheKeypadsArrowsAndPageKeysMoveThroughTheListAsTheMainKeysDo) {
  TMainLex& w = Open();
  TypeWord("pag");
  ASSERT_EQ(Rows().size(), 40u);
  const int page = w.Entries_List->height() / 16;
  ASSERT_GT(page, 2);
  const struct {
    Qt::Key key;
    int row;
  } steps[] = {
      {Qt::Key_Down, 1},   {Qt::Key_Down, 2},   {Qt::Key_Up, 1}, {Qt::Key_PageDown, 1 + page},
      {Qt::Key_PageUp, 1}, {Qt::Key_PageUp, 0},
  };
  for (Qt::KeyboardModifiers mods :
       {Qt::KeyboardModifiers(Qt::KeypadModifier), Qt::KeyboardModifiers(Qt::NoModifier)}) {
    TypeWord("pag");
    for (const auto& s : steps) {
      SCOPED_TRACE(::testing::Message() << "key " << s.key << " modifiers " << mods.toInt());
      QTest::keyClick(w.Entry_Text, s.key, mods);
      EXPECT_EQ(SelectedRow(), s.row);
      EXPECT_EQ(Label(), Rows()[static_cast<size_t>(s.row)]);
      EXPECT_TRUE(w.Entry_Text->hasFocus());
      EXPECT_EQ(EntryText(), "pag");
    }
  }
}

// --- The history menus ---

TEST_F(WindowEdgesTest, HistoryCaptionsAreShownAsTheyAreAndChosenWithTheLeftButtonOnly) {
  Open();
  Show("D&C", "D&C");
  Show("το σύμβολο", "το σύμβολο &");
  TypeWord("cat");
  ASSERT_EQ(Back(), (Strings{"το σύμβολο &", "D&C"}));

  // Read: the captions as the menu shows them, with no letter underlined.
  QStringList shown, mnemonics;
  QPoint at;
  WhenPopupOpens([&](QMenu& menu) {
    at = menu.pos();
    for (QAction* a : menu.actions()) {
      shown << Shown(a->text());
      mnemonics << QKeySequence::mnemonic(a->text()).toString();
    }
    menu.close();
  });
  Click(B::kPrevMenu);
  EXPECT_EQ(shown, (QStringList{QStringLiteral("το σύμβολο &"), QStringLiteral("D&C")}));
  EXPECT_EQ(mnemonics, (QStringList{QString(), QString()}));
  // Just under the back button, wherever the window stands on the screen.
  EXPECT_EQ(at, Under(B::kPrev));
  EXPECT_EQ(Label(), "cat");

  // The right button chooses nothing; the left one does.
  bool open_after_right = false;
  WhenPopupOpens([&](QMenu& menu) {
    const QRect item = menu.actionGeometry(menu.actions().at(1));
    QTest::mouseClick(&menu, Qt::RightButton, Qt::NoModifier, item.center());
    QApplication::processEvents();
    open_after_right = menu.isVisible();
    menu.close();
  });
  Click(B::kPrevMenu);
  EXPECT_TRUE(open_after_right);
  EXPECT_EQ(Label(), "cat");
  EXPECT_EQ(Back(), (Strings{"το σύμβολο &", "D&C"}));

  WhenPopupOpens([&](QMenu& menu) {
    QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier,
                      menu.actionGeometry(menu.actions().at(1)).center());
  });
  Click(B::kPrevMenu);
  EXPECT_EQ(Label(), "D&C");
  EXPECT_EQ(EntryText(), "D&C");
  EXPECT_EQ(Back(), (Strings{"cat", "το σύμβολο &"}));
}

TEST_F(WindowEdgesTest, EmptyHistoryMenusOpenEmptyUnderTheirButtons) {
  Open();
  for (B arrow : {B::kPrevMenu, B::kNextMenu}) {
    SCOPED_TRACE(static_cast<int>(arrow));
    int items = -1;
    QPoint at;
    bool visible = false;
    WhenPopupOpens([&](QMenu& menu) {
      items = static_cast<int>(menu.actions().size());
      at = menu.pos();
      visible = menu.isVisible() && menu.width() > 0 && menu.height() > 0;
      menu.close();
    });
    Click(arrow);
    EXPECT_EQ(items, 0);
    EXPECT_TRUE(visible);
    EXPECT_EQ(at, Under(arrow == B::kPrevMenu ? B::kPrev : B::kNext));
  }
}

TEST_F(WindowEdgesTest, ARightClickOnTheForwardArrowOpensNextMenuAtThePointer) {
  TMainLex& w = Open();
  TypeWord("cat");
  TypeWord("dog");
  TypeWord("sofa");
  Click(B::kPrev);
  Click(B::kPrev);
  ASSERT_EQ(Label(), "cat");
  ASSERT_EQ(Forward(), (Strings{"dog", "sofa"}));

  // A right-click on the back arrow opens nothing.
  QWidget* back_arrow = w.Button(B::kPrevMenu);
  bool opened = false;
  QTimer::singleShot(50, [&] {
    if (auto* m = QApplication::activePopupWidget()) {
      opened = true;
      m->close();
    }
  });
  QTest::mouseClick(w.windowHandle(), Qt::RightButton, Qt::NoModifier,
                    back_arrow->mapTo(&w, QPoint(5, 20)));
  QTest::qWait(100);
  EXPECT_FALSE(opened);

  QWidget* arrow = w.Button(B::kNextMenu);
  const QPoint pointer(5, 20);
  // The pointer's place on the screen (the arrow rises under it, the pointer stays).
  const QPoint expected = arrow->mapToGlobal(pointer);
  QStringList captions;
  QPoint at;
  WhenPopupOpens([&](QMenu& menu) {
    at = menu.pos();
    for (QAction* a : menu.actions()) captions << a->text();
    QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier,
                      menu.actionGeometry(menu.actions().at(1)).center());
  });
  // Through the window, as the pointer does, so the toolkit makes the context menu event.
  QTest::mouseClick(w.windowHandle(), Qt::RightButton, Qt::NoModifier, arrow->mapTo(&w, pointer));
  QApplication::processEvents();
  EXPECT_EQ(captions, (QStringList{QStringLiteral("dog"), QStringLiteral("sofa")}));
  EXPECT_EQ(at, expected);
  EXPECT_EQ(Label(), "sofa");
  EXPECT_TRUE(Forward().empty());
}

// --- The entry dialog ---

class WindowEntryDialogTest : public WindowEdgesTest {
 protected:
  void SetUp() override {
    WindowEdgesTest::SetUp();
    user_ = dir_ + "/user";
    fs::create_directories(user_);
    std::ofstream(folders_.windows + "/Zelvoran.ini", std::ios::binary) << user_ << "\r\n";
  }
  void Choose(int item) {
    WhenMenuOpens(item);
    Click(B::kCustomEntries);
  }
  std::string user_;
};

TEST_F(WindowEntryDialogTest, RefusalsKeepTheDialogOpenWithTheTextAsTyped) {
  Open();
  const QString too_long(31001, QLatin1Char('x'));
  bool closed = false;
  WhenShown<TInsertEntryFrm>([&](TInsertEntryFrm& d) {
    // A headword of blanks.
    Type(d.InsertEntry_Text, QStringLiteral("   "));
    Type(d.InsertEntry_Descr, QStringLiteral("βοοειδή αγελάδες"));
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.InsertEntry_Text->text(), QStringLiteral("   "));
    EXPECT_EQ(d.InsertEntry_Descr->toPlainText(), QStringLiteral("βοοειδή αγελάδες"));
    // An explanation over the limit, pasted in.
    d.InsertEntry_Text->selectAll();
    Type(d.InsertEntry_Text, QStringLiteral("cattle"));
    d.InsertEntry_Descr->setFocus();
    d.InsertEntry_Descr->selectAll();
    d.InsertEntry_Descr->insertPlainText(too_long);
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.InsertEntry_Text->text(), QStringLiteral("cattle"));
    EXPECT_EQ(d.InsertEntry_Descr->toPlainText(), too_long);
    // Mended: the dialog closes and the entry is stored.
    d.InsertEntry_Descr->selectAll();
    Type(d.InsertEntry_Descr, QStringLiteral("βοοειδή"));
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);
    closed = !d.isVisible();
  });
  Choose(1);
  EXPECT_TRUE(closed);
  EXPECT_EQ(messages_.messages,
            (Strings{"Πρέπει να συμπληρωθούν το Λήμμα και η Περιγραφή",
                     "Η περιγραφή είναι πολύ μεγάλη: επιτρέπονται έως 31000 χαρακτήρες. Η "
                     "αλλαγή δεν αποθηκεύτηκε."}));
  TypeWord("cattle");
  EXPECT_EQ(Rows().front(), "cattle *");
  EXPECT_EQ(Description(), "βοοειδή");
}

TEST_F(WindowEntryDialogTest, AnAdditionOverTheLimitKeepsTheModifyDialogOpen) {
  Open();
  TypeWord("dog");
  ASSERT_EQ(Label(), "dog");
  const QString too_long(31001, QLatin1Char('y'));
  bool stayed = false;
  WhenShown<TInsertEntryFrm>([&](TInsertEntryFrm& d) {
    d.InsertEntry_Descr->setFocus();
    d.InsertEntry_Descr->insertPlainText(too_long);
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);
    stayed = d.isVisible() && d.InsertEntry_Descr->toPlainText() == too_long;
    QTest::mouseClick(d.InsertCancel_Button, Qt::LeftButton);
  });
  Choose(2);
  EXPECT_TRUE(stayed);
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0].rfind("Η περιγραφή είναι πολύ μεγάλη", 0), 0u);
  EXPECT_FALSE(fs::exists(user_ + "/ZelvoranIC.tbo"));
}

// --- The double-click in the explanation ---

TEST_F(WindowEdgesTest, ADoubleClickSelectsTheWordByTheLookupsOwnCharacters) {
  TMainLex& w = Open();
  const struct {
    const char* word;  // as it stands in the explanation
    int offset;        // the character double-clicked
    const char* looked_up;
  } cases[] = {
      {"e-mail", 0, "e-mail"}, {"e-mail", 1, "e-mail"}, {"e-mail", 4, "e-mail"},
      {"(λέξη),", 2, "λέξη"},  {"123abc", 4, "abc"},    {"123abc", 1, "abc"},
      {"ναϊσκος", 1, "να"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.word << " at " << c.offset);
    TypeWord("ηλεκτρονικό");
    ASSERT_EQ(Label(), "ηλεκτρονικό");
    const QString text = w.Description_Text->toPlainText();
    const int at = static_cast<int>(text.indexOf(Q(c.word)));
    ASSERT_GE(at, 0);
    // The middle of the character, between its two cursor positions.
    QTextCursor left(w.Description_Text->document());
    left.setPosition(at + c.offset);
    QTextCursor right(w.Description_Text->document());
    right.setPosition(at + c.offset + 1);
    const QRect l = w.Description_Text->cursorRect(left);
    const QRect r = w.Description_Text->cursorRect(right);
    const QPoint p((l.left() + r.left()) / 2, l.center().y());
    QTest::mouseDClick(w.Description_Text->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_EQ(EntryText(), c.looked_up);
  }
  // The whole "e-mail" is selected in the box, and looked up.
  TypeWord("ηλεκτρονικό");
  const int at =
      static_cast<int>(w.Description_Text->toPlainText().indexOf(QStringLiteral("mail")));
  QTextCursor c(w.Description_Text->document());
  c.setPosition(at + 1);
  QTextCursor c2(w.Description_Text->document());
  c2.setPosition(at + 2);
  const QPoint p(
      (w.Description_Text->cursorRect(c).left() + w.Description_Text->cursorRect(c2).left()) / 2,
      w.Description_Text->cursorRect(c).center().y());
  QTest::mouseDClick(w.Description_Text->viewport(), Qt::LeftButton, Qt::NoModifier, p);
  EXPECT_EQ(EntryText(), "e-mail");
  ASSERT_FALSE(Rows().empty());
  EXPECT_EQ(Rows().front(), "e-mail");
  EXPECT_EQ(w.Description_Text->textCursor().selectedText(), QString());  // the box was emptied
}

// --- The long-headword tooltip ---

TEST_F(WindowEdgesTest, ARowCutOffByTheScrollBarGetsItsTooltip) {
  TMainLex& w = Open();
  const QFontMetrics metrics(w.Entries_List->font());
  const int outer = w.Entries_List->width();
  // As wide as the list itself allows, and one that fits beside the scroll bar.
  QString cut;
  while (metrics.horizontalAdvance(cut + QLatin1Char('m')) <= outer) cut += QLatin1Char('m');
  while (metrics.horizontalAdvance(cut + QLatin1Char('i')) <= outer) cut += QLatin1Char('i');
  MainCore& core = w.Core();
  for (int i = 0; i < 60; ++i)
    core.List.Add("row " + std::to_string(i), RowRef{Direction::kEnglish, i + 1});
  core.List.Add(FromQ(cut), RowRef{Direction::kEnglish, 100});
  w.ListRowsChanged();
  w.Entries_List->scrollToBottom();
  QApplication::processEvents();
  ASSERT_TRUE(w.Entries_List->verticalScrollBar()->isVisible());
  const int room = w.Entries_List->viewport()->width() - 2;  // the text stands 2 pixels in
  ASSERT_GT(metrics.horizontalAdvance(cut), room);
  QString fits = cut;
  while (metrics.horizontalAdvance(fits) > room) fits.chop(1);
  core.List.Items[59].text = FromQ(fits);
  w.ListRowsChanged();
  w.Entries_List->scrollToBottom();
  QApplication::processEvents();

  auto hover = [&](int row) {
    const QRect r = w.Entries_List->visualRect(w.Entries_List->model()->index(row, 0));
    w.Entries_List->on_mouse_move(r.center());  // what the list does with a pointer move
    return w.Entries_List->toolTip();
  };
  EXPECT_EQ(hover(60), cut);
  EXPECT_EQ(hover(59), QString());
  EXPECT_EQ(hover(60), cut);
}

}  // namespace
}  // namespace zelvoran::testing
