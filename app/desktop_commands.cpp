// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_commands.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/guard.h"
#include "app/main_core.h"
#include "app/window_commands.h"
#include "desktop/print_entry.h"
#include "desktop/printer_text_stream.h"
#include "desktop/quick_translation.h"
#include "desktop/speak_entry.h"
#include "platform/clipboard.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "search/lookup_engine.h"

namespace zelvoran {
namespace {

void ActivateLayout(MainCore& core, KeyboardLayouts::Handle layout) {
  if (core.svc.keyboard && layout != 0) core.svc.keyboard->Activate(layout);
}

// The program's own write to the clipboard: the Greek layout is the active input language
// while the text is placed there, and quick translation ignores the change. Both are undone
// on the way out, also when the copy fails.
class OwnCopy {
 public:
  explicit OwnCopy(MainCore& core) : core_(core) {
    if (core_.CurrentDirection == Direction::kEnglish) {
      ActivateLayout(core_, core_.Layouts.GreekKeyboardLayout);
    }
    core_.CopyInProgress = true;
  }
  ~OwnCopy() {
    // A destructor must not throw: a layout that cannot be switched back stays as it is.
    try {
      if (core_.CurrentDirection == Direction::kEnglish) {
        ActivateLayout(core_, core_.Layouts.EnglishKeyboardLayout);
      }
    } catch (...) {
    }
    core_.CopyInProgress = false;
  }
  OwnCopy(const OwnCopy&) = delete;
  OwnCopy& operator=(const OwnCopy&) = delete;

 private:
  MainCore& core_;
};

// Copying an empty selection puts nothing on the clipboard, as the edit controls do.
void Put(MainCore& core, std::string_view text, bool unicode = false) {
  if (!core.svc.clipboard || text.empty()) return;
  if (unicode) {
    core.svc.clipboard->WriteUnicodeText(text);
  } else {
    core.svc.clipboard->WriteText(text);
  }
}

bool ShowIfFailed(bool ok, MessageBoxes* messages, const std::string& text) {
  if (!ok && messages) messages->ShowProblem(text);
  return ok;
}

CopySource CopySourceOf(const MainCore& core) {
  const MainView& view = core.view;
  CopySource source;
  source.focus = core.FocusedControlTag;
  if (source.focus == FocusedControl::kDescriptionText) {
    source.description_selection = view.DescriptionSelectedText();
    if (source.description_selection.empty()) {
      source.pronunciation = view.Pronunciation();
      source.description = view.DescriptionText();
    }
    return source;
  }
  const int row = core.List.Selected;
  if (row >= 0 && row < core.List.Count()) {
    source.selected_row = core.List.Items[static_cast<size_t>(row)].text;
    return source;
  }
  source.entry = view.EntryText();
  if (!source.entry.empty()) source.entry_selection = view.EntrySelectedText();
  return source;
}

void CopyChosenText(MainCore& core) {
  const CopyText copy = ChooseCopyText(CopySourceOf(core));
  if (copy.selection == CopySelection::kSelectWholeEntry) core.view.SelectAllEntryText();
  Put(core, copy.text, copy.unicode);
  if (copy.selection == CopySelection::kSelectWholeEntry) core.view.CollapseEntrySelection();
  if (copy.selection == CopySelection::kCollapseDescription) {
    core.view.CollapseDescriptionSelection();
  }
}

// Cores whose draw-clipboard handler is running. A draw-clipboard message that reaches the
// window again before its handler has finished came round a chain that loops back on itself
// (or from a viewer that writes the clipboard while it is told of a change); it is dropped so
// that the chain cannot keep the window busy.
std::vector<const MainCore*>& HandlingDraw() {
  static std::vector<const MainCore*> cores;
  return cores;
}

void ShowModeTexts(MainCore& core, bool on) {
  const QuickModeTexts texts = QuickModeTextsOf(on);
  core.view.SetApplicationTitle(texts.application_title);
  core.view.SetWindowCaption(texts.window_caption);
  core.view.SetAutoTranslatePicture(texts.picture_on);
  core.view.SetAutoTranslateHint(texts.hint);
}

}  // namespace

void Copy_ButtonClick(MainCore& core) {
  OwnCopy scope(core);
  CopyChosenText(core);
}

void CopyToClipboard(MainCore& core, std::string_view text) {
  OwnCopy scope(core);
  Put(core, text);
}

void Paste_ButtonClick(MainCore& core) {
  core.view.SetEntryText("");
  core.view.PasteIntoEntryText();
  core.view.FocusEntryText();
}

bool ToolbarShortcut(MainCore& core, ShortcutKey key, FocusedControl focus) {
  switch (key) {
    case ShortcutKey::kCopy:
      CopyInTextControl(core, focus);
      return true;
    case ShortcutKey::kPaste:
      if (focus == FocusedControl::kEntryText) return false;
      Paste_ButtonClick(core);
      return true;
    case ShortcutKey::kPrint:
      Print_ButtonClick(core);
      return true;
  }
  return false;
}

void CopyInTextControl(MainCore& core, FocusedControl control) {
  switch (control) {
    case FocusedControl::kEntryText: {
      const std::string selected = core.view.EntrySelectedText();
      if (!selected.empty()) {
        CopyToClipboard(core, selected);
        return;
      }
      break;
    }
    case FocusedControl::kEntriesList:
      core.FocusedControlTag = FocusedControl::kEntriesList;
      break;
    case FocusedControl::kDescriptionText:
      core.FocusedControlTag = FocusedControl::kDescriptionText;
      break;
    case FocusedControl::kOther:
      break;
  }
  Copy_ButtonClick(core);
}

bool CopyEntrySelectionForCut(MainCore& core) {
  const std::string selected = core.view.EntrySelectedText();
  if (selected.empty()) return false;
  CopyToClipboard(core, selected);
  return true;
}

void AutoTranslate_ButtonClick(MainCore& core) {
  Clipboard* clipboard = core.svc.clipboard;
  if (!core.QuickTranslationOn) {
    core.QuickTranslationOn = true;
    if (clipboard) clipboard->Empty();
    ShowModeTexts(core, true);
    if (clipboard) core.NextClipboardViewer = clipboard->SetClipboardViewer(core.MainWindowHandle);
  } else {
    core.QuickTranslationOn = false;
    ShowModeTexts(core, false);
    if (clipboard) clipboard->ChangeClipboardChain(core.MainWindowHandle, core.NextClipboardViewer);
  }
}

void QuickTranslation_DrawClipboard(MainCore& core) {
  auto& handling = HandlingDraw();
  if (std::find(handling.begin(), handling.end(), &core) != handling.end()) return;
  handling.push_back(&core);
  Clipboard* clipboard = core.svc.clipboard;
  // Whatever the entry box and the lookup do, the message still travels on.
  Guarded([&] {
    if (clipboard && !core.CopyInProgress && clipboard->HasText()) {
      core.view.SetEntryText("");
      core.view.PasteIntoEntryText();
      core.view.RestoreApplication();
    }
  });
  Guarded([&] {
    const uint64_t next = ViewerAfter(core.MainWindowHandle, core.NextClipboardViewer);
    if (clipboard && next != 0) clipboard->SendMessage(next, Clipboard::kDrawClipboard, 0, 0);
  });
  handling.erase(std::find(handling.begin(), handling.end(), &core));
}

void QuickTranslation_ChangeCbChain(MainCore& core, uint64_t leaving, uint64_t next) {
  const ChainChange change =
      ChangeCbChainAt(core.MainWindowHandle, core.NextClipboardViewer, leaving, next);
  core.NextClipboardViewer = change.next_viewer;
  if (core.svc.clipboard && change.pass_to != 0) {
    core.svc.clipboard->SendMessage(change.pass_to, Clipboard::kChangeCbChain, leaving, next);
  }
}

bool HandleClipboardChainMessage(MainCore& core, uint32_t message, uint64_t wparam,
                                 uint64_t lparam) {
  if (message == Clipboard::kDrawClipboard) {
    QuickTranslation_DrawClipboard(core);
    return true;
  }
  if (message == Clipboard::kChangeCbChain) {
    Guarded([&] { QuickTranslation_ChangeCbChain(core, wparam, lparam); });
    return true;
  }
  return false;
}

void QuickTranslation_ApplicationDeactivate(MainCore& core) {
  if (core.QuickTranslationOn) core.view.MinimizeApplication();
}

void QuickTranslation_FormDestroy(MainCore& core) {
  if (core.svc.clipboard) {
    core.svc.clipboard->ChangeClipboardChain(core.MainWindowHandle, core.NextClipboardViewer);
  }
}

void Print_ButtonClick(MainCore& core) {
  const int row = core.List.Selected;
  if (row < 0 || row >= core.List.Count() || static_cast<size_t>(row) >= core.List.Items.size() ||
      !core.svc.printing) {
    return;
  }
  std::unique_ptr<PrintSurface> surface = core.svc.printing->ShowPrintDialog();
  if (!surface) return;

  const RowRef ref = core.List.Items[static_cast<size_t>(row)].ref;
  EntryPage page;
  page.headword = core.state.Dict.Index(ref.direction == Direction::kGreek).Slot(ref.slot).Headword;
  page.direction = ref.direction;
  if (core.view.DescriptionTextWidth() > 0) {
    page.shown_lines = core.view.DescriptionDisplayLines();
  } else {
    page.explanation = core.view.DescriptionText();
  }
  page.pronunciation = core.view.Pronunciation();
  PrintEntryPage(*surface, page);
}

void ShowSpeechProblem(MainCore& core, SpeechProblem problem) {
  core.SpokenText.clear();
  const std::string message = SpeechProblemMessage(problem);
  if (!message.empty() && core.svc.messages) core.svc.messages->ShowProblem(message);
}

void Speak_ButtonClick(MainCore& core) {
  const std::string headword = core.view.HeadwordLabel();
  if (headword.empty()) return;
  if (!core.svc.speech) {
    ShowSpeechProblem(core, SpeechProblem::kNoEngine);
    return;
  }
  Speech& speech = *core.svc.speech;
  const SpeakStep step = NextSpeakStep(headword, speech.IsSpeaking(), core.SpokenText);
  if (step.stop) {
    speech.Stop();
    core.SpokenText.clear();
  }
  if (!step.speak) return;
  core.SpokenText = step.text;
  const SpeechProblem problem = speech.Speak(step.text, step.language);
  if (problem != SpeechProblem::kNone) ShowSpeechProblem(core, problem);
}

void CopyrightLabelClick(MainView& view, AboutWindowFactory& factory) {
  std::unique_ptr<AboutWindow> window = factory.CreateAboutWindow();
  if (!window) return;
  try {
    window->ShowModal();
  } catch (...) {
    // The window goes and the focus returns; the failure goes on to the handler's guard.
    window.reset();
    view.FocusEntryText();
    throw;
  }
  view.ActivateWindow();
  window.reset();
  view.FocusEntryText();
}

bool SiteLabelClick(Shell* shell, MessageBoxes* messages) {
  return ShowIfFailed(OpenPublisherSite(shell), messages, BrowserProblemText());
}

bool MailLabelClick(Shell* shell, MessageBoxes* messages) {
  return ShowIfFailed(OpenPublisherMail(shell), messages, MailProblemText());
}

bool Help_ButtonClick(MainCore& core) {
  if (OpenHelpDocument(core.svc.shell)) return true;
  // No program opens the document: a window of the program's own reads it.
  const bool shown =
      core.svc.fs.FileExists(kHelpDocumentPath) && core.view.ShowHelpWindow(kHelpDocumentPath);
  return ShowIfFailed(shown, core.svc.messages, HelpProblemText());
}

bool Quimbrell_LabelClick(MainCore& core) {
  return ShowIfFailed(StartPresentationProgram(core.svc.shell, core.state.ProgramFolder),
                      core.svc.messages, PresentationProblemText());
}

}  // namespace zelvoran
