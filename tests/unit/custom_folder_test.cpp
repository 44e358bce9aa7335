// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/custom_commands.h"
#include "custom/custom_dialogs.h"
#include "custom/custom_folder.h"
#include "tests/unit/store_fixture.h"

namespace zelvoran {
namespace {

using testing::W;

class CustomFolderTest : public testing::StoreTest {
 protected:
  void SetUp() override {
    state.Paths = {};
    fs.Put(kProgram, "program");
    fs.CreateDirectories("C:\\WINDOWS");
  }
  static constexpr const char* kIni = "C:\\WINDOWS\\Zelvoran.ini";
  // The program's file, whose read-only attribute decides (Zelvoran.exe on Windows).
  const std::string kProgram = "C:\\Dict\\" + std::string(kProgramFileName);
};

TEST_F(CustomFolderTest, FolderHoldingAnIndexStaysWithoutQuestions) {
  for (const char* name : {"ZelvoranIC.tbo", "ZelvoranHIC.tbo"}) {
    state.Paths = CustomPaths::In("D:\\Mine\\");
    fs.Put(std::string("D:\\Mine\\") + name, "");
    EXPECT_TRUE(ValidateCustomFolder(core)) << name;
    EXPECT_EQ(state.Paths, CustomPaths::In("D:\\Mine\\"));
    fs.RemoveFile(std::string("D:\\Mine\\") + name);
  }
  EXPECT_TRUE(dialogs.folder_reasons.empty());
}

TEST_F(CustomFolderTest, SettingsFileDecides) {
  struct Case {
    const char* first_line;
    const char* reason;  // nullptr: no question
    bool valid;
  };
  const Case cases[] = {
      {"D:\\Mine", nullptr, true},
      {"", "NULL", false},
      {"D:\\Gone", "INVALID", false},
  };
  for (const Case& c : cases) {
    dialogs.folder_reasons.clear();
    fs.Put(kIni, std::string(c.first_line) + "\r\nD:\\Second\r\n");
    state.SettingsFilePath = kIni;
    state.Paths = CustomPaths::In("D:\\Old\\");
    EXPECT_EQ(ValidateCustomFolder(core), c.valid) << c.first_line;
    if (c.reason) {
      EXPECT_EQ(dialogs.folder_reasons, std::vector<std::string>{c.reason});
      EXPECT_EQ(state.Paths, CustomPaths{});  // declined: the paths are cleared
    } else {
      EXPECT_TRUE(dialogs.folder_reasons.empty());
      EXPECT_EQ(state.Paths.CustomGreekIndexPath, "D:\\Mine\\ZelvoranHIC.tbo");
      EXPECT_EQ(state.Paths.TempIndexPath, "D:\\Mine\\tempi.tbo");
    }
  }
}

TEST_F(CustomFolderTest, WithoutSettingsAWritableProgramUsesItsDataFolder) {
  fs.CreateDirectories("C:\\Dict\\data");
  EXPECT_TRUE(ValidateCustomFolder(core));
  EXPECT_TRUE(dialogs.folder_reasons.empty());
  EXPECT_EQ(state.Paths, CustomPaths::In("C:\\Dict\\Data\\"));
  EXPECT_EQ(state.SettingsFilePath, kIni);
  EXPECT_EQ(File(kIni), "C:\\Dict\\Data\r\n");
}

TEST_F(CustomFolderTest, WithoutSettingsAReadOnlyOrMissingProgramAsks) {
  fs.SetReadOnly(kProgram, true);
  EXPECT_FALSE(ValidateCustomFolder(core));
  fs.RemoveFile(kProgram);
  EXPECT_FALSE(ValidateCustomFolder(core));
  EXPECT_EQ(dialogs.folder_reasons, (std::vector<std::string>{"NULL", "NULL"}));
  EXPECT_FALSE(fs.FileExists(kIni));
}

TEST_F(CustomFolderTest, ChosenFolderIsSavedAndTheCurrentDirectoryRestored) {
  fs.SetReadOnly(kProgram, true);
  fs.CreateDirectories("E:\\Browse");
  dialogs.during_folder_dialog = [&] { fs.SetCurrentDirectory("E:\\Browse"); };
  dialogs.folder_answers.push_back(std::string("E:\\Chosen"));
  EXPECT_TRUE(ValidateCustomFolder(core));
  EXPECT_EQ(state.Paths, CustomPaths::In("E:\\Chosen\\"));
  EXPECT_EQ(File(kIni), "E:\\Chosen\r\n");
  EXPECT_EQ(fs.CurrentDirectory(), "C:\\Dict");

  // OK with an empty folder, and Cancel, save nothing.
  for (std::optional<std::string> answer :
       {std::optional<std::string>(""), std::optional<std::string>()}) {
    dialogs.folder_answers.push_back(answer);
    EXPECT_FALSE(PromptCustomFolder(core, "NULL").has_value());
    EXPECT_EQ(File(kIni), "E:\\Chosen\r\n");
    EXPECT_EQ(fs.CurrentDirectory(), "C:\\Dict");
  }
}

TEST(FolderDialogRulesTest, PromptTexts) {
  EXPECT_EQ(Cp1253ToUtf8(FolderPromptText("NULL")),
            "Για να επεξεργαστείτε λήμματα στο Zelvoran Glossa πρέπει να ορίσετε στον "
            "υπολογιστή σας το φάκελο μέσα στον οποίο θα αποθηκεύονται οι τροποποιήσεις.\r\n\r\n"
            "Για δική σας ευκολία μπορείτε να κρατήσετε το φάκελο που προτείνεται παρακάτω.");
  EXPECT_EQ(Cp1253ToUtf8(FolderPromptText("INVALID")).rfind("Ο φάκελος που έχει οριστεί", 0), 0u);
}

TEST(FolderDialogRulesTest, ProposedFolder) {
  testing::FakeFileSystem fs;
  testing::FakeSystemFolders folders;
  testing::FakeSystemInfo info;
  EXPECT_EQ(ProposedCustomFolder(fs, folders, info), "c:\\ZelvoranGlossa");
  fs.CreateDirectories("C:\\Program Files");
  EXPECT_EQ(ProposedCustomFolder(fs, folders, info), "c:\\Program Files\\ZelvoranGlossa");
  info.version = OsVersion{2, 6, 1, ""};  // version code 8
  EXPECT_EQ(ProposedCustomFolder(fs, folders, info), "c:\\ZelvoranGlossa");
  info.version = OsVersion{2, 10, 0, ""};
  EXPECT_EQ(ProposedCustomFolder(fs, folders, info), "c:\\Program Files\\ZelvoranGlossa");
}

TEST(FolderDialogRulesTest, ConfirmCreatesMissingLevels) {
  testing::FakeFileSystem fs;
  EXPECT_TRUE(ConfirmFolderChoice(fs, "").close);
  EXPECT_TRUE(ConfirmFolderChoice(fs, "C:\\New\\Newer\\Newest").close);
  EXPECT_TRUE(fs.DirectoryExists("C:\\New\\Newer\\Newest"));
  EXPECT_TRUE(ConfirmFolderChoice(fs, "C:\\New").close);  // exists: accepted as it is
  fs.fail_if = [](const std::string& op, const std::string& path) {
    return op == "mkdir" && path == "q:\\";  // a drive that does not exist
  };
  const FolderConfirmation r = ConfirmFolderChoice(fs, "Q:\\Mine");
  EXPECT_FALSE(r.close);
  EXPECT_EQ(Cp1253ToUtf8(r.message),
            "Παρουσιάστηκε πρόβλημα κατά τη δημιουργία του φακέλου. Παρακαλώ επιλέξτε άλλο "
            "φάκελο");
  // A file in the way of the folder gives the same message.
  fs.Put("C:\\File", "x");
  EXPECT_FALSE(ConfirmFolderChoice(fs, "C:\\File").close);
}

TEST(FolderDialogRulesTest, FolderListingAndDrives) {
  testing::FakeFileSystem fs;
  fs.CreateDirectories("C:\\Users\\me\\docs");
  fs.CreateDirectories("C:\\Users\\me\\music");
  const FolderListing l = ListFolder(fs, "C:\\Users\\me");
  EXPECT_EQ(l.ancestors, (std::vector<std::string>{"C:\\", "C:\\Users", "C:\\Users\\me"}));
  EXPECT_EQ(l.children, (std::vector<std::string>{"C:\\Users\\me\\docs", "C:\\Users\\me\\music"}));
  EXPECT_EQ(ListFolder(fs, "C:\\").ancestors, std::vector<std::string>{"C:\\"});
  EXPECT_EQ(DriveOf({"c:\\", "d:\\"}, "D:\\x"), 1);
  EXPECT_EQ(DriveOf({"/", "/home/me/"}, "/home/me/x"), 1);
  EXPECT_EQ(DriveOf({"/", "/home/me/"}, "/home/mex"), 0);
  EXPECT_EQ(DriveOf({"c:\\"}, "e:\\x"), -1);
}

TEST(EntryDialogRulesTest, OkNeedsHeadwordAndDescriptionWhereRequired) {
  struct Case {
    EditMode mode;
    Origin origin;
    const char* headword;
    const char* text;
    bool ok;
  };
  const Case cases[] = {
      {EditMode::kInsert, Origin::kNone, "cat", "γάτα", true},
      {EditMode::kInsert, Origin::kNone, " ", " ", true},
      {EditMode::kInsert, Origin::kNone, "", "γάτα", false},
      {EditMode::kInsert, Origin::kNone, "cat", "", false},
      {EditMode::kUpdate, Origin::kOwn, "cat", "", false},
      {EditMode::kUpdate, Origin::kDictionary, "cat", "", true},
      {EditMode::kUpdate, Origin::kAddition, "cat", "", true},
  };
  for (const Case& c : cases) {
    const auto message = CheckEntryDialog(c.mode, c.origin, c.headword, c.text);
    EXPECT_EQ(!message.has_value(), c.ok)
        << static_cast<int>(c.mode) << static_cast<char>(c.origin) << c.headword;
    if (message) {
      EXPECT_EQ(Cp1253ToUtf8(*message), "Πρέπει να συμπληρωθούν το Λήμμα και η Περιγραφή");
    }
  }
}

TEST(EntryDialogRulesTest, CategoryItemsReadTheAbbreviationFile) {
  testing::FakeFileSystem fs;
  EXPECT_EQ(CategoryItems(fs, "C:\\Dict\\"), std::vector<std::string>{" "});
  fs.Put("C:\\Dict\\data\\ZelvoranSrt.tbo", W("ουσ.      xουσιαστικό  \r\nβοτ.      Νβοτανική"));
  EXPECT_EQ(CategoryItems(fs, "C:\\Dict\\"),
            (std::vector<std::string>{" ", W("ουσιαστικό"), W("βοτανική")}));
}

}  // namespace
}  // namespace zelvoran
