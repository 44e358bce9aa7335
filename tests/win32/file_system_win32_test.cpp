// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 file system, system folders and system information against the real calls.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "app/window_commands.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_file_system.h"
#include "tests/support/temp_dir.h"
#include "tests/win32/win32_test_main.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { root = testing::MakeTempDir("zelvoran-win32") + "\\"; }
  void TearDown() override { std::filesystem::remove_all(root); }
  std::string root;
  Win32FileSystem fs;
};

TEST_F(Win32FileSystemTest, DurableRewriteAndReplacingRename) {
  const std::string file = root + "ZelvoranHIC.tbo";
  const std::string temp = root + "tempi.tbo";
  ASSERT_TRUE(fs.WriteFile(file, "first version, longer than the next\r\n"));
  const auto before = fs.Version(file);
  ASSERT_TRUE(before);
  // Nanoseconds since 1970, as on POSIX: within a minute of the clock.
  const int64_t now_ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
  EXPECT_LT(std::llabs(before->modified_ns - now_ns), 60'000'000'000LL);
  // Rewritten in place: shorter, so nothing of the old text may remain.
  ASSERT_TRUE(fs.WriteFile(file, "second\r\n"));
  EXPECT_EQ(fs.ReadFile(file), "second\r\n");
  EXPECT_EQ(fs.FileSize(file), 8u);
  const auto after = fs.Version(file);
  ASSERT_TRUE(after);
  EXPECT_NE(*before, *after);
  EXPECT_EQ(before->inode, after->inode);  // the same file
  // Replaced through a rename, as the store commits: a different file under the same name.
  ASSERT_TRUE(fs.WriteFile(temp, "third\r\n"));
  ASSERT_TRUE(fs.RenameFile(temp, file));
  EXPECT_FALSE(fs.FileExists(temp));
  EXPECT_EQ(fs.ReadFile(file), "third\r\n");
  EXPECT_NE(fs.Version(file)->inode, after->inode);
  EXPECT_TRUE(fs.RemoveFile(file));
  EXPECT_FALSE(fs.FileExists(file));
  EXPECT_FALSE(fs.RemoveFile(file));
  EXPECT_FALSE(fs.RenameFile(temp, file));
  EXPECT_FALSE(fs.ReadFile(file));
  EXPECT_FALSE(fs.Version(file));
}

TEST_F(Win32FileSystemTest, RangesFoldersAndGreekNames) {
  // A Greek folder name in Windows-1253, the ANSI code page the tests run with.
  const std::string greek = Utf8ToCp1253("Λεξικό");
  ASSERT_TRUE(fs.CreateDirectories(root + greek + "\\data/deeper\\"));
  EXPECT_TRUE(fs.DirectoryExists(root + greek + "\\Data"));  // letter case does not matter
  EXPECT_FALSE(fs.FileExists(root + greek));
  ASSERT_TRUE(fs.CreateDirectories(root + "alpha"));
  EXPECT_TRUE(fs.CreateDirectories(root + "alpha"));  // already there
  const std::string file = root + greek + "\\data\\" + Utf8ToCp1253("σπίτι.txt");
  ASSERT_TRUE(fs.WriteFile(file, "0123456789"));
  EXPECT_FALSE(fs.CreateDirectories(file));  // a file is in the way
  EXPECT_EQ(fs.ListDirectories(root), (std::vector<std::string>{"alpha", greek}));
  EXPECT_EQ(fs.ListDirectories(root + greek + "\\data"), (std::vector<std::string>{"deeper"}));
  EXPECT_TRUE(fs.ListDirectories(root + "missing").empty());

  struct Range {
    uint64_t offset, length;
    std::optional<std::string> expected;
  };
  for (const Range& r : {Range{0, 10, "0123456789"}, Range{3, 4, "3456"}, Range{10, 0, ""},
                         Range{8, 3, std::nullopt}, Range{11, 0, std::nullopt}}) {
    EXPECT_EQ(fs.ReadRange(file, r.offset, r.length), r.expected) << r.offset << "+" << r.length;
  }

  EXPECT_EQ(fs.IsReadOnly(file), false);
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(fs.IsReadOnly(file), true);
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(fs.IsReadOnly(file), false);
  EXPECT_EQ(fs.IsReadOnly(root + "missing"), std::nullopt);

  const std::string current = fs.CurrentDirectory();
  ASSERT_TRUE(fs.SetCurrentDirectory(root + greek));
  EXPECT_TRUE(fs.FileExists(Utf8ToCp1253("data\\σπίτι.txt")));
  EXPECT_TRUE(fs.SetCurrentDirectory(current));
  EXPECT_FALSE(fs.SetCurrentDirectory(root + "missing"));
}

TEST_F(Win32FileSystemTest, TheStoreLockKeepsOtherProcessesWaitingButNotReaders) {
  const std::string lock_path = root + "Zelvoran.lck";
  {
    const LockResult held = fs.LockFile(lock_path, std::chrono::milliseconds(0));
    ASSERT_EQ(held.status, LockStatus::kHeld);
    // The same process through another handle waits, a bounded time.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(fs.LockFile(lock_path, std::chrono::milliseconds(100)).status, LockStatus::kBusy);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    // Another process too.
    EXPECT_EQ(win32_tests::RunChild({"--try-lock", lock_path, "50"}), 3);
    // The file itself can still be read and written.
    EXPECT_EQ(fs.ReadFile(lock_path), "");
    EXPECT_TRUE(fs.WriteFile(lock_path, "x"));
  }
  EXPECT_EQ(win32_tests::RunChild({"--try-lock", lock_path, "50"}), 0);
  EXPECT_EQ(fs.LockFile(lock_path, std::chrono::milliseconds(0)).status, LockStatus::kHeld);
  EXPECT_EQ(fs.LockFile(root + "missing\\x.lck", std::chrono::milliseconds(0)).status,
            LockStatus::kUnavailable);
}

TEST(Win32SystemFolders, TheWindowsFolderAndDriveC) {
  Win32SystemFolders folders;
  Win32FileSystem fs;
  const std::string windows = folders.WindowsFolder();
  ASSERT_GT(windows.size(), 3u);
  EXPECT_NE(windows.back(), '\\');
  EXPECT_TRUE(fs.DirectoryExists(windows));
  EXPECT_EQ(folders.RootOfDriveC(), "C:\\");
  EXPECT_TRUE(fs.DirectoryExists(folders.RootOfDriveC()));
  const auto drives = folders.Drives();
  EXPECT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());
}

TEST(Win32SystemInfo, TheVersionAndItsCode) {
  Win32SystemInfo info;
  const auto v = info.GetVersion();
  ASSERT_TRUE(v);
  EXPECT_EQ(v->platform, 2);  // the NT family
  // The test command sets the version Wine reports and the code that version has.
  if (const char* expected = std::getenv("ZELVORAN_EXPECTED_VERSION_CODE")) {
    EXPECT_EQ(GetWindowsVersionCode(info), std::atoi(expected))
        << v->major << "." << v->minor << " " << v->service_pack;
  } else {
    EXPECT_GE(v->major, 5);
  }
}

}  // namespace
}  // namespace zelvoran
