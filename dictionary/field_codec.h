// SPDX-License-Identifier: GPL-3.0-or-later
// FieldCodec: the program's text routines on Windows-1253 strings. Decoders of the scrambled
// data (MirrorDecode, PositionDecode), the two-way ShiftCodec of the user's files, the key
// normalisers and the whole-word test. Positions are 1-based; every routine measures its
// input up to the first NUL byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvoran {

enum class ShiftDirection { kDecode, kEncode };

std::string MirrorDecode(int64_t number, std::string_view text);
std::string PositionDecode(int64_t position, std::string_view text);
std::string ShiftCodec(std::string_view text, ShiftDirection direction);

// The three MirrorDecode key digits of a number, k0, k1, k2 (shared with the encoder).
struct MirrorKey {
  int k[3];
};
MirrorKey MirrorKeyOf(int64_t number);

// Shift of the ShiftCodec at 1-based position i.
inline int ShiftAt(int64_t i) {
  return static_cast<int>(i % 5) + 30;
}
// Shift of PositionDecode at absolute 1-based file position p.
inline int PositionShiftAt(int64_t p) {
  return static_cast<int>(p % 10) + 28;
}

std::string GreekFold(std::string_view text);
std::string GreekKey(std::string_view text);
std::string EnglishKey(std::string_view text);

// Whether a byte is one of the Greek small (34) or capital (33) letters that make a text Greek.
bool IsGreekLetter(unsigned char c);

// Whether a text is Greek, from the first character of its EnglishKey: the index a headword
// belongs to.
bool IsGreekText(std::string_view text);
bool WholeWordFound(std::string_view text, std::string_view word);

// Helpers shared by the routines above and their callers.
std::string_view UpToNul(std::string_view text);
std::string_view TrimBlanks(std::string_view text);       // bytes <= 32 off both ends
std::string_view TrimLeftBlanks(std::string_view text);   // bytes <= 32 off the front
std::string_view TrimRightBlanks(std::string_view text);  // bytes <= 32 off the end
std::string AsciiLower(std::string_view text);            // A-Z to a-z only
bool IsWordLetter(unsigned char c);                       // the WordLetters set
bool IsKeyPunctuation(unsigned char c);                   // the 12 key punctuation bytes
unsigned char GreekFoldChar(unsigned char c);             // the 43 folding pairs

}  // namespace zelvoran
