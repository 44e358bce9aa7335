// SPDX-License-Identifier: GPL-3.0-or-later
// Fakes for the clipboard and the keyboard layouts, and a main window core over them with the
// other fakes, for the copy, paste and quick translation tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/desktop_commands.h"
#include "app/main_core.h"
#include "platform/clipboard.h"
#include "platform/keyboard_layouts.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_main_view.h"

namespace zelvoran::testing {

// A clipboard in memory with an in-process viewer chain. Every change of its contents goes to
// the chain's head as the draw-clipboard message, as the system's clipboard does. `log`
// records what the program did to it, in order.
class FakeClipboard final : public Clipboard {
 public:
  LocalViewerChain chain;
  std::optional<std::string> text;  // nullopt: no text (empty, or other data)
  bool fail_writes = false;
  std::vector<std::string> log;
  // Called inside WriteText and Empty, before the change is announced (to see the state of
  // the program while its own write reaches the chain).
  std::function<void()> on_write;

  bool HasText() const override { return text.has_value(); }
  std::optional<std::string> ReadText() const override { return text; }
  bool WriteText(std::string_view t) override {
    log.push_back("write:" + std::string(t));
    if (fail_writes) return false;
    text = std::string(t);
    if (on_write) on_write();
    chain.ClipboardChanged();
    return true;
  }
  bool Empty() override {
    log.push_back("empty");
    text.reset();
    chain.ClipboardChanged();
    return true;
  }
  Window SetClipboardViewer(Window window) override {
    log.push_back("join");
    return chain.SetClipboardViewer(window);
  }
  bool ChangeClipboardChain(Window remove, Window next) override {
    log.push_back("leave");
    return chain.ChangeClipboardChain(remove, next);
  }
  intptr_t SendMessage(Window to, uint32_t message, uint64_t wparam, uint64_t lparam) override {
    return chain.SendMessage(to, message, wparam, lparam);
  }

  // Another program puts text, or data that is not text, on the clipboard.
  void OtherProgramCopies(std::string t) {
    text = std::move(t);
    chain.ClipboardChanged();
  }
  void OtherProgramCopiesNonText() {
    text.reset();
    chain.ClipboardChanged();
  }
};

// Two layouts, Greek (handle 8) and English (handle 9); records every activation.
class TwoLayoutKeyboard final : public KeyboardLayouts {
 public:
  static constexpr Handle kGreek = 8;
  static constexpr Handle kEnglish = 9;
  Handle active = kEnglish;
  std::vector<Handle> activations;

  std::vector<Handle> List(int) override { return {kGreek, kEnglish}; }
  bool Activate(Handle layout) override {
    activations.push_back(layout);
    active = layout;
    return true;
  }
  std::string ActiveLayoutName() override { return active == kGreek ? "00000408" : "00000409"; }
  std::optional<std::string> EnglishLanguageName(uint32_t locale) override {
    if (locale == 0x408) return "Greek";
    if (locale == 0x409) return "English";
    return std::nullopt;
  }
};

// A main window core wired to the fakes: the view pastes from the fake clipboard, and the
// window takes part in the fake clipboard's viewer chain.
struct DesktopHarness {
  FakeFileSystem fs;
  FakeSystemFolders folders;
  FakeSystemInfo info;
  TwoLayoutKeyboard keyboard;
  FakeClipboard clipboard;
  ProgramState state;
  FakeMainView view;
  MainCore core{Services{.fs = fs,
                         .folders = folders,
                         .info = info,
                         .keyboard = &keyboard,
                         .clipboard = &clipboard},
                state, view};
  // The entry box's texts as its change handler saw them.
  std::vector<std::string> entry_changes;

  DesktopHarness() {
    core.Layouts = {TwoLayoutKeyboard::kGreek, TwoLayoutKeyboard::kEnglish};
    view.paste_source = [this] { return clipboard.ReadText().value_or(""); };
    view.on_entry_change = [this] { entry_changes.push_back(view.entry_text); };
    core.MainWindowHandle =
        clipboard.chain.CreateWindow([this](uint32_t m, uint64_t w, uint64_t l) -> intptr_t {
          received.push_back(m);
          HandleClipboardChainMessage(core, m, w, l);
          return 0;
        });
  }
  // The chain messages the window received, in order.
  std::vector<uint32_t> received;
};

}  // namespace zelvoran::testing
