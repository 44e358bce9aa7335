// SPDX-License-Identifier: GPL-3.0-or-later
// The fast lookup against a plain transcription of the scan it replaces, on random keys over
// a full-size dictionary: the bundled data when it has been built, else the synthetic data.
#include <filesystem>
#include <random>

#include "app/lookup_presenter.h"
#include "platform/linux/posix_file_system.h"
#include "platform/native/native_file_system.h"
#include "search/lookup_engine.h"
#include "tests/unit/lookup_fixture.h"
#include "tools/dictc/synthetic.h"

namespace zelvoran::testing {
namespace {

using ScanRows = std::vector<std::pair<std::string, int32_t>>;

// Every record visited, its candidate form rebuilt, compared as the scan compares.
class PlainScan {
 public:
  PlainScan(const Dictionary& dict, bool greek) : dict_(dict), greek_(greek) {
    const HeadwordIndex& index = dict.Index(greek);
    for (int i = 1; i <= index.Count() && index.Slot(i).EntryNumber != 0; ++i) {
      std::string h(TrimLeftBlanks(index.Slot(i).Headword));
      if (greek) {
        match_.push_back(GreekKey(h));
        start_.push_back(CharLowerA(match_.back()));
      } else {
        for (char& c : h) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        match_.push_back(h);
        start_.push_back(h);
      }
    }
  }

  ScanRows Run(const std::string& mode, const std::string& text,
               const std::string& category) const {
    std::string key = greek_ ? GreekKey(text) : std::string(TrimBlanks(text));
    if (!greek_) {
      for (char& c : key) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    ScanRows rows;
    auto add = [&](size_t i) {
      const int32_t slot = static_cast<int32_t>(i + 1);
      if (rows.size() >= static_cast<size_t>(kResultLimit)) return;
      if (!category.empty() &&
          !EntryInCategory(dict_, RowRef{greek_ ? Direction::kGreek : Direction::kEnglish, slot},
                           category))
        return;
      rows.emplace_back(RowText(dict_.Index(greek_).Slot(slot)), slot);
    };
    if (mode == "START") {
      const unsigned char c = key.empty() ? 0 : static_cast<unsigned char>(key[0]);
      const auto& t = dict_.Profile.letters;
      const int s = (greek_ ? t.GreekStart(c) : t.EnglishStart(c)).value_or(1);
      for (size_t n = key.size(); n > 0 && rows.empty(); --n) {
        for (size_t i = static_cast<size_t>(std::max(s, 1) - 1); i < start_.size(); ++i) {
          if (start_[i].substr(0, n) == key.substr(0, n)) add(i);
        }
      }
    } else if (mode == "CONTAIN") {
      for (size_t i = 0; i < match_.size(); ++i) {
        std::string f = match_[i];
        const size_t at = f.find(key);
        if (at != std::string::npos) f.replace(at, key.size(), "@");
        if (f.find('@') != std::string::npos) add(i);
      }
    } else if (mode == "END") {
      for (size_t i = 0; i < match_.size(); ++i) {
        const std::string& f = match_[i];
        if (f.size() >= key.size() && f.substr(f.size() - key.size()) == key) add(i);
      }
    }
    return rows;
  }

 private:
  const Dictionary& dict_;
  bool greek_;
  std::vector<std::string> start_, match_;
};

class LookupScanTest : public CoreFixture {
 protected:
  void SetUp() override {
    const std::string bundled = std::string(ZELVORAN_PROGRAM_DIR) + "/data/ZelvoranI.tbo";
    if (std::filesystem::exists(bundled)) {
      posix_ = std::make_unique<NativeFileSystem>();
      ProgramState& s = state;
      s.ProgramFolder = std::string(ZELVORAN_PROGRAM_DIR) + "/";
      s.Paths = CustomPaths{};
      LoadDictionary(*posix_, s);
    } else {
      Load(dictc::MakeSyntheticDataSet());
    }
    ASSERT_GT(state.Dict.EnglishIndex.Count(), 1000);
    ASSERT_GT(state.Dict.GreekIndex.Count(), 1000);
  }

  ScanRows Fast(const std::string& mode, const std::string& text, const std::string& category) {
    {
      SuppressEntryChangeScope quiet(core);
      view.SetEntryText(text);
    }
    RunLookup(core, *ParseSearchMode(mode), 0, category, false);
    ScanRows rows;
    for (int i = 0; i < core.List.Count(); ++i) {
      rows.emplace_back(core.List.Items[static_cast<size_t>(i)].text,
                        core.List.Items[static_cast<size_t>(i)].ref.slot);
    }
    return rows;
  }

  std::unique_ptr<NativeFileSystem> posix_;
};

TEST_F(LookupScanTest, FastLookupGivesThePlainScansRowsOnRandomKeys) {
  const PlainScan english(state.Dict, false), greek(state.Dict, true);
  std::vector<std::string> fields;
  for (const AbbreviationRecord& a : state.Dict.AbbreviationTable) {
    if (a.IsSubjectField) fields.push_back(a.Abbreviation);
  }
  std::mt19937 rng(1234);
  auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
  const std::string extra = W("qzxάΈσςΣ -'.") + "Ab";
  int compared = 0;
  int nonempty = 0;
  for (int round = 0; round < 240; ++round) {
    const bool in_greek = round % 2 == 1;
    const HeadwordIndex& index = state.Dict.Index(in_greek);
    std::string h =
        index.Slot(static_cast<int64_t>(1 + pick(static_cast<size_t>(index.Count())))).Headword;
    std::string text = h.substr(0, 1 + pick(h.size()));
    for (size_t k = pick(4); k > 0; --k) text += extra[pick(extra.size())];
    if (pick(3) == 0) text = CharLowerA(text);
    if (pick(5) == 0) text = std::string(TrimLeftBlanks(text));
    const char* mode = round % 6 < 4 ? "START" : round % 6 == 4 ? "CONTAIN" : "END";
    std::string category;
    if (!fields.empty() && pick(6) == 0) category = fields[pick(fields.size())];
    ScanRows fast = Fast(mode, text, category);
    const bool greek_text = !text.empty() && core.CurrentDirection == Direction::kGreek;
    const ScanRows plain = (greek_text ? greek : english).Run(mode, text, category);
    ASSERT_EQ(fast, plain) << mode << " \"" << Cp1253ToUtf8(text) << "\" in "
                           << Cp1253ToUtf8(category);
    ++compared;
    nonempty += plain.empty() ? 0 : 1;
  }
  EXPECT_EQ(compared, 240);
  EXPECT_GT(nonempty, 150);  // the keys mostly find something, so rows are compared
}

}  // namespace
}  // namespace zelvoran::testing
