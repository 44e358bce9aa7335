// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing the user's files so that the entries survive any failure or crash.
//
// A rewrite writes every new file completely under a temporary name (tempi.tbo and
// templex.tbo for the first pair, tempi2.tbo and templex2.tbo for a second one; each write is
// flushed to the disk), then writes a small marker file that names each new file, the store
// file it replaces, and its size and checksum: the marker is the commit point. Only then are
// the new files renamed over the old ones, in the marker's order, and the marker is removed
// last. A change that moves an entry from one language to the other replaces both pairs under
// one marker.
//
// So the folder holds, at every instant, either the old files (with at most incomplete new
// files and no valid marker) or a committed replacement that RecoverCustomStore finishes:
// with a valid marker it completes the renames; without one it removes the leftovers. A
// reader that may not write (a read-only folder) finds the committed files through
// CommittedStorePaths without changing anything.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "custom/custom_paths.h"
#include "custom/store_lines.h"

namespace zelvoran {

class FileLock;
class FileSystem;

inline constexpr std::string_view kStoreMarkerFile = "tempmark.tbo";
// The file that the store's lock is taken on; it stays in the folder.
inline constexpr std::string_view kStoreLockFile = "Zelvoran.lck";

enum class CommitResult {
  kSaved,     // the new files are in place
  kNotSaved,  // the old files are in place, exactly as they were
  kPending,   // committed, but a rename failed; RecoverCustomStore completes it later
};

enum class RecoveryResult {
  kClean,          // nothing was interrupted
  kRolledForward,  // an interrupted replacement was completed
  kRolledBack,     // an unfinished rewrite was discarded
  kUnsettled,      // a committed replacement could not be completed yet
};

// The new content of one language's pair.
struct PairUpdate {
  bool greek = false;
  StoreFiles files;
};

// Paths of the marker and of the lock file (in the folder of tempi.tbo); empty while no
// folder is known.
std::string StoreMarkerPath(const CustomPaths& paths);
std::string StoreLockPath(const CustomPaths& paths);

// Finishes or rolls back a replacement that a crash or failure interrupted, in the folder of
// `paths`. The caller holds the store's lock when one can be had.
RecoveryResult RecoverCustomStore(FileSystem& fs, const CustomPaths& paths);

// What a reader does before it loads the user's files: takes the store's lock, waiting up to
// `wait`, and settles an interrupted replacement when the lock is had (or the folder has no
// lock to take: recovery then changes what it may). While another copy holds the lock
// nothing is changed. Returns the lock, if had, for the caller to hold while it reads.
std::unique_ptr<FileLock> SettleCustomStore(FileSystem& fs, const CustomPaths& paths,
                                            std::chrono::milliseconds wait);

// The paths that hold the committed state of the four store files: the store files
// themselves, or, while a committed replacement is not yet complete, the new files that
// recovery would rename over them. Changes nothing.
CustomPaths CommittedStorePaths(const FileSystem& fs, const CustomPaths& paths);

// Replaces the pairs of `updates` (one or both languages, each at most once) in one commit.
// The caller holds the store's lock and has run RecoverCustomStore and found the folder
// settled.
CommitResult CommitStoreFiles(FileSystem& fs, const CustomPaths& paths,
                              const std::vector<PairUpdate>& updates);

// Replaces the pair of one language with `files`.
CommitResult CommitStorePair(FileSystem& fs, const CustomPaths& paths, bool greek,
                             const StoreFiles& files);

}  // namespace zelvoran
