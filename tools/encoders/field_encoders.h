// SPDX-License-Identifier: GPL-3.0-or-later
// Encoders that invert MirrorDecode and PositionDecode. Only the data compiler and the tests
// link them; the program reads its data files and never writes them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvoran {

// Inverse of MirrorDecode: MirrorDecode(number, MirrorEncode(number, t)) == t whenever the
// encoded form holds no NUL (the decoder stops at one). The result may hold any byte.
std::string MirrorEncode(int64_t number, std::string_view text);

// MirrorEncode for text stored as one line of a line-based file: nullopt when the encoded
// form would hold NUL, CR or LF, which a line reader cannot give back.
std::optional<std::string> MirrorEncodeLine(int64_t number, std::string_view text);

// Inverse of PositionDecode for text whose first byte will lie at 1-based file position
// `position`. Bytes 1..254 can be encoded; 0 and 255 cannot (the decoder never yields them),
// and nullopt is returned for a text holding either.
std::optional<std::string> PositionEncode(int64_t position, std::string_view text);

}  // namespace zelvoran
