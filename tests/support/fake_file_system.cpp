// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fake_file_system.h"

#include <algorithm>

#include "text/cp1253.h"

namespace zelvoran::testing {

std::string FakeFileSystem::Key(std::string_view path) const {
  std::string p(path);
  std::replace(p.begin(), p.end(), '/', '\\');
  const bool absolute = p.size() >= 2 && p[1] == ':';
  if (!absolute && !(p.size() >= 1 && p[0] == '\\')) p = cwd_ + "\\" + p;
  // Collapse doubled separators and drop a trailing one.
  std::string out;
  for (char c : p) {
    if (c == '\\' && !out.empty() && out.back() == '\\') continue;
    out.push_back(c);
  }
  while (out.size() > 3 && out.back() == '\\') out.pop_back();
  if (out.size() == 2 && out[1] == ':') out += '\\';
  return CharLowerA(out);
}

bool FakeFileSystem::InReadOnlyFolder(const std::string& key) const {
  const size_t slash = key.find_last_of('\\');
  return slash != std::string::npos &&
         read_only_folders_.count(key.substr(0, std::max<size_t>(slash, 3))) > 0;
}

bool FakeFileSystem::Allow(const std::string& op, const std::string& key) {
  if (op != "mkdir" && InReadOnlyFolder(key)) return false;
  if (crash_after >= 0 && changes >= crash_after) return false;
  if (fail_if && fail_if(op, key)) return false;
  ++changes;
  return true;
}

bool FakeFileSystem::SetCurrentDirectory(std::string_view path) {
  if (!DirectoryExists(path)) return false;
  std::string p(path);
  while (p.size() > 3 && (p.back() == '\\' || p.back() == '/')) p.pop_back();
  cwd_ = p;
  return true;
}

bool FakeFileSystem::FileExists(std::string_view path) const {
  return files_.count(Key(path)) > 0;
}

bool FakeFileSystem::DirectoryExists(std::string_view path) const {
  return dirs_.count(Key(path)) > 0;
}

std::optional<bool> FakeFileSystem::IsReadOnly(std::string_view path) const {
  const std::string k = Key(path);
  if (!files_.count(k)) return std::nullopt;
  return read_only_.count(k) > 0;
}

std::optional<FileVersion> FakeFileSystem::Version(std::string_view path) const {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return FileVersion{it->second.size(), 0, 0, 0};
}

std::optional<std::string> FakeFileSystem::ReadFile(std::string_view path) const {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> FakeFileSystem::ReadRange(std::string_view path, uint64_t offset,
                                                     uint64_t length) const {
  auto it = files_.find(Key(path));
  if (it == files_.end() || offset > it->second.size() || length > it->second.size() - offset) {
    return std::nullopt;
  }
  return it->second.substr(offset, length);
}

std::optional<uint64_t> FakeFileSystem::FileSize(std::string_view path) const {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second.size();
}

bool FakeFileSystem::WriteFile(std::string_view path, std::string_view data) {
  const std::string k = Key(path);
  const size_t slash = k.find_last_of('\\');
  if (slash == std::string::npos || !dirs_.count(k.substr(0, std::max<size_t>(slash, 3)))) {
    return false;
  }
  if (read_only_.count(k) || dirs_.count(k) || !Allow("write", k)) return false;
  files_[k] = std::string(data);
  return true;
}

bool FakeFileSystem::CreateDirectories(std::string_view path) {
  std::string k = Key(path);
  if (files_.count(k)) return false;
  std::vector<std::string> missing;
  while (!dirs_.count(k)) {
    missing.push_back(k);
    const size_t slash = k.find_last_of('\\');
    if (slash == std::string::npos || k.size() <= 3) break;
    k = k.substr(0, std::max<size_t>(slash, 3));
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!Allow("mkdir", *it)) return false;
    dirs_.insert(*it);
  }
  return true;
}

bool FakeFileSystem::RemoveFile(std::string_view path) {
  const std::string k = Key(path);
  if (!files_.count(k) || !Allow("remove", k)) return false;
  files_.erase(k);
  read_only_.erase(k);
  return true;
}

bool FakeFileSystem::RenameFile(std::string_view from, std::string_view to) {
  const std::string a = Key(from);
  const std::string b = Key(to);
  auto it = files_.find(a);
  if (it == files_.end() || InReadOnlyFolder(b) || !Allow("rename", a)) return false;
  std::string data = std::move(it->second);
  files_.erase(it);
  files_[b] = std::move(data);
  return true;
}

std::vector<std::string> FakeFileSystem::ListDirectories(std::string_view path) const {
  const std::string k = Key(path);
  const std::string prefix = k.back() == '\\' ? k : k + "\\";
  std::vector<std::string> out;
  for (const std::string& d : dirs_) {
    if (d.size() > prefix.size() && d.compare(0, prefix.size(), prefix) == 0 &&
        d.find('\\', prefix.size()) == std::string::npos) {
      out.push_back(d.substr(prefix.size()));
    }
  }
  return out;
}

void FakeFileSystem::Put(std::string_view path, std::string_view data) {
  const std::string k = Key(path);
  const size_t slash = k.find_last_of('\\');
  if (slash != std::string::npos) {
    const int saved_crash = crash_after;
    const int saved_changes = changes;
    crash_after = -1;
    auto saved_fail = std::move(fail_if);
    fail_if = nullptr;
    CreateDirectories(k.substr(0, std::max<size_t>(slash, 3)));
    fail_if = std::move(saved_fail);
    crash_after = saved_crash;
    changes = saved_changes;
  }
  files_[k] = std::string(data);
}

void FakeFileSystem::SetReadOnly(std::string_view path, bool read_only) {
  if (read_only) {
    read_only_.insert(Key(path));
  } else {
    read_only_.erase(Key(path));
  }
}

void FakeFileSystem::SetReadOnlyFolder(std::string_view path, bool read_only) {
  if (read_only) {
    read_only_folders_.insert(Key(path));
  } else {
    read_only_folders_.erase(Key(path));
  }
}

namespace {

class FakeLock final : public FileLock {
 public:
  FakeLock(std::set<std::string>& held, std::string key) : held_(held), key_(std::move(key)) {}
  ~FakeLock() override { held_.erase(key_); }
  FakeLock(const FakeLock&) = delete;
  FakeLock& operator=(const FakeLock&) = delete;

 private:
  std::set<std::string>& held_;
  std::string key_;
};

}  // namespace

LockResult FakeFileSystem::LockFile(std::string_view path, std::chrono::milliseconds wait) {
  const std::string k = Key(path);
  lock_requests.emplace_back(k, wait);
  if (InReadOnlyFolder(k) && !files_.count(k)) return {LockStatus::kUnavailable, nullptr};
  if (!locks_held_.insert(k).second) return {LockStatus::kBusy, nullptr};
  return {LockStatus::kHeld, std::make_unique<FakeLock>(locks_held_, k)};
}

}  // namespace zelvoran::testing
