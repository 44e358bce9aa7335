#include "platform/linux/posix_file_system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace zelvoran {
namespace {

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/zelvoran-fs-XXXXXX";
    root = ::mkdtemp(tmpl);
    std::filesystem::create_directories(root + "/Prog/data");
    std::ofstream(root + "/Prog/data/ZelvoranI.tbo") << "index";
  }
  void TearDown() override { std::filesystem::remove_all(root); }
  std::string root;
  PosixFileSystem fs;
};

TEST_F(PosixFileSystemTest, ResolvesWindowsStyleRelativePathsIgnoringCase) {
  ASSERT_TRUE(fs.SetCurrentDirectory(root + "/Prog"));
  EXPECT_TRUE(fs.FileExists("data\\ZelvoranI.tbo"));
  EXPECT_TRUE(fs.FileExists("Data\\zelvorani.TBO"));
  EXPECT_TRUE(fs.DirectoryExists("Data\\"));
  EXPECT_EQ(*fs.ReadFile("DATA/ZelvoranI.tbo"), "index");
  EXPECT_FALSE(fs.FileExists("data\\missing.tbo"));
}

TEST_F(PosixFileSystemTest, WritesRenamesAndRemoves) {
  const std::string dir = root + "/Prog/DATA/";  // matched to data/
  EXPECT_TRUE(fs.WriteFile(dir + "tempi.tbo", "new"));
  EXPECT_TRUE(std::filesystem::exists(root + "/Prog/data/tempi.tbo"));
  EXPECT_TRUE(fs.RenameFile(dir + "tempi.tbo", dir + "ZelvoranI.tbo"));
  EXPECT_EQ(*fs.ReadFile(dir + "ZelvoranI.tbo"), "new");
  EXPECT_FALSE(fs.FileExists(dir + "tempi.tbo"));
  EXPECT_EQ(*fs.ReadRange(dir + "ZelvoranI.tbo", 1, 2), "ew");
  EXPECT_FALSE(fs.ReadRange(dir + "ZelvoranI.tbo", 2, 2).has_value());
  EXPECT_TRUE(fs.RemoveFile(dir + "ZelvoranI.tbo"));
  EXPECT_FALSE(fs.RemoveFile(dir + "ZelvoranI.tbo"));
}

TEST_F(PosixFileSystemTest, CreatesEveryMissingLevel) {
  EXPECT_TRUE(fs.CreateDirectories(root + "/a/b/c"));
  EXPECT_TRUE(fs.DirectoryExists(root + "/A/B/C"));
  EXPECT_EQ(fs.ListDirectories(root), (std::vector<std::string>{"Prog", "a"}));
}

TEST_F(PosixFileSystemTest, ReadOnlyMeansNotWritableByTheUser) {
  const std::string file = root + "/Prog/Zelvoran";
  std::ofstream(file) << "x";
  EXPECT_EQ(fs.IsReadOnly(file), false);
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  EXPECT_EQ(fs.IsReadOnly(file), true);  // also for root, who could still write it
  EXPECT_FALSE(fs.IsReadOnly(root + "/nothing").has_value());
}

}  // namespace
}  // namespace zelvoran
