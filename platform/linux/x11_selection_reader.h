// SPDX-License-Identifier: GPL-3.0-or-later
// The CLIPBOARD selection's text, read on a thread of its own over a connection of its own to
// the X server, so that an owner that is slow or never answers cannot hold up the window. The
// X fixes extension reports each change of owner; the reader then asks the owner for UTF-8 text
// (following the incremental protocol for long texts) and gives up after a bound.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace zelvoran {

class X11SelectionReader {
 public:
  // Called on the reader's thread after each change of owner: the new owner's text (UTF-8), or
  // nullopt when it has none, gave none within the bound, or the selection has no owner.
  using Deliver = std::function<void(std::optional<std::string> text)>;

  struct Options {
    std::chrono::milliseconds timeout{1000};  // for the owner's answer, and for each later part
    size_t max_bytes = 4u << 20;              // a longer text counts as none
    // Windows of the program's own connection (resource id base and mask): their changes are
    // the program's own writes, which the program announces itself.
    uint32_t own_id_base = 0;
    uint32_t own_id_mask = 0;
  };

  // Connects to $DISPLAY; Running() tells whether the reader could start.
  X11SelectionReader(Deliver deliver, Options options);
  ~X11SelectionReader();
  X11SelectionReader(const X11SelectionReader&) = delete;
  X11SelectionReader& operator=(const X11SelectionReader&) = delete;

  bool Running() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zelvoran
