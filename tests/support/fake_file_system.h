// SPDX-License-Identifier: GPL-3.0-or-later
// An in-memory file system that behaves like Windows paths do: "\" and "/" both separate,
// and letter case is ignored. Operations can be made to fail, and a crash can be simulated by
// freezing every change after a given number of changing operations.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"

namespace zelvoran::testing {

class FakeFileSystem final : public FileSystem {
 public:
  explicit FakeFileSystem(std::string cwd = "C:\\Dict") : cwd_(std::move(cwd)) {
    CreateDirectories(cwd_);
  }

  char Separator() const override { return '\\'; }
  std::string CurrentDirectory() const override { return cwd_; }
  bool SetCurrentDirectory(std::string_view path) override;
  bool FileExists(std::string_view path) const override;
  bool DirectoryExists(std::string_view path) const override;
  std::optional<bool> IsReadOnly(std::string_view path) const override;
  // The size only: times and identities are not modelled.
  std::optional<FileVersion> Version(std::string_view path) const override;
  std::optional<std::string> ReadFile(std::string_view path) const override;
  std::optional<std::string> ReadRange(std::string_view path, uint64_t offset,
                                       uint64_t length) const override;
  std::optional<uint64_t> FileSize(std::string_view path) const override;
  bool WriteFile(std::string_view path, std::string_view data) override;
  bool CreateDirectories(std::string_view path) override;
  bool RemoveFile(std::string_view path) override;
  bool RenameFile(std::string_view from, std::string_view to) override;
  std::vector<std::string> ListDirectories(std::string_view path) const override;
  // Locks are kept by key in this object; a second lock of a held key is busy at once (the
  // wait asked for is recorded, not spent). No lock file is created.
  LockResult LockFile(std::string_view path, std::chrono::milliseconds wait) override;

  // Test helpers.
  void Put(std::string_view path, std::string_view data);  // no fault injection
  void SetReadOnly(std::string_view path, bool read_only);
  // No file in the folder can be created, replaced, removed or renamed, and its lock is
  // unavailable, as in a folder the user may only read.
  void SetReadOnlyFolder(std::string_view path, bool read_only);
  bool LockHeld(std::string_view path) const { return locks_held_.count(Key(path)) > 0; }
  // Every lock asked for, with its wait, in order.
  std::vector<std::pair<std::string, std::chrono::milliseconds>> lock_requests;
  // Content of every file, by normalised path.
  const std::map<std::string, std::string>& Files() const { return files_; }
  // Called before each changing operation ("write", "remove", "rename", "mkdir") with the
  // path; returning true makes the operation fail without effect.
  std::function<bool(const std::string& op, const std::string& path)> fail_if;
  // After this many changing operations every further change is ignored and reported as a
  // failure, as if the machine had stopped (-1: never).
  int crash_after = -1;
  int changes = 0;
  // Key under which a path is stored.
  std::string Key(std::string_view path) const;

 private:
  bool Allow(const std::string& op, const std::string& key);
  bool InReadOnlyFolder(const std::string& key) const;

  std::string cwd_;
  std::map<std::string, std::string> files_;
  std::set<std::string> dirs_;
  std::set<std::string> read_only_;
  std::set<std::string> read_only_folders_;
  std::set<std::string> locks_held_;
};

class FakeSystemFolders final : public SystemFolders {
 public:
  std::string windows = "C:\\WINDOWS";
  std::string root = "c:\\";
  std::string WindowsFolder() const override { return windows; }
  std::string RootOfDriveC() const override { return root; }
  std::vector<std::string> Drives() const override { return {"c:\\", "d:\\"}; }
};

class FakeSystemInfo final : public SystemInfo {
 public:
  std::optional<OsVersion> version;
  std::optional<OsVersion> GetVersion() const override { return version; }
};

}  // namespace zelvoran::testing
