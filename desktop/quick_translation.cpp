// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/quick_translation.h"

#include <algorithm>
#include <vector>

#include "app/guard.h"
#include "app/main_core.h"
#include "platform/clipboard.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

// Cores whose draw-clipboard handler is running. A draw-clipboard message that reaches the
// window again before its handler has finished came round a chain that loops back on itself
// (or from a viewer that writes the clipboard while it is told of a change); it is dropped so
// that the chain cannot keep the window busy.
std::vector<const MainCore*>& HandlingDraw() {
  static std::vector<const MainCore*> cores;
  return cores;
}

// The viewer after the window, never the window itself.
uint64_t NextViewer(const MainCore& core) {
  return core.NextClipboardViewer == core.MainWindowHandle ? 0 : core.NextClipboardViewer;
}

void ShowModeTexts(MainCore& core, bool on) {
  core.view.SetApplicationTitle(on ? QuickApplicationTitle() : ProgramTitle());
  core.view.SetWindowCaption(on ? QuickWindowCaption() : ProgramTitle());
  core.view.SetAutoTranslatePicture(on);
  core.view.SetAutoTranslateHint(on ? AutoTranslateHintOn() : AutoTranslateHintOff());
}

}  // namespace

const std::string& ProgramTitle() {
  static const std::string text = "Zelvoran Glossa";
  return text;
}
const std::string& QuickApplicationTitle() {
  static const std::string text = Utf8ToCp1253("Γρήγορη Μετάφραση - Zelvoran Glossa");
  return text;
}
const std::string& QuickWindowCaption() {
  static const std::string text = Utf8ToCp1253("Zelvoran Glossa - Γρήγορη Μετάφραση");
  return text;
}
const std::string& AutoTranslateHintOff() {
  static const std::string text = Utf8ToCp1253("Γρήγορη Μετάφραση");
  return text;
}
const std::string& AutoTranslateHintOn() {
  static const std::string text = Utf8ToCp1253("Τερματισμός Γρήγορης Μετάφρασης");
  return text;
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
    const uint64_t next = NextViewer(core);
    if (clipboard && next != 0) clipboard->SendMessage(next, Clipboard::kDrawClipboard, 0, 0);
  });
  handling.erase(std::find(handling.begin(), handling.end(), &core));
}

void QuickTranslation_ChangeCbChain(MainCore& core, uint64_t leaving, uint64_t next) {
  if (leaving == core.NextClipboardViewer) {
    core.NextClipboardViewer = next;
    return;
  }
  const uint64_t after = NextViewer(core);
  if (core.svc.clipboard && after != 0) {
    core.svc.clipboard->SendMessage(after, Clipboard::kChangeCbChain, leaving, next);
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

}  // namespace zelvoran
