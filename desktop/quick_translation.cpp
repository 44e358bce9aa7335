// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/quick_translation.h"

#include "text/cp1253.h"

namespace zelvoran {

const std::string& ProgramTitle() {
  static const std::string text = "Zelvoran Glossa";
  return text;
}
const std::string& QuickApplicationTitle() {
  static const std::string text = Utf8ToCp1253("Γρήγορη Μετάφραση - Zelvoran Glossa");
  return text;
}
const std::string& QuickWindowCaption() {
  static const std::string text = Utf8ToCp1253("Zelvoran Glossa - Γρήγορη Μετάφραση");
  return text;
}
const std::string& AutoTranslateHintOff() {
  static const std::string text = Utf8ToCp1253("Γρήγορη Μετάφραση");
  return text;
}
const std::string& AutoTranslateHintOn() {
  static const std::string text = Utf8ToCp1253("Τερματισμός Γρήγορης Μετάφρασης");
  return text;
}

QuickModeTexts QuickModeTextsOf(bool on) {
  if (on) return {QuickApplicationTitle(), QuickWindowCaption(), AutoTranslateHintOn(), true};
  return {ProgramTitle(), ProgramTitle(), AutoTranslateHintOff(), false};
}

uint64_t ViewerAfter(uint64_t window, uint64_t next_viewer) {
  return next_viewer == window ? 0 : next_viewer;
}

ChainChange ChangeCbChainAt(uint64_t window, uint64_t next_viewer, uint64_t leaving,
                            uint64_t next) {
  if (leaving == next_viewer) return {next, 0};
  return {next_viewer, ViewerAfter(window, next_viewer)};
}

}  // namespace zelvoran
