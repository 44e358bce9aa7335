// SPDX-License-Identifier: GPL-3.0-or-later
// Looking words up on the real window: typing, moving through the list from the entry box,
// Enter, the direction switch by the first letter, and the double-click in the explanation.
#include <QTextBlock>

#include "tests/gui/window_fixture.h"

namespace zelvoran::testing {
namespace {

using Strings = std::vector<std::string>;

class WindowLookupTest : public WindowTest {};

TEST_F(WindowLookupTest, TypingAHeadwordShowsItAndAPrefixShowsNothing) {
  struct Case {
    const char* typed;
    Strings first_rows;  // the list's first rows
    const char* shown;   // the headword label; empty: nothing shown
  } cases[] = {
      {"cat", {"cat", "catalogue"}, "cat"},
      {"CAT", {"cat", "catalogue"}, "cat"},  // case is ignored
      {"ca", {"cat", "catalogue"}, ""},
      {"catal", {"catalogue"}, ""},
      {"catxyzw", {"cat", "catalogue"}, ""},  // shortened to the longest matching beginning
      {"new york", {"New York"}, ""},         // the key leaves the blank out: listed only
      {"σοφος", {"σοφός"}, "σοφός"},          // accents are folded
      {"γιατρός", {"γιατρός"}, "γιατρός"},
  };
  TMainLex& w = Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    TypeWord(c.typed);
    EXPECT_EQ(EntryText(), c.typed);
    const Strings rows = Rows();
    ASSERT_GE(rows.size(), c.first_rows.size());
    EXPECT_EQ(Strings(rows.begin(), rows.begin() + static_cast<long>(c.first_rows.size())),
              c.first_rows);
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(Label(), c.shown);
    EXPECT_EQ(Description().empty(), std::string(c.shown).empty());
    EXPECT_EQ(w.ModifyEntryItem->isEnabled(), !std::string(c.shown).empty());
    EXPECT_FALSE(w.DeleteEntryItem->isEnabled());  // dictionary entries only here
    EXPECT_TRUE(w.Entry_Text->hasFocus());
  }
  TypeWord("doctor");
  EXPECT_NE(Description().find("γιατρός"), std::string::npos);

  // Emptying the box empties the list, the label and the explanation.
  w.Entry_Text->selectAll();
  Key(Qt::Key_Backspace);
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(Label(), "");
  EXPECT_EQ(Description(), "");
}

TEST_F(WindowLookupTest, ArrowsAndPagesMoveThroughTheListAndShowTheRow) {
  TMainLex& w = Open();
  TypeWord("pag");
  ASSERT_EQ(Rows().size(), 40u);
  EXPECT_EQ(Label(), "");
  const int page = w.Entries_List->height() / 16;
  ASSERT_GT(page, 2);
  ASSERT_LT(2 * page, 40);

  struct Step {
    Qt::Key key;
    int row;  // the selected row afterwards
  };
  // Page Down: the last row once less than a page is left below.
  auto down = [page](int row) { return row > 39 - page ? 39 : row + page; };
  const std::vector<Step> steps = {
      {Qt::Key_Up, 0},  // nothing selected beyond row 0: nothing happens
      {Qt::Key_Down, 1},
      {Qt::Key_Down, 2},
      {Qt::Key_Up, 1},
      {Qt::Key_PageDown, 1 + page},
      {Qt::Key_PageUp, 1},
      {Qt::Key_PageUp, 0},  // near the top: row 0
      {Qt::Key_PageDown, page},
      {Qt::Key_PageDown, down(page)},
      {Qt::Key_PageDown, down(down(page))},
      {Qt::Key_PageDown, 39},
      {Qt::Key_Down, 39},  // at the end: nothing happens
      {Qt::Key_PageUp, 39 - page},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(::testing::Message() << "key " << s.key << " to row " << s.row);
    const std::string before = Label();
    Key(s.key);
    EXPECT_EQ(Core().List.Selected, s.row);
    EXPECT_EQ(SelectedRow(), s.row);
    if (s.row == 0 && before.empty()) {
      EXPECT_EQ(Label(), "");  // no move, nothing shown
    } else {
      EXPECT_EQ(Label(), Rows()[static_cast<size_t>(s.row)]);
      const std::string want = "σελίδα " + std::to_string(s.row);
      EXPECT_EQ(Description().substr(0, want.size()), want);
    }
    EXPECT_TRUE(w.Entry_Text->hasFocus());
    EXPECT_EQ(EntryText(), "pag");  // the box keeps the typed text
  }
}

TEST_F(WindowLookupTest, EnterRefillsTheListAndShowsNothing) {
  TMainLex& w = Open();
  TypeWord("cat");
  ASSERT_EQ(Label(), "cat");
  Key(Qt::Key_Down);
  ASSERT_EQ(Label(), "catalogue");
  Key(Qt::Key_Return);
  EXPECT_EQ(Rows(), (Strings{"cat", "catalogue"}));
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(Label(), "");
  EXPECT_EQ(Description(), "");
  EXPECT_FALSE(w.ModifyEntryItem->isEnabled());
  EXPECT_EQ(EntryText(), "cat");
}

TEST_F(WindowLookupTest, TheFirstLetterSwitchesDirectionPictureAndKeyboard) {
  TMainLex& w = Open();
  const qint64 greek = w.GrImage.cacheKey();
  const qint64 english = w.EnImage.cacheKey();
  ASSERT_EQ(keyboard_.active, kEnglishLayout);

  TypeWord("cat");
  EXPECT_EQ(Core().CurrentDirection, Direction::kEnglish);
  EXPECT_EQ(w.Button(B::kLang)->Glyph().cacheKey(), english);

  // The first Greek letter switches at once, before the word is complete.
  w.Entry_Text->selectAll();
  Type(w.Entry_Text, QStringLiteral("γ"));
  EXPECT_EQ(Core().CurrentDirection, Direction::kGreek);
  EXPECT_EQ(w.Button(B::kLang)->Glyph().cacheKey(), greek);
  EXPECT_EQ(keyboard_.active, kGreekLayout);
  EXPECT_EQ(Rows().front(), "γάτα");
  Type(w.Entry_Text, QStringLiteral("άτα"));
  EXPECT_EQ(Label(), "γάτα");
  EXPECT_NE(Description().find("cat"), std::string::npos);

  TypeWord("dog");
  EXPECT_EQ(Core().CurrentDirection, Direction::kEnglish);
  EXPECT_EQ(w.Button(B::kLang)->Glyph().cacheKey(), english);
  EXPECT_EQ(keyboard_.active, kEnglishLayout);
  EXPECT_EQ(Label(), "dog");
  EXPECT_EQ(keyboard_.activations.back(), kEnglishLayout);
}

TEST_F(WindowLookupTest, DoubleClickingAWordInTheExplanationLooksItUp) {
  TMainLex& w = Open();
  TypeWord("γιατρός");
  ASSERT_EQ(Label(), "γιατρός");
  // Find "physician" in the shown text and double-click its middle.
  const QString text = w.Description_Text->toPlainText();
  const int at = static_cast<int>(text.indexOf(QStringLiteral("physician")));
  ASSERT_GE(at, 0) << text.toStdString();
  QTextCursor cursor(w.Description_Text->document());
  cursor.setPosition(at + 3);
  const QPoint p = w.Description_Text->cursorRect(cursor).center();
  QTest::mouseDClick(w.Description_Text->viewport(), Qt::LeftButton, Qt::NoModifier, p);

  EXPECT_EQ(EntryText(), "physician");
  EXPECT_EQ(Core().CurrentDirection, Direction::kEnglish);
  EXPECT_EQ(w.Button(B::kLang)->Glyph().cacheKey(), w.EnImage.cacheKey());
  // No English headword begins with it: the shortening lists the "p" words, nothing shown.
  ASSERT_FALSE(Rows().empty());
  EXPECT_EQ(Rows().front(), "pagaa");
  EXPECT_EQ(Label(), "");

  // A word that is a headword is shown.
  TypeWord("doctor");
  const QString doctor = w.Description_Text->toPlainText();
  const int g = static_cast<int>(doctor.indexOf(QStringLiteral("γιατρός")));
  ASSERT_GE(g, 0) << doctor.toStdString();
  cursor = QTextCursor(w.Description_Text->document());
  cursor.setPosition(g + 2);
  QTest::mouseDClick(w.Description_Text->viewport(), Qt::LeftButton, Qt::NoModifier,
                     w.Description_Text->cursorRect(cursor).center());
  EXPECT_EQ(EntryText(), "γιατρός");
  EXPECT_EQ(Core().CurrentDirection, Direction::kGreek);
  EXPECT_EQ(Label(), "γιατρός");
  EXPECT_EQ(keyboard_.active, kGreekLayout);
}

}  // namespace
}  // namespace zelvoran::testing
