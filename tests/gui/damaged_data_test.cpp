// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window over a damaged data folder: it starts, shows what the loaders kept,
// and typing, clicking a row and pasting a huge text do not crash.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "app/main_core.h"
#include "app/ui/main_lex.h"
#include "dictionary/field_codec.h"
#include "platform/linux/posix_file_system.h"
#include "platform/linux/qt_text.h"
#include "platform/message_boxes.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fixture_data.h"
#include "tests/support/gui_typing.h"
#include "tests/support/recording_messages.h"
#include "text/cp1253.h"
#include "tools/encoders/field_encoders.h"

namespace zelvoran {
namespace {

namespace fs = std::filesystem;

using testing::RecordingMessages;

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}
void Write(const fs::path& p, const std::string& data) {
  std::ofstream(p, std::ios::binary | std::ios::trunc) << data;
}
std::vector<std::string> Lines(const fs::path& p) {
  std::vector<std::string> out;
  std::string all = Read(p);
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find("\r\n", start);
    if (end == std::string::npos) end = all.size();
    out.push_back(all.substr(start, end - start));
    start = end + 2;
  }
  return out;
}
void WriteLines(const fs::path& p, const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\r\n";
  Write(p, s);
}

// English index line `n` of the fixture with its field 6 (the length) replaced.
void SetEnglishLength(const fs::path& data, size_t n, const std::string& length) {
  auto lines = Lines(data / "ZelvoranI.tbo");
  std::string decoded = MirrorDecode(static_cast<int64_t>(n), lines[n - 1]);
  decoded = decoded.substr(0, decoded.rfind('#') + 1) + length;
  lines[n - 1] = MirrorEncode(static_cast<int64_t>(n), decoded);
  WriteLines(data / "ZelvoranI.tbo", lines);
}

void SetProfileValue(const fs::path& data, const std::string& key, const std::string& value) {
  auto lines = Lines(data / "ZelvoranProfile.txt");
  for (std::string& l : lines) {
    if (l.rfind(key + "=", 0) == 0) l = key + "=" + value;
  }
  WriteLines(data / "ZelvoranProfile.txt", lines);
}

struct Damage {
  const char* name;
  std::function<void(const fs::path& data)> apply;
  int english;  // records the window has
  int greek;
  bool problem;  // a message names what is wrong
  // Typing "cat" lists it (a start slot past the index finds nothing, as the scan starts there).
  bool lists_cat = true;
};

const Damage kDamages[] = {
    {"data folder missing", [](const fs::path& d) { fs::remove_all(d); }, 0, 0, false},
    {"index missing", [](const fs::path& d) { fs::remove(d / "ZelvoranI.tbo"); }, 0, 0, false},
    {"index empty", [](const fs::path& d) { Write(d / "ZelvoranI.tbo", ""); }, 0, 0, false},
    {"index cut inside line 4",
     [](const fs::path& d) {
       const auto lines = Lines(d / "ZelvoranI.tbo");
       Write(d / "ZelvoranI.tbo",
             lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n" + lines[3].substr(0, 4));
     },
     3, 0, false},
    {"index length not a number", [](const fs::path& d) { SetEnglishLength(d, 5, "4x"); }, 4, 0,
     false},
    {"index length absurd", [](const fs::path& d) { SetEnglishLength(d, 5, "99999999999"); }, 4, 0,
     false},
    {"index length past the end of the explanations",
     [](const fs::path& d) { SetEnglishLength(d, 3, "65000"); }, 6, 5, false},
    {"explanations missing", [](const fs::path& d) { fs::remove(d / "ZelvoranDat.tbo"); }, 6, 5,
     false},
    {"explanations cut in half",
     [](const fs::path& d) {
       const std::string t = Read(d / "ZelvoranDat.tbo");
       Write(d / "ZelvoranDat.tbo", t.substr(0, t.size() / 2));
     },
     6, 5, false},
    {"abbreviations missing", [](const fs::path& d) { fs::remove(d / "ZelvoranSrt.tbo"); }, 6, 5,
     false},
    {"abbreviations of 5000 lines",
     [](const fs::path& d) {
       WriteLines(d / "ZelvoranSrt.tbo", std::vector<std::string>(5000, std::string(300, 'a')));
     },
     6, 5, false},
    {"links missing", [](const fs::path& d) { fs::remove(d / "ZelvoranEC.tbo"); }, 6, 5, false},
    {"links not numbers",
     [](const fs::path& d) { Write(d / "ZelvoranEC.tbo", "abcdeE\r\n\xFF\xFF\r\n"); }, 6, 5, false},
    {"profile with fewer English headwords",
     [](const fs::path& d) { SetProfileValue(d, "english-headwords", "2"); }, 2, 0, false},
    {"profile with letter starts beyond the index",
     [](const fs::path& d) {
       std::string starts;
       for (int i = 0; i < 26; ++i) starts += "60001 ";
       SetProfileValue(d, "english-letter-starts", starts);
     },
     6, 5, false, false},
    {"profile rejected", [](const fs::path& d) { SetProfileValue(d, "greek-links", "999"); }, 0, 0,
     true},
    {"profile of binary noise",
     [](const fs::path& d) { Write(d / "ZelvoranProfile.txt", std::string("\x01\x02=\xFF\n", 5)); },
     0, 0, true},
};

class DamagedDataWindow : public ::testing::TestWithParam<Damage> {
 protected:
  void SetUp() override {
    InstallFontSubstitutions();
    char tmpl[] = "/tmp/zelvoran-damaged-gui-XXXXXX";
    dir_ = ::mkdtemp(tmpl);
    fs::create_directories(dir_ + "/content");
    fs::copy_file(fs::path(ZELVORAN_SOURCE_DIR) / "content" / "orangeline.bmp",
                  dir_ + "/content/orangeline.bmp");
    folders_.windows = dir_ + "/windows";
    folders_.root = dir_ + "/c/";
    old_cwd_ = fs::current_path();
    testing::WriteData(files_, dir_ + "/", testing::SmallDataSet());
  }
  void TearDown() override {
    window_.reset();
    fs::current_path(old_cwd_);
    fs::remove_all(dir_);
  }

  TMainLex& Open() {
    fs::current_path(dir_);
    window_ =
        std::make_unique<TMainLex>(Services{files_, folders_, info_, nullptr, &messages_}, state_);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    return *window_;
  }

  static void Type(QWidget* w, const QString& text) {
    testing::TypeText(w, text);
    QApplication::processEvents();
  }

  // Clicks every row the list shows.
  void ClickRows(TMainLex& w) {
    const int rows = w.Entries_List->model()->rowCount();
    ASSERT_EQ(rows, w.Core().List.Count());
    for (int r = 0; r < rows && r < 20; ++r) {
      const QRect rect = w.Entries_List->visualRect(w.Entries_List->model()->index(r, 0));
      if (!rect.isValid()) continue;
      QTest::mouseClick(w.Entries_List->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
      QApplication::processEvents();
    }
  }

  std::string dir_;
  fs::path old_cwd_;
  PosixFileSystem files_;
  testing::FakeSystemFolders folders_;
  testing::FakeSystemInfo info_;
  RecordingMessages messages_;
  ProgramState state_;
  std::unique_ptr<TMainLex> window_;
};

TEST_P(DamagedDataWindow, StartsShowsWhatLoadedAndSurvivesUse) {
  GetParam().apply(fs::path(dir_) / "data");
  TMainLex& w = Open();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(state_.Dict.EnglishIndex.Count(), GetParam().english);
  EXPECT_EQ(state_.Dict.GreekIndex.Count(), GetParam().greek);
  ASSERT_EQ(messages_.problems.size(), GetParam().problem ? 1u : 0u);
  if (GetParam().problem) {
    EXPECT_NE(Cp1253ToUtf8(messages_.problems[0]).find("ZelvoranProfile.txt"), std::string::npos);
  }

  Type(w.Entry_Text, QStringLiteral("cat"));
  if (GetParam().english >= 3 && GetParam().lists_cat) {
    // "cat" is English entry 3: listed, and shown at once as the typed text matches it.
    ASSERT_GT(w.Entries_List->model()->rowCount(), 0);
    EXPECT_EQ(w.Entry_Label->text(), QStringLiteral("cat"));
  }
  ClickRows(w);
  w.Entry_Text->clear();
  Type(w.Entry_Text, QStringLiteral("γ"));
  ClickRows(w);
  w.Entry_Text->clear();
  Type(w.Entry_Text, QStringLiteral("a"));
  ClickRows(w);
  // A huge pasted text.
  w.Entry_Text->setText(QString(100000, QChar('c')));
  QApplication::processEvents();
  ClickRows(w);
  EXPECT_TRUE(w.isVisible());
}

std::string NameOf(const ::testing::TestParamInfo<Damage>& info) {
  std::string name;
  for (const char* c = info.param.name; *c; ++c) {
    name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(EachFault, DamagedDataWindow, ::testing::ValuesIn(kDamages), NameOf);

}  // namespace
}  // namespace zelvoran
