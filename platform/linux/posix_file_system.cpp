// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

#include "text/cp1253.h"

namespace zelvoran {
namespace {

std::string Native(std::string_view path) {
  return PosixFileSystem::Resolve(path);
}

std::string FolderOf(const std::string& native) {
  const size_t slash = native.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return native.substr(0, slash);
}

bool SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

bool Exists(const std::string& native) {
  struct stat st {};
  return ::lstat(native.c_str(), &st) == 0;
}

// Letter-case-blind comparison of two UTF-8 names through Windows-1253.
bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return CharLowerA(Utf8ToCp1253(a)) == CharLowerA(Utf8ToCp1253(b));
}

// flock on an open descriptor of the lock file; closing the descriptor releases it.
class PosixFileLock final : public FileLock {
 public:
  explicit PosixFileLock(int fd) : fd_(fd) {}
  ~PosixFileLock() override { ::close(fd_); }
  PosixFileLock(const PosixFileLock&) = delete;
  PosixFileLock& operator=(const PosixFileLock&) = delete;

 private:
  int fd_;
};

}  // namespace

std::string PosixFileSystem::Resolve(std::string_view path) {
  std::string p = Cp1253ToUtf8(path);
  std::replace(p.begin(), p.end(), '\\', '/');
  if (p.empty()) return p;
  const bool absolute = p.front() == '/';
  std::string out = absolute ? "/" : "";
  bool searching = true;  // stop matching once a part does not exist at all
  size_t i = absolute ? 1 : 0;
  while (i <= p.size()) {
    size_t j = p.find('/', i);
    if (j == std::string::npos) j = p.size();
    std::string part = p.substr(i, j - i);
    i = j + 1;
    if (part.empty()) continue;
    std::string base = out.empty() ? "." : out;
    std::string candidate = (out.empty() || out.back() == '/') ? out + part : out + "/" + part;
    if (searching && part != "." && part != ".." && !Exists(candidate)) {
      bool found = false;
      if (DIR* dir = ::opendir(base.c_str())) {
        while (dirent* e = ::readdir(dir)) {
          const std::string name = e->d_name;
          if (name != "." && name != ".." && SameNameIgnoringCase(name, part)) {
            candidate = (out.empty() || out.back() == '/') ? out + name : out + "/" + name;
            found = true;
            break;
          }
        }
        ::closedir(dir);
      }
      searching = found;
    }
    out = candidate;
  }
  // A trailing separator ("Data\") names the folder itself.
  return out.empty() ? p : out;
}

std::string PosixFileSystem::CurrentDirectory() const {
  char buf[PATH_MAX];
  if (!::getcwd(buf, sizeof buf)) return {};
  return Utf8ToCp1253(buf);
}

bool PosixFileSystem::SetCurrentDirectory(std::string_view path) {
  return ::chdir(Native(path).c_str()) == 0;
}

bool PosixFileSystem::FileExists(std::string_view path) const {
  struct stat st {};
  return ::stat(Native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PosixFileSystem::DirectoryExists(std::string_view path) const {
  struct stat st {};
  return ::stat(Native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<bool> PosixFileSystem::IsReadOnly(std::string_view path) const {
  const std::string native = Native(path);
  struct stat st {};
  if (::stat(native.c_str(), &st) != 0) return std::nullopt;
  // Like the read-only attribute: no write bit at all, or none that lets this user write.
  return (st.st_mode & 0222) == 0 || ::access(native.c_str(), W_OK) != 0;
}

std::optional<FileVersion> PosixFileSystem::Version(std::string_view path) const {
  struct stat st {};
  if (::stat(Native(path).c_str(), &st) != 0) return std::nullopt;
  FileVersion v;
  v.size = static_cast<uint64_t>(st.st_size);
  v.modified_ns = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  v.device = static_cast<uint64_t>(st.st_dev);
  v.inode = static_cast<uint64_t>(st.st_ino);
  return v;
}

std::optional<uint64_t> PosixFileSystem::FileSize(std::string_view path) const {
  struct stat st {};
  if (::stat(Native(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<uint64_t>(st.st_size);
}

std::optional<std::string> PosixFileSystem::ReadFile(std::string_view path) const {
  const int fd = ::open(Native(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string data;
  data.reserve(static_cast<size_t>(st.st_size));
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    data.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return data;
}

std::optional<std::string> PosixFileSystem::ReadRange(std::string_view path, uint64_t offset,
                                                      uint64_t length) const {
  const int fd = ::open(Native(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || offset > static_cast<uint64_t>(st.st_size) ||
      length > static_cast<uint64_t>(st.st_size) - offset) {
    ::close(fd);
    return std::nullopt;
  }
  std::string data(static_cast<size_t>(length), '\0');
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n =
        ::pread(fd, data.data() + done, data.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      return std::nullopt;
    }
    done += static_cast<size_t>(n);
  }
  ::close(fd);
  return data;
}

bool PosixFileSystem::WriteFile(std::string_view path, std::string_view data) {
  const std::string native = Native(path);
  const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      return false;
    }
    done += static_cast<size_t>(n);
  }
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
}

bool PosixFileSystem::CreateDirectories(std::string_view path) {
  std::string native = Native(path);
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  if (native.empty()) return false;
  struct stat st {};
  if (::stat(native.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const std::string parent = FolderOf(native);
  if (parent != native && !DirectoryExists(Utf8ToCp1253(parent)) &&
      !CreateDirectories(Utf8ToCp1253(parent))) {
    return false;
  }
  return ::mkdir(native.c_str(), 0755) == 0 || errno == EEXIST;
}

bool PosixFileSystem::RemoveFile(std::string_view path) {
  const std::string native = Native(path);
  if (::unlink(native.c_str()) != 0) return false;
  SyncFolder(FolderOf(native));
  return true;
}

bool PosixFileSystem::RenameFile(std::string_view from, std::string_view to) {
  const std::string a = Native(from);
  const std::string b = Native(to);
  if (::rename(a.c_str(), b.c_str()) != 0) return false;
  SyncFolder(FolderOf(b));
  return true;
}

std::vector<std::string> PosixFileSystem::ListDirectories(std::string_view path) const {
  std::vector<std::string> names;
  const std::string native = Native(path);
  DIR* dir = ::opendir(native.empty() ? "." : native.c_str());
  if (!dir) return names;
  while (dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    if (::stat((native + "/" + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
      names.push_back(Utf8ToCp1253(name));
    }
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::string LinuxSystemFolders::WindowsFolder() const {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') return Utf8ToCp1253(xdg);
  const char* home = std::getenv("HOME");
  return Utf8ToCp1253(std::string(home && *home ? home : "") + "/.config");
}

std::string LinuxSystemFolders::RootOfDriveC() const {
  const char* home = std::getenv("HOME");
  std::string root = home && *home ? home : "/";
  if (root.back() != '/') root += '/';
  return Utf8ToCp1253(root);
}

std::vector<std::string> LinuxSystemFolders::Drives() const {
  std::vector<std::string> drives{"/"};
  const std::string home = RootOfDriveC();
  if (home != "/") drives.push_back(home);
  return drives;
}

LockResult PosixFileSystem::LockFile(std::string_view path, std::chrono::milliseconds wait) {
  const std::string native = Native(path);
  int fd = ::open(native.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  // An existing lock file in a folder the user may only read can still be locked.
  if (fd < 0) fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {LockStatus::kUnavailable, nullptr};
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    return {LockStatus::kHeld, std::make_unique<PosixFileLock>(fd)};
  }
  if (errno != EWOULDBLOCK) {
    ::close(fd);
    return {LockStatus::kUnavailable, nullptr};
  }
  // A blocking flock joins the kernel's queue of waiters and is woken when the holder lets
  // go; polling instead could starve behind a holder that takes the lock again at once. The
  // wait runs on a thread so that it can be bounded; a wait given up releases the lock as
  // soon as it is had.
  struct Wait {
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    bool held = false;
    bool abandoned = false;
  };
  auto w = std::make_shared<Wait>();
  std::thread([w, fd] {
    int r;
    do {
      r = ::flock(fd, LOCK_EX);
    } while (r != 0 && errno == EINTR);
    std::lock_guard<std::mutex> g(w->m);
    if (w->abandoned) {
      ::close(fd);
      return;
    }
    w->done = true;
    w->held = r == 0;
    w->cv.notify_all();
  }).detach();
  std::unique_lock<std::mutex> g(w->m);
  w->cv.wait_for(g, wait, [&] { return w->done; });
  if (w->done && w->held) return {LockStatus::kHeld, std::make_unique<PosixFileLock>(fd)};
  if (w->done) {
    ::close(fd);
    return {LockStatus::kUnavailable, nullptr};
  }
  w->abandoned = true;  // the thread closes the file once its flock returns
  return {LockStatus::kBusy, nullptr};
}

}  // namespace zelvoran
