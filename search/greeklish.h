// SPDX-License-Identifier: GPL-3.0-or-later
// Greek typed in Latin letters ("kalimera", "8alassa", "eyxaristw"): the Greek spellings a
// Latin word may stand for, over the phonetic and the visual conventions, found by a scored
// beam over a sorted array of Greek keys.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zelvoran {

// Greek keys sorted in byte order (Windows-1253 small letters, no accents, σ for every sigma),
// read by index.
class SortedKeys {
 public:
  virtual ~SortedKeys() = default;
  virtual size_t Count() const = 0;
  virtual std::string_view Key(size_t index) const = 0;
};

struct GreeklishReading {
  std::string greek;  // Windows-1253 small letters without accents, σ for every sigma
  int cost = 0;       // how far from the commonest spelling of each letter: 0 is the usual one
  bool key = false;   // whether it is one of the keys (else it begins one, or ends off them)
};

// Longest Latin word read; longer ones have no reading.
inline constexpr size_t kGreeklishMaxLetters = 30;
// Letters a reading may have past the keys it begins (an ending: σπίτι-α, θάλασσ-ες).
inline constexpr int kGreeklishOffKeyLetters = 4;

// The lower-case Latin letters and digits of `word` (Windows-1253), or an empty text when it
// holds anything else but apostrophes and hyphens, or holds no letter at all.
std::string GreeklishLetters(std::string_view word);

// The readings of a Latin word (as GreeklishLetters gives it) that lie on `keys`: each a key,
// a beginning of one, or a beginning followed by at most kGreeklishOffKeyLetters letters; the
// cheapest first, at most `max`. The search keeps the `beam` cheapest readings of each length
// of the word read so far, so it never tries every combination.
std::vector<GreeklishReading> ReadGreeklish(std::string_view latin, const SortedKeys& keys,
                                            size_t max = 24, size_t beam = 48);

// The cheapest readings of a Latin word regardless of any keys, at most `max`.
std::vector<GreeklishReading> SpellGreeklish(std::string_view latin, size_t max = 2,
                                             size_t beam = 16);

}  // namespace zelvoran
