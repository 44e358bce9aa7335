#include "custom/store_commit.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <optional>

#include "dictionary/text_lines.h"
#include "platform/file_system.h"

namespace zelvoran {
namespace {

constexpr std::string_view kMarkerHeader = "ZelvoranStore 1";
constexpr std::string_view kMarkerEnd = "end";

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

struct Marker {
  bool greek = false;
  FileStamp index;
  FileStamp texts;
};

std::string FormatStamp(const FileStamp& s) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%" PRIu64 " %016" PRIx64, s.size, s.hash);
  return buf;
}

std::string MarkerText(const Marker& m) {
  std::string t(kMarkerHeader);
  t += "\r\n";
  t += m.greek ? "G" : "E";
  t += "\r\n" + FormatStamp(m.index) + "\r\n" + FormatStamp(m.texts) + "\r\n";
  t += kMarkerEnd;
  t += "\r\n";
  return t;
}

std::optional<FileStamp> ParseStamp(std::string_view line) {
  const size_t blank = line.find(' ');
  if (blank == std::string_view::npos || line.size() - blank - 1 != 16) return std::nullopt;
  const auto size = ParseDecimal(line.substr(0, blank));
  if (!size) return std::nullopt;
  uint64_t hash = 0;
  for (char c : line.substr(blank + 1)) {
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

// A marker is valid only when written whole: a crash while writing it leaves one that is not.
std::optional<Marker> ParseMarker(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  const auto lines = SplitLines(*text);
  if (lines.size() != 5 || lines[0] != kMarkerHeader || lines[4] != kMarkerEnd) {
    return std::nullopt;
  }
  if (lines[1] != "E" && lines[1] != "G") return std::nullopt;
  auto index = ParseStamp(lines[2]);
  auto texts = ParseStamp(lines[3]);
  if (!index || !texts) return std::nullopt;
  return Marker{lines[1] == "G", *index, *texts};
}

bool Matches(const FileSystem& fs, const std::string& path, const FileStamp& stamp) {
  const auto data = fs.ReadFile(path);
  return data && StampOf(*data) == stamp;
}

// Removes a file that exists; true when it is gone.
bool RemoveIfPresent(FileSystem& fs, const std::string& path) {
  return !fs.FileExists(path) || fs.RemoveFile(path);
}

struct PairPaths {
  const std::string& index;
  const std::string& texts;
};

PairPaths PairOf(const CustomPaths& paths, bool greek) {
  return greek ? PairPaths{paths.CustomGreekIndexPath, paths.CustomGreekTextsPath}
               : PairPaths{paths.CustomEnglishIndexPath, paths.CustomEnglishTextsPath};
}

// Removes unfinished new files. The text file goes first, so that a new text file without a
// new index file always means that the index file has been renamed into place.
void RemoveNewFiles(FileSystem& fs, const CustomPaths& paths) {
  RemoveIfPresent(fs, paths.TempTextsPath);
  RemoveIfPresent(fs, paths.TempIndexPath);
}

// Discards an uncommitted rewrite: the new files first, the marker last.
RecoveryResult Discard(FileSystem& fs, const CustomPaths& paths, const std::string& marker) {
  RemoveNewFiles(fs, paths);
  return RemoveIfPresent(fs, marker) ? RecoveryResult::kRolledBack : RecoveryResult::kUnsettled;
}

}  // namespace

std::string StoreMarkerPath(const CustomPaths& paths) {
  const std::string& temp = paths.TempIndexPath;
  const size_t sep = temp.find_last_of("\\/");
  if (temp.empty() || sep == std::string::npos) return {};
  return temp.substr(0, sep + 1) + std::string(kStoreMarkerFile);
}

RecoveryResult RecoverCustomStore(FileSystem& fs, const CustomPaths& paths) {
  const std::string marker_path = StoreMarkerPath(paths);
  if (marker_path.empty()) return RecoveryResult::kClean;
  if (!fs.FileExists(marker_path)) {
    // New files without a marker were never complete; the next rewrite replaces them anyway.
    RemoveNewFiles(fs, paths);
    return RecoveryResult::kClean;
  }
  const auto marker = ParseMarker(fs.ReadFile(marker_path));
  if (!marker) {
    // A new text file alone means the renames have begun, and only the marker names the
    // pair: leave everything as it is.
    if (!fs.FileExists(paths.TempIndexPath) && fs.FileExists(paths.TempTextsPath)) {
      return RecoveryResult::kUnsettled;
    }
    return Discard(fs, paths, marker_path);
  }
  const PairPaths target = PairOf(paths, marker->greek);
  if (fs.FileExists(paths.TempIndexPath)) {
    // No rename has happened yet: both new files must be exactly what was committed.
    if (!Matches(fs, paths.TempIndexPath, marker->index) ||
        !Matches(fs, paths.TempTextsPath, marker->texts)) {
      return Discard(fs, paths, marker_path);
    }
    if (!fs.RenameFile(paths.TempIndexPath, target.index)) return RecoveryResult::kUnsettled;
  }
  if (fs.FileExists(paths.TempTextsPath) && !fs.RenameFile(paths.TempTextsPath, target.texts)) {
    return RecoveryResult::kUnsettled;
  }
  return RemoveIfPresent(fs, marker_path) ? RecoveryResult::kRolledForward
                                          : RecoveryResult::kUnsettled;
}

CommitResult CommitStorePair(FileSystem& fs, const CustomPaths& paths, bool greek,
                             const StoreFiles& files) {
  const PairPaths target = PairOf(paths, greek);
  const std::string marker_path = StoreMarkerPath(paths);
  if (marker_path.empty() || target.index.empty() || target.texts.empty()) {
    return CommitResult::kNotSaved;
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
  // Before the first rename the old pair is in place: withdrawing the marker abandons the
  // rewrite. A marker that cannot be withdrawn stands, and the rewrite is completed instead.
  auto abandon = [&] {
    if (RemoveIfPresent(fs, marker_path)) return not_saved();
    return settle();
  };

  if (!fs.WriteFile(paths.TempIndexPath, files.index)) return not_saved();
  if (!fs.WriteFile(paths.TempTextsPath, files.texts)) return not_saved();
  const Marker marker{greek, StampOf(files.index), StampOf(files.texts)};
  if (!fs.WriteFile(marker_path, MarkerText(marker))) return abandon();
  if (!fs.RenameFile(paths.TempIndexPath, target.index)) return abandon();
  if (!fs.RenameFile(paths.TempTextsPath, target.texts)) return settle();
  // The new pair is in place; a marker left behind is removed by the next recovery.
  fs.RemoveFile(marker_path);
  return CommitResult::kSaved;
}

}  // namespace zelvoran
