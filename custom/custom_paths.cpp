// SPDX-License-Identifier: GPL-3.0-or-later
#include "custom/custom_paths.h"

namespace zelvoran {

CustomPaths CustomPaths::In(const std::string& folder) {
  CustomPaths p;
  p.CustomEnglishTextsPath = folder + "ZelvoranC.tbo";
  p.CustomGreekTextsPath = folder + "ZelvoranHC.tbo";
  p.CustomEnglishIndexPath = folder + "ZelvoranIC.tbo";
  p.CustomGreekIndexPath = folder + "ZelvoranHIC.tbo";
  p.TempTextsPath = folder + "templex.tbo";
  p.TempIndexPath = folder + "tempi.tbo";
  return p;
}

}  // namespace zelvoran
