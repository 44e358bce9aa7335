// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/startup.h"
#include "tests/support/fake_file_system.h"

namespace zelvoran {
namespace {

using testing::FakeFileSystem;
using testing::FakeSystemFolders;

TEST(ProgramFolderOf, AppendsSeparatorOnce) {
  FakeFileSystem a("C:\\Dict");
  EXPECT_EQ(ProgramFolderOf(a), "C:\\Dict\\");
  FakeFileSystem b("C:\\");
  EXPECT_EQ(ProgramFolderOf(b), "C:\\");
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.CreateDirectories("C:\\WINDOWS");
    state.ProgramFolder = "C:\\Dict\\";
  }
  FakeFileSystem fs;
  FakeSystemFolders folders;
  ProgramState state;
};

TEST_F(SettingsTest, DataFolderWithOnlyGreekTextsWinsWithoutSettings) {
  fs.Put("C:\\Dict\\Data\\ZelvoranHC.tbo", "");
  fs.Put("C:\\WINDOWS\\Zelvoran.ini", "D:\\Elsewhere\r\n");
  ResolveCustomFolder(fs, folders, state);
  EXPECT_EQ(state.Paths.CustomEnglishIndexPath, "C:\\Dict\\Data\\ZelvoranIC.tbo");
  EXPECT_EQ(state.Paths.TempIndexPath, "C:\\Dict\\Data\\tempi.tbo");
  EXPECT_TRUE(state.SettingsFilePath.empty());
}

TEST_F(SettingsTest, WindowsFolderSettingsBeatRootOfC) {
  fs.Put("C:\\WINDOWS\\Zelvoran.ini", "D:\\Mine\r\n");
  fs.Put("c:\\Zelvoran.ini", "E:\\Other\r\n");
  ResolveCustomFolder(fs, folders, state);
  EXPECT_EQ(state.SettingsFilePath, "C:\\WINDOWS\\Zelvoran.ini");
  EXPECT_EQ(state.Paths.CustomGreekTextsPath, "D:\\Mine\\ZelvoranHC.tbo");
}

TEST_F(SettingsTest, RootOfCWhenNoWindowsSettings) {
  fs.Put("c:\\Zelvoran.ini", "E:\\Other");
  ResolveCustomFolder(fs, folders, state);
  EXPECT_EQ(state.SettingsFilePath, "c:\\Zelvoran.ini");
  EXPECT_EQ(state.Paths.CustomEnglishTextsPath, "E:\\Other\\ZelvoranC.tbo");
}

TEST_F(SettingsTest, EmptyFirstLineMeansNoFolder) {
  fs.Put("C:\\WINDOWS\\Zelvoran.ini", "\r\nD:\\Second\r\n");
  ResolveCustomFolder(fs, folders, state);
  EXPECT_EQ(state.SettingsFilePath, "C:\\WINDOWS\\Zelvoran.ini");
  EXPECT_TRUE(state.Paths.CustomEnglishIndexPath.empty());
}

TEST_F(SettingsTest, NoSettingsAnywhereLeavesEverythingEmpty) {
  ResolveCustomFolder(fs, folders, state);
  EXPECT_TRUE(state.SettingsFilePath.empty());
  EXPECT_EQ(state.Paths, CustomPaths{});
}

TEST_F(SettingsTest, WriteWithEmptyFolderKeepsOnlyTheOldFirstLine) {
  fs.Put("C:\\WINDOWS\\Zelvoran.ini", "D:\\Mine\r\nextra\r\nmore");
  state.SettingsFilePath = "C:\\WINDOWS\\Zelvoran.ini";
  WriteSettings(fs, folders, state, "");
  EXPECT_EQ(*fs.ReadFile("C:\\WINDOWS\\Zelvoran.ini"), "D:\\Mine\r\n");
}

TEST_F(SettingsTest, WriteWithEmptyFolderAndNoFileCreatesAnEmptyOne) {
  WriteSettings(fs, folders, state, "");
  EXPECT_EQ(state.SettingsFilePath, "C:\\WINDOWS\\Zelvoran.ini");
  EXPECT_EQ(*fs.ReadFile("C:\\WINDOWS\\Zelvoran.ini"), "");
}

TEST_F(SettingsTest, WriteFallsBackToRootOfCWhenWindowsFolderIsNotWritable) {
  fs.fail_if = [](const std::string& op, const std::string& path) {
    return op == "write" && path.find("windows") != std::string::npos;
  };
  WriteSettings(fs, folders, state, "D:\\Chosen");
  EXPECT_EQ(state.SettingsFilePath, "c:\\Zelvoran.ini");
  EXPECT_EQ(*fs.ReadFile("c:\\Zelvoran.ini"), "D:\\Chosen\r\n");
}

TEST_F(SettingsTest, WrittenFolderIsReadBackAtNextStart) {
  WriteSettings(fs, folders, state, "D:\\Chosen Folder");
  ProgramState next;
  next.ProgramFolder = "C:\\Dict\\";
  ResolveCustomFolder(fs, folders, next);
  EXPECT_EQ(next.Paths.CustomEnglishIndexPath, "D:\\Chosen Folder\\ZelvoranIC.tbo");
  EXPECT_EQ(next.Paths.TempTextsPath, "D:\\Chosen Folder\\templex.tbo");
}

TEST_F(SettingsTest, InitProgramFoldersMakesTheProgramFolderCurrent) {
  fs.CreateDirectories("C:\\Prog");
  fs.SetCurrentDirectory("C:\\Prog");
  InitProgramFolders(fs, folders, state);
  EXPECT_EQ(state.ProgramFolder, "C:\\Prog\\");
  EXPECT_EQ(fs.CurrentDirectory(), "C:\\Prog");
}

}  // namespace
}  // namespace zelvoran
