// SPDX-License-Identifier: GPL-3.0-or-later
// The about window, the help button and the publisher's link on the real window.
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextEdit>

#include "desktop/about.h"
#include "desktop/ui/copyright_form.h"
#include "desktop/ui/help_form.h"
#include "tests/gui/window_fixture.h"

namespace zelvoran::testing {
namespace {

using Strings = std::vector<std::string>;

class WindowAboutTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    fs::copy_file(fs::path(ZELVORAN_SOURCE_DIR) / "content" / "copyright.rtf",
                  dir_ + "/content/copyright.rtf");
  }
  TMainLex& OpenWithShell() {
    return Open([this](Services& s) { s.shell = &shell_; });
  }
  FakeShell shell_;
};

TEST_F(WindowAboutTest, TheAboutWindowClosesWithEnterEscapeAndOkAndGivesTheFocusBack) {
  TMainLex& w = OpenWithShell();
  TypeWord("cat");
  const std::vector<std::pair<const char*, std::function<void(TCopyrightForm&)>>> ways = {
      {"Enter",
       [](TCopyrightForm& d) {
         QWidget* f = QApplication::focusWidget();
         QTest::keyClick(f && f->window() == &d ? f : &d, Qt::Key_Return);
       }},
      {"Escape", [](TCopyrightForm& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
      {"OK", [](TCopyrightForm& d) { QTest::mouseClick(d.BitBtn1, Qt::LeftButton); }},
  };
  for (const auto& way : ways) {
    const auto& name = way.first;
    const auto& close = way.second;
    SCOPED_TRACE(name);
    w.Description_Text->setFocus();
    bool notice = false, closed = false;
    WhenShown<TCopyrightForm>([&, close = close](TCopyrightForm& d) {
      static_cast<void>(QTest::qWaitForWindowActive(&d));
      notice = !d.CopyrightRTF->document()->isEmpty();
      close(d);
      closed = !d.isVisible();
    });
    QTest::mouseClick(w.CopyrightLabel, Qt::LeftButton);
    EXPECT_TRUE(notice);
    EXPECT_TRUE(closed);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(EntryBoxFocused());
    EXPECT_EQ(Label(), "cat");  // the window is as it was
  }
  EXPECT_TRUE(shell_.calls.empty());
  EXPECT_TRUE(messages_.problems.empty());
}

TEST_F(WindowAboutTest, HelpOpensTheDocumentOrReportsThatItIsMissing) {
  TMainLex& w = OpenWithShell();
  TypeWord("cat");
  Click(B::kHelp);
  EXPECT_EQ(shell_.calls, (std::vector<FakeShell::Call>{{"file", "content\\Zelvoran.htm", ""}}));
  EXPECT_TRUE(messages_.problems.empty());

  shell_.succeed = false;
  Click(B::kHelp);
  EXPECT_EQ(messages_.problems, Strings{"Το αρχείο βοήθειας δε βρέθηκε"});
  EXPECT_EQ(Label(), "cat");
  EXPECT_EQ(EntryText(), "cat");
  EXPECT_EQ(Rows(), (Strings{"cat", "catalogue"}));
  EXPECT_NE(Description().find("γάτα"), std::string::npos);
  EXPECT_TRUE(w.isVisible());
}

TEST_F(WindowAboutTest, WithoutABrowserTheHelpOpensInTheProgramsOwnWindow) {
  fs::copy_file(fs::path(ZELVORAN_SOURCE_DIR) / "content" / "Zelvoran.htm",
                dir_ + "/content/Zelvoran.htm");
  TMainLex& w = OpenWithShell();
  TypeWord("cat");
  shell_.succeed = false;  // nothing is registered to open the document
  Click(B::kHelp);
  EXPECT_EQ(shell_.calls, (std::vector<FakeShell::Call>{{"file", "content\\Zelvoran.htm", ""}}));
  EXPECT_TRUE(messages_.problems.empty());
  THelpForm* help = w.HelpForm();
  ASSERT_NE(help, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
  EXPECT_EQ(help->windowTitle(), QStringLiteral("Zelvoran Glossa 1.2 — Βοήθεια"));
  QTextBrowser* browser = help->Help_Browser;
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("English version of this help")));
  EXPECT_EQ(Label(), "cat");  // the main window is as it was

  // A link inside the document moves the view to its target.
  const int at = static_cast<int>(browser->toPlainText().indexOf("English version of this help"));
  QTextCursor cursor(browser->document());
  cursor.setPosition(at + 3);
  EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
  QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier,
                    browser->cursorRect(cursor).center());
  EXPECT_GT(browser->verticalScrollBar()->value(), 0);
  // A web address goes to the desktop, and is reported when nothing takes it.
  help->Help_Browser->anchorClicked(QUrl(QStringLiteral("https://www.quimbrell.example/")));
  EXPECT_EQ(shell_.calls.back(),
            (FakeShell::Call{"address", "https://www.quimbrell.example/", ""}));
  EXPECT_EQ(messages_.problems,
            Strings{"Δεν είναι δυνατή η ενεργοποίηση του προγράμματος περιήγησης στο διαδίκτυο"});

  // Asked again, the same window comes back.
  help->close();
  Click(B::kHelp);
  EXPECT_EQ(w.HelpForm(), help);
  EXPECT_TRUE(help->isVisible());
}

TEST_F(WindowAboutTest, ThePublishersEmblemAndLabelStartThePresentation) {
  TMainLex& w = OpenWithShell();
  const FakeShell::Call start{"program", "content\\QuimbrellPres.exe", "\"" + folder_ + "\""};
  for (QWidget* target :
       {static_cast<QWidget*>(w.QuimbrellImage), static_cast<QWidget*>(w.Quimbrell_Label)}) {
    shell_.calls.clear();
    messages_.problems.clear();
    shell_.succeed = true;
    QTest::mouseClick(target, Qt::LeftButton);
    EXPECT_EQ(shell_.calls, std::vector<FakeShell::Call>{start});
    EXPECT_TRUE(messages_.problems.empty());

    shell_.succeed = false;
    QTest::mouseClick(target, Qt::LeftButton);
    EXPECT_EQ(messages_.problems, Strings{"Η πρόγραμμα της παρουσίασης δε βρέθηκε"});
  }
}

}  // namespace
}  // namespace zelvoran::testing
