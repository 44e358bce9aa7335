// SPDX-License-Identifier: GPL-3.0-or-later
// Inflected and misspelt words on the real window: a pasted form shows its base form's entry,
// a word typed past every beginning offers suggestions (Greek ones for a word in Latin
// letters), and a double-click on one looks it up.
#include <QClipboard>
#include <QTextBlock>

#include "dictionary/forms_file.h"
#include "dictionary/greek_inflection.h"
#include "search/word_forms_step.h"
#include "tests/gui/window_fixture.h"

namespace zelvoran::testing {
namespace {

class WindowWordFormsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    // Fixture pairs: "catal", a form that still begins "catalogue", is one of "cat".
    FormsSectionSource english{{{"catal", {"cat"}}, {"went", {"sofa"}}}};
    FormsSectionSource greek;
    for (const char* h : {"γάτα", "γιατρός"}) {
      for (const std::string& f : GreekInflectedForms(W(h), GreekPartOfSpeech::kNoun)) {
        greek.entries.push_back({f, {W(h)}});
      }
    }
    ASSERT_TRUE(
        files_.WriteFile(folder_ + "data\\ZelvoranForms.dat", EncodeFormsFile(english, greek)));
  }
  void PasteWord(const std::string& utf8) {
    QApplication::clipboard()->setText(Q(utf8));
    Win().Entry_Text->setFocus();
    Win().Entry_Text->selectAll();
    Key(Qt::Key_V, Qt::ControlModifier);
  }
  void DoubleClickDescriptionWord(const QString& word) {
    const QString text = Win().Description_Text->toPlainText();
    const int at = static_cast<int>(text.indexOf(word));
    ASSERT_GE(at, 0) << text.toStdString();
    QTextCursor cursor(Win().Description_Text->document());
    cursor.setPosition(at + 1);
    QTest::mouseDClick(Win().Description_Text->viewport(), Qt::LeftButton, Qt::NoModifier,
                       Win().Description_Text->cursorRect(cursor).center());
  }
};

TEST_F(WindowWordFormsTest, PastedFormShowsItsBaseFormsEntry) {
  TMainLex& w = Open();
  PasteWord("γιατρού");
  EXPECT_EQ(EntryText(), "γιατρού");
  EXPECT_EQ(Label(), "γιατρού → γιατρός");
  ASSERT_GE(SelectedRow(), 0);
  EXPECT_EQ(Rows()[static_cast<size_t>(SelectedRow())], "γιατρός");
  EXPECT_NE(Description().find("doctor"), std::string::npos);
  EXPECT_TRUE(w.ModifyEntryItem->isEnabled());
  // The history records the base form's entry.
  TypeWord("cat");
  EXPECT_EQ(Back().front(), "γιατρός");
}

TEST_F(WindowWordFormsTest, TypedFormPastEveryBeginningLeadsToItsBase) {
  Open();
  TypeWord("cats");  // "cat" and "catalogue" begin "cat", none "cats"
  EXPECT_EQ(Label(), "cats → cat");
  EXPECT_EQ(Rows()[static_cast<size_t>(SelectedRow())], "cat");
  TypeWord("went");  // the base form heads the list that lacks it
  EXPECT_EQ(Label(), "went → sofa");
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(Rows().front(), "sofa");
  // A beginning being typed is left alone; a headword shows its own entry.
  TypeWord("catal");
  EXPECT_EQ(Label(), "");
  EXPECT_EQ(Description(), "");
  TypeWord("dog");
  EXPECT_EQ(Label(), "dog");
}

TEST_F(WindowWordFormsTest, EnterTakesATypedFormWholeAndCopiesLoseTheirPunctuation) {
  Open();
  TypeWord("catal");  // it begins "catalogue": left alone while typed
  EXPECT_EQ(Label(), "");
  EXPECT_EQ(Description(), "");
  Key(Qt::Key_Return);
  EXPECT_EQ(Label(), "catal → cat");
  EXPECT_NE(Description().find("γάτα"), std::string::npos);
  EXPECT_EQ(EntryText(), "catal");
  // Enter on a headword lists again and shows nothing, as before.
  TypeWord("dog");
  EXPECT_EQ(Label(), "dog");
  Key(Qt::Key_Return);
  EXPECT_EQ(Label(), "");
  EXPECT_EQ(Description(), "");

  PasteWord("(γιατρού),");
  EXPECT_EQ(EntryText(), "(γιατρού),");
  EXPECT_EQ(Label(), "γιατρού → γιατρός");
  PasteWord("«dog».");
  EXPECT_EQ(Label(), "dog");
  EXPECT_NE(Description().find("σκύλος"), std::string::npos);
}

TEST_F(WindowWordFormsTest, SuggestionsAreOfferedAndADoubleClickLooksOneUp) {
  Open();
  TypeWord("dgo");
  EXPECT_EQ(Label(), "");
  const std::string d = Description();
  EXPECT_EQ(d.substr(0, d.find('\r')), "Μήπως εννοείτε:");
  EXPECT_NE(d.find("\r\ndog"), std::string::npos);
  EXPECT_EQ(SelectedRow(), -1);
  DoubleClickDescriptionWord(QStringLiteral("dog"));
  EXPECT_EQ(EntryText(), "dog");
  EXPECT_EQ(Label(), "dog");
  EXPECT_NE(Description().find("σκύλος"), std::string::npos);
}

TEST_F(WindowWordFormsTest, GreekTypedInLatinLettersOffersTheGreekHeadword) {
  Open();
  TypeWord("giatros");
  EXPECT_EQ(Label(), "");
  const std::string d = Description();
  EXPECT_EQ(d.substr(0, d.find('\r')), "Μήπως εννοείτε:");
  EXPECT_NE(d.find("\r\nγιατρός"), std::string::npos) << d;
  DoubleClickDescriptionWord(QStringLiteral("γιατρός"));
  EXPECT_EQ(EntryText(), "γιατρός");
  EXPECT_EQ(Label(), "γιατρός");
  EXPECT_NE(Description().find("doctor"), std::string::npos);
  // A form of a headword, in the visual convention.
  TypeWord("gates");
  EXPECT_NE(Description().find("\r\nγάτα"), std::string::npos) << Description();
}

}  // namespace
}  // namespace zelvoran::testing
