// SPDX-License-Identifier: GPL-3.0-or-later
// Full-size synthetic data for the benchmarks, written once per run into a temporary program
// folder.
#pragma once

#include <string>
#include <vector>

namespace zelvoran::bench {

// Program folder (ending in "/") holding data/ with the synthetic dictionary.
const std::string& SyntheticProgramFolder();

// The bundled data's program folder, or empty when it has not been built.
std::string BundledProgramFolder();

// The words of the comparison with a dictd server, in UTF-8: beginnings for prefix matches and
// inner parts for substring matches, English and Greek. The in-process side looks up the same
// words, so both answer the same questions on the same content.
const std::vector<std::string>& PeerPrefixes();
const std::vector<std::string>& PeerInfixes();

}  // namespace zelvoran::bench
