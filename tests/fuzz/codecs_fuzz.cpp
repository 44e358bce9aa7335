// SPDX-License-Identifier: GPL-3.0-or-later
// The codecs' round trips and normal forms.
#include "dictionary/data_profile.h"
#include "dictionary/field_codec.h"
#include "tests/fuzz/fuzz_target.h"
#include "text/cp1253.h"
#include "tools/encoders/field_encoders.h"

ZELVORAN_FUZZ_TARGET(codecs) {
  using namespace zelvoran;
  const std::string_view text = UpToNul(data);
  // The shift codec keeps the length and gives back every byte but the ones it maps.
  const std::string encoded = ShiftCodec(text, ShiftDirection::kEncode);
  FUZZ_CHECK(encoded.size() == text.size());
  FUZZ_CHECK(encoded.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
  const std::string decoded = ShiftCodec(encoded, ShiftDirection::kDecode);
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c > 32 && c != 172 && c != 182 && c != 255) FUZZ_CHECK(decoded[i] == text[i]);
  }
  // The position codec: every byte 1..254 at any position.
  const int64_t position = 1 + static_cast<int64_t>(text.size() % 1000);
  if (auto p = PositionEncode(position, text)) FUZZ_CHECK(PositionDecode(position, *p) == text);
  // The mirror codec, whenever its encoded form is storable.
  const int64_t number = 1 + static_cast<int64_t>(text.size() * 7919 % 65535);
  if (auto m = MirrorEncodeLine(number, text)) FUZZ_CHECK(MirrorDecode(number, *m) == text);
  // Normal forms are fixed points of their routines.
  FUZZ_CHECK(GreekFold(GreekFold(text)) == GreekFold(text));
  FUZZ_CHECK(GreekKey(GreekKey(text)) == GreekKey(text));
  FUZZ_CHECK(EnglishKey(EnglishKey(text)) == EnglishKey(text));
  // Windows-1253 through UTF-8 and back keeps every assigned byte.
  const std::string back = Utf8ToCp1253(Cp1253ToUtf8(text));
  FUZZ_CHECK(back.size() == text.size());
  Utf8ToCp1253(data);  // any bytes as UTF-8
  WholeWordFound(text, text.substr(text.size() / 2));
}
