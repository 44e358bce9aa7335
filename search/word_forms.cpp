// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/word_forms.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>

#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "dictionary/forms_file.h"
#include "dictionary/greek_inflection.h"
#include "search/greeklish.h"
#include "search/lookup_engine.h"
#include "search/lookup_index.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

unsigned char G(const char* utf8) {
  return static_cast<unsigned char>(Utf8ToCp1253(utf8)[0]);
}

struct GreekLetters {
  unsigned char alpha = G("α"), epsilon = G("ε"), eta = G("η"), iota = G("ι"), omicron = G("ο"),
                upsilon = G("υ"), omega = G("ω"), sigma = G("σ"), final_sigma = G("ς");
};
const GreekLetters& L() {
  static const GreekLetters letters;
  return letters;
}

// The comparison forms of the suggestions: Greek letters only, folded; English letters only,
// lower case.
std::string GreekPlainKey(std::string_view text) {
  return FoldForm(GreekKey(text));
}
std::string EnglishPlainKey(std::string_view text) {
  std::string out;
  for (char ch : text) {
    const char c = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
    if (c >= 'a' && c <= 'z') out.push_back(c);
  }
  return out;
}

std::string CollapseDoubles(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (out.empty() || out.back() != c) out.push_back(c);
  }
  return out;
}

// Whether a text begins with a capital letter.
bool IsCapital(std::string_view text) {
  const std::string_view t = TrimLeftBlanks(text);
  return !t.empty() &&
         CharLowerA(static_cast<unsigned char>(t[0])) != static_cast<unsigned char>(t[0]);
}

// The START form the lookup index keeps for a headword.
std::string StartForm(std::string_view text, bool greek) {
  const std::string_view t = TrimLeftBlanks(text);
  return greek ? CharLowerA(GreekKey(t)) : AsciiLower(t);
}

// Slots whose START form equals `form`, ascending.
std::vector<int32_t> SlotsWithStartForm(const DirectionForms& forms, std::string_view form) {
  const auto lo = std::lower_bound(
      forms.SortedByStart.begin(), forms.SortedByStart.end(), form,
      [&](int32_t slot, std::string_view f) { return forms.Start.Form(slot) < f; });
  std::vector<int32_t> out;
  for (auto it = lo; it != forms.SortedByStart.end() && forms.Start.Form(*it) == form; ++it) {
    out.push_back(*it);
  }
  return out;
}

uint32_t LetterMask(std::string_view key) {
  uint32_t m = 0;
  for (char c : key) m |= 1u << (static_cast<unsigned char>(c) & 31);
  return m;
}

bool IsVowel(unsigned char c) {
  return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == L().alpha ||
         c == L().epsilon || c == L().eta || c == L().iota || c == L().omicron ||
         c == L().upsilon || c == L().omega;
}

// The distance of a and b by insertions and deletions (`indel` each), substitutions
// (`substitution(x, y)` for x into y) and swaps of neighbours (1), each character edited at
// most once; bound + 1 as soon as it must exceed `bound`.
template <typename Substitution>
int BoundedAlignment(std::string_view a, std::string_view b, int bound, int indel,
                     Substitution substitution) {
  const size_t n = a.size(), m = b.size();
  if (bound < 0) return bound + 1;
  if ((n > m ? n - m : m - n) * static_cast<size_t>(indel) > static_cast<size_t>(bound)) {
    return bound + 1;
  }
  if (n > kWordFormsMaxBytes || m > kWordFormsMaxBytes) return bound + 1;
  std::array<std::array<int, kWordFormsMaxBytes + 2>, 3> rows{};
  auto* prev2 = &rows[0];
  auto* prev = &rows[1];
  auto* cur = &rows[2];
  for (size_t j = 0; j <= m; ++j) (*prev)[j] = static_cast<int>(j) * indel;
  for (size_t i = 1; i <= n; ++i) {
    (*cur)[0] = static_cast<int>(i) * indel;
    int row_min = (*cur)[0];
    for (size_t j = 1; j <= m; ++j) {
      const unsigned char x = static_cast<unsigned char>(a[i - 1]);
      const unsigned char y = static_cast<unsigned char>(b[j - 1]);
      const int sub = x == y ? 0 : substitution(x, y);
      int v = std::min({(*prev)[j] + indel, (*cur)[j - 1] + indel, (*prev)[j - 1] + sub});
      if (i > 1 && j > 1 && x == static_cast<unsigned char>(b[j - 2]) &&
          static_cast<unsigned char>(a[i - 2]) == y) {
        v = std::min(v, (*prev2)[j - 2] + 1);
      }
      (*cur)[j] = v;
      row_min = std::min(row_min, v);
    }
    if (row_min > bound) return bound + 1;
    std::swap(prev2, prev);
    std::swap(prev, cur);
  }
  return std::min((*prev)[m], bound + 1);
}

// Weighted distance of the plain keys, in half steps: a swap of neighbours or a vowel for a
// vowel costs 1, any other edit 2.
int WeightedDistance(std::string_view a, std::string_view b, int bound) {
  return BoundedAlignment(a, b, bound, 2, [](unsigned char x, unsigned char y) {
    return IsVowel(x) && IsVowel(y) ? 1 : 2;
  });
}

// Greek endings of inflected forms and the endings of the headwords they may come from, folded
// (final sigma as σ); tried where no generated form is known.
struct EndingRule {
  std::string ending;
  std::vector<std::string> heads;
};
const std::vector<EndingRule>& GreekEndingRules() {
  static const std::vector<EndingRule> rules = [] {
    const std::vector<std::pair<const char*, std::vector<const char*>>> text = {
        {"ματων", {"μα"}},
        {"ματα", {"μα"}},
        {"ματοσ", {"μα"}},
        {"σεισ", {"ση"}},
        {"σεων", {"ση"}},
        {"ξεισ", {"ξη"}},
        {"ψεισ", {"ψη"}},
        {"ομαστε", {"ομαι"}},
        {"ονται", {"ομαι"}},
        {"εσαι", {"ομαι"}},
        {"εται", {"ομαι"}},
        {"εστε", {"ομαι"}},
        {"ουμε", {"ω"}},
        {"οντασ", {"ω"}},
        {"ουνε", {"ω"}},
        {"ιου", {"ι"}},
        {"ιων", {"ι"}},
        {"εισ", {"ω", "ησ"}},
        {"ετε", {"ω"}},
        {"ουν", {"ω"}},
        {"αμε", {"ω"}},
        {"ατε", {"ω"}},
        {"ανε", {"ω"}},
        {"ουσ", {"οσ", "ο"}},
        {"ου", {"οσ", "ο", "ησ", "ασ"}},
        {"ων", {"οσ", "ο", "α", "η", "ι", "ασ", "ησ"}},
        {"οι", {"οσ"}},
        {"ει", {"ω"}},
        {"ια", {"ι"}},
        {"εσ", {"α", "η", "ασ", "ησ"}},
        {"ασ", {"α", "ω"}},
        {"ησ", {"η", "οσ"}},
        {"ε", {"οσ"}},
        {"η", {"οσ"}},
        {"α", {"ο", "οσ", "ι"}},
        {"ο", {"οσ"}},
    };
    std::vector<EndingRule> out;
    for (const auto& [ending, heads] : text) {
      EndingRule r{Utf8ToCp1253(ending), {}};
      for (const char* h : heads) r.heads.push_back(Utf8ToCp1253(h));
      out.push_back(std::move(r));
    }
    return out;
  }();
  return rules;
}

// English base candidates by the regular endings, best first.
std::vector<std::string> EnglishRuleCandidates(const std::string& w) {
  std::vector<std::string> out;
  auto add = [&](std::string c) {
    if (c.size() >= 2 && std::find(out.begin(), out.end(), c) == out.end()) out.push_back(c);
  };
  auto ends = [&](std::string_view e) { return w.size() > e.size() + 1 && w.ends_with(e); };
  auto cut = [&](size_t n) { return w.substr(0, w.size() - n); };
  const auto consonant = [](char c) {
    return c >= 'a' && c <= 'z' && c != 'a' && c != 'e' && c != 'i' && c != 'o' && c != 'u';
  };
  // A stem ending in one vowel between consonants ("hop", "car") more likely lost an "e"
  // ("hoping", "cared") than doubled nothing.
  const auto cvc = [&](const std::string& s) {
    const size_t n = s.size();
    if (n < 2 || !consonant(s[n - 1]) || s[n - 1] == 'w' || s[n - 1] == 'x' || s[n - 1] == 'y' ||
        consonant(s[n - 2])) {
      return false;
    }
    return n == 2 || consonant(s[n - 3]);
  };
  const auto doubled = [&](const std::string& s) {
    const size_t n = s.size();
    return n >= 3 && s[n - 1] == s[n - 2] && consonant(s[n - 1]);
  };
  for (std::string_view e : {"ies", "ied", "ier", "iest"}) {
    if (ends(e)) add(cut(e.size()) + "y");
  }
  if (ends("men")) add(cut(3) + "man");
  if (ends("es")) {
    const std::string stem = cut(2);
    if (stem.ends_with("s") || stem.ends_with("x") || stem.ends_with("z") || stem.ends_with("ch") ||
        stem.ends_with("sh")) {
      add(stem);
    }
  }
  if (ends("s") && !ends("ss")) add(cut(1));
  if (ends("es")) add(cut(2));
  for (std::string_view e : {"ing", "ed", "est", "er"}) {
    if (!ends(e)) continue;
    const std::string stem = cut(e.size());
    if (doubled(stem)) {
      add(stem.substr(0, stem.size() - 1));
      add(stem);
    } else if (cvc(stem)) {
      add(stem + "e");
      add(stem);
    } else {
      add(stem);
      add(stem + "e");
    }
  }
  if (ends("d") && w.ends_with("ed")) add(cut(1));  // "agreed" -> "agree"
  return out;
}

}  // namespace

std::string GreekSoundKey(std::string_view text) {
  const GreekLetters& g = L();
  const std::string s = GreekPlainKey(text);
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    const auto n = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
    if ((c == g.epsilon || c == g.omicron || c == g.upsilon) && n == g.iota) {
      out.push_back(static_cast<char>(g.iota));
      ++i;
    } else if (c == g.alpha && n == g.iota) {
      out.push_back(static_cast<char>(g.epsilon));
      ++i;
    } else if (c == g.omicron && n == g.upsilon) {
      out.push_back('u');  // ου is a sound of its own
      ++i;
    } else if ((c == g.alpha || c == g.epsilon) && n == g.upsilon) {
      out.push_back(static_cast<char>(c));
      out.push_back('v');  // αυ, ευ
      ++i;
    } else if (c == g.eta || c == g.upsilon) {
      out.push_back(static_cast<char>(g.iota));
    } else if (c == g.omega) {
      out.push_back(static_cast<char>(g.omicron));
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return CollapseDoubles(out);
}

std::string EnglishSoundKey(std::string_view text) {
  const std::string s = EnglishPlainKey(text);
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == 'p' && i + 1 < s.size() && s[i + 1] == 'h') {
      out.push_back('f');
      ++i;
    } else if (s[i] == 'c' && i + 1 < s.size() && s[i + 1] == 'k') {
      out.push_back('k');
      ++i;
    } else {
      out.push_back(s[i]);
    }
  }
  return CollapseDoubles(out);
}

int BoundedDamerauDistance(std::string_view a, std::string_view b, int bound) {
  return BoundedAlignment(a, b, bound, 1, [](unsigned char, unsigned char) { return 1; });
}

// One direction's tables: the user's own entries' generated forms, and the suggestion keys.
struct WordForms::Tables {
  struct UserForm {
    std::string fold;
    std::string form;
    int32_t slot;
  };
  std::vector<UserForm> user_forms;  // sorted by fold

  struct Candidate {
    uint32_t sound = 0;  // offset of the sound key in keys
    uint32_t plain = 0;  // offset of the plain key in keys
    uint8_t sound_len = 0;
    uint8_t plain_len = 0;
    uint32_t mask = 0;
    int32_t slot = 0;
    uint32_t weight = 0;  // length of the explanation: longer for the commoner words
  };
  std::string keys;
  std::vector<Candidate> candidates;                       // sorted by sound key length
  std::array<size_t, kWordFormsMaxBytes + 2> by_length{};  // first candidate of each length
  std::vector<uint32_t> by_plain;  // the candidates by plain key, for Greek typed in Latin

  std::string_view Sound(const Candidate& c) const {
    return std::string_view(keys).substr(c.sound, c.sound_len);
  }
  std::string_view Plain(const Candidate& c) const {
    return std::string_view(keys).substr(c.plain, c.plain_len);
  }
};

WordForms::WordForms(const Dictionary& dict, std::shared_ptr<const LookupIndex> lookup)
    : dict_(dict), lookup_(std::move(lookup)), generation_(dict.IndexGeneration) {}

WordForms::~WordForms() = default;

bool WordForms::IsStale(const Dictionary& dict) const {
  return &dict != &dict_ || generation_ != dict.IndexGeneration || lookup_->IsStale(dict);
}

const WordForms::Tables& WordForms::Of(bool greek) const {
  std::unique_ptr<Tables>& t = tables_[greek ? 1 : 0];
  if (t) return *t;
  t = std::make_unique<Tables>();
  const HeadwordIndex& index = dict_.Index(greek);
  const int32_t end = lookup_->Of(greek).End;
  std::vector<Tables::Candidate> cands;
  for (int32_t slot = 1; slot < end; ++slot) {
    const HeadwordRecord& rec = index.Slot(slot);
    const std::string_view h = TrimBlanks(rec.Headword);
    if (greek && rec.Origin == Origin::kOwn) {
      for (std::string& f : GreekInflectedForms(h, GreekPartOfSpeech::kUnknown)) {
        t->user_forms.push_back({FoldForm(f), std::move(f), slot});
      }
    }
    if (h.empty() || h.find(' ') != std::string_view::npos) continue;
    const std::string plain = greek ? GreekPlainKey(h) : EnglishPlainKey(h);
    const std::string sound = greek ? GreekSoundKey(h) : EnglishSoundKey(h);
    if (plain.size() < 2 || plain.size() > kWordFormsMaxBytes || sound.empty()) continue;
    Tables::Candidate c;
    c.sound = static_cast<uint32_t>(t->keys.size());
    c.sound_len = static_cast<uint8_t>(sound.size());
    t->keys += sound;
    c.plain = static_cast<uint32_t>(t->keys.size());
    c.plain_len = static_cast<uint8_t>(plain.size());
    t->keys += plain;
    c.mask = LetterMask(sound);
    c.slot = slot;
    c.weight = rec.TextLength;
    cands.push_back(c);
  }
  std::stable_sort(cands.begin(), cands.end(),
                   [](const auto& a, const auto& b) { return a.sound_len < b.sound_len; });
  t->candidates = std::move(cands);
  size_t i = 0;
  for (size_t len = 0; len < t->by_length.size(); ++len) {
    while (i < t->candidates.size() && t->candidates[i].sound_len < len) ++i;
    t->by_length[len] = i;
  }
  std::sort(t->user_forms.begin(), t->user_forms.end(),
            [](const auto& a, const auto& b) { return a.fold < b.fold; });
  if (greek) {
    t->by_plain.resize(t->candidates.size());
    for (uint32_t c = 0; c < t->by_plain.size(); ++c) t->by_plain[c] = c;
    std::stable_sort(t->by_plain.begin(), t->by_plain.end(), [&](uint32_t a, uint32_t b) {
      return t->Plain(t->candidates[a]) < t->Plain(t->candidates[b]);
    });
  }
  return *t;
}

bool WordForms::IsHeadword(std::string_view word) const {
  const std::string_view w = TrimBlanks(UpToNul(word));
  if (w.empty() || w.size() > kHeadwordMax) return false;
  const bool greek = IsGreekText(w);
  return !SlotsWithStartForm(lookup_->Of(greek), StartForm(w, greek)).empty();
}

std::vector<BaseForm> WordForms::BaseForms(std::string_view word) const {
  std::vector<BaseForm> out;
  const std::string_view w = TrimBlanks(UpToNul(word));
  if (w.empty() || w.size() > kWordFormsMaxBytes) return out;
  for (char c : w) {
    if (static_cast<unsigned char>(c) <= 32) return out;
  }
  const bool greek = IsGreekText(w);
  const std::string lower = CharLowerA(w);
  const DirectionForms& forms = lookup_->Of(greek);
  const HeadwordIndex& index = dict_.Index(greek);
  const std::string own_start = StartForm(w, greek);

  auto add_slot = [&](int32_t slot, BaseFormKind kind) {
    const HeadwordRecord& rec = index.Slot(slot);
    if (forms.Start.Form(slot) == own_start) return;  // the word itself
    const std::string lower_head = CharLowerA(TrimBlanks(rec.Headword));
    for (const BaseForm& b : out) {
      if (b.slot == slot || CharLowerA(TrimBlanks(b.headword)) == lower_head) return;
    }
    out.push_back(BaseForm{greek, slot, rec.Headword, kind});
  };
  // A base named by its text: the headwords spelt so (Greek accents included).
  auto add_base = [&](std::string_view base, BaseFormKind kind) {
    const std::string lower_base = CharLowerA(base);
    for (int32_t slot : SlotsWithStartForm(forms, StartForm(base, greek))) {
      if (greek && CharLowerA(TrimBlanks(index.Slot(slot).Headword)) != lower_base) continue;
      add_slot(slot, kind);
    }
  };

  if (dict_.Forms) {
    for (const FormMatch& m : dict_.Forms->Find(greek, lower)) {
      if (!greek && m.form != lower) continue;
      const BaseFormKind kind =
          m.form == lower ? BaseFormKind::kGenerated : BaseFormKind::kGeneratedFolded;
      for (std::string_view b : m.bases) add_base(b, kind);
    }
  }
  if (greek) {
    const Tables& t = Of(true);
    const std::string fold = FoldForm(lower);
    auto it = std::lower_bound(t.user_forms.begin(), t.user_forms.end(), fold,
                               [](const auto& u, const std::string& f) { return u.fold < f; });
    for (; it != t.user_forms.end() && it->fold == fold; ++it) {
      add_slot(it->slot,
               it->form == lower ? BaseFormKind::kGenerated : BaseFormKind::kGeneratedFolded);
    }
  }
  // A learned form the forms do not hold (an internal augment, a learned passive, a
  // comparison, a learned genitive): its readings among the forms and the headwords.
  if (greek && out.empty()) {
    for (const std::string& r : GreekLearnedReadings(lower)) {
      if (dict_.Forms) {
        for (const FormMatch& m : dict_.Forms->Find(true, r)) {
          for (std::string_view b : m.bases) add_base(b, BaseFormKind::kRule);
        }
      }
      for (int32_t slot : SlotsWithStartForm(forms, r)) add_slot(slot, BaseFormKind::kRule);
    }
  }
  // The regular English endings are tried for every word ("glasses" is a headword and a form
  // of "glass"); the Greek changes of ending only where nothing else is known.
  const bool is_headword = !SlotsWithStartForm(forms, own_start).empty();
  if (!greek || (out.empty() && !is_headword)) {
    if (greek) {
      const std::string s = GreekPlainKey(w);
      for (const EndingRule& r : GreekEndingRules()) {
        if (s.size() < r.ending.size() + 2 || !s.ends_with(r.ending)) continue;
        const std::string stem = s.substr(0, s.size() - r.ending.size());
        for (const std::string& h : r.heads) {
          std::string cand = stem + h;
          if (static_cast<unsigned char>(cand.back()) == L().sigma) {
            cand.back() = static_cast<char>(L().final_sigma);
          }
          for (int32_t slot : SlotsWithStartForm(forms, cand)) add_slot(slot, BaseFormKind::kRule);
        }
      }
    } else {
      for (const std::string& cand : EnglishRuleCandidates(AsciiLower(w))) {
        for (int32_t slot : SlotsWithStartForm(forms, cand)) add_slot(slot, BaseFormKind::kRule);
      }
    }
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const BaseForm& a, const BaseForm& b) { return a.kind < b.kind; });
  return out;
}

std::vector<Suggestion> WordForms::Suggest(std::string_view word, size_t max) const {
  std::vector<Suggestion> out;
  const std::string_view w = TrimBlanks(UpToNul(word));
  if (w.empty() || w.size() > kWordFormsMaxBytes || max == 0) return out;
  const bool greek = IsGreekText(w);
  const std::string plain = greek ? GreekPlainKey(w) : EnglishPlainKey(w);
  const std::string sound = greek ? GreekSoundKey(w) : EnglishSoundKey(w);
  if (plain.size() < 2 || sound.empty()) return out;
  const int bound = sound.size() <= 4 ? 1 : sound.size() <= 8 ? 2 : 3;
  const uint32_t mask = LetterMask(sound);
  const Tables& t = Of(greek);
  const HeadwordIndex& index = dict_.Index(greek);
  const bool capital = IsCapital(w);
  struct Scored {
    int distance;
    int weighted;
    int first_letter;  // 0 when the first letters agree
    int capital;       // 0 when the headword begins in capital as the word does, or not
    uint32_t weight;
    int32_t slot;
  };
  std::vector<Scored> found;
  const size_t lo_len = sound.size() > static_cast<size_t>(bound) ? sound.size() - bound : 0;
  const size_t hi_len = std::min(sound.size() + static_cast<size_t>(bound), kWordFormsMaxBytes);
  for (size_t i = t.by_length[lo_len]; i < t.by_length[hi_len + 1]; ++i) {
    const Tables::Candidate& c = t.candidates[i];
    if (std::popcount(c.mask ^ mask) > 2 * bound) continue;
    const int d = BoundedDamerauDistance(sound, t.Sound(c), bound);
    if (d > bound) continue;
    const std::string_view p = t.Plain(c);
    if (p == plain) continue;  // the word itself
    const int wd = WeightedDistance(plain, p, 4 * bound + 4);
    const bool capital_head = IsCapital(index.Slot(c.slot).Headword);
    found.push_back(
        {d, wd, p[0] == plain[0] ? 0 : 1, capital_head == capital ? 0 : 1, c.weight, c.slot});
  }
  std::sort(found.begin(), found.end(), [](const Scored& a, const Scored& b) {
    if (a.distance != b.distance) return a.distance < b.distance;
    if (a.weighted != b.weighted) return a.weighted < b.weighted;
    if (a.capital != b.capital) return a.capital < b.capital;
    if (a.first_letter != b.first_letter) return a.first_letter < b.first_letter;
    if (a.weight != b.weight) return a.weight > b.weight;
    return a.slot < b.slot;
  });
  for (const Scored& s : found) {
    const std::string& h = index.Slot(s.slot).Headword;
    const bool seen = std::any_of(out.begin(), out.end(), [&](const Suggestion& o) {
      return CharLowerA(o.headword) == CharLowerA(h);
    });
    if (seen) continue;
    out.push_back(Suggestion{greek, s.slot, h, s.distance});
    if (out.size() >= max) break;
  }
  if (!greek) return WithGreeklish(w, std::move(out), max);
  return out;
}

namespace {

// The plain keys of the Greek suggestion table in their order.
class PlainKeys : public SortedKeys {
 public:
  PlainKeys(const std::vector<uint32_t>& order,
            const std::function<std::string_view(uint32_t)>& key)
      : order_(order), key_(key) {}
  size_t Count() const override { return order_.size(); }
  std::string_view Key(size_t index) const override { return key_(order_[index]); }

 private:
  const std::vector<uint32_t>& order_;
  const std::function<std::string_view(uint32_t)>& key_;
};

}  // namespace

// Ranks of the suggestions of a word in Latin letters, the lower the better: an English
// headword within `distance` edits ranks 4 × distance; a Greek headword the word spells ranks
// 1 + the cost of the spelling, so it comes after an English one that differs only in doubled
// letters and before one a letter away, unless the spelling is a rare one; a Greek form it
// spells leads to its headword at 3 + 2 × cost; a Greek headword close to its spelling at
// 3 + 4 × distance + cost. English comes first where the ranks are equal; among Greek ones of
// one rank, words before names, then the commoner (the longer explanation).
std::vector<Suggestion> WordForms::WithGreeklish(std::string_view word,
                                                 std::vector<Suggestion> english,
                                                 size_t max) const {
  const std::string latin = GreeklishLetters(word);
  if (latin.size() < 3) return english;
  const Tables& t = Of(true);
  const HeadwordIndex& index = dict_.Index(true);
  struct Ranked {
    int rank;
    int order;  // English first, then Greek by cost and by weight
    Suggestion s;
  };
  std::vector<Ranked> ranked;
  for (size_t i = 0; i < english.size(); ++i) {
    ranked.push_back({4 * english[i].distance, static_cast<int>(i), std::move(english[i])});
  }
  struct Greek {
    int rank;
    uint32_t weight;
    int32_t slot;
    int distance;
    bool capital = false;
  };
  std::vector<Greek> greek;
  const std::function<std::string_view(uint32_t)> key = [&](uint32_t c) {
    return t.Plain(t.candidates[c]);
  };
  const PlainKeys keys(t.by_plain, key);
  int best_key = 1 << 20;
  int forms_tried = 0;
  for (const GreeklishReading& r : ReadGreeklish(latin, keys)) {
    if (r.key) {
      best_key = std::min(best_key, r.cost);
      auto lo = std::lower_bound(t.by_plain.begin(), t.by_plain.end(), r.greek,
                                 [&](uint32_t c, const std::string& g) { return key(c) < g; });
      for (; lo != t.by_plain.end() && key(*lo) == r.greek; ++lo) {
        const Tables::Candidate& c = t.candidates[*lo];
        greek.push_back({1 + r.cost, c.weight, c.slot, 0});
      }
    } else if (dict_.Forms && forms_tried < 8) {
      ++forms_tried;
      for (const FormMatch& m : dict_.Forms->Find(true, r.greek)) {
        for (std::string_view b : m.bases) {
          const std::string lower_base = CharLowerA(b);
          for (int32_t slot : SlotsWithStartForm(lookup_->Of(true), StartForm(b, true))) {
            if (CharLowerA(TrimBlanks(index.Slot(slot).Headword)) != lower_base) continue;
            greek.push_back({3 + 2 * r.cost, index.Slot(slot).TextLength, slot, 0});
          }
        }
      }
    }
  }
  const bool english_close =
      std::any_of(ranked.begin(), ranked.end(), [](const Ranked& r) { return r.rank <= 4; });
  if (best_key > 2 && !english_close) {
    // Misspelt as well, and no English word is a letter away: the Greek headwords spelt like
    // the likeliest spellings.
    for (const GreeklishReading& r : SpellGreeklish(latin)) {
      for (const Suggestion& s : Suggest(r.greek, max)) {
        greek.push_back(
            {3 + 4 * s.distance + r.cost, index.Slot(s.slot).TextLength, s.slot, s.distance});
      }
    }
  }
  for (Greek& g : greek) g.capital = IsCapital(index.Slot(g.slot).Headword);
  std::stable_sort(greek.begin(), greek.end(), [](const Greek& a, const Greek& b) {
    if (a.rank != b.rank) return a.rank < b.rank;
    if (a.capital != b.capital) return b.capital;
    if (a.weight != b.weight) return a.weight > b.weight;
    return a.slot < b.slot;
  });
  for (const Greek& g : greek) {
    const std::string& h = index.Slot(g.slot).Headword;
    ranked.push_back(
        {g.rank, static_cast<int>(ranked.size()), Suggestion{true, g.slot, h, g.distance}});
  }
  std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
    if (a.rank != b.rank) return a.rank < b.rank;
    return a.order < b.order;
  });
  std::vector<Suggestion> out;
  for (Ranked& r : ranked) {
    const bool seen = std::any_of(out.begin(), out.end(), [&](const Suggestion& o) {
      return o.greek == r.s.greek && CharLowerA(o.headword) == CharLowerA(r.s.headword);
    });
    if (seen) continue;
    out.push_back(std::move(r.s));
    if (out.size() >= max) break;
  }
  return out;
}

std::shared_ptr<WordForms> FreshWordForms(const Dictionary& dict,
                                          std::shared_ptr<const LookupIndex> lookup,
                                          std::shared_ptr<WordForms> current) {
  if (!current || current->IsStale(dict)) return std::make_shared<WordForms>(dict, lookup);
  return current;
}

}  // namespace zelvoran
