// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1253 (Greek) text: conversion to and from Unicode, and the ANSI lower-casing of
// that code page. Core text is std::string holding Windows-1253 bytes.
#pragma once

#include <string>
#include <string_view>

namespace zelvoran {

// Unicode code point of one Windows-1253 byte; U+FFFD for the unassigned bytes.
char32_t Cp1253ToUnicode(unsigned char byte);

// Windows-1253 byte of a code point, or -1 when the code page has none.
int UnicodeToCp1253(char32_t cp);

// Windows-1253 bytes to UTF-8.
std::string Cp1253ToUtf8(std::string_view text);

// UTF-8 to Windows-1253; a character with no Windows-1253 byte (or a malformed sequence)
// becomes "?".
std::string Utf8ToCp1253(std::string_view utf8);

// Lower-casing of the ANSI code page 1253: A-Z, the Greek capitals and the accented capitals;
// the final sigma and every other byte stay as they are.
unsigned char CharLowerA(unsigned char byte);
std::string CharLowerA(std::string_view text);

}  // namespace zelvoran
