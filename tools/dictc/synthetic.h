// SPDX-License-Identifier: GPL-3.0-or-later
// A deterministic synthetic dictionary of the delivered size: exactly the built-in DataCounts
// and LetterStartTable, explanations of realistic lengths, subject fields and "MULTI" entries
// with their links. The benchmarks run on it.
#pragma once

#include <cstdint>

#include "tools/dictc/data_writer.h"

namespace zelvoran::dictc {

DataSet MakeSyntheticDataSet(uint64_t seed = 20261208);

}  // namespace zelvoran::dictc
