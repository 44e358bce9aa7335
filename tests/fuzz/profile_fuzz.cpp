// SPDX-License-Identifier: GPL-3.0-or-later
// The profile reader: accepted profiles read back the same after formatting.
#include "dictionary/data_profile.h"
#include "dictionary/field_codec.h"
#include "tests/fuzz/fuzz_target.h"
#include "text/cp1253.h"
#include "tools/encoders/field_encoders.h"

ZELVORAN_FUZZ_TARGET(profile) {
  const auto parsed = zelvoran::ParseProfile(data);
  FUZZ_CHECK(parsed.profile.has_value() != !parsed.error.empty());
  if (parsed.profile) {
    const auto again = zelvoran::ParseProfile(zelvoran::FormatProfile(*parsed.profile));
    FUZZ_CHECK(again.profile && *again.profile == *parsed.profile);
  }
}
