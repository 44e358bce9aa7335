// SPDX-License-Identifier: GPL-3.0-or-later
// Files and folders as the program needs them. Paths are Windows-1253 text; on Linux a path
// may use "\" or "/" between its parts and each part is matched without regard to letter
// case, so the data folder's relative names ("data\ZelvoranI.tbo", "Data\") resolve as on
// Windows. Nothing here throws: every failure is a return value.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvoran {

// An exclusive lock on a file, held by this process until the object is destroyed. It keeps
// other processes (and other locks of this one) that take the same lock waiting; it does not
// stop anyone from reading or writing the file.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

enum class LockStatus {
  kHeld,         // the lock is ours
  kBusy,         // someone else held it for the whole wait
  kUnavailable,  // the lock file cannot be created or opened (a read-only folder, say)
};

struct LockResult {
  LockStatus status = LockStatus::kUnavailable;
  std::unique_ptr<FileLock> lock;  // set when held
};

// What tells one state of a file from another without reading it: a rewrite changes the
// modification time (to the nanosecond) or the size, a replacement the file's identity.
struct FileVersion {
  uint64_t size = 0;
  int64_t modified_ns = 0;
  uint64_t device = 0;
  uint64_t inode = 0;
  bool operator==(const FileVersion&) const = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The separator that ends a folder name when the program builds paths ("\" or "/").
  virtual char Separator() const = 0;

  virtual std::string CurrentDirectory() const = 0;
  virtual bool SetCurrentDirectory(std::string_view path) = 0;

  virtual bool FileExists(std::string_view path) const = 0;
  virtual bool DirectoryExists(std::string_view path) const = 0;
  // Whether the user may not write the file; nullopt when its attributes cannot be read.
  virtual std::optional<bool> IsReadOnly(std::string_view path) const = 0;
  // The file's version, nullopt for a missing file.
  virtual std::optional<FileVersion> Version(std::string_view path) const = 0;

  // The whole file, or nullopt when it cannot be opened or read.
  virtual std::optional<std::string> ReadFile(std::string_view path) const = 0;
  // `length` bytes from 0-based `offset`; nullopt when the file cannot be read or is shorter.
  virtual std::optional<std::string> ReadRange(std::string_view path, uint64_t offset,
                                               uint64_t length) const = 0;
  virtual std::optional<uint64_t> FileSize(std::string_view path) const = 0;

  // Creates or replaces the file with `data`, and makes it durable (flushed to the disk)
  // before it returns true.
  virtual bool WriteFile(std::string_view path, std::string_view data) = 0;
  virtual bool CreateDirectories(std::string_view path) = 0;
  virtual bool RemoveFile(std::string_view path) = 0;
  // Renames, replacing `to` in one step when it exists.
  virtual bool RenameFile(std::string_view from, std::string_view to) = 0;
  // Names of the sub-folders of a folder, sorted; empty when it cannot be read.
  virtual std::vector<std::string> ListDirectories(std::string_view path) const = 0;
  // Takes the exclusive lock of the file at `path` (creating an empty file when there is
  // none), waiting up to `wait` while another holder has it.
  virtual LockResult LockFile(std::string_view path, std::chrono::milliseconds wait) = 0;
};

// The folders that Windows names: the Windows folder and the root of drive C:.
class SystemFolders {
 public:
  virtual ~SystemFolders() = default;
  // The Windows folder, without a trailing separator (Linux: $XDG_CONFIG_HOME or ~/.config).
  virtual std::string WindowsFolder() const = 0;
  // The root of drive C:, ending in its separator (Linux: the home folder).
  virtual std::string RootOfDriveC() const = 0;
  // The drives a folder may be chosen on (Linux: the root and the home folder).
  virtual std::vector<std::string> Drives() const = 0;
};

// What GetVersionExA reports: platform id (1 the 9x family, 2 the NT family), major and
// minor version, and the service-pack text.
struct OsVersion {
  int platform = 0;
  int major = 0;
  int minor = 0;
  std::string service_pack;
};

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // nullopt when the version cannot be read (and on systems other than Windows).
  virtual std::optional<OsVersion> GetVersion() const = 0;
};

}  // namespace zelvoran
