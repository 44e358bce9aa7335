// SPDX-License-Identifier: GPL-3.0-or-later
// The system clipboard as the program needs it: plain text (Windows-1253 bytes) and the
// clipboard viewer chain, whose two messages tell the viewers that the clipboard changed and
// that a viewer leaves. Nothing here throws; failures are return values.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "text/cp1253.h"

namespace zelvoran {

class Clipboard {
 public:
  using Window = uint64_t;                            // a window handle; 0: none
  static constexpr uint32_t kDrawClipboard = 0x0308;  // WM_DRAWCLIPBOARD
  static constexpr uint32_t kChangeCbChain = 0x030D;  // WM_CHANGECBCHAIN

  virtual ~Clipboard() = default;

  // Whether the clipboard holds text (CF_TEXT).
  virtual bool HasText() const = 0;
  // The clipboard's text; nullopt when it holds none or cannot be opened.
  virtual std::optional<std::string> ReadText() const = 0;
  // Replaces the contents with `text`; false leaves the clipboard as it was.
  virtual bool WriteText(std::string_view text) = 0;
  // Replaces the contents with UTF-8 text that may hold characters beyond Windows-1253 (a
  // pronunciation); a clipboard of single-byte text only takes its Windows-1253 form.
  virtual bool WriteUnicodeText(std::string_view utf8) { return WriteText(Utf8ToCp1253(utf8)); }
  virtual bool Empty() = 0;

  // Makes `window` the head of the viewer chain and returns the previous head (0 when there
  // was none). The new viewer receives a draw-clipboard message at once.
  virtual Window SetClipboardViewer(Window window) = 0;
  // Takes `remove` out of the chain; `next` is the viewer that followed it.
  virtual bool ChangeClipboardChain(Window remove, Window next) = 0;
  // Delivers a message to a window and returns its answer when it has handled it.
  virtual intptr_t SendMessage(Window to, uint32_t message, uint64_t wparam, uint64_t lparam) = 0;
};

// A clipboard viewer chain kept inside the process, with the rules of the system's chain:
// the head receives the draw-clipboard message when the contents change, every viewer passes
// the chain's messages on to the viewer it joined in front of, and a viewer that leaves tells
// the head, from where the message travels to the viewer in front of the leaving one.
class LocalViewerChain {
 public:
  using Window = Clipboard::Window;
  using Handler = std::function<intptr_t(uint32_t message, uint64_t wparam, uint64_t lparam)>;

  // Nested sends deeper than this are dropped: a chain that loops back on itself ends there.
  static constexpr int kMaxSendDepth = 256;
  // A viewer that writes the clipboard each time it is told of a change would keep the
  // delivery going for ever; after this many further rounds the chain waits for a new change.
  static constexpr int kMaxRedeliveries = 4;

  // A window that can take part in the chain; its handler receives the messages sent to it.
  // Like a window procedure, the handler catches its own failures; one that escapes reaches
  // the sender with the chain's state intact.
  Window CreateWindow(Handler handler);
  // Messages to a destroyed window are dropped. It stays wherever it was in the chain.
  void DestroyWindow(Window window);

  Window SetClipboardViewer(Window window);
  bool ChangeClipboardChain(Window remove, Window next);
  intptr_t SendMessage(Window to, uint32_t message, uint64_t wparam, uint64_t lparam);

  // The contents changed: the draw-clipboard message goes to the head. A change announced
  // while the chain is still delivering the previous one is delivered once more after it,
  // however many such changes arrive, so nothing is queued (see kMaxRedeliveries).
  void ClipboardChanged();

  Window Head() const { return head_; }

 private:
  std::map<Window, Handler> windows_;
  Window head_ = 0;
  Window last_id_ = 0;
  int depth_ = 0;
  bool delivering_ = false;
  bool changed_again_ = false;
};

#ifdef _WIN32
// The system's clipboard and viewer chain; `owner` is the main window, which owns the text the
// program writes.
std::unique_ptr<Clipboard> CreateWin32Clipboard(Clipboard::Window owner);
#endif

}  // namespace zelvoran
