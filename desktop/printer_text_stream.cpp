// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/printer_text_stream.h"

#include <algorithm>

namespace zelvoran {

PrinterTextStream::~PrinterTextStream() {
  if (open_) {
    open_ = false;
    surface_.AbortJob();
  }
}

bool PrinterTextStream::Open() {
  if (open_) return true;
  failed_ = false;
  pending_.clear();
  if (!surface_.BeginJob()) return false;
  open_ = true;
  x_ = y_ = line_height_ = 0;
  right_ = surface_.PrintableWidth();
  bottom_ = surface_.PrintableHeight();
  return true;
}

void PrinterTextStream::SetFont(const PrintFont& font) {
  unicode_ = font.Unicode;
  if (open_) surface_.SetFont(font);
}

void PrinterTextStream::Write(std::string_view text) {
  if (open_ && !failed_) pending_.append(text);
}

void PrinterTextStream::WriteLine(std::string_view text) {
  Write(text);
  Write("\n");
  Flush();
}

void PrinterTextStream::Flush() {
  if (!open_) return;
  const std::string text = std::move(pending_);
  pending_.clear();
  size_t start = 0;
  for (size_t i = 0; i < text.size() && !failed_; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n' && c != '\f' && c != '\t') continue;
    Draw(std::string_view(text).substr(start, i - start));
    start = i + 1;
    if (c == '\n') {
      EndLine();
    } else if (c == '\f') {
      BeginPage();
    } else if (c == '\t') {
      Tab();
    }
  }
  if (!failed_ && start < text.size()) Draw(std::string_view(text).substr(start));
}

bool PrinterTextStream::Close() {
  if (!open_) return false;
  if (!failed_) Flush();
  open_ = false;
  if (failed_) {
    surface_.AbortJob();
    return false;
  }
  return surface_.EndJob();
}

// The longest beginning of `piece` whose width is at most `room`. Widths grow with the
// length, so this finds the same beginning as shortening the piece one character at a time,
// with a number of measurements that grows with the logarithm of the length.
size_t PrinterTextStream::LongestFit(std::string_view piece, int room) const {
  if (room < 0) return 0;
  size_t fits = 0;  // a length known to fit
  size_t step = 1;
  size_t too_long = piece.size() + 1;
  while (fits < piece.size()) {
    const size_t probe = std::min(fits + step, piece.size());
    if (surface_.TextWidth(piece.substr(0, probe)) <= room) {
      fits = probe;
      step *= 2;
    } else {
      too_long = probe;
      break;
    }
  }
  while (too_long - fits > 1 && too_long <= piece.size()) {
    const size_t mid = fits + (too_long - fits) / 2;
    if (surface_.TextWidth(piece.substr(0, mid)) <= room) {
      fits = mid;
    } else {
      too_long = mid;
    }
  }
  return fits;
}

void PrinterTextStream::Draw(std::string_view piece) {
  while (!piece.empty() && !failed_) {
    size_t n = LongestFit(piece, right_ - x_);
    // A page narrower than one character still takes one per line, so the text moves on.
    if (n == 0 && x_ == 0) n = 1;
    // UTF-8 text breaks between characters, never inside one.
    if (unicode_) {
      while (n < piece.size() && n > 0 && (static_cast<unsigned char>(piece[n]) & 0xC0) == 0x80) {
        --n;
      }
      if (n == 0 && x_ == 0) {
        n = 1;
        while (n < piece.size() && (static_cast<unsigned char>(piece[n]) & 0xC0) == 0x80) ++n;
      }
    }
    if (n > 0) {
      const std::string_view part = piece.substr(0, n);
      surface_.DrawText(x_, y_, part);
      const int height = surface_.TextHeight(part);
      if (height > line_height_) line_height_ = height + 2;
      x_ += surface_.TextWidth(part);
      piece.remove_prefix(n);
    }
    if (!piece.empty()) EndLine();
  }
}

void PrinterTextStream::EndLine() {
  const int step = line_height_ > 0 ? line_height_ : surface_.CharHeight();
  x_ = 0;
  y_ += std::max(step, 0);
  const int limit = line_height_ > 0 ? bottom_ - 2 * line_height_ : bottom_;
  line_height_ = 0;
  if (y_ > limit) BeginPage();
}

void PrinterTextStream::BeginPage() {
  if (!surface_.NewPage()) {
    failed_ = true;
    return;
  }
  x_ = y_ = line_height_ = 0;
}

void PrinterTextStream::Tab() {
  const int stop = std::max(8 * surface_.AverageCharWidth(), 1);
  const int next = x_ + stop - ((x_ + stop + 1) % stop) + 1;
  if (next > right_) {
    EndLine();
  } else {
    x_ = next;
  }
}

}  // namespace zelvoran
