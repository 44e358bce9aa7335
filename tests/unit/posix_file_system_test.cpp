// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/posix_file_system.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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

using std::chrono::milliseconds;
using std::chrono::steady_clock;

TEST_F(PosixFileSystemTest, LockIsExclusiveAndWaitsABoundedTime) {
  const std::string lock = root + "/Prog/Zelvoran.lck";
  LockResult first = fs.LockFile(lock, milliseconds(0));
  ASSERT_EQ(first.status, LockStatus::kHeld);
  EXPECT_TRUE(std::filesystem::exists(lock));
  // A second holder (another open of the file, as another process has) waits, then gives up.
  const auto t0 = steady_clock::now();
  const LockResult second = fs.LockFile(lock, milliseconds(200));
  const auto waited = steady_clock::now() - t0;
  EXPECT_EQ(second.status, LockStatus::kBusy);
  EXPECT_GE(waited, milliseconds(200));
  EXPECT_LT(waited, milliseconds(2000));
  first.lock.reset();
  // The given-up wait lets go as soon as it has the lock.
  EXPECT_EQ(fs.LockFile(lock, milliseconds(1000)).status, LockStatus::kHeld);
  EXPECT_EQ(fs.LockFile(root + "/missing/Zelvoran.lck", milliseconds(0)).status,
            LockStatus::kUnavailable);
}

TEST_F(PosixFileSystemTest, LockIsHadOnceAnotherProcessLetsGo) {
  const std::string lock = root + "/Prog/Zelvoran.lck";
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    PosixFileSystem own;
    LockResult held = own.LockFile(lock, milliseconds(0));
    const char c = held.status == LockStatus::kHeld ? 'y' : 'n';
    if (::write(ready[1], &c, 1) != 1) ::_exit(2);
    ::usleep(300 * 1000);
    ::_exit(0);  // the lock goes with the process
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  ASSERT_EQ(c, 'y');
  const auto t0 = steady_clock::now();
  const LockResult mine = fs.LockFile(lock, milliseconds(3000));
  const auto waited = steady_clock::now() - t0;
  EXPECT_EQ(mine.status, LockStatus::kHeld);
  EXPECT_GE(waited, milliseconds(100));
  EXPECT_LT(waited, milliseconds(2500));
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(ready[0]);
  ::close(ready[1]);
}

}  // namespace
}  // namespace zelvoran
