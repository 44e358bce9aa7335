// SPDX-License-Identifier: GPL-3.0-or-later
// The about window, the help document and the publisher's presentation program: the notice,
// TCopyrightForm's links and the shell calls behind Help_Button and Quimbrell_Label. Every
// shell call goes through the Shell service; a failure shows its message in a "Πρόβλημα" box
// and changes nothing else.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "desktop/rtf_reader.h"

namespace zelvoran {

class FileSystem;
class Shell;

// Content files, relative to the program folder (the current directory).
inline constexpr std::string_view kCopyrightNoticePath = "content\\copyright.rtf";
inline constexpr std::string_view kHelpDocumentPath = "content\\Zelvoran.htm";
inline constexpr std::string_view kPresentationProgramPath = "content\\QuimbrellPres.exe";

// The publisher's addresses: the captions of SiteLabel and MailLabel and their targets.
inline constexpr std::string_view kPublisherSiteCaption = "www.quimbrell.example";
inline constexpr std::string_view kPublisherSiteAddress = "https://www.quimbrell.example/";
inline constexpr std::string_view kPublisherMailCaption = "info@quimbrell.example";
inline constexpr std::string_view kPublisherMailAddress = "mailto:info@quimbrell.example";

// A notice larger than this is not read (it would only stall the window).
inline constexpr uint64_t kMaxCopyrightNoticeBytes = 4 * 1024 * 1024;

// The messages of the failing shell calls, in Windows-1253.
std::string BrowserProblemText();
std::string MailProblemText();
std::string HelpProblemText();
std::string PresentationProblemText();

// TCopyrightForm, one instance per showing.
class AboutWindow {
 public:
  virtual ~AboutWindow() = default;
  // Shows the window modally and returns when it has closed.
  virtual void ShowModal() = 0;
};

// Creates a new about window with no owner.
class AboutWindowFactory {
 public:
  virtual ~AboutWindowFactory() = default;
  virtual std::unique_ptr<AboutWindow> CreateAboutWindow() = 0;
};

// TCopyrightForm's FormActivate: the notice read from "content\copyright.rtf"; nullopt when the
// file is missing, unreadable, too large or not valid rich text (the box keeps what it had).
std::optional<RtfDocument> LoadCopyrightNotice(const FileSystem& fs);

// The shell calls behind the links and buttons. Each answers whether it succeeded; a missing
// shell counts as a failing one.
bool OpenPublisherSite(Shell* shell);
bool OpenPublisherMail(Shell* shell);
// The help document in the associated program (the browser).
bool OpenHelpDocument(Shell* shell);
// Starts the presentation program with `program_folder`, in double quotes, as its parameter
// string; it does not wait for it.
bool StartPresentationProgram(Shell* shell, std::string_view program_folder);

}  // namespace zelvoran
