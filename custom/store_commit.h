// Replacing a language's file pair so that the user's entries survive any failure or crash.
//
// A rewrite writes both new files completely under tempi.tbo and templex.tbo (each write is
// flushed to the disk), then writes a small marker file naming the pair with the size and
// checksum of both new files: the marker is the commit point. Only then are the new files
// renamed over the old ones, one rename each, and the marker is removed last.
//
// So the folder holds, at every instant, either the old pair (with at most incomplete new
// files and no valid marker) or a committed new pair that RecoverCustomStore finishes: with
// a valid marker it completes the renames; without one it removes the leftovers.
#pragma once

#include <string>
#include <string_view>

#include "app/program_state.h"
#include "custom/store_lines.h"

namespace zelvoran {

class FileSystem;

inline constexpr std::string_view kStoreMarkerFile = "tempmark.tbo";

enum class CommitResult {
  kSaved,     // the new pair is in place
  kNotSaved,  // the old pair is in place, exactly as it was
  kPending,   // committed, but a rename failed; RecoverCustomStore completes it later
};

enum class RecoveryResult {
  kClean,          // nothing was interrupted
  kRolledForward,  // an interrupted replacement was completed
  kRolledBack,     // an unfinished rewrite was discarded
  kUnsettled,      // a committed replacement could not be completed yet
};

// Path of the marker file (beside tempi.tbo); empty while no folder is known.
std::string StoreMarkerPath(const CustomPaths& paths);

// Finishes or rolls back a replacement that a crash or failure interrupted, in the folder of
// `paths`. Start-up calls it once the paths are known; every store operation calls it first.
RecoveryResult RecoverCustomStore(FileSystem& fs, const CustomPaths& paths);

// Replaces the pair of one language with `files`. The caller has run RecoverCustomStore and
// found the folder settled.
CommitResult CommitStorePair(FileSystem& fs, const CustomPaths& paths, bool greek,
                             const StoreFiles& files);

}  // namespace zelvoran
