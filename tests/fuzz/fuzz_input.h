// SPDX-License-Identifier: GPL-3.0-or-later
// Takes typed values from the front of a fuzz input; what is left is the payload. Numbers are
// drawn so that small values, values near a given size and arbitrary 64-bit values all come
// up often.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace zelvoran::fuzz {

class FuzzInput {
 public:
  explicit FuzzInput(std::string_view data) : rest_(data) {}

  uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto b = static_cast<uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return b;
  }

  uint64_t U64() {
    uint64_t v = 0;
    const size_t n = rest_.size() < 8 ? rest_.size() : 8;
    std::memcpy(&v, rest_.data(), n);
    rest_.remove_prefix(n);
    return v;
  }

  // A number around `size`: small, just inside or beyond `size`, negative or arbitrary.
  int64_t Number(uint64_t size) {
    const uint8_t kind = Byte();
    const int64_t small = static_cast<int8_t>(Byte());
    switch (kind % 5) {
      case 0:
        return small < 0 ? -small : small;
      case 1:
        return static_cast<int64_t>(size) + small;
      case 2:
        return small;
      case 3:
        return static_cast<int64_t>(U64());
      default:
        return static_cast<int64_t>(Byte()) * 257 + Byte();
    }
  }

  // The next `n` bytes at most.
  std::string_view Take(size_t n) {
    const std::string_view part = rest_.substr(0, n);
    rest_.remove_prefix(part.size());
    return part;
  }

  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

}  // namespace zelvoran::fuzz
