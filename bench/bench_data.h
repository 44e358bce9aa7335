// Full-size synthetic data for the benchmarks, written once per run into a temporary program
// folder.
#pragma once

#include <string>

namespace zelvoran::bench {

// Program folder (ending in "/") holding data/ with the synthetic dictionary.
const std::string& SyntheticProgramFolder();

// The bundled data's program folder, or empty when it has not been built.
std::string BundledProgramFolder();

}  // namespace zelvoran::bench
