// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clipboard.h"

namespace zelvoran {

LocalViewerChain::Window LocalViewerChain::CreateWindow(Handler handler) {
  const Window window = ++last_id_;
  windows_.emplace(window, std::move(handler));
  return window;
}

void LocalViewerChain::DestroyWindow(Window window) {
  windows_.erase(window);
}

LocalViewerChain::Window LocalViewerChain::SetClipboardViewer(Window window) {
  if (windows_.find(window) == windows_.end()) return 0;
  const Window previous = head_;
  head_ = window;
  SendMessage(window, Clipboard::kDrawClipboard, 0, 0);
  return previous;
}

bool LocalViewerChain::ChangeClipboardChain(Window remove, Window next) {
  if (remove == 0) return false;
  if (head_ == remove) {
    // Nobody stands in front of the head: the chain simply starts at the next viewer.
    head_ = next;
    return true;
  }
  if (head_ != 0) SendMessage(head_, Clipboard::kChangeCbChain, remove, next);
  return true;
}

intptr_t LocalViewerChain::SendMessage(Window to, uint32_t message, uint64_t wparam,
                                       uint64_t lparam) {
  const auto it = windows_.find(to);
  if (it == windows_.end() || depth_ >= kMaxSendDepth) return 0;
  // A copy: the handler may create or destroy windows while it runs.
  const Handler handler = it->second;
  struct Nesting {
    int& depth;
    explicit Nesting(int& d) : depth(++d) {}
    ~Nesting() { --depth; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;
  } nesting(depth_);
  return handler(message, wparam, lparam);
}

void LocalViewerChain::ClipboardChanged() {
  if (delivering_) {
    changed_again_ = true;
    return;
  }
  struct Delivering {
    bool& flag;
    explicit Delivering(bool& f) : flag(f) { flag = true; }
    ~Delivering() { flag = false; }
    Delivering(const Delivering&) = delete;
    Delivering& operator=(const Delivering&) = delete;
  } delivering(delivering_);
  int rounds = 0;
  do {
    changed_again_ = false;
    if (head_ != 0) SendMessage(head_, Clipboard::kDrawClipboard, 0, 0);
  } while (changed_again_ && ++rounds < kMaxRedeliveries);
}

}  // namespace zelvoran
