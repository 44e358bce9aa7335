// SPDX-License-Identifier: GPL-3.0-or-later
#include "custom/store_commit.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/file_system.h"
#include "text/text_lines.h"

namespace zelvoran {
namespace {

// The first marker format replaced one pair (tempi.tbo and templex.tbo, language in the
// second line); stores may still hold one, so it is read as well as the current one.
constexpr std::string_view kPairMarkerHeader = "ZelvoranStore 1";
constexpr std::string_view kMarkerHeader = "ZelvoranStore 2";
constexpr std::string_view kMarkerEnd = "end";

// Temporary names, by pair: [0] holds the first pair's new files, [1] the second's.
constexpr std::array<std::string_view, 2> kTempIndexNames = {"tempi.tbo", "tempi2.tbo"};
constexpr std::array<std::string_view, 2> kTempTextsNames = {"templex.tbo", "templex2.tbo"};

struct FileStamp {
  uint64_t size = 0;
  uint64_t hash = 0;
  bool operator==(const FileStamp&) const = default;
};

// FNV-1a over 64-bit words (the tail byte by byte), with the size beside it.
FileStamp StampOf(std::string_view data) {
  uint64_t h = 14695981039346656037ull;
  size_t i = 0;
  for (; i + 8 <= data.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, data.data() + i, 8);
    h ^= word;
    h *= 1099511628211ull;
  }
  for (; i < data.size(); ++i) {
    h ^= static_cast<unsigned char>(data[i]);
    h *= 1099511628211ull;
  }
  return {data.size(), h};
}

std::string FolderOf(const CustomPaths& paths) {
  const std::string& temp = paths.TempIndexPath;
  const size_t sep = temp.find_last_of("\\/");
  if (temp.empty() || sep == std::string::npos) return {};
  return temp.substr(0, sep + 1);
}

std::string NameOf(const std::string& path) {
  const size_t sep = path.find_last_of("\\/");
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

// The store file a new file replaces, as a member of CustomPaths.
using StoreField = std::string CustomPaths::*;
constexpr std::array<StoreField, 4> kStoreFields = {
    &CustomPaths::CustomEnglishIndexPath, &CustomPaths::CustomEnglishTextsPath,
    &CustomPaths::CustomGreekIndexPath, &CustomPaths::CustomGreekTextsPath};

StoreField IndexField(bool greek) {
  return greek ? &CustomPaths::CustomGreekIndexPath : &CustomPaths::CustomEnglishIndexPath;
}
StoreField TextsField(bool greek) {
  return greek ? &CustomPaths::CustomGreekTextsPath : &CustomPaths::CustomEnglishTextsPath;
}

// One renaming of a commit: the new file's name, the store file it replaces, its stamp.
struct Replacement {
  std::string new_name;
  StoreField target = nullptr;
  FileStamp stamp;
};

// The renamings in their order; the first new file is always tempi.tbo, and it is renamed
// first and removed last, so that its absence under a valid marker means that the renames
// have begun.
struct Marker {
  std::vector<Replacement> files;
};

std::string FormatStamp(const FileStamp& s) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%" PRIu64 " %016" PRIx64, s.size, s.hash);
  return buf;
}

std::string MarkerText(const Marker& m, const CustomPaths& paths) {
  std::string t(kMarkerHeader);
  t += "\r\n";
  for (const Replacement& r : m.files) {
    t += r.new_name + " " + NameOf(paths.*r.target) + " " + FormatStamp(r.stamp) + "\r\n";
  }
  t += kMarkerEnd;
  t += "\r\n";
  return t;
}

std::optional<FileStamp> ParseStamp(std::string_view size_text, std::string_view hash_text) {
  if (hash_text.size() != 16) return std::nullopt;
  const auto size = ParseDecimal(size_text);
  if (!size) return std::nullopt;
  uint64_t hash = 0;
  for (char c : hash_text) {
    int v;
    if (c >= '0' && c <= '9') {
      v = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      v = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    hash = hash * 16 + static_cast<uint64_t>(v);
  }
  return FileStamp{static_cast<uint64_t>(*size), hash};
}

std::optional<FileStamp> ParseStampLine(std::string_view line) {
  const size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  return ParseStamp(line.substr(0, blank), line.substr(blank + 1));
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i <= line.size()) {
    const size_t blank = std::min(line.find(' ', i), line.size());
    out.push_back(line.substr(i, blank - i));
    i = blank + 1;
  }
  return out;
}

std::optional<Marker> ParsePairMarker(const std::vector<std::string_view>& lines) {
  if (lines.size() != 5 || lines[4] != kMarkerEnd) return std::nullopt;
  if (lines[1] != "E" && lines[1] != "G") return std::nullopt;
  const bool greek = lines[1] == "G";
  auto index = ParseStampLine(lines[2]);
  auto texts = ParseStampLine(lines[3]);
  if (!index || !texts) return std::nullopt;
  return Marker{{{std::string(kTempIndexNames[0]), IndexField(greek), *index},
                 {std::string(kTempTextsNames[0]), TextsField(greek), *texts}}};
}

// A marker names only the temporary files and the store files, each at most once, so that
// nothing else in the folder can ever be renamed by it.
std::optional<Marker> ParseFilesMarker(const std::vector<std::string_view>& lines,
                                       const CustomPaths& paths) {
  if (lines.size() != 4 && lines.size() != 6) return std::nullopt;
  if (lines.back() != kMarkerEnd) return std::nullopt;
  Marker m;
  for (size_t i = 1; i + 1 < lines.size(); ++i) {
    const auto w = Words(lines[i]);
    if (w.size() != 4) return std::nullopt;
    const size_t pair = (i - 1) / 2;
    const std::string_view expected_new =
        (i - 1) % 2 == 0 ? kTempIndexNames[pair] : kTempTextsNames[pair];
    if (w[0] != expected_new) return std::nullopt;
    StoreField target = nullptr;
    for (StoreField f : kStoreFields) {
      if (!(paths.*f).empty() && NameOf(paths.*f) == w[1]) target = f;
    }
    if (!target) return std::nullopt;
    for (const Replacement& r : m.files) {
      if (r.target == target) return std::nullopt;
    }
    auto stamp = ParseStamp(w[2], w[3]);
    if (!stamp) return std::nullopt;
    m.files.push_back({std::string(w[0]), target, *stamp});
  }
  return m;
}

// A marker is valid only when written whole: a crash while writing it leaves one that is not.
std::optional<Marker> ParseMarker(const std::optional<std::string>& text,
                                  const CustomPaths& paths) {
  if (!text) return std::nullopt;
  const auto lines = SplitLines(*text);
  if (lines.empty()) return std::nullopt;
  if (lines[0] == kPairMarkerHeader) return ParsePairMarker(lines);
  if (lines[0] == kMarkerHeader) return ParseFilesMarker(lines, paths);
  return std::nullopt;
}

bool Matches(const FileSystem& fs, const std::string& path, const FileStamp& stamp) {
  const auto data = fs.ReadFile(path);
  return data && StampOf(*data) == stamp;
}

// Removes a file that exists; true when it is gone.
bool RemoveIfPresent(FileSystem& fs, const std::string& path) {
  return !fs.FileExists(path) || fs.RemoveFile(path);
}

// Every temporary name in the order they are written; tempi.tbo first.
std::vector<std::string> TempPaths(const CustomPaths& paths) {
  const std::string folder = FolderOf(paths);
  std::vector<std::string> out;
  for (size_t pair = 0; pair < kTempIndexNames.size(); ++pair) {
    out.push_back(folder + std::string(kTempIndexNames[pair]));
    out.push_back(folder + std::string(kTempTextsNames[pair]));
  }
  return out;
}

// Removes unfinished new files in the reverse of their order, so that tempi.tbo, renamed
// first, goes last: a valid marker without it then always means that the renames have begun.
void RemoveNewFiles(FileSystem& fs, const CustomPaths& paths) {
  const auto temps = TempPaths(paths);
  for (auto it = temps.rbegin(); it != temps.rend(); ++it) RemoveIfPresent(fs, *it);
}

// Discards an uncommitted rewrite: the new files first, the marker last.
RecoveryResult Discard(FileSystem& fs, const CustomPaths& paths, const std::string& marker) {
  RemoveNewFiles(fs, paths);
  return RemoveIfPresent(fs, marker) ? RecoveryResult::kRolledBack : RecoveryResult::kUnsettled;
}

// Whether a marker's new files are all there exactly as committed (no rename has happened),
// false when the renames have begun; nullopt when the rewrite must be discarded.
std::optional<bool> BeforeRenames(const FileSystem& fs, const std::string& folder,
                                  const Marker& m) {
  if (!fs.FileExists(folder + m.files.front().new_name)) return false;
  for (const Replacement& r : m.files) {
    if (!Matches(fs, folder + r.new_name, r.stamp)) return std::nullopt;
  }
  return true;
}

}  // namespace

std::string StoreMarkerPath(const CustomPaths& paths) {
  const std::string folder = FolderOf(paths);
  return folder.empty() ? std::string() : folder + std::string(kStoreMarkerFile);
}

std::string StoreLockPath(const CustomPaths& paths) {
  const std::string folder = FolderOf(paths);
  return folder.empty() ? std::string() : folder + std::string(kStoreLockFile);
}

RecoveryResult RecoverCustomStore(FileSystem& fs, const CustomPaths& paths) {
  const std::string marker_path = StoreMarkerPath(paths);
  if (marker_path.empty()) return RecoveryResult::kClean;
  if (!fs.FileExists(marker_path)) {
    // New files without a marker were never complete; the next rewrite replaces them anyway.
    RemoveNewFiles(fs, paths);
    return RecoveryResult::kClean;
  }
  const std::string folder = FolderOf(paths);
  const auto marker = ParseMarker(fs.ReadFile(marker_path), paths);
  if (!marker) {
    // tempi.tbo gone while other new files remain means the renames have begun, and only the
    // marker names their targets: leave everything as it is.
    const auto temps = TempPaths(paths);
    if (!fs.FileExists(temps.front())) {
      for (size_t i = 1; i < temps.size(); ++i) {
        if (fs.FileExists(temps[i])) return RecoveryResult::kUnsettled;
      }
    }
    return Discard(fs, paths, marker_path);
  }
  if (!BeforeRenames(fs, folder, *marker)) return Discard(fs, paths, marker_path);
  // Renamed in the marker's order; a file already renamed is no longer there.
  for (const Replacement& r : marker->files) {
    const std::string from = folder + r.new_name;
    if (fs.FileExists(from) && !fs.RenameFile(from, paths.*r.target)) {
      return RecoveryResult::kUnsettled;
    }
  }
  return RemoveIfPresent(fs, marker_path) ? RecoveryResult::kRolledForward
                                          : RecoveryResult::kUnsettled;
}

std::unique_ptr<FileLock> SettleCustomStore(FileSystem& fs, const CustomPaths& paths,
                                            std::chrono::milliseconds wait) {
  const std::string lock_path = StoreLockPath(paths);
  if (lock_path.empty()) return nullptr;
  LockResult lock = fs.LockFile(lock_path, wait);
  if (lock.status != LockStatus::kBusy) RecoverCustomStore(fs, paths);
  return std::move(lock.lock);
}

CustomPaths CommittedStorePaths(const FileSystem& fs, const CustomPaths& paths) {
  const std::string marker_path = StoreMarkerPath(paths);
  if (marker_path.empty() || !fs.FileExists(marker_path)) return paths;
  const auto marker = ParseMarker(fs.ReadFile(marker_path), paths);
  if (!marker) return paths;
  const std::string folder = FolderOf(paths);
  if (!BeforeRenames(fs, folder, *marker)) return paths;  // would be discarded: the old files
  CustomPaths committed = paths;
  for (const Replacement& r : marker->files) {
    const std::string from = folder + r.new_name;
    if (fs.FileExists(from)) committed.*r.target = from;
  }
  return committed;
}

CommitResult CommitStoreFiles(FileSystem& fs, const CustomPaths& paths,
                              const std::vector<PairUpdate>& updates) {
  const std::string marker_path = StoreMarkerPath(paths);
  if (marker_path.empty() || updates.empty() || updates.size() > kTempIndexNames.size()) {
    return CommitResult::kNotSaved;
  }
  const std::string folder = FolderOf(paths);
  Marker marker;
  std::vector<const std::string*> contents;
  for (size_t pair = 0; pair < updates.size(); ++pair) {
    const PairUpdate& u = updates[pair];
    if ((paths.*IndexField(u.greek)).empty() || (paths.*TextsField(u.greek)).empty()) {
      return CommitResult::kNotSaved;
    }
    if (pair > 0 && updates[0].greek == u.greek) return CommitResult::kNotSaved;
    marker.files.push_back(
        {std::string(kTempIndexNames[pair]), IndexField(u.greek), StampOf(u.files.index)});
    marker.files.push_back(
        {std::string(kTempTextsNames[pair]), TextsField(u.greek), StampOf(u.files.texts)});
    contents.push_back(&u.files.index);
    contents.push_back(&u.files.texts);
  }
  auto not_saved = [&] {
    RemoveNewFiles(fs, paths);
    return CommitResult::kNotSaved;
  };
  // Whatever state a failure left is settled the way start-up would settle it.
  auto settle = [&] {
    switch (RecoverCustomStore(fs, paths)) {
      case RecoveryResult::kClean:
      case RecoveryResult::kRolledForward:
        return CommitResult::kSaved;
      case RecoveryResult::kRolledBack:
        return CommitResult::kNotSaved;
      case RecoveryResult::kUnsettled:
        break;
    }
    return CommitResult::kPending;
  };
  // Before the first rename the old files are in place: withdrawing the marker abandons the
  // rewrite. A marker that cannot be withdrawn stands, and the rewrite is completed instead.
  auto abandon = [&] {
    if (RemoveIfPresent(fs, marker_path)) return not_saved();
    return settle();
  };

  for (size_t i = 0; i < marker.files.size(); ++i) {
    if (!fs.WriteFile(folder + marker.files[i].new_name, *contents[i])) return not_saved();
  }
  if (!fs.WriteFile(marker_path, MarkerText(marker, paths))) return abandon();
  for (size_t i = 0; i < marker.files.size(); ++i) {
    const Replacement& r = marker.files[i];
    if (!fs.RenameFile(folder + r.new_name, paths.*r.target)) {
      return i == 0 ? abandon() : settle();
    }
  }
  // The new files are in place; a marker left behind is removed by the next recovery.
  fs.RemoveFile(marker_path);
  return CommitResult::kSaved;
}

CommitResult CommitStorePair(FileSystem& fs, const CustomPaths& paths, bool greek,
                             const StoreFiles& files) {
  return CommitStoreFiles(fs, paths, {PairUpdate{greek, files}});
}

}  // namespace zelvoran
