// SPDX-License-Identifier: GPL-3.0-or-later
// The forms file reader over arbitrary bytes: a file is refused or read, and every lookup and
// walk of a read one stays within its bytes.
#include "dictionary/forms_file.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_target.h"

ZELVORAN_FUZZ_TARGET(forms_reader) {
  using namespace zelvoran;
  // Half of the inputs get the magic, so the tables behind it are reached.
  std::string bytes(data);
  if (!bytes.empty() && (static_cast<unsigned char>(bytes[0]) & 1)) {
    bytes = std::string(kFormsMagic) + bytes.substr(1);
  }
  const auto file = FormsFile::Parse(bytes);
  if (!file) return;
  for (bool greek : {false, true}) {
    size_t n = 0;
    file->ForEach(greek, [&](std::string_view form, const std::vector<uint32_t>& bases) {
      for (uint32_t b : bases) FUZZ_CHECK(b < file->BaseCount(greek));
      // Every form read is found again, unless the damaged order hides it.
      if (n++ < 8) file->Find(greek, form);
      return true;
    });
    for (size_t k = 0; k + 4 <= data.size() && k < 64; k += 4) file->Find(greek, data.substr(k, 4));
  }
}
