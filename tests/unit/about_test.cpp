// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/about.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

#include "app/desktop_commands.h"
#include "app/guard.h"
#include "app/main_core.h"
#include "platform/message_boxes.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_main_view.h"
#include "tests/support/fake_shell.h"
#include "tests/support/recording_messages.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

using testing::FakeFileSystem;
using testing::FakeMainView;
using testing::FakeShell;

using testing::RecordingMessages;

struct AboutFixture : ::testing::Test {
  FakeFileSystem fs;
  testing::FakeSystemFolders folders;
  testing::FakeSystemInfo info;
  FakeShell shell;
  RecordingMessages messages;
  ProgramState state;
  FakeMainView view;
  MainCore core{
      Services{.fs = fs, .folders = folders, .info = info, .messages = &messages, .shell = &shell},
      state, view};

  AboutFixture() { state.ProgramFolder = "C:\\Dict\\"; }
};

using Handler = std::function<bool(AboutFixture&)>;

struct ShellCase {
  const char* name;
  Handler click;
  FakeShell::Call call;
  const char* problem_utf8;
};

std::vector<ShellCase> ShellCases() {
  return {
      {"site",
       [](AboutFixture& f) { return SiteLabelClick(&f.shell, &f.messages); },
       {"address", "https://www.quimbrell.example/", ""},
       "Δεν είναι δυνατή η ενεργοποίηση του προγράμματος περιήγησης στο διαδίκτυο"},
      {"mail",
       [](AboutFixture& f) { return MailLabelClick(&f.shell, &f.messages); },
       {"address", "mailto:info@quimbrell.example", ""},
       "Δεν είναι δυνατή η ενεργοποίηση του προγράμματος διαχείρισης email"},
      {"help",
       [](AboutFixture& f) { return Help_ButtonClick(f.core); },
       {"file", "content\\Zelvoran.htm", ""},
       "Το αρχείο βοήθειας δε βρέθηκε"},
      {"presentation",
       [](AboutFixture& f) { return Quimbrell_LabelClick(f.core); },
       {"program", "content\\QuimbrellPres.exe", "\"C:\\Dict\\\""},
       "Η πρόγραμμα της παρουσίασης δε βρέθηκε"},
  };
}

TEST_F(AboutFixture, EachShellCallAndItsProblemMessage) {
  for (const ShellCase& c : ShellCases()) {
    SCOPED_TRACE(c.name);
    for (bool succeed : {true, false}) {
      shell.calls.clear();
      messages.problems.clear();
      shell.succeed = succeed;
      EXPECT_EQ(c.click(*this), succeed);
      ASSERT_EQ(shell.calls.size(), 1u);
      EXPECT_EQ(shell.calls[0], c.call);
      if (succeed) {
        EXPECT_TRUE(messages.problems.empty());
      } else {
        EXPECT_EQ(messages.problems, std::vector<std::string>{Utf8ToCp1253(c.problem_utf8)});
      }
    }
  }
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(AboutFixture, MissingShellCountsAsFailure) {
  core.svc.shell = nullptr;
  EXPECT_FALSE(SiteLabelClick(nullptr, &messages));
  EXPECT_FALSE(MailLabelClick(nullptr, &messages));
  EXPECT_FALSE(Help_ButtonClick(core));
  EXPECT_FALSE(Quimbrell_LabelClick(core));
  EXPECT_EQ(messages.problems,
            (std::vector<std::string>{BrowserProblemText(), MailProblemText(), HelpProblemText(),
                                      PresentationProblemText()}));
  // Without a message service nothing is shown, and nothing breaks.
  EXPECT_FALSE(SiteLabelClick(nullptr, nullptr));
}

TEST_F(AboutFixture, FailingHelpLeavesTheMainWindowAsItWas) {
  view.entry_text = "word";
  view.description = "explanation";
  view.label = "word";
  shell.succeed = false;
  Help_ButtonClick(core);
  Quimbrell_LabelClick(core);
  EXPECT_EQ(view.entry_text, "word");
  EXPECT_EQ(view.description, "explanation");
  EXPECT_EQ(view.label, "word");
  EXPECT_FALSE(view.entry_focused);
  EXPECT_EQ(view.busy_calls, 0);
}

TEST_F(AboutFixture, HelpWithoutABrowserShowsTheDocumentInTheProgramsWindow) {
  // The shell goes first; where it opens the document, no window of the program's own opens.
  fs.Put("content\\Zelvoran.htm", "<html><body>help</body></html>");
  EXPECT_TRUE(Help_ButtonClick(core));
  EXPECT_TRUE(view.help_windows.empty());
  // No program is registered for it: the program's own window reads it.
  shell.succeed = false;
  EXPECT_TRUE(Help_ButtonClick(core));
  EXPECT_EQ(view.help_windows, std::vector<std::string>{"content\\Zelvoran.htm"});
  EXPECT_EQ(shell.calls.size(), 2u);
  EXPECT_TRUE(messages.problems.empty());
  // A window that cannot show it, or no shell at all with the window working.
  view.help_window_works = false;
  EXPECT_FALSE(Help_ButtonClick(core));
  EXPECT_EQ(messages.problems, std::vector<std::string>{HelpProblemText()});
  view.help_window_works = true;
  core.svc.shell = nullptr;
  EXPECT_TRUE(Help_ButtonClick(core));
  EXPECT_EQ(view.help_windows.size(), 2u);
}

TEST_F(AboutFixture, PresentationParameterIsTheQuotedProgramFolder) {
  state.ProgramFolder = "/opt/zelvoran glossa/";
  Quimbrell_LabelClick(core);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].parameters, "\"/opt/zelvoran glossa/\"");
}

// An about window that records its life into a shared log.
class LoggingWindow final : public AboutWindow {
 public:
  LoggingWindow(std::vector<std::string>& log, const FakeMainView& view, bool fail)
      : log_(log), view_(view), fail_(fail) {}
  ~LoggingWindow() override {
    log_.push_back(std::string("destroyed") + (view_.entry_focused ? " after focus" : ""));
  }
  void ShowModal() override {
    log_.push_back("shown");
    if (fail_) throw std::runtime_error("cannot show");
  }

 private:
  std::vector<std::string>& log_;
  const FakeMainView& view_;
  bool fail_;
};

class LoggingFactory final : public AboutWindowFactory {
 public:
  LoggingFactory(std::vector<std::string>& log, const FakeMainView& view)
      : log_(log), view_(view) {}
  bool fail = false;
  int created = 0;
  std::unique_ptr<AboutWindow> CreateAboutWindow() override {
    ++created;
    log_.push_back("created");
    return std::make_unique<LoggingWindow>(log_, view_, fail);
  }

 private:
  std::vector<std::string>& log_;
  const FakeMainView& view_;
};

TEST(CopyrightLabelClickTest, ShowsANewWindowAndReturnsTheFocusToTheEntryBox) {
  FakeMainView view;
  std::vector<std::string> log;
  LoggingFactory factory(log, view);
  CopyrightLabelClick(view, factory);
  EXPECT_EQ(log, (std::vector<std::string>{"created", "shown", "destroyed"}));
  EXPECT_EQ(view.window_activations, 1);
  EXPECT_TRUE(view.entry_focused);

  view.entry_focused = false;
  CopyrightLabelClick(view, factory);
  EXPECT_EQ(factory.created, 2);  // a new instance each time
  EXPECT_TRUE(view.entry_focused);
}

TEST(CopyrightLabelClickTest, FailedShowingStillDestroysAndFocuses) {
  FakeMainView view;
  std::vector<std::string> log;
  LoggingFactory factory(log, view);
  factory.fail = true;
  Guarded([&] { CopyrightLabelClick(view, factory); });
  EXPECT_EQ(log, (std::vector<std::string>{"created", "shown", "destroyed"}));
  EXPECT_EQ(view.window_activations, 0);
  EXPECT_TRUE(view.entry_focused);
}

TEST(LoadCopyrightNoticeTest, ReadsTheNoticeOrNothing) {
  FakeFileSystem fs;
  EXPECT_FALSE(LoadCopyrightNotice(fs));  // missing

  fs.Put("Content\\Copyright.RTF", "{\\rtf1\\ansi\\ansicpg1253 \\'c1\\'e8\\'DE\\'ed\\'e1\\par}");
  const std::optional<RtfDocument> doc = LoadCopyrightNotice(fs);
  ASSERT_TRUE(doc);
  EXPECT_EQ(doc->PlainText(), "Αθήνα");

  fs.Put("content\\copyright.rtf", "{\\rtf1 unfinished");
  EXPECT_FALSE(LoadCopyrightNotice(fs));

  fs.Put("content\\copyright.rtf", "{\\rtf1 " + std::string(kMaxCopyrightNoticeBytes, 'x') + "}");
  EXPECT_FALSE(LoadCopyrightNotice(fs));
}

TEST(LoadCopyrightNoticeTest, ShippedNoticeNamesTheDataAndItsLicence) {
  FakeFileSystem fs;
  std::ifstream in(ZELVORAN_SOURCE_DIR "/content/copyright.rtf", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  fs.Put(kCopyrightNoticePath, bytes.str());
  const std::optional<RtfDocument> doc = LoadCopyrightNotice(fs);
  ASSERT_TRUE(doc);
  const std::string text = doc->PlainText();
  EXPECT_NE(text.find("dict-freedict-eng-ell"), std::string::npos);
  EXPECT_NE(text.find("dict-freedict-ell-eng"), std::string::npos);
  EXPECT_NE(text.find("CC BY-SA 3.0"), std::string::npos);
  EXPECT_NE(text.find(std::string(kPublisherSiteCaption)), std::string::npos);
}

// The help document's table of contents and cross references all lead somewhere.
TEST(HelpDocumentTest, EveryLinkInsideTheDocumentHasItsTarget) {
  std::ifstream in(ZELVORAN_SOURCE_DIR "/content/Zelvoran.htm", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string html = bytes.str();
  ASSERT_FALSE(html.empty());
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  std::set<std::string> ids;
  const std::regex id_re("id=\"([^\"]+)\"");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), id_re);
       it != std::sregex_iterator(); ++it) {
    EXPECT_TRUE(ids.insert((*it)[1]).second) << "duplicate id " << (*it)[1];
  }
  const std::regex href_re("href=\"#([^\"]+)\"");
  int links = 0;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), href_re);
       it != std::sregex_iterator(); ++it, ++links) {
    EXPECT_TRUE(ids.count((*it)[1])) << "no target for #" << (*it)[1];
  }
  EXPECT_GE(links, 24);  // both tables of contents
  EXPECT_TRUE(ids.count("english"));
}

}  // namespace
}  // namespace zelvoran
