// SPDX-License-Identifier: GPL-3.0-or-later
// A printer surface that records what is drawn where. Every character is as wide as the
// font's point size and text is twice the point size high; the character height can be set
// apart from that to tell the two measures apart.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "desktop/printer_text_stream.h"

namespace zelvoran::testing {

struct DrawnText {
  int page = 0;
  int x = 0;
  int y = 0;
  std::string text;
  PrintFont font;
};

struct FakePrintJob {
  int width = 1000;
  int height = 10000;
  int char_height = -1;          // -1: as high as the text
  int fail_new_page_after = -1;  // pages begun before NewPage fails; -1: never
  bool fail_begin = false;
  bool begun = false, ended = false, aborted = false;
  int page = 0;
  std::vector<DrawnText> drawn;
};

class FakePrintSurface final : public PrintSurface {
 public:
  explicit FakePrintSurface(FakePrintJob& job) : job_(job) {}
  bool BeginJob() override {
    if (job_.fail_begin) return false;
    job_.begun = true;
    return true;
  }
  bool EndJob() override {
    job_.ended = true;
    return true;
  }
  void AbortJob() noexcept override { job_.aborted = true; }
  bool NewPage() override {
    if (job_.fail_new_page_after >= 0 && job_.page >= job_.fail_new_page_after) return false;
    ++job_.page;
    return true;
  }
  int PrintableWidth() const override { return job_.width; }
  int PrintableHeight() const override { return job_.height; }
  void SetFont(const PrintFont& font) override { font_ = font; }
  int TextWidth(std::string_view text) const override {
    return static_cast<int>(text.size()) * font_.Points;
  }
  int TextHeight(std::string_view) const override { return 2 * font_.Points; }
  int CharHeight() const override {
    return job_.char_height >= 0 ? job_.char_height : 2 * font_.Points;
  }
  int AverageCharWidth() const override { return font_.Points; }
  void DrawText(int x, int y, std::string_view text) override {
    job_.drawn.push_back({job_.page, x, y, std::string(text), font_});
  }

 private:
  FakePrintJob& job_;
  PrintFont font_;
};

// The print dialog: cancelled, or a surface on `job`.
class FakePrinting final : public Printing {
 public:
  explicit FakePrinting(FakePrintJob& job) : job_(job) {}
  bool cancel = false;
  int dialogs = 0;
  std::unique_ptr<PrintSurface> ShowPrintDialog() override {
    ++dialogs;
    if (cancel) return nullptr;
    return std::make_unique<FakePrintSurface>(job_);
  }

 private:
  FakePrintJob& job_;
};

}  // namespace zelvoran::testing
