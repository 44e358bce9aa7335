// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_file_system.h"

#include <algorithm>
#include <thread>

#include "platform/win32/win32_api.h"

namespace zelvoran {
namespace {

// A handle closed when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (ok()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }
  HANDLE release() {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h;
  }

 private:
  HANDLE h_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Windows accepts "/" as well, but the program's own paths use "\".
std::string Native(std::string_view path) {
  std::string p(path);
  std::replace(p.begin(), p.end(), '/', '\\');
  return p;
}

HANDLE OpenForReading(std::string_view path) {
  return CreateFileA(Native(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::optional<DWORD> Attributes(std::string_view path) {
  const DWORD a = GetFileAttributesA(Native(path).c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return a;
}

uint64_t Combine(DWORD high, DWORD low) {
  return (static_cast<uint64_t>(high) << 32) | low;
}

// Reads exactly `length` bytes at `offset`.
bool ReadAt(HANDLE file, uint64_t offset, char* out, size_t length) {
  size_t done = 0;
  while (done < length) {
    OVERLAPPED at{};
    const uint64_t position = offset + done;
    at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(length - done, 1u << 30));
    DWORD got = 0;
    if (!::ReadFile(file, out + done, chunk, &got, &at) || got == 0) return false;
    done += got;
  }
  return true;
}

std::optional<uint64_t> SizeOf(HANDLE file) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) return std::nullopt;
  return static_cast<uint64_t>(size.QuadPart);
}

std::string ParentOf(const std::string& native) {
  const size_t slash = native.find_last_of('\\');
  if (slash == std::string::npos) return {};
  return native.substr(0, slash);
}

// The lock covers one byte at this offset, beyond any file the program writes.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;

class Win32FileLock final : public FileLock {
 public:
  explicit Win32FileLock(HANDLE file) : file_(file) {}
  ~Win32FileLock() override {
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    UnlockFileEx(file_, 0, 1, 0, &at);
    CloseHandle(file_);
  }
  Win32FileLock(const Win32FileLock&) = delete;
  Win32FileLock& operator=(const Win32FileLock&) = delete;

 private:
  HANDLE file_;
};

}  // namespace

std::string Win32FileSystem::CurrentDirectory() const {
  const DWORD needed = GetCurrentDirectoryA(0, nullptr);
  if (needed == 0) return {};
  std::string dir(needed, '\0');
  const DWORD length = GetCurrentDirectoryA(needed, dir.data());
  if (length == 0 || length >= needed) return {};
  dir.resize(length);
  return dir;
}

bool Win32FileSystem::SetCurrentDirectory(std::string_view path) {
  return SetCurrentDirectoryA(Native(path).c_str()) != 0;
}

bool Win32FileSystem::FileExists(std::string_view path) const {
  const auto a = Attributes(path);
  return a && (*a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::DirectoryExists(std::string_view path) const {
  const auto a = Attributes(path);
  return a && (*a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<bool> Win32FileSystem::IsReadOnly(std::string_view path) const {
  const auto a = Attributes(path);
  if (!a) return std::nullopt;
  return (*a & FILE_ATTRIBUTE_READONLY) != 0;
}

std::optional<FileVersion> Win32FileSystem::Version(std::string_view path) const {
  // No access asked for: the attributes can be read even while another program writes.
  Handle file(CreateFileA(Native(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                          FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.ok()) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  FileVersion v;
  v.size = Combine(info.nFileSizeHigh, info.nFileSizeLow);
  // FILETIME counts 100-nanosecond steps from 1601; counted from 1970, as on POSIX, the
  // nanoseconds fit in 64 bits.
  constexpr int64_t kFrom1601To1970 = 116444736000000000;
  v.modified_ns = (static_cast<int64_t>(Combine(info.ftLastWriteTime.dwHighDateTime,
                                                info.ftLastWriteTime.dwLowDateTime)) -
                   kFrom1601To1970) *
                  100;
  v.device = info.dwVolumeSerialNumber;
  v.inode = Combine(info.nFileIndexHigh, info.nFileIndexLow);
  return v;
}

std::optional<std::string> Win32FileSystem::ReadFile(std::string_view path) const {
  Handle file(OpenForReading(path));
  if (!file.ok()) return std::nullopt;
  const auto size = SizeOf(file.get());
  if (!size) return std::nullopt;
  std::string data(static_cast<size_t>(*size), '\0');
  if (!ReadAt(file.get(), 0, data.data(), data.size())) return std::nullopt;
  return data;
}

std::optional<std::string> Win32FileSystem::ReadRange(std::string_view path, uint64_t offset,
                                                      uint64_t length) const {
  Handle file(OpenForReading(path));
  if (!file.ok()) return std::nullopt;
  const auto size = SizeOf(file.get());
  if (!size || offset > *size || length > *size - offset) return std::nullopt;
  std::string data(static_cast<size_t>(length), '\0');
  if (!ReadAt(file.get(), offset, data.data(), data.size())) return std::nullopt;
  return data;
}

std::optional<uint64_t> Win32FileSystem::FileSize(std::string_view path) const {
  if (!FileExists(path)) return std::nullopt;
  Handle file(OpenForReading(path));
  if (!file.ok()) return std::nullopt;
  return SizeOf(file.get());
}

bool Win32FileSystem::WriteFile(std::string_view path, std::string_view data) {
  Handle file(CreateFileA(Native(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) return false;
  size_t done = 0;
  while (done < data.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file.get(), data.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  if (!FlushFileBuffers(file.get())) return false;
  return CloseHandle(file.release()) != 0;
}

bool Win32FileSystem::CreateDirectories(std::string_view path) {
  std::string native = Native(path);
  while (native.size() > 1 && native.back() == '\\' && native[native.size() - 2] != ':') {
    native.pop_back();
  }
  if (native.empty()) return false;
  if (const auto a = Attributes(native)) return (*a & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const std::string parent = ParentOf(native);
  if (!parent.empty() && parent.back() != ':' && !DirectoryExists(parent) &&
      !CreateDirectories(parent)) {
    return false;
  }
  return CreateDirectoryA(native.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32FileSystem::RemoveFile(std::string_view path) {
  return DeleteFileA(Native(path).c_str()) != 0;
}

bool Win32FileSystem::RenameFile(std::string_view from, std::string_view to) {
  return MoveFileExA(Native(from).c_str(), Native(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::vector<std::string> Win32FileSystem::ListDirectories(std::string_view path) const {
  std::vector<std::string> names;
  std::string pattern = Native(path);
  if (pattern.empty()) pattern = ".";
  if (pattern.back() != '\\') pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != ".." && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      names.push_back(name);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

LockResult Win32FileSystem::LockFile(std::string_view path, std::chrono::milliseconds wait) {
  const std::string native = Native(path);
  HANDLE file = CreateFileA(native.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  // An existing lock file in a folder the user may only read can still be locked.
  if (file == INVALID_HANDLE_VALUE) {
    file = CreateFileA(native.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (file == INVALID_HANDLE_VALUE) return {LockStatus::kUnavailable, nullptr};
  // Tried at once, then every few milliseconds until the wait is over.
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
      return {LockStatus::kHeld, std::make_unique<Win32FileLock>(file)};
    }
    if (GetLastError() != ERROR_LOCK_VIOLATION && GetLastError() != ERROR_IO_PENDING) {
      CloseHandle(file);
      return {LockStatus::kUnavailable, nullptr};
    }
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  CloseHandle(file);
  return {LockStatus::kBusy, nullptr};
}

std::string Win32SystemFolders::WindowsFolder() const {
  char buffer[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
  if (length == 0 || length > MAX_PATH) return {};
  std::string folder(buffer, length);
  // Only the root of a drive ("C:\") comes with a separator.
  if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

std::string Win32SystemFolders::RootOfDriveC() const {
  return "C:\\";
}

std::vector<std::string> Win32SystemFolders::Drives() const {
  std::vector<std::string> drives;
  char buffer[512] = {};
  const DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
  if (length == 0 || length > sizeof buffer) return drives;
  // "C:\<0>D:\<0><0>"
  for (const char* p = buffer; *p; p += std::char_traits<char>::length(p) + 1) {
    drives.emplace_back(p);
  }
  return drives;
}

std::optional<OsVersion> Win32SystemInfo::GetVersion() const {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return std::nullopt;
  OsVersion v;
  v.platform = static_cast<int>(info.dwPlatformId);
  v.major = static_cast<int>(info.dwMajorVersion);
  v.minor = static_cast<int>(info.dwMinorVersion);
  v.service_pack = info.szCSDVersion;
  return v;
}

}  // namespace zelvoran
