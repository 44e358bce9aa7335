// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/about.h"

#include "platform/file_system.h"
#include "platform/shell.h"
#include "text/cp1253.h"

namespace zelvoran {

std::string BrowserProblemText() {
  return Utf8ToCp1253("Δεν είναι δυνατή η ενεργοποίηση του προγράμματος περιήγησης στο διαδίκτυο");
}

std::string MailProblemText() {
  return Utf8ToCp1253("Δεν είναι δυνατή η ενεργοποίηση του προγράμματος διαχείρισης email");
}

std::string HelpProblemText() {
  return Utf8ToCp1253("Το αρχείο βοήθειας δε βρέθηκε");
}

std::string PresentationProblemText() {
  return Utf8ToCp1253("Η πρόγραμμα της παρουσίασης δε βρέθηκε");
}

std::optional<RtfDocument> LoadCopyrightNotice(const FileSystem& fs) {
  const std::optional<uint64_t> size = fs.FileSize(kCopyrightNoticePath);
  if (!size || *size > kMaxCopyrightNoticeBytes) return std::nullopt;
  const std::optional<std::string> bytes = fs.ReadFile(kCopyrightNoticePath);
  if (!bytes || bytes->size() > kMaxCopyrightNoticeBytes) return std::nullopt;
  return ReadRtf(*bytes).document;
}

bool OpenPublisherSite(Shell* shell) {
  return shell && shell->OpenAddress(kPublisherSiteAddress);
}

bool OpenPublisherMail(Shell* shell) {
  return shell && shell->OpenAddress(kPublisherMailAddress);
}

bool OpenHelpDocument(Shell* shell) {
  return shell && shell->OpenFile(kHelpDocumentPath);
}

bool StartPresentationProgram(Shell* shell, std::string_view program_folder) {
  const std::string parameters = "\"" + std::string(program_folder) + "\"";
  return shell && shell->StartProgram(kPresentationProgramPath, parameters);
}

}  // namespace zelvoran
