#include "search/lookup_engine.h"

#include "app/main_core.h"
#include "dictionary/cp1253.h"
#include "dictionary/field_codec.h"

namespace zelvoran {
namespace {

// The Greek small (34) and capital (33) letters that make a text Greek.
bool IsGreekLetter(unsigned char c) {
  static const std::string letters =
      Utf8ToCp1253("αβγδεζηθικλμνξοπρστυφχψωςάέήίόύώϊϋΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΆΈΉΊΌΎΏΪΫ");
  return letters.find(static_cast<char>(c)) != std::string::npos;
}

}  // namespace

// Placeholder body; the lookup engine replaces it.
void RunLookup(MainCore&, std::string_view, int32_t, std::string_view, bool) {}

bool IsGreekText(std::string_view text) {
  const std::string k = EnglishKey(text);
  return !k.empty() && IsGreekLetter(static_cast<unsigned char>(k[0]));
}

void SetDirection(MainCore& core, bool greek) {
  if (greek && core.CurrentDirection == kDirectionEnglish) {
    core.CurrentDirection = kDirectionGreek;
    core.view.SetLangPicture(true);
  } else if (!greek && core.CurrentDirection == kDirectionGreek) {
    core.CurrentDirection = kDirectionEnglish;
    core.view.SetLangPicture(false);
  }
  ActivateDirectionLayout(core);
}

void DirectionFromEntryText(MainCore& core) {
  const std::string text = core.view.EntryText();
  if (text.empty()) return;
  SetDirection(core, IsGreekLetter(static_cast<unsigned char>(text[0])));
}

void ClearEntryDisplay(MainCore& core) {
  core.view.SetHeadwordLabel("");
  core.List.Clear();
  core.view.ListRowsChanged();
  core.view.SetDescription("");
  core.view.SetModifyEntryEnabled(false);
  core.view.SetDeleteEntryEnabled(false);
}

// Placeholder body; the lookup engine replaces it.
bool EntryInCategory(const Dictionary&, int32_t, std::string_view, std::string_view) {
  return false;
}

}  // namespace zelvoran
