// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/encoders/field_encoders.h"

#include "dictionary/field_codec.h"

namespace zelvoran {

std::string MirrorEncode(int64_t number, std::string_view text) {
  std::string t(text);
  const MirrorKey key = MirrorKeyOf(number);
  const size_t n = text.size() / 2;
  const size_t m = 2 * n;
  for (size_t p = 1; p <= n; ++p) {
    const int k = key.k[p % 3];
    // Decoding sets R[p] := T[m-p] + k and R[m-p] := T[p] + k.
    t[m - p - 1] = static_cast<char>(static_cast<unsigned char>(text[p - 1]) - k);
    t[p - 1] = static_cast<char>(static_cast<unsigned char>(text[m - p - 1]) - k);
  }
  return t;
}

std::optional<std::string> MirrorEncodeLine(int64_t number, std::string_view text) {
  std::string t = MirrorEncode(number, text);
  for (char c : t) {
    if (c == '\0' || c == '\r' || c == '\n') return std::nullopt;
  }
  return t;
}

std::optional<std::string> PositionEncode(int64_t position, std::string_view text) {
  std::string t(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const int d = static_cast<unsigned char>(text[i]);
    const int s = PositionShiftAt(position + static_cast<int64_t>(i));
    if (d < 1 || d > 254) return std::nullopt;
    // Without wrap the decoder yields t - s >= 1; with wrap t - s + 254 for t - s < 1.
    const int e = d + s <= 255 ? d + s : d - 254 + s;
    t[i] = static_cast<char>(e);
  }
  return t;
}

}  // namespace zelvoran
