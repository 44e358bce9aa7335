// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX implementation of the file and folder interfaces.
#pragma once

#include "platform/file_system.h"

namespace zelvoran {

class PosixFileSystem final : public FileSystem {
 public:
  char Separator() const override { return '/'; }
  std::string CurrentDirectory() const override;
  bool SetCurrentDirectory(std::string_view path) override;
  bool FileExists(std::string_view path) const override;
  bool DirectoryExists(std::string_view path) const override;
  std::optional<bool> IsReadOnly(std::string_view path) const override;
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
  LockResult LockFile(std::string_view path, std::chrono::milliseconds wait) override;

  // The native (UTF-8, "/"-separated) path that a program path names: "\" becomes "/", and
  // each part that does not exist as written is matched without regard to letter case.
  static std::string Resolve(std::string_view path);
};

class LinuxSystemFolders final : public SystemFolders {
 public:
  std::string WindowsFolder() const override;
  std::string RootOfDriveC() const override;
  std::vector<std::string> Drives() const override;
};

class LinuxSystemInfo final : public SystemInfo {
 public:
  std::optional<OsVersion> GetVersion() const override { return std::nullopt; }
};

}  // namespace zelvoran
