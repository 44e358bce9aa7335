// SPDX-License-Identifier: GPL-3.0-or-later
// Quick translation on the real window over Qt's clipboard: text that another program copies
// is looked up; the program's own copy is not.
#include <QClipboard>

#include "platform/linux/clipboard_qt.h"
#include "tests/gui/window_fixture.h"

namespace zelvoran::testing {
namespace {

class WindowQuickTranslationTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    QApplication::clipboard()->clear();
  }
  void TearDown() override {
    WindowTest::TearDown();
    QApplication::clipboard()->clear();
  }
  TMainLex& OpenWithClipboard() {
    return Open([this](Services& s) { s.clipboard = &clipboard_; });
  }
  // Another program copies text.
  static void OtherProgramCopies(const QString& text) { QApplication::clipboard()->setText(text); }
  static QString ClipboardText() { return QApplication::clipboard()->text(); }

  struct Look {
    std::string caption, title, hint;
    qint64 picture;
  };
  Look Looks() {
    return {Win().windowTitle().toStdString(), Win().ApplicationTitle().toStdString(),
            Win().Button(B::kAutoTranslate)->toolTip().toStdString(),
            Win().Button(B::kAutoTranslate)->Glyph().cacheKey()};
  }

  QtClipboard clipboard_;
};

TEST_F(WindowQuickTranslationTest, SwitchingChangesCaptionTitleHintAndPicture) {
  TMainLex& w = OpenWithClipboard();
  const Look off = Looks();
  EXPECT_EQ(off.caption, "Zelvoran Glossa");
  EXPECT_EQ(off.title, "Zelvoran Glossa");
  EXPECT_EQ(off.hint, "Γρήγορη Μετάφραση");
  EXPECT_EQ(off.picture, w.AutoTrImage.cacheKey());

  Click(B::kAutoTranslate);
  const Look on = Looks();
  EXPECT_EQ(on.caption, "Zelvoran Glossa - Γρήγορη Μετάφραση");
  EXPECT_EQ(on.title, "Γρήγορη Μετάφραση - Zelvoran Glossa");
  EXPECT_EQ(on.hint, "Τερματισμός Γρήγορης Μετάφρασης");
  EXPECT_EQ(on.picture, w.CancelAutoTrImage.cacheKey());
  EXPECT_EQ(clipboard_.Chain().Head(), Core().MainWindowHandle);

  Click(B::kAutoTranslate);
  const Look again = Looks();
  EXPECT_EQ(again.caption, off.caption);
  EXPECT_EQ(again.title, off.title);
  EXPECT_EQ(again.hint, off.hint);
  EXPECT_EQ(again.picture, off.picture);
}

TEST_F(WindowQuickTranslationTest, AnotherProgramsTextIsLookedUpAndBringsTheWindowBack) {
  TMainLex& w = OpenWithClipboard();
  TypeWord("dog");
  Click(B::kAutoTranslate);

  // A Greek word in the English direction: the direction, picture and layout follow it.
  w.showMinimized();
  QApplication::processEvents();
  ASSERT_TRUE(w.isMinimized());
  OtherProgramCopies(QStringLiteral("γάτα"));
  EXPECT_EQ(EntryText(), "γάτα");
  EXPECT_EQ(Label(), "γάτα");
  EXPECT_NE(Description().find("cat"), std::string::npos);
  EXPECT_EQ(Core().CurrentDirection, Direction::kGreek);
  EXPECT_EQ(w.Button(B::kLang)->Glyph().cacheKey(), w.GrImage.cacheKey());
  EXPECT_EQ(keyboard_.active, kGreekLayout);
  EXPECT_FALSE(w.isMinimized());

  // A prefix is listed and not shown, as typing it would.
  OtherProgramCopies(QStringLiteral("catal"));
  EXPECT_EQ(EntryText(), "catal");
  EXPECT_EQ(Rows(), std::vector<std::string>{"catalogue"});
  EXPECT_EQ(Label(), "");
  EXPECT_EQ(Core().CurrentDirection, Direction::kEnglish);
}

TEST_F(WindowQuickTranslationTest, TheProgramsOwnCopyIsNotLookedUp) {
  TMainLex& w = OpenWithClipboard();
  Click(B::kAutoTranslate);
  TypeWord("cat");
  ASSERT_EQ(Label(), "cat");
  Key(Qt::Key_Down);  // catalogue shown, the entry box still holds "cat"
  ASSERT_EQ(Label(), "catalogue");
  w.Description_Text->setFocus();
  w.Description_Text->selectAll();
  QApplication::processEvents();

  Click(B::kCopy);
  EXPECT_FALSE(ClipboardText().isEmpty());
  EXPECT_EQ(EntryText(), "cat");
  EXPECT_EQ(Label(), "catalogue");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"cat", "catalogue"}));

  // Ctrl+C in the explanation copies too, and is not looked up either.
  w.Description_Text->setFocus();
  w.Description_Text->selectAll();
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(EntryText(), "cat");
  EXPECT_EQ(Label(), "catalogue");
}

TEST_F(WindowQuickTranslationTest, SwitchingOnEmptiesTheClipboardAndOffLeavesTheChain) {
  OpenWithClipboard();
  TypeWord("dog");
  OtherProgramCopies(QStringLiteral("waiting"));
  Click(B::kAutoTranslate);
  EXPECT_TRUE(ClipboardText().isEmpty());
  EXPECT_EQ(EntryText(), "dog");  // the earlier text is not looked up
  EXPECT_EQ(Label(), "dog");

  Click(B::kAutoTranslate);
  EXPECT_NE(clipboard_.Chain().Head(), Core().MainWindowHandle);
  OtherProgramCopies(QStringLiteral("cat"));
  EXPECT_EQ(EntryText(), "dog");
  EXPECT_EQ(Label(), "dog");

  // On again: the window rejoins and follows the clipboard again.
  Click(B::kAutoTranslate);
  EXPECT_EQ(clipboard_.Chain().Head(), Core().MainWindowHandle);
  OtherProgramCopies(QStringLiteral("cat"));
  EXPECT_EQ(EntryText(), "cat");
  EXPECT_EQ(Label(), "cat");
}

TEST_F(WindowQuickTranslationTest, ClosingTheWindowLeavesTheChain) {
  OpenWithClipboard();
  Click(B::kAutoTranslate);
  const Clipboard::Window handle = Core().MainWindowHandle;
  ASSERT_EQ(clipboard_.Chain().Head(), handle);
  window_.reset();
  EXPECT_NE(clipboard_.Chain().Head(), handle);
  OtherProgramCopies(QStringLiteral("cat"));  // nothing is left to receive it
  EXPECT_EQ(ClipboardText(), QStringLiteral("cat"));
}

}  // namespace
}  // namespace zelvoran::testing
