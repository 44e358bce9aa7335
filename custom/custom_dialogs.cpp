// SPDX-License-Identifier: GPL-3.0-or-later
#include "custom/custom_dialogs.h"

#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "platform/file_system.h"
#include "text/cp1253.h"
#include "text/text_lines.h"

namespace zelvoran {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// Windows NT 6 (Vista to 8.1): the version code 8, for which Program Files is not proposed.
bool IsVersionCode8(const SystemInfo& info) {
  const auto v = info.GetVersion();
  return v && v->platform == 2 && v->major == 6;
}

}  // namespace

std::vector<std::string> CategoryItems(const FileSystem& fs, const std::string& program_folder) {
  std::vector<std::string> items{" "};
  const auto data = fs.ReadFile(program_folder + std::string(kAbbreviationsFile));
  if (!data) return items;
  for (std::string_view line : SplitLines(*data)) {
    items.emplace_back(TrimBlanks(Columns(line, 12, 211)));
  }
  return items;
}

std::optional<std::string> CheckEntryDialog(EditMode edit_mode, Origin origin,
                                            std::string_view headword,
                                            std::string_view explanation) {
  const bool required = edit_mode == EditMode::kInsert || origin == Origin::kOwn;
  if (required && (headword.empty() || explanation.empty())) {
    return Utf8ToCp1253("Πρέπει να συμπληρωθούν το Λήμμα και η Περιγραφή");
  }
  return std::nullopt;
}

std::string FolderPromptText(std::string_view reason) {
  if (reason == kFolderPromptInvalid) {
    return Utf8ToCp1253(
        "Ο φάκελος που έχει οριστεί για την αποθήκευση των επεξεργασμένων λημμάτων δεν είναι "
        "έγκυρος. Αν υπάρχουν ήδη επεξεργασμένα λήμματα πρέπει να ορίσετε το φάκελο που τα "
        "περιέχει ώστε το λεξικό να τα βρει. Αν δεν υπάρχουν τότε πρέπει να ορίσετε το φάκελο "
        "μέσα στον οποίο θα αποθηκεύονται αυτά που θα δημιουργήσετε.");
  }
  return Utf8ToCp1253(
      "Για να επεξεργαστείτε λήμματα στο Zelvoran Glossa πρέπει να ορίσετε στον υπολογιστή σας "
      "το φάκελο μέσα στον οποίο θα αποθηκεύονται οι τροποποιήσεις.\r\n\r\n"
      "Για δική σας ευκολία μπορείτε να κρατήσετε το φάκελο που προτείνεται παρακάτω.");
}

std::string ProposedCustomFolder(const FileSystem& fs, const SystemFolders& folders,
                                 const SystemInfo& info) {
  std::string root = folders.RootOfDriveC();
  if (!root.empty() && !IsSeparator(root.back())) root += fs.Separator();
  const std::string program_files = root + "Program Files";
  if (!IsVersionCode8(info) && fs.DirectoryExists(program_files)) {
    return program_files + fs.Separator() + "ZelvoranGlossa";
  }
  return root + "ZelvoranGlossa";
}

FolderConfirmation ConfirmFolderChoice(FileSystem& fs, std::string_view folder) {
  if (folder.empty()) return {true, {}};
  if (!fs.DirectoryExists(folder)) fs.CreateDirectories(folder);
  if (fs.DirectoryExists(folder)) return {true, {}};
  return {false, Utf8ToCp1253("Παρουσιάστηκε πρόβλημα κατά τη δημιουργία του φακέλου. "
                              "Παρακαλώ επιλέξτε άλλο φάκελο")};
}

FolderListing ListFolder(const FileSystem& fs, std::string_view folder) {
  FolderListing out;
  if (folder.empty()) return out;
  const char sep = fs.Separator();
  // The root: "/" or a drive such as "C:\".
  size_t i = 0;
  std::string path;
  if (IsSeparator(folder[0])) {
    path = std::string(1, sep);
    i = 1;
  } else if (folder.size() >= 2 && folder[1] == ':') {
    path = std::string(folder.substr(0, 2)) + sep;
    i = folder.size() > 2 && IsSeparator(folder[2]) ? 3 : 2;
  }
  if (!path.empty()) out.ancestors.push_back(path);
  while (i < folder.size()) {
    size_t j = i;
    while (j < folder.size() && !IsSeparator(folder[j])) ++j;
    if (j > i) {
      if (!path.empty() && path.back() != sep) path += sep;
      path += folder.substr(i, j - i);
      out.ancestors.push_back(path);
    }
    i = j + 1;
  }
  if (out.ancestors.empty()) return out;
  const std::string& last = out.ancestors.back();
  const std::string prefix = last.back() == sep ? last : last + sep;
  for (const std::string& name : fs.ListDirectories(last)) out.children.push_back(prefix + name);
  return out;
}

int DriveOf(const std::vector<std::string>& drives, std::string_view folder) {
  const std::string lowered = CharLowerA(folder);
  int best = -1;
  size_t best_length = 0;
  for (size_t d = 0; d < drives.size(); ++d) {
    std::string drive = CharLowerA(drives[d]);
    while (drive.size() > 1 && IsSeparator(drive.back())) drive.pop_back();
    const bool inside = lowered.compare(0, drive.size(), drive) == 0 &&
                        (lowered.size() == drive.size() || IsSeparator(drive.back()) ||
                         IsSeparator(lowered[drive.size()]));
    if (inside && drive.size() >= best_length) {
      best = static_cast<int>(d);
      best_length = drive.size();
    }
  }
  return best;
}

}  // namespace zelvoran
