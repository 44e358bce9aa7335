// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 implementation of the file and folder interfaces and of the system information.
// Paths are handed to the ...A functions as they are: Windows-1253 text is the ANSI code page
// of a Greek system.
#pragma once

#include "platform/file_system.h"

namespace zelvoran {

class Win32FileSystem final : public FileSystem {
 public:
  char Separator() const override { return '\\'; }
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
  // Written in place and flushed with FlushFileBuffers before it returns.
  bool WriteFile(std::string_view path, std::string_view data) override;
  bool CreateDirectories(std::string_view path) override;
  bool RemoveFile(std::string_view path) override;
  // MoveFileExA, replacing `to`, with write-through: done on the disk when it returns.
  bool RenameFile(std::string_view from, std::string_view to) override;
  std::vector<std::string> ListDirectories(std::string_view path) const override;
  // LockFileEx on a byte far beyond the file's end, so that the lock keeps no one from reading
  // or writing the file's contents.
  LockResult LockFile(std::string_view path, std::chrono::milliseconds wait) override;
};

class Win32SystemFolders final : public SystemFolders {
 public:
  // GetWindowsDirectoryA.
  std::string WindowsFolder() const override;
  // "C:\".
  std::string RootOfDriveC() const override;
  // GetLogicalDriveStringsA: "C:\", "D:\", ...
  std::vector<std::string> Drives() const override;
};

class Win32SystemInfo final : public SystemInfo {
 public:
  // GetVersionExA.
  std::optional<OsVersion> GetVersion() const override;
};

}  // namespace zelvoran
