// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/greeklish.h"

#include <algorithm>
#include <array>
#include <utility>

#include "text/cp1253.h"

namespace zelvoran {
namespace {

// How Greek letters are typed in Latin ones, each with its cost: 0 for the usual way, more for
// the rarer. Phonetic (th, ch, ps, ks, i for every ι sound, o for ω, ou, b for μπ, d for ντ,
// f and ph) and visual (8 for θ, 3 for ξ, w for ω, u and y for υ, h for η, x for χ, v for ν)
// conventions together.
struct RuleText {
  const char* latin;
  const char* greek;  // UTF-8
  int cost;
};

constexpr RuleText kRuleText[] = {
    {"a", "α", 0},   {"b", "β", 0},   {"b", "μπ", 1},  {"c", "κ", 1},   {"c", "σ", 1},
    {"d", "δ", 0},   {"d", "ντ", 1},  {"e", "ε", 0},   {"e", "αι", 1},  {"e", "η", 2},
    {"f", "φ", 0},   {"g", "γ", 0},   {"g", "γκ", 1},  {"g", "γγ", 1},  {"h", "η", 0},
    {"h", "χ", 0},   {"i", "ι", 0},   {"i", "η", 0},   {"i", "υ", 1},   {"i", "ει", 1},
    {"i", "οι", 1},  {"i", "υι", 2},  {"j", "τζ", 1},  {"j", "ξ", 2},   {"k", "κ", 0},
    {"l", "λ", 0},   {"m", "μ", 0},   {"n", "ν", 0},   {"n", "η", 2},   {"o", "ο", 0},
    {"o", "ω", 0},   {"p", "π", 0},   {"p", "ρ", 3},   {"q", "κ", 2},   {"r", "ρ", 0},
    {"s", "σ", 0},   {"t", "τ", 0},   {"u", "ου", 0},  {"u", "υ", 0},   {"v", "β", 0},
    {"v", "ν", 2},   {"w", "ω", 0},   {"x", "χ", 0},   {"x", "ξ", 0},   {"y", "υ", 0},
    {"y", "ι", 1},   {"y", "η", 2},   {"y", "γ", 1},   {"z", "ζ", 0},   {"0", "θ", 1},
    {"0", "ο", 2},   {"3", "ξ", 0},   {"8", "θ", 0},   {"9", "θ", 2},   {"th", "θ", 0},
    {"ch", "χ", 0},  {"kh", "χ", 0},  {"ph", "φ", 0},  {"ps", "ψ", 0},  {"ks", "ξ", 0},
    {"cs", "ξ", 1},  {"dh", "δ", 0},  {"gh", "γ", 1},  {"ck", "κ", 1},  {"av", "αυ", 0},
    {"af", "αυ", 0}, {"ev", "ευ", 0}, {"ef", "ευ", 0}, {"nk", "γκ", 1}, {"ng", "γγ", 1},
    {"ng", "γκ", 1}, {"eu", "εφ", 2}, {"au", "αφ", 2},
};

// Greek consonants that are written double, and what a doubled one costs when the Latin has
// one letter (θάλασα for θάλασσα is the likelier slip).
constexpr std::string_view kDoubled = "λμνπρστκ";

struct Rule {
  std::string latin;
  std::string greek;  // Windows-1253
  int cost;
};

struct Rules {
  std::array<std::vector<Rule>, 128> by_first;  // by the first Latin letter
};

const Rules& TheRules() {
  static const Rules* rules = [] {
    auto* r = new Rules();
    const std::string doubled = Utf8ToCp1253(kDoubled);
    for (const RuleText& t : kRuleText) {
      Rule rule{t.latin, Utf8ToCp1253(t.greek), t.cost};
      const bool single = rule.latin.size() == 1 && rule.greek.size() == 1 &&
                          doubled.find(rule.greek[0]) != std::string::npos;
      if (single) {
        // one Latin letter for a double Greek one, and two Latin letters for a single one
        r->by_first[static_cast<unsigned char>(rule.latin[0])].push_back(
            {rule.latin, rule.greek + rule.greek, rule.cost + 1});
        r->by_first[static_cast<unsigned char>(rule.latin[0])].push_back(
            {rule.latin + rule.latin, rule.greek, rule.cost + 1});
      }
      r->by_first[static_cast<unsigned char>(rule.latin[0])].push_back(std::move(rule));
    }
    return r;
  }();
  return *rules;
}

struct State {
  std::string greek;
  size_t lo = 0;  // the keys beginning with `greek`: [lo, hi)
  size_t hi = 0;
  int off = 0;  // letters past the keys
  int cost = 0;
};

// The first index of [lo, hi) where `pred` turns false (it holds on a beginning of the range).
template <typename Pred>
size_t PartitionPoint(size_t lo, size_t hi, Pred pred) {
  while (lo < hi) {
    const size_t m = lo + (hi - lo) / 2;
    if (pred(m)) {
      lo = m + 1;
    } else {
      hi = m;
    }
  }
  return lo;
}

// The keys of [lo, hi) that go on with `more` after their first `depth` letters (all of them
// begin with the same `depth` letters).
std::pair<size_t, size_t> Narrow(const SortedKeys& keys, size_t lo, size_t hi, size_t depth,
                                 std::string_view more) {
  auto next = [&](size_t i) {
    const std::string_view k = keys.Key(i);
    return k.substr(std::min(depth, k.size()), more.size());
  };
  const size_t first = PartitionPoint(lo, hi, [&](size_t i) { return next(i) < more; });
  return {first, PartitionPoint(first, hi, [&](size_t i) { return next(i) <= more; })};
}

// Keeps the `beam` cheapest states of each kind (on the keys, off them), one per spelling.
void Prune(std::vector<State>& states, size_t beam) {
  std::sort(states.begin(), states.end(), [](const State& a, const State& b) {
    if (a.greek != b.greek) return a.greek < b.greek;
    if ((a.off > 0) != (b.off > 0)) return a.off == 0;
    return a.cost < b.cost;
  });
  states.erase(std::unique(states.begin(), states.end(),
                           [](const State& a, const State& b) { return a.greek == b.greek; }),
               states.end());
  std::stable_sort(states.begin(), states.end(), [](const State& a, const State& b) {
    if (a.cost != b.cost) return a.cost < b.cost;
    return a.greek < b.greek;
  });
  size_t on = 0, off = 0;
  std::vector<State> kept;
  kept.reserve(std::min(states.size(), beam * 2));
  for (State& s : states) {
    size_t& count = s.off > 0 ? off : on;
    if (count >= (s.off > 0 ? beam / 2 : beam)) continue;
    ++count;
    kept.push_back(std::move(s));
  }
  states = std::move(kept);
}

std::vector<GreeklishReading> Read(std::string_view latin, const SortedKeys* keys, size_t max,
                                   size_t beam) {
  std::vector<GreeklishReading> out;
  if (latin.empty() || latin.size() > kGreeklishMaxLetters || max == 0) return out;
  const Rules& rules = TheRules();
  const size_t n = latin.size();
  std::vector<std::vector<State>> at(n + 1);
  at[0].push_back(State{"", 0, keys ? keys->Count() : 0, 0, 0});
  for (size_t pos = 0; pos < n; ++pos) {
    if (at[pos].empty()) continue;
    Prune(at[pos], beam);
    const unsigned char first = static_cast<unsigned char>(latin[pos]);
    if (first >= 128) return out;
    for (const State& s : at[pos]) {
      for (const Rule& r : rules.by_first[first]) {
        if (latin.substr(pos, r.latin.size()) != r.latin) continue;
        State next;
        next.greek = s.greek + r.greek;
        next.cost = s.cost + r.cost;
        if (keys && s.off == 0) {
          const auto [lo, hi] = Narrow(*keys, s.lo, s.hi, s.greek.size(), r.greek);
          if (lo < hi) {
            next.lo = lo;
            next.hi = hi;
          } else if (s.greek.size() >= 3 &&
                     r.greek.size() <= static_cast<size_t>(kGreeklishOffKeyLetters)) {
            next.off = static_cast<int>(r.greek.size());
          } else {
            continue;
          }
        } else if (keys) {
          next.off = s.off + static_cast<int>(r.greek.size());
          if (next.off > kGreeklishOffKeyLetters) continue;
        }
        at[pos + r.latin.size()].push_back(std::move(next));
      }
    }
    at[pos].clear();
    at[pos].shrink_to_fit();
  }
  std::vector<State>& last = at[n];
  Prune(last, beam);
  for (State& s : last) {
    const bool key = keys && s.off == 0 && s.lo < s.hi && keys->Key(s.lo).size() == s.greek.size();
    out.push_back(GreeklishReading{std::move(s.greek), s.cost, key});
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const GreeklishReading& a, const GreeklishReading& b) {
                     if (a.cost != b.cost) return a.cost < b.cost;
                     return a.key && !b.key;
                   });
  if (out.size() > max) out.resize(max);
  return out;
}

}  // namespace

std::string GreeklishLetters(std::string_view word) {
  std::string out;
  bool letter = false;
  for (char ch : word) {
    const char c = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
    if (c >= 'a' && c <= 'z') {
      letter = true;
      out.push_back(c);
    } else if (c >= '0' && c <= '9') {
      out.push_back(c);
    } else if (c != '\'' && c != '-') {
      return {};
    }
    if (out.size() > kGreeklishMaxLetters) return {};
  }
  return letter ? out : std::string();
}

std::vector<GreeklishReading> ReadGreeklish(std::string_view latin, const SortedKeys& keys,
                                            size_t max, size_t beam) {
  return Read(latin, &keys, max, beam);
}

std::vector<GreeklishReading> SpellGreeklish(std::string_view latin, size_t max, size_t beam) {
  return Read(latin, nullptr, max, beam);
}

}  // namespace zelvoran
