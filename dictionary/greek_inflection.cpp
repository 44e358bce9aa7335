// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/greek_inflection.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <unordered_map>
#include <utility>

#include "text/cp1253.h"

// Words are handled as UTF-16 strings of unaccented lower-case letters plus the index of the
// accented letter; the final sigma is stored as σ and written back as ς. Each rule strips the
// lemma's ending and attaches the endings of its paradigm, placing the accent by the rule of
// the form: kept where the lemma had it (no further back than the third or second syllable from
// the end), on the ending where the ending is written accented or the lemma was stressed on
// its ending, or on the third syllable from the end for the past tenses (with the augment ε-
// or η- where the word would be too short to carry it).

namespace zelvoran {
namespace {

using U = std::u16string;
using UV = std::u16string_view;

constexpr UV kAccentedVowels = u"άέήίόύώΐΰ";
constexpr UV kPlainVowels = u"αεηιουωϊϋ";

bool IsPlainVowel(char16_t c) {
  // α ε η ι ο υ ω ϊ ϋ as bits from α (U+03B1)
  constexpr uint32_t kMask = (1u << 0) | (1u << 4) | (1u << 6) | (1u << 8) | (1u << 14) |
                             (1u << 20) | (1u << 24) | (1u << 25) | (1u << 26);
  const unsigned offset = static_cast<unsigned>(c) - 0x3B1u;
  return offset < 27 && ((kMask >> offset) & 1u) != 0;
}
bool IsAccented(char16_t c) {
  return (c >= u'ά' && c <= u'ί') || (c >= u'ό' && c <= u'ώ') || c == u'ΐ' || c == u'ΰ';
}
char16_t Plain(char16_t c) {
  const size_t p = kAccentedVowels.find(c);
  return p == UV::npos ? c : kPlainVowels[p];
}
char16_t WithAccent(char16_t c) {
  const size_t p = kPlainVowels.find(c);
  return p == UV::npos ? c : kAccentedVowels[p];
}
bool IsGreekLower(char16_t c) {
  return (c >= u'α' && c <= u'ω') || IsAccented(c) || c == u'ϊ' || c == u'ϋ';
}

struct Word {
  U s;           // unaccented letters, σ for every sigma
  int acc = -1;  // index of the accented letter, -1 for none
};

Word Parse(UV text) {
  Word w;
  w.s.reserve(text.size() + 8);
  for (char16_t c : text) {
    if (IsAccented(c)) {
      w.acc = static_cast<int>(w.s.size());
      w.s.push_back(Plain(c));
    } else {
      w.s.push_back(c == u'ς' ? u'σ' : c);
    }
  }
  return w;
}

// --- syllables ---

struct Nucleus {
  int first;
  int last;
  int mark;  // the letter that carries the accent
};
constexpr int kMaxNuclei = 32;
struct Nuclei {
  std::array<Nucleus, kMaxNuclei> n;
  int count = 0;
};

bool Digraph(char16_t a, char16_t b) {
  if (b == u'ι') return a == u'α' || a == u'ε' || a == u'ο' || a == u'υ';
  if (b == u'υ') return a == u'α' || a == u'ε' || a == u'ο' || a == u'η';
  return false;
}

// The vowel groups of a word; αι, ει, οι, υι, ου, αυ, ευ, ηυ are one group unless the accent
// sits on their first letter (τσάι).
void FindNuclei(const U& s, int acc, Nuclei* out) {
  out->count = 0;
  const int size = static_cast<int>(s.size());
  for (int i = 0; i < size && out->count < kMaxNuclei;) {
    if (!IsPlainVowel(s[i])) {
      ++i;
      continue;
    }
    if (i + 1 < size && Digraph(s[i], s[i + 1]) && acc != i) {
      out->n[out->count++] = {i, i + 1, i + 1};
      i += 2;
    } else {
      out->n[out->count++] = {i, i, i};
      ++i;
    }
  }
}

int NucleusOf(const Nuclei& n, int index) {
  for (int k = 0; k < n.count; ++k) {
    if (n.n[k].first <= index && index <= n.n[k].last) return k;
  }
  return -1;
}

// Keeps the accent no further from the end than `limit` syllables.
void Limit(Word& w, int limit) {
  Nuclei n;
  FindNuclei(w.s, w.acc, &n);
  const int k = NucleusOf(n, w.acc);
  if (k < 0) return;
  if (n.count - k > limit) w.acc = n.n[n.count - limit].mark;
}

// Accents the first syllable at or after `from`; an ι before another vowel there is a glide
// (παιδ-ιού, χωρ-ιά), so the vowel after it takes the accent.
void AccentFrom(Word& w, int from) {
  Nuclei n;
  FindNuclei(w.s, -1, &n);
  for (int k = 0; k < n.count; ++k) {
    if (n.n[k].first < from) continue;
    if (n.n[k].first == from && w.s[from] == u'ι' && n.n[k].last == from && k + 1 < n.count &&
        n.n[k + 1].first == from + 1) {
      ++k;
    }
    w.acc = n.n[k].mark;
    return;
  }
  if (n.count > 0) w.acc = n.n[n.count - 1].mark;
}

U Render(Word w, bool drop_monosyllable_accent = true) {
  U out = std::move(w.s);
  if (w.acc >= 0 && w.acc < static_cast<int>(out.size())) {
    bool keep = true;
    // Three vowels always make two syllables; only shorter words need the count.
    if (drop_monosyllable_accent && std::count_if(out.begin(), out.end(), IsPlainVowel) < 3) {
      Nuclei n;
      FindNuclei(out, w.acc, &n);
      keep = n.count > 1;
    }
    if (keep) out[w.acc] = WithAccent(out[w.acc]);
  }
  if (!out.empty() && out.back() == u'σ') out.back() = u'ς';
  return out;
}

using Forms = std::vector<U>;

enum Mode : char { kKeep = 'K', kPenult = 'P' };

struct End {
  const char16_t* text;
  char mode;
};

// The stem with one ending attached (see the comment at the top).
U Attach(const Word& stem, UV ending, char mode) {
  Word w;
  w.s.reserve(stem.s.size() + ending.size());
  w.s = stem.s;
  int ending_acc = -1;
  for (char16_t c : ending) {
    if (IsAccented(c)) {
      ending_acc = static_cast<int>(w.s.size());
      w.s.push_back(Plain(c));
    } else {
      w.s.push_back(c == u'ς' ? u'σ' : c);
    }
  }
  if (ending_acc >= 0) {
    w.acc = ending_acc;
  } else if (stem.acc < 0) {
    AccentFrom(w, static_cast<int>(stem.s.size()));
  } else {
    w.acc = stem.acc;
    Limit(w, mode == kPenult ? 2 : 3);
  }
  return Render(std::move(w));
}

void Emit(Forms& out, const Word& stem, std::initializer_list<End> endings) {
  for (const End& e : endings) out.push_back(Attach(stem, e.text, e.mode));
}

void EmitKeep(Forms& out, const Word& stem, std::initializer_list<const char16_t*> endings) {
  for (const char16_t* e : endings) out.push_back(Attach(stem, e, kKeep));
}

// Past tenses: the accent on the third syllable from the end; a shorter word takes the
// augment (έ-γραψα, ή-θελα) where `augment` is given and the stem begins with a consonant.
// Popular verbs say πιά-νω, άδεια-σα, μοιά-ζω as one syllable: an ι after π, λ, ρ, μ, ν, β, δ
// (διώ-χνω), a consonant and τ (φτιά-χνω), and the groups ει, οι before α run into the vowel
// that follows them. Learned ones keep it apart
// (σχολί-α-σα, παρουσί-α-σα), hence no merging after σ, κ, τ.
void MergeGlides(const U& s, Nuclei* n) {
  int out = 0;
  for (int k = 0; k < n->count; ++k) {
    Nucleus cur = n->n[k];
    if (k + 1 < n->count && n->n[k + 1].first == cur.last + 1) {
      const bool single_i =
          cur.first == cur.last && s[cur.first] == u'ι' && cur.first > 0 &&
          (UV(u"πλρμνβδ").find(s[cur.first - 1]) != UV::npos ||
           (s[cur.first - 1] == u'τ' && cur.first > 1 && !IsPlainVowel(s[cur.first - 2])));
      const bool group = cur.last == cur.first + 1 && s[cur.last] == u'ι' &&
                         (s[cur.first] == u'ε' || s[cur.first] == u'ο') &&
                         s[cur.last + 1] == u'α';  // not τελεί-ω-σα
      if (single_i || group) {
        cur = {cur.first, n->n[k + 1].last, n->n[k + 1].mark};
        ++k;
      }
    }
    n->n[out++] = cur;
  }
  n->count = out;
}

U Past(const U& stem, UV ending, char16_t augment) {
  Word w;
  w.s = stem + Parse(ending).s;
  Nuclei n;
  FindNuclei(w.s, -1, &n);
  MergeGlides(w.s, &n);
  if (n.count >= 3) {
    w.acc = n.n[n.count - 3].mark;
  } else if (augment != 0 && !w.s.empty() && !IsPlainVowel(w.s[0])) {
    w.s.insert(w.s.begin(), augment);
    w.acc = 0;
  } else if (n.count > 0 && augment == 0) {
    w.acc = n.n[0].mark;
  } else {
    return {};  // a short word that cannot take the augment (έχω has είχα)
  }
  return Render(w);
}

constexpr std::initializer_list<const char16_t*> kPastEndings = {u"α",   u"ες", u"ε",  u"αμε",
                                                                 u"ατε", u"αν", u"ανε"};
constexpr std::initializer_list<const char16_t*> kSubjunctiveEndings = {
    u"ω", u"εις", u"ει", u"ουμε", u"ετε", u"ουν", u"ουνε"};

void EmitPast(Forms& out, const U& stem, char16_t augment) {
  for (const char16_t* e : kPastEndings) out.push_back(Past(stem, e, augment));
}

// Accent on the stem's last syllable (γράψ-ω, αγαπήσ-ω), or on the ending when the stem has no
// vowel (βρ-ούμε).
U OnStem(const U& stem, UV ending) {
  const Word e = Parse(ending);
  Word w;
  w.s = stem + e.s;
  Nuclei n;
  FindNuclei(stem, -1, &n);
  if (e.acc >= 0) {
    w.acc = static_cast<int>(stem.size()) + e.acc;
  } else if (n.count > 0) {
    w.acc = n.n[n.count - 1].mark;
  } else {
    AccentFrom(w, static_cast<int>(stem.size()));
  }
  return Render(w);
}

void EmitSubjunctive(Forms& out, const U& stem) {
  Nuclei n;
  FindNuclei(stem, -1, &n);
  for (const char16_t* e : kSubjunctiveEndings) {
    // δω, δεις, δούμε, δείτε: a stem without a vowel takes the ending's accent
    out.push_back(OnStem(stem, n.count == 0 && UV(e) == u"ετε" ? u"είτε" : e));
  }
}

// Patterns may be written with the final sigma; words store σ.
bool EndsWith(const U& s, UV e) {
  if (s.size() < e.size()) return false;
  const size_t off = s.size() - e.size();
  for (size_t i = 0; i < e.size(); ++i) {
    if (s[off + i] != (e[i] == u'ς' ? u'σ' : e[i])) return false;
  }
  return true;
}

Word Cut(const Word& w, size_t n) {
  Word s;
  s.s = w.s.substr(0, w.s.size() - n);
  s.acc = w.acc < static_cast<int>(s.s.size()) ? w.acc : -1;
  return s;
}

bool InList(const U& s, std::initializer_list<const char16_t*> list) {
  for (const char16_t* e : list) {
    if (s.size() == UV(e).size() && EndsWith(s, e)) return true;
  }
  return false;
}

bool EndsWithAny(const U& s, std::initializer_list<const char16_t*> list) {
  for (const char16_t* e : list) {
    if (EndsWith(s, e)) return true;
  }
  return false;
}

// ============================== nouns ==============================

// Neuter nouns in -ος (το δάσος, του δάσους); the others in -ος are masculine or feminine and
// share one declension. Stored unaccented.
constexpr std::initializer_list<const char16_t*> kNeuterOs = {
    u"αγχοσ",    u"αλγοσ",  u"αλσοσ",  u"ανθοσ",  u"αχθοσ",  u"βαθοσ",   u"βαροσ",   u"βελοσ",
    u"βρεφοσ",   u"γενοσ",  u"δασοσ",  u"δεοσ",   u"εδαφοσ", u"εθνοσ",   u"εθοσ",    u"ειδοσ",
    u"ελεοσ",    u"ελκοσ",  u"ελοσ",   u"εποσ",   u"ερεβοσ", u"ετοσ",    u"ευροσ",   u"ζευγοσ",
    u"ηθοσ",     u"θαμβοσ", u"θαρροσ", u"θεροσ",  u"θρασοσ", u"καλλοσ",  u"κελυφοσ", u"κερδοσ",
    u"κητοσ",    u"κλεοσ",  u"κοστοσ", u"κρατοσ", u"κτηνοσ", u"κυροσ",   u"λαθοσ",   u"λιποσ",
    u"μεγεθοσ",  u"μελοσ",  u"μενοσ",  u"μεροσ",  u"μηκοσ",  u"μισοσ",   u"νεφοσ",   u"ξιφοσ",
    u"ονειδοσ",  u"οροσ",   u"οφελοσ", u"παθοσ",  u"παχοσ",  u"πελαγοσ", u"πενθοσ",  u"πεοσ",
    u"πλατοσ",   u"πληθοσ", u"ραμφοσ", u"ριγοσ",  u"σθενοσ", u"σκελοσ",  u"σκευοσ",  u"σκοτοσ",
    u"στελεχοσ", u"στηθοσ", u"στιφοσ", u"ταχοσ",  u"τειχοσ", u"τελοσ",   u"τεμενοσ", u"υφοσ",
    u"υψοσ",     u"φεγγοσ", u"χαοσ",   u"χειλοσ", u"χρεοσ",  u"ψευδοσ",  u"ψυχοσ"};

bool IsNeuterOs(const U& s) {
  if (InList(s, kNeuterOs)) return true;
  // Compounds of the common ones: υπερβάρος, ημίφως do not occur; -μέγεθος, -έδαφος, -μέρος do.
  return EndsWithAny(s, {u"μεγεθοσ", u"εδαφοσ", u"πελαγοσ", u"κρατοσ", u"κοστοσ"});
}

// Feminines in -η with the plural in -εις (η πόλη, οι πόλεις): -ση, -ξη, -ψη and a few others.
bool IsPoliType(const Word& w) {
  const U& s = w.s;
  if (InList(s, {u"πολη", u"δυναμη", u"πιστη", u"οψη", u"ταξη", u"φυση"})) {
    return true;
  }
  if (InList(s, {u"βρυση", u"νυφη", u"μυτη", u"τσεπη"})) return false;
  if (s.size() < 3) return false;
  const char16_t c = s[s.size() - 2];
  return c == u'σ' || c == u'ξ' || c == u'ψ';
}

void Noun(const Word& w, bool singular_only, Forms& out) {
  const U& s = w.s;
  const int size = static_cast<int>(s.size());
  auto oxytone = [&](int cut) { return w.acc >= size - cut; };
  auto emit = [&](const Word& stem, std::initializer_list<End> singular,
                  std::initializer_list<End> plural) {
    Emit(out, stem, singular);
    if (!singular_only) Emit(out, stem, plural);
  };
  if (size < 3) return;

  if (EndsWith(s, u"ος")) {
    const Word stem = Cut(w, 2);
    if (!oxytone(2) && IsNeuterOs(s)) {
      emit(stem, {{u"ους", kPenult}}, {{u"η", kPenult}, {u"ών", kKeep}});
    } else {
      // του ανθρώπου, and the popular genitive with the accent kept (του πόλεμου, του ήλιου)
      emit(stem, {{u"ου", kPenult}, {u"ου", kKeep}, {u"ο", kKeep}, {u"ε", kKeep}},
           {{u"οι", kKeep}, {u"ων", kPenult}, {u"ους", kPenult}});
    }
    return;
  }
  if (EndsWith(s, u"ας")) {
    if (InList(s, {u"κρεασ", u"τερασ", u"περασ", u"κερασ", u"αλασ", u"γηρασ"})) {
      emit(Cut(w, 1), {{u"τος", kKeep}}, {{u"τα", kKeep}, {u"των", kPenult}});
      return;
    }
    if (EndsWith(s, u"εας") && w.acc == size - 3) {  // ο συγγραφέας
      const Word stem = Cut(w, 3);
      emit(stem, {{u"έα", kKeep}}, {{u"είς", kKeep}, {u"έων", kKeep}});
      return;
    }
    const Word stem = Cut(w, 2);
    if (oxytone(2)) {  // ο ψαράς, οι ψαράδες
      emit(stem, {{u"ά", kKeep}}, {{u"άδες", kKeep}, {u"άδων", kKeep}});
      return;
    }
    Nuclei n;
    FindNuclei(s, w.acc, &n);
    const bool two = n.count <= 2;  // ο άντρας, των αντρών; ο πατέρας, των πατέρων
    emit(stem, {{u"α", kKeep}}, {{u"ες", kKeep}, {two ? u"ών" : u"ων", kPenult}});
    return;
  }
  if (EndsWith(s, u"ης")) {
    const Word stem = Cut(w, 2);
    const bool popular =
        oxytone(2)
            ? EndsWithAny(s, {u"τζησ", u"τσησ", u"ξησ", u"λησ"})
            : EndsWithAny(s, {u"αρησ", u"ουλησ", u"απησ", u"αβησ", u"ουρησ", u"ακησ", u"ιδησ"});
    if (EndsWith(s, u"της") || (!oxytone(2) && !popular)) {
      // ο μαθητής, ο πολίτης, ο γυμνασιάρχης, ο βιβλιοπώλης
      emit(stem, {{u"η", kKeep}}, {{u"ες", kKeep}, {u"ών", kKeep}});
    } else if (oxytone(2) && !popular) {
      // learned -ής (ο συγγενής, οι συγγενείς)
      emit(stem, {{u"ή", kKeep}, {u"ούς", kKeep}}, {{u"είς", kKeep}, {u"ών", kKeep}});
    } else {  // ο μανάβης, οι μανάβηδες; ο καφετζής, οι καφετζήδες
      emit(stem, {{u"η", kKeep}}, {{u"ηδες", kKeep}, {u"ηδων", kKeep}});
    }
    return;
  }
  if (EndsWith(s, u"ες") && oxytone(2)) {  // ο καφές
    emit(Cut(w, 2), {{u"έ", kKeep}}, {{u"έδες", kKeep}, {u"έδων", kKeep}});
    return;
  }
  if (EndsWith(s, u"ους") && oxytone(3)) {  // ο παππούς
    emit(Cut(w, 3), {{u"ού", kKeep}}, {{u"ούδες", kKeep}, {u"ούδων", kKeep}});
    return;
  }
  if (EndsWith(s, u"ου") && oxytone(2)) {  // η αλεπού
    emit(Cut(w, 2), {{u"ούς", kKeep}}, {{u"ούδες", kKeep}, {u"ούδων", kKeep}});
    return;
  }
  if (EndsWith(s, u"μα") && !oxytone(1)) {  // το μάθημα
    emit(Cut(w, 1), {{u"ατος", kKeep}}, {{u"ατα", kKeep}, {u"ατων", kPenult}});
    return;
  }
  if (EndsWith(s, u"α")) {
    const Word stem = Cut(w, 1);
    if (InList(s, {u"γιαγια", u"μαμα", u"νταντα"})) {
      emit(stem, {{u"άς", kKeep}}, {{u"άδες", kKeep}, {u"άδων", kKeep}});
      return;
    }
    // η εφημερίδα, των εφημερίδων; η ομάδα, των ομάδων; η εικόνα, των εικόνων
    const bool keeps = EndsWithAny(s, {u"ιδα", u"αδα", u"ονα", u"τερα"}) && w.acc == size - 3;
    emit(stem, {{u"ας", kKeep}}, {{u"ες", kKeep}, {keeps ? u"ων" : u"ών", kPenult}});
    return;
  }
  if (EndsWith(s, u"η")) {
    const Word stem = Cut(w, 1);
    if (!oxytone(1) && IsPoliType(w)) {  // η πόλη, οι πόλεις, των πόλεων
      emit(stem, {{u"ης", kKeep}, {u"εις", kPenult}}, {{u"εων", kKeep}});
      // The learned genitive πόλεως, αποφάσεως is stressed as the plural πόλεις.
      const U plural = Attach(stem, u"εις", kPenult);
      out.push_back(plural.substr(0, plural.size() - 2) + u"ως");
    } else {
      emit(stem, {{u"ης", kKeep}}, {{u"ες", kKeep}, {u"ών", kKeep}});
    }
    return;
  }
  if (EndsWith(s, u"ιμο") && !oxytone(1)) {  // το γράψιμο, του γραψίματος
    emit(Cut(w, 1), {{u"ατος", kKeep}}, {{u"ατα", kKeep}, {u"ατων", kPenult}});
    return;
  }
  if (EndsWith(s, u"ο")) {  // το πρόσωπο, το βουνό, το χωριό
    emit(Cut(w, 1), {{u"ου", kPenult}}, {{u"α", kKeep}, {u"ων", kPenult}});
    return;
  }
  if (EndsWith(s, u"ι") && !IsPlainVowel(s[size - 2])) {  // το σπίτι, το παιδί
    emit(Cut(w, 1), {{u"ιού", kKeep}}, {{u"ια", kKeep}, {u"ιών", kKeep}});
    return;
  }
  if (EndsWith(s, u"ον") && !singular_only) {  // το ενδιαφέρον, το προϊόν
    emit(Cut(w, 0), {{u"τος", kKeep}}, {{u"τα", kKeep}, {u"των", kPenult}});
    return;
  }
}

// ============================== adjectives ==============================

const std::initializer_list<const char16_t*> kOsEndings = {u"ος", u"ου", u"ο",  u"ε",
                                                           u"οι", u"ων", u"ους"};

// -ος, -η/-α, -ο in every gender, number and case.
void AdjectiveOs(const Word& stem, bool feminine_a, Forms& out) {
  EmitKeep(out, stem, kOsEndings);
  if (feminine_a) {
    EmitKeep(out, stem, {u"α", u"ας", u"ες"});
  } else {
    EmitKeep(out, stem, {u"η", u"ης", u"ες", u"α"});
  }
}

void Comparative(const U& stem, UV suffix, Forms& out) {
  AdjectiveOs(Parse(stem + U(suffix)), false, out);
}

struct IrregularAdjective {
  const char16_t* lemma;
  const char16_t* forms;  // space-separated
};

constexpr IrregularAdjective kIrregularAdjectives[] = {
    {u"καλός", u"καλή καλό καλού καλής καλέ καλοί καλές καλά καλών καλούς ~καλύτερ"},
    {u"κακός", u"κακή κακό κακού κακής κακέ κακοί κακές κακά κακών κακούς ~χειρότερ"},
    {u"μεγάλος",
     u"μεγάλη μεγάλο μεγάλου μεγάλης μεγάλε μεγάλοι μεγάλες μεγάλα μεγάλων μεγάλους ~μεγαλύτερ"},
    {u"πολύς", u"πολλή πολύ πολλού πολλής πολλοί πολλές πολλά πολλών πολλούς ~περισσότερ"},
    {u"γλυκός", u"γλυκιά γλυκό γλυκού γλυκιάς γλυκέ γλυκοί γλυκές γλυκά γλυκών γλυκούς ~γλυκύτερ"},
    {u"απλός", u"απλή απλό απλού απλής απλέ απλοί απλές απλά απλών απλούς ~απλούστερ ~απλότερ"},
    {u"φρέσκος",
     u"φρέσκια φρέσκη φρέσκο φρέσκου φρέσκιας φρέσκοι φρέσκες φρέσκα φρέσκων "
     u"φρέσκους ~φρεσκότερ"},
};

bool IsPopularIs(const U& s) {
  return EndsWithAny(s, {u"αρησ", u"ουλησ", u"ελησ", u"ιαρησ", u"ουλησ", u"ουρησ"});
}

void AddSpaceSeparated(const UV forms, Forms& out) {
  size_t i = 0;
  while (i < forms.size()) {
    size_t j = forms.find(u' ', i);
    if (j == UV::npos) j = forms.size();
    if (j > i) {
      const UV f = forms.substr(i, j - i);
      if (f[0] == u'~') {  // a comparative stem: ~καλύτερ
        AdjectiveOs(Parse(f.substr(1)), false, out);
      } else {
        out.push_back(Render(Parse(f), false));
      }
    }
    i = j + 1;
  }
}

void Adjective(const Word& w, Forms& out) {
  const U& s = w.s;
  const int size = static_cast<int>(s.size());
  if (size < 3) return;
  const bool oxy2 = w.acc >= size - 2;
  if (EndsWith(s, u"ος")) {
    const Word stem = Cut(w, 2);
    const char16_t before = stem.s.back();
    AdjectiveOs(stem, IsPlainVowel(before), out);
    if (!EndsWithAny(s, {u"μενοσ", u"τεροσ", u"τατοσ"}) && !(EndsWith(s, u"ινοσ") && !oxy2)) {
      // ωραίος → ωραιότερος; the accent of the stem gives way to the suffix's
      Comparative(stem.s, u"ότερ", out);
    }
    return;
  }
  if (EndsWith(s, u"υς") && oxy2) {  // βαθύς, βαθιά, βαθύ
    const Word stem = Cut(w, 2);
    if (InList(s, {u"ευρυσ", u"οξυσ", u"ταχυσ", u"δασυσ", u"βραχυσ", u"αμβλυσ", u"ευθυσ"})) {
      EmitKeep(out, stem, {u"ύ", u"έος", u"έα", u"είς", u"έων", u"εία", u"είας", u"είες", u"ειών"});
    } else {
      EmitKeep(out, stem, {u"ύ", u"ιού", u"ιοί", u"ιών", u"ιούς", u"ιά", u"ιάς", u"ιές"});
    }
    Comparative(stem.s, u"ύτερ", out);
    return;
  }
  if (EndsWith(s, u"ης")) {
    const Word stem = Cut(w, 2);
    if (oxy2) {  // διεθνής, διεθνές
      EmitKeep(out, stem, {u"ούς", u"ή", u"είς", u"ών", u"ές"});
      Comparative(stem.s, u"έστερ", out);
    } else if (IsPopularIs(s)) {  // ζηλιάρης, ζηλιάρα, ζηλιάρικο
      EmitKeep(out, stem,
               {u"η", u"ηδες", u"ηδων", u"α", u"ας", u"ες", u"ικο", u"ικου", u"ικα", u"ικων"});
    } else {  // συνήθης, συνήθους
      EmitKeep(out, stem, {u"ους", u"η", u"εις", u"ων"});
      if (EndsWith(s, u"ωδησ")) EmitKeep(out, stem, {u"ες"});
    }
    return;
  }
  if (EndsWithAny(s, {u"μων", u"φρων"}) && !oxy2) {  // ελεήμων, ελεήμονος, ελεήμον
    const Word stem = Cut(w, 2);
    Emit(out, stem,
         {{u"ονος", kKeep}, {u"ονα", kKeep}, {u"ονες", kKeep}, {u"ονων", kPenult}, {u"ον", kKeep}});
    return;
  }
  if (EndsWith(s, u"ων")) {  // ενδιαφέρων, ενδιαφέρουσα, ενδιαφέρον
    const Word stem = Cut(w, 2);
    Emit(out, stem,
         {{u"οντος", kKeep},
          {u"οντα", kKeep},
          {u"οντες", kKeep},
          {u"οντων", kPenult},
          {u"ουσα", kKeep},
          {u"ουσας", kKeep},
          {u"ουσες", kKeep},
          {u"ουσών", kKeep},
          {u"ον", kKeep}});
    return;
  }
}

// ============================== verbs ==============================

// Present stems (the verb without -ω) whose sigmatic aorist takes -ξ- rather than -σ-.
bool ZetaTakesXi(const U& stem) {
  return EndsWithAny(
      stem, {u"κοιταζ", u"φωναζ",   u"αλλαζ",    u"κραζ",     u"σταζ",   u"σφαζ",    u"ταζ",
             u"ταραζ",  u"πειραζ",  u"φυλαζ",    u"νυσταζ",   u"βασταζ", u"σπαραζ",  u"τρομαζ",
             u"αραζ",   u"βουλιαζ", u"ρημαζ",    u"σκουνταζ", u"παιζ",   u"αγγιζ",   u"σφυριζ",
             u"τριζ",   u"βογγιζ",  u"μουγκριζ", u"ρουφιζ",   u"νυχιζ",  u"στοιβαζ", u"μαλαζ",
             u"γρυλιζ", u"σκουζ",   u"τσουζ",    u"βυζαζ",    u"μοιραζ", u"κραυγαζ", u"στενάζ",
             u"στεναζ", u"ανασταζ", u"γδαζ",     u"χαραζ",    u"βρυχιζ", u"πληζ",    u"ανοιγ"});
}

struct VerbStems {
  U aorist;      // active aorist stem (γραψ), empty when unknown
  U passive;     // passive aorist stem (γραφτ), empty when unknown
  U participle;  // passive participle stem (γραμμ), empty when unknown
};

// Stems of a verb of the first conjugation from its present stem (unaccented, without -ω).
VerbStems StemsOfFirst(const U& p) {
  VerbStems v;
  const size_t n = p.size();
  if (n < 2) return v;
  auto base = [&](size_t cut) { return p.substr(0, n - cut); };
  if (EndsWithAny(p, {u"ευ", u"αυ"})) {  // δουλεύω, δούλεψα, δουλεύτηκα, δουλεμένος
    v.aorist = base(1) + u"ψ";
    v.passive = p + u"τ";
    v.participle = base(1) + (p[n - 2] == u'ε' ? U(u"μ") : U(u"υμ"));
    return v;
  }
  if (EndsWithAny(p, {u"πτ", u"φτ"})) {
    v.aorist = base(2) + u"ψ";
  } else if (EndsWithAny(p, {u"π", u"β", u"φ"})) {
    v.aorist = base(1) + u"ψ";
  } else if (EndsWithAny(p, {u"σσ", u"ττ", u"χν", u"σκ"})) {
    v.aorist = base(2) + u"ξ";
  } else if (EndsWith(p, u"γχ")) {  // ελέγχω, έλεγξα, ελέγχθηκα
    v.aorist = base(1) + u"ξ";
    v.passive = p + u"θ";
    v.participle = base(1) + u"μ";
    return v;
  } else if (EndsWithAny(p, {u"κ", u"χ", u"γ"})) {
    v.aorist = base(1) + u"ξ";
  } else if (EndsWith(p, u"ζ")) {
    v.aorist = base(1) + (ZetaTakesXi(p) ? u"ξ" : u"σ");
  } else if (EndsWith(p, u"ων")) {  // πληρώνω, πλήρωσα, πληρώθηκα, πληρωμένος
    v.aorist = base(1) + u"σ";
    v.passive = base(1) + u"θ";
    v.participle = base(1) + u"μ";
    return v;
  } else if (EndsWith(p, u"αιν")) {  // ζεσταίνω, ζέστανα, ζεστάθηκα, ζεσταμένος
    v.aorist = base(3) + u"αν";
    v.passive = base(3) + u"αθ";
    v.participle = base(3) + u"αμ";
    return v;
  } else if (EndsWith(p, u"υν")) {
    Nuclei nu;
    FindNuclei(p, -1, &nu);
    if (nu.count <= 1 || EndsWithAny(p, {u"λυν", u"ντυν", u"χυν", u"γδυν"})) {  // λύνω, έλυσα
      v.aorist = base(1) + u"σ";
      v.passive = base(1) + u"θ";
      v.participle = base(1) + u"μ";
    } else {  // διευκολύνω, διευκόλυνα, διευκολύνθηκα
      v.aorist = p;
      v.passive = p + u"θ";
    }
    return v;
  } else if (EndsWith(p, u"ην")) {
    v.aorist = base(1) + u"σ";
  } else if (EndsWith(p, u"κλειν")) {  // κλείνω, έκλεισα, κλείστηκα, κλεισμένος
    v.aorist = base(1) + u"σ";
  } else if (EndsWith(p, u"ειν")) {  // προτείνω, πρότεινα, προτάθηκε
    v.aorist = p;
    v.passive = base(3) + u"αθ";
    return v;
  } else if (EndsWith(p, u"ιν")) {  // κρίνω, έκρινα, κρίθηκα, κριμένος
    v.aorist = p;
    v.passive = base(1) + u"θ";
    v.participle = base(1) + u"μ";
    return v;
  } else if (EndsWith(p, u"εν")) {  // δένω, έδεσα, δέθηκα, δεμένος
    v.aorist = base(1) + u"σ";
    v.passive = base(1) + u"θ";
    v.participle = base(1) + u"μ";
    return v;
  } else if (EndsWith(p, u"αν")) {  // φτάνω, έφτασα
    v.aorist = base(1) + u"σ";
  } else if (EndsWithAny(p, {u"ρν", u"λν"})) {  // μεταφέρνω, μετέφερα
    v.aorist = base(1);
    v.passive = base(1) + u"θ";
    v.participle = base(1) + u"μ";
    return v;
  } else if (EndsWith(p, u"αρ") && n >= 3) {  // παρκάρω, παρκάρισα, παρκαρίστηκε
    v.aorist = p + u"ισ";
    v.passive = p + u"ιστ";
    v.participle = p + u"ισμ";
    return v;
  } else if (EndsWithAny(p, {u"ρ", u"λ"})) {  // προσφέρω, πρόσφερα, προσφέρθηκα
    v.aorist = EndsWith(p, u"λλ") ? base(1) : p;
    v.passive = v.aorist + u"θ";
    v.participle = v.aorist + u"μ";
    return v;
  } else if (EndsWithAny(p, {u"θ", u"δ", u"τ"})) {  // πείθω, έπεισα, πείστηκα
    v.aorist = base(1) + u"σ";
  } else if (EndsWith(p, u"ου")) {
    v.aorist = p + u"σ";
    v.passive = p + u"στ";
    v.participle = p + u"σμ";
    return v;
  } else if (EndsWith(p, u"υ")) {  // ισχύω, ίσχυσα; αναλύω, αναλύθηκε
    v.aorist = p + u"σ";
    v.passive = p + u"θ";
    v.participle = p + u"μ";
    return v;
  } else if (EndsWith(p, u"ε")) {  // πλέω, έπλευσα
    v.aorist = p + u"υσ";
    return v;
  } else if (EndsWith(p, u"αι")) {  // φταίω, έφταιξα
    v.aorist = p + u"ξ";
    return v;
  } else {
    return v;
  }
  // Passive aorist and participle from the sigmatic stem.
  const U& a = v.aorist;
  const U root = a.substr(0, a.size() - 1);
  switch (a.back()) {
    case u'ψ':
      v.passive = root + u"φτ";
      v.participle = root + u"μμ";
      break;
    case u'ξ':
      v.passive = root + u"χτ";
      v.participle = root + u"γμ";
      break;
    case u'σ':
      v.passive = root + u"στ";
      v.participle = root + u"σμ";
      break;
    default:
      break;
  }
  return v;
}

void EmitPassiveAorist(const U& q, Forms& out) {
  EmitPast(out, q + u"ηκ", 0);
  for (const char16_t* e : {u"ώ", u"είς", u"εί", u"ούμε", u"είτε", u"ούν", u"ούνε"}) {
    out.push_back(Render(Parse(q + U(e))));
  }
}

void EmitParticiple(const U& m, Forms& out) {
  const Word stem{m, -1};
  EmitKeep(out, stem,
           {u"ένος", u"ένου", u"ένο", u"ένε", u"ένοι", u"ένων", u"ένους", u"ένη", u"ένης", u"ένες",
            u"ένα"});
}

void EmitAoristActive(const U& a, char16_t augment, Forms& out) {
  EmitPast(out, a, augment);
  EmitSubjunctive(out, a);
  out.push_back(Past(a, u"ε", 0));  // imperative γράψε
  const char16_t last = a.back();
  out.push_back(OnStem(a, last == u'ψ' || last == u'σ' || last == u'ξ' ? u"τε" : u"ετε"));
}

// Present, imperfect, imperative and participle of the first conjugation (γράφω).
void EmitPresentFirst(const Word& p, bool imperfect, Forms& out) {
  EmitKeep(out, p, {u"ω", u"εις", u"ει", u"ουμε", u"ομε", u"ετε", u"ουν", u"ουνε", u"οντας"});
  if (imperfect) EmitPast(out, p.s, u'ε');
  out.push_back(Past(p.s, u"ε", 0));  // imperative γράφε, δούλευε
}

// Passive present and imperfect of the first conjugation (γράφομαι).
void EmitPassivePresentFirst(const Word& p, Forms& out) {
  Emit(out, p,
       {{u"ομαι", kKeep},
        {u"εσαι", kKeep},
        {u"εται", kKeep},
        {u"όμαστε", kKeep},
        {u"εστε", kKeep},
        {u"ονται", kKeep},
        {u"όμουν", kKeep},
        {u"όμουνα", kKeep},
        {u"όσουν", kKeep},
        {u"όσουνα", kKeep},
        {u"όταν", kKeep},
        {u"ότανε", kKeep},
        {u"όμασταν", kKeep},
        {u"όσασταν", kKeep},
        {u"ονταν", kKeep},
        {u"όντουσαν", kKeep},
        {u"όσαστε", kKeep},
        {u"όμαστε", kKeep}});
}

void FirstConjugation(const Word& w, Forms& out) {
  const Word p = Cut(w, 1);
  EmitPresentFirst(p, true, out);
  EmitPassivePresentFirst(p, out);
  const VerbStems v = StemsOfFirst(p.s);
  if (!v.aorist.empty()) {
    EmitAoristActive(v.aorist, u'ε', out);
    out.push_back(OnStem(v.aorist, u"ου"));  // passive imperative γράψου
  }
  if (!v.passive.empty()) EmitPassiveAorist(v.passive, out);
  if (!v.participle.empty()) EmitParticiple(v.participle, out);
}

// Verbs in -ώ/-άω that conjugate as αγαπώ (αγαπάς); the others in -ώ conjugate as μπορώ
// (μπορείς). Matched on the end of the unaccented stem, so compounds follow.
bool IsFirstClassContract(const U& stem) {
  return EndsWithAny(
      stem,
      {u"αγαπ",  u"ρωτ",     u"πουλ",    u"περν",   u"κρατ",   u"ζητ",   u"πετ",    u"γελ",
       u"μιλ",   u"ξυπν",    u"πειν",    u"διψ",    u"νικ",    u"τραβ",  u"απαντ",  u"ξεχν",
       u"κερν",  u"φυσ",     u"πηδ",     u"βοηθ",   u"κολυμπ", u"ορμ",   u"γλεντ",  u"κουντ",
       u"ζουλ",  u"γλιστρ",  u"κυλ",     u"προχωρ", u"σπ",     u"πον",   u"ρουφ",   u"χαλ",
       u"χτυπ",  u"κυβερν",  u"τραγουδ", u"σταματ", u"χωρ",    u"ξεκιν", u"κεντ",   u"μετρ",
       u"βουτ",  u"πατ",     u"φορ",     u"κρεμ",   u"βαστ",   u"ξεσπ",  u"βογκ",   u"πιλαλ",
       u"ξεγελ", u"τηλεφων", u"συζητ",   u"δαγκ",   u"ακουμπ", u"ρουφ",  u"σκουντ", u"χαιρετ",
       u"τρυπ",  u"κοιτ",    u"λυσσ",    u"ξεφυσ",  u"αντ",    u"βροντ", u"ζουπ",   u"τσιμπ",
       u"πηδ",   u"φτερουγ", u"ανταμ",   u"κελαηδ", u"κυνηγ",  u"πλαν",  u"παρατ",  u"ξαναρωτ"});
}

// The aorist suffix of a verb in -ώ.
U ContractAoristSuffix(const U& stem) {
  if (EndsWithAny(stem, {u"γελ", u"ξεχν", u"πειν", u"διψ", u"περν", u"κρεμ", u"σπ", u"χαλ", u"κερν",
                         u"ξεσπ"})) {
    return u"ασ";
  }
  if (EndsWithAny(stem, {u"πετ", u"βαστ"})) return u"αξ";
  if (EndsWithAny(stem, {u"τραβ", u"ρουφ", u"πηδ", u"βογκ", u"βουτ", u"φυσ", u"ζουλ", u"σκουντ",
                         u"βροντ", u"ζουπ", u"κελαηδ", u"δαγκ"})) {
    return u"ηξ";
  }
  if (EndsWithAny(stem,
                  {u"τελ", u"καλ", u"αιρ", u"μπορ", u"φορ", u"πον", u"συγχωρ", u"αρκ", u"μεθ"})) {
    return u"εσ";
  }
  return u"ησ";
}

void EmitContractAorist(const U& stem, Forms& out) {
  const U suffix = ContractAoristSuffix(stem);
  // ξεχνώ, ξέχασα; περνώ, πέρασα: the ν of the present stem drops before -ασ-.
  const U root = suffix == u"ασ" && EndsWith(stem, u"ν") ? stem.substr(0, stem.size() - 1) : stem;
  const U a = root + suffix;
  EmitAoristActive(a, u'ε', out);
  out.push_back(OnStem(a, u"ου"));
  const char16_t c = suffix[0];
  switch (suffix[1]) {
    case u'σ':
      if (c == u'η') {  // αγαπήθηκα, αγαπημένος
        EmitPassiveAorist(stem + u"ηθ", out);
        EmitParticiple(stem + u"ημ", out);
      } else if (c == u'α') {  // ξεχάστηκα, ξεχασμένος
        EmitPassiveAorist(root + u"αστ", out);
        EmitParticiple(root + u"ασμ", out);
      } else if (EndsWithAny(stem, {u"καλ", u"τελ"})) {  // καλέστηκα, καλεσμένος
        EmitPassiveAorist(stem + u"εστ", out);
        EmitParticiple(stem + u"εσμ", out);
      } else {  // αφαιρέθηκα, φορεμένος
        EmitPassiveAorist(stem + u"εθ", out);
        EmitParticiple(stem + u"εμ", out);
      }
      break;
    case u'ξ':  // τραβήχτηκα, τραβηγμένος
      EmitPassiveAorist(stem + c + u"χτ", out);
      EmitParticiple(stem + c + u"γμ", out);
      break;
    default:
      break;
  }
}

void ContractFirst(const U& stem, Forms& out) {  // αγαπώ, αγαπάω
  const Word st{stem, -1};
  EmitKeep(out, st,
           {u"ώ",      u"άω",      u"άς",       u"ά",        u"άει",     u"άμε",      u"ούμε",
            u"άτε",    u"ούν",     u"ούνε",     u"άνε",      u"ούσα",    u"ούσες",    u"ούσε",
            u"ούσαμε", u"ούσατε",  u"ούσαν",    u"ούσανε",   u"ώντας",   u"ιέμαι",    u"ιέσαι",
            u"ιέται",  u"ιόμαστε", u"ιέστε",    u"ιούνται",  u"ιόμουν",  u"ιόμουνα",  u"ιόσουν",
            u"ιόταν",  u"ιότανε",  u"ιόμασταν", u"ιόσασταν", u"ιούνταν", u"ιόντουσαν"});
  out.push_back(OnStem(stem, u"α"));  // imperative αγάπα
  EmitContractAorist(stem, out);
}

void ContractSecond(const U& stem, Forms& out) {  // μπορώ, θεωρώ
  const Word st{stem, -1};
  EmitKeep(out, st, {u"ώ",      u"είς",    u"εί",     u"ούμε",     u"είτε",    u"ούν",   u"ούνε",
                     u"ούσα",   u"ούσες",  u"ούσε",   u"ούσαμε",   u"ούσατε",  u"ούσαν", u"ούσανε",
                     u"ώντας",  u"ούμαι",  u"είσαι",  u"είται",    u"ούμαστε", u"είστε", u"ούνται",
                     u"ούμουν", u"ούσουν", u"ούνταν", u"ούμασταν", u"ούσασταν"});
  EmitContractAorist(stem, out);
}

// Verbs that have only the passive forms.
void DeponentFirst(const Word& w, Forms& out) {  // σκέφτομαι, δέχομαι, εργάζομαι
  const Word p = Cut(w, 4);
  if (p.s.empty()) return;
  EmitPassivePresentFirst(p, out);
  if (EndsWith(p.s, u"ερχ")) return;  // the compounds of έρχομαι have irregular pasts
  const U& s = p.s;
  U q;
  bool imperative = true;  // σκέψου, from the active aorist stem
  const VerbStems v = StemsOfFirst(s);
  if (EndsWithAny(s, {u"φτ", u"πτ"})) {
    q = s.substr(0, s.size() - 2) + u"φτ";
  } else if (EndsWithAny(s, {u"ευ"})) {
    q = s + u"τ";
  } else if (EndsWith(s, u"αν")) {  // αισθάνομαι, αισθάνθηκα
    q = s + u"θ";
    imperative = false;
  } else {
    q = v.passive;
  }
  if (!v.aorist.empty() && imperative) {
    const char16_t last = v.aorist.back();
    if (last == u'ψ' || last == u'σ' || last == u'ξ') out.push_back(OnStem(v.aorist, u"ου"));
  }
  if (!q.empty()) EmitPassiveAorist(q, out);
}

void DeponentContract(const U& stem, UV kind, Forms& out) {
  const Word st{stem, -1};
  if (kind == u"ιε") {  // παραπονιέμαι, παραπονέθηκα
    EmitKeep(out, st,
             {u"ιέσαι", u"ιέται", u"ιόμαστε", u"ιέστε", u"ιούνται", u"ιόμουν", u"ιόμουνα",
              u"ιόσουν", u"ιόταν", u"ιότανε", u"ιόμασταν", u"ιόσασταν", u"ιούνταν", u"ιόντουσαν"});
    const bool eta = EndsWithAny(stem, {u"αρν"});
    EmitPassiveAorist(stem + (eta ? u"ηθ" : u"εθ"), out);
    out.push_back(OnStem(stem + (eta ? u"ησ" : u"εσ"), u"ου"));
  } else if (kind == u"ω") {  // εξαρτώμαι, εξαρτάται, εξαρτήθηκα
    EmitKeep(out, st,
             {u"άσαι", u"άται", u"όμαστε", u"άστε", u"ώνται", u"όμουν", u"όσουν", u"όταν",
              u"όμασταν", u"όσασταν", u"ώνταν"});
    EmitPassiveAorist(stem + u"ηθ", out);
  } else if (kind == u"α") {  // κοιμάμαι, κοιμήθηκα
    EmitKeep(out, st,
             {u"άσαι", u"άται", u"όμαστε", u"άστε", u"ούνται", u"όμουν", u"όμουνα", u"όσουν",
              u"όσουνα", u"όταν", u"ότανε", u"όμασταν", u"όσασταν", u"ούνταν", u"όντουσαν"});
    EmitPassiveAorist(stem + u"ηθ", out);
    out.push_back(OnStem(stem + u"ησ", u"ου"));
  } else {  // αρνούμαι, αρνήθηκα
    EmitKeep(out, st,
             {u"είσαι", u"είται", u"ούμαστε", u"είστε", u"ούνται", u"ούμουν", u"ούσουν", u"ούνταν",
              u"ούμασταν", u"ούσασταν"});
    EmitPassiveAorist(stem + u"ηθ", out);
    out.push_back(OnStem(stem + u"ησ", u"ου"));
  }
}

// ---- irregular verbs ----
// Each entry lists forms and codes, separated by spaces:
//   R        present, imperfect, imperative and participle of the first conjugation
//   r        the same without the imperfect
//   Z        passive present and imperfect of the first conjugation
//   B        present and imperfect of the second contracted conjugation (μπορώ)
//   P:stem   past tense with the augment ε- where the word is short (έ-δωσα, δώσαμε)
//   H:stem   the same with the augment η- (ή-θελα, θέλαμε)
//   N:stem   past tense without augment (είδα, βρήκα)
//   S:stem   subjunctive (δώσω; βρω, βρούμε)
//   Q:stem   passive aorist and its subjunctive (δόθηκα, δοθώ)
//   M:stem   passive participle in -ένος
// and plain forms as they are written.
struct IrregularVerb {
  const char16_t* lemma;
  const char16_t* forms;
};

constexpr IrregularVerb kIrregularVerbs[] = {
    {u"είμαι",
     u"είσαι είναι είμαστε είστε είσαστε ήμουν ήμουνα ήσουν ήσουνα ήταν ήτανε ήμασταν ήμαστε "
     u"ήσασταν ήσαστε όντας"},
    {u"έχω", u"r N:ειχ"},
    {u"λέω",
     u"λες λέει λέμε λέτε λένε λέγοντας λέγε P:λεγ N:ειπ S:π πες πείτε πέστε Q:ειπωθ M:ειπωμ "
     u"λέγομαι λέγεσαι λέγεται λέγονται λεγόταν"},
    {u"πηγαίνω", u"R N:πηγ πάω πας πάει πάμε πάτε πάνε πήγαινε πηγαίνετε"},
    {u"πάω",
     u"πας πάει πάμε πάτε πάνε N:πηγ πήγαινα πήγαινες πήγαινε πηγαίναμε πηγαίνατε "
     u"πήγαιναν πηγαίνοντας"},
    {u"έρχομαι",
     u"έρχεσαι έρχεται ερχόμαστε έρχεστε έρχονται ερχόμουν ερχόμουνα ερχόσουν ερχόσουνα "
     u"ερχόταν ερχότανε ερχόμασταν ερχόσασταν έρχονταν ερχόντουσαν ερχόμενος ερχόμενη ερχόμενο "
     u"N:ηρθ N:ηλθ S:ερθ έλα ελάτε"},
    {u"τρώω",
     u"τρως τρώει τρώμε τρώτε τρώνε τρώγοντας τρώγε P:τρωγ P:φαγ φάω φας φάει φάμε φάτε φάνε "
     u"φάε τρώγομαι τρώγεται τρώγονται Q:φαγωθ M:φαγωμ"},
    {u"βλέπω", u"R Z N:ειδ S:δ δες δείτε Q:ιδωθ M:ιδωμ"},
    {u"πίνω",
     u"R Z ήπια ήπιες ήπιε ήπιαμε ήπιατε ήπιαν ήπιανε πιω πιεις πιει πιούμε πιείτε πιουν "
     u"πιούνε πιες πιείτε Q:πιωθ M:πιωμ"},
    {u"μαθαίνω", u"R Z P:μαθ S:μαθ μάθε μάθετε Q:μαθευτ M:μαθημ"},
    {u"βρίσκω", u"R Z N:βρηκ S:βρ βρες βρείτε Q:βρεθ"},
    {u"δίνω", u"R Z P:δωσ S:δωσ δώσε δώστε Q:δοθ M:δοσμ"},
    {u"παίρνω", u"R Z N:πηρ S:παρ πάρε πάρτε Q:παρθ M:παρμ"},
    {u"φεύγω", u"R P:φυγ S:φυγ φύγε φύγετε"},
    {u"μένω", u"R P:μειν S:μειν μείνε μείνετε"},
    {u"περιμένω", u"R P:περιμεν περίμενε περιμένετε"},
    {u"ανεβαίνω", u"R N:ανεβηκ S:ανεβ ανέβα ανεβείτε"},
    {u"κατεβαίνω", u"R N:κατεβηκ S:κατεβ κατέβα κατεβείτε"},
    {u"βγαίνω", u"R N:βγηκ S:βγ βγες βγείτε"},
    {u"μπαίνω", u"R N:μπηκ S:μπ μπες μπείτε"},
    {u"βάζω", u"R Z P:βαλ S:βαλ βάλε βάλτε M:βαλμ"},
    {u"κάνω", u"R Z P:καν S:καν κάνε κάντε"},
    {u"ξέρω", u"r H:ξερ"},
    {u"θέλω", u"r H:θελ P:θελησ S:θελησ"},
    {u"μπορώ", u"B P:μπορεσ S:μπορεσ"},
    {u"ακούω",
     u"ακούς ακούει ακούμε ακούτε ακούν ακούνε ακούγοντας άκουγα άκουγες άκουγε ακούγαμε "
     u"ακούγατε άκουγαν ακούγανε P:ακουσ S:ακουσ άκου ακούτε άκουσε ακούστε ακούγομαι ακούγεσαι "
     u"ακούγεται ακουγόμαστε ακούγεστε ακούγονται ακουγόμουν ακουγόσουν ακουγόταν ακούγονταν "
     u"Q:ακουστ M:ακουσμ"},
    {u"καταλαβαίνω", u"R Z P:καταλαβ S:καταλαβ κατάλαβε καταλάβετε"},
    {u"πεθαίνω", u"R P:πεθαν S:πεθαν πέθανε πεθάνετε M:πεθαμ"},
    {u"στέλνω", u"R Z P:στειλ S:στειλ στείλε στείλτε Q:σταλθ M:σταλμ"},
    {u"φέρνω", u"R Z P:φερ S:φερ φέρε φέρτε Q:φερθ M:φερμ"},
    {u"λαμβάνω", u"R Z P:λαβ S:λαβ Q:ληφθ"},
    {u"κλαίω",
     u"κλαις κλαίει κλαίμε κλαίτε κλαίνε κλαίγοντας P:κλαιγ P:κλαψ S:κλαψ κλάψε κλάψτε M:κλαμ"},
    {u"καίω",
     u"καις καίει καίμε καίτε καίνε καίγοντας P:καιγ P:καψ S:καψ κάψε κάψτε καίγομαι καίγεσαι "
     u"καίγεται καίγονται καιγόταν κάηκα κάηκες κάηκε καήκαμε καήκατε κάηκαν καήκανε καώ καείς "
     u"καεί καούμε καείτε καούν M:καμ"},
    {u"σπέρνω", u"R Z P:σπειρ S:σπειρ σπείρε Q:σπαρθ M:σπαρμ"},
    {u"αφήνω", u"R Z P:αφησ S:αφησ άφησε αφήστε Q:αφεθ M:αφημ"},
    {u"πέφτω", u"R P:πεσ S:πεσ πέσε πέστε"},
    {u"τρέχω", u"R P:τρεξ S:τρεξ τρέξε τρέξτε"},
    {u"βγάζω", u"R Z P:βγαλ S:βγαλ βγάλε βγάλτε Q:βγαλθ M:βγαλμ"},
    {u"παθαίνω", u"R P:παθ S:παθ"},
    {u"πλένω", u"R Z P:πλυν S:πλυν πλύνε πλύντε Q:πλυθ M:πλυμ"},
    {u"δέρνω", u"R Z P:δειρ S:δειρ Q:δαρθ M:δαρμ"},
    {u"σέρνω", u"R Z P:συρ S:συρ Q:συρθ M:συρμ"},
    {u"χαίρομαι",
     u"χαίρεσαι χαίρεται χαιρόμαστε χαίρεστε χαίρονται χαιρόμουν χαιρόσουν χαιρόταν "
     u"χαιρόμασταν χαιρόσασταν χαίρονταν N:χαρηκ χαρώ χαρείς χαρεί χαρούμε χαρείτε χαρούν "
     u"χαρούνε"},
    {u"κάθομαι", u"Z P:καθισ P:κατσ S:καθισ S:κατσ κάθισε καθίστε κάτσε κάτσετε M:καθισμ"},
    {u"γίνομαι", u"Z P:γιν S:γιν γίνε γίνετε γινόμουν M:γινωμ"},
    {u"φαίνομαι", u"Z N:φανηκ φανώ φανείς φανεί φανούμε φανείτε φανούν φανούνε"},
    {u"στέκομαι", u"Z N:σταθηκ σταθώ σταθείς σταθεί σταθούμε σταθείτε σταθούν στάσου"},
    {u"ντρέπομαι", u"Z N:ντραπηκ ντραπώ ντραπείς ντραπεί ντραπούμε ντραπείτε ντραπούν"},
    {u"ζω",
     u"ζεις ζει ζούμε ζείτε ζουν ζούνε ζούσα ζούσες ζούσε ζούσαμε ζούσατε ζούσαν ζώντας "
     u"P:ζησ S:ζησ ζήσε ζήστε"},
    {u"κλείνω", u"R Z P:κλεισ S:κλεισ κλείσε κλείστε Q:κλειστ M:κλεισμ"},
    {u"χάνω", u"R Z P:χασ S:χασ χάσε χάστε Q:χαθ M:χαμ"},
    {u"υπάρχω", u"R N:υπηρξ S:υπαρξ"},
    {u"σπάω",
     u"σπας σπάει σπάμε σπάτε σπάνε σπάγαμε έσπαγα σπούσα P:σπασ S:σπασ σπάσε σπάστε "
     u"Q:σπαστ M:σπασμ"},
    {u"ανοίγω", u"R Z N:ανοιξ S:ανοιξ άνοιξε ανοίξτε Q:ανοιχτ M:ανοιγμ"},
    {u"αρέσω", u"R N:αρεσ S:αρεσ"},
    {u"πνίγω", u"R Z P:πνιξ S:πνιξ πνίξε πνίξτε N:πνιγηκ πνιγώ πνιγείς πνιγεί M:πνιγμ"},
    {u"δέχομαι", u"Z N:δεχτηκ δεχτώ δεχτείς δεχτεί δεχτούμε δεχτείτε δεχτούν δέξου"},
    {u"λέγω", u"R P:λεγ N:ειπ S:π"},
};

// Past tense forms: the augmented stem's accent on the third syllable from the end, or on its
// first syllable in a shorter word (ήρθα, βρήκα).
void EmitIrregularCodes(const Word& lemma, UV code_list, Forms& out) {
  size_t i = 0;
  while (i < code_list.size()) {
    size_t j = code_list.find(u' ', i);
    if (j == UV::npos) j = code_list.size();
    const UV tok = code_list.substr(i, j - i);
    i = j + 1;
    if (tok.empty()) continue;
    if (tok == u"R" || tok == u"r") {
      const Word p = Cut(lemma, 1);
      EmitPresentFirst(p, tok == u"R", out);
    } else if (tok == u"Z") {
      const bool deponent = EndsWith(lemma.s, u"ομαι");
      EmitPassivePresentFirst(Cut(lemma, deponent ? 4 : 1), out);
    } else if (tok == u"B") {
      const Word st{lemma.s.substr(0, lemma.s.size() - 1), -1};
      EmitKeep(out, st,
               {u"είς", u"εί", u"ούμε", u"είτε", u"ούν", u"ούνε", u"ούσα", u"ούσες", u"ούσε",
                u"ούσαμε", u"ούσατε", u"ούσαν", u"ούσανε", u"ώντας"});
    } else if (tok.size() > 2 && tok[1] == u':') {
      const U stem(tok.substr(2));
      switch (tok[0]) {
        case u'P':
          EmitPast(out, stem, u'ε');
          break;
        case u'H':
          EmitPast(out, stem, u'η');
          break;
        case u'N':
          EmitPast(out, stem, 0);
          break;
        case u'S':
          EmitSubjunctive(out, stem);
          break;
        case u'Q':
          EmitPassiveAorist(stem, out);
          break;
        case u'M':
          EmitParticiple(stem, out);
          break;
        default:
          break;
      }
    } else {
      out.push_back(Render(Parse(tok), false));
    }
  }
}

const std::unordered_map<U, const IrregularVerb*>& IrregularVerbIndex() {
  static const auto* index = [] {
    auto* m = new std::unordered_map<U, const IrregularVerb*>();
    for (const IrregularVerb& v : kIrregularVerbs) (*m)[Parse(v.lemma).s] = &v;
    return m;
  }();
  return *index;
}

void Verb(const Word& w, Forms& out) {
  const U& s = w.s;
  const int size = static_cast<int>(s.size());
  if (size < 2) return;
  if (const auto it = IrregularVerbIndex().find(s); it != IrregularVerbIndex().end()) {
    EmitIrregularCodes(w, it->second->forms, out);
    return;
  }
  if (EndsWith(s, u"ιεμαι") && w.acc == size - 4) {
    DeponentContract(s.substr(0, s.size() - 5), u"ιε", out);
  } else if (EndsWith(s, u"αμαι") && w.acc == size - 4) {
    DeponentContract(s.substr(0, s.size() - 4), u"α", out);
  } else if (EndsWith(s, u"ωμαι") && w.acc == size - 4) {
    DeponentContract(s.substr(0, s.size() - 4), u"ω", out);
  } else if (EndsWith(s, u"ουμαι") && w.acc == size - 4) {
    DeponentContract(s.substr(0, s.size() - 5), u"ου", out);
  } else if (EndsWith(s, u"ομαι") && w.acc >= 0 && w.acc < size - 4) {
    DeponentFirst(w, out);
  } else if (EndsWith(s, u"αω") && w.acc == size - 2) {
    ContractFirst(s.substr(0, s.size() - 2), out);
  } else if (EndsWith(s, u"ω") && w.acc == size - 1) {
    const U stem = s.substr(0, s.size() - 1);
    if (IsFirstClassContract(stem)) {
      ContractFirst(stem, out);
    } else {
      ContractSecond(stem, out);
    }
  } else if (EndsWith(s, u"ω") && w.acc >= 0) {
    FirstConjugation(w, out);
  }
}

// ============================== the entry point ==============================

GreekPartOfSpeech Guess(const Word& w) {
  const U& s = w.s;
  if (EndsWithAny(s, {u"ω", u"μαι"})) return GreekPartOfSpeech::kVerb;
  if (EndsWithAny(s, {u"ικοσ", u"ινοσ", u"ιμοσ", u"τοσ", u"μενοσ", u"ωδησ", u"υσ"}) && w.acc >= 0) {
    return GreekPartOfSpeech::kAdjective;
  }
  return GreekPartOfSpeech::kNoun;
}

void Generate(const U& text, GreekPartOfSpeech pos, Forms& out) {
  if (text.empty() || text.size() > 40) return;
  for (char16_t c : text) {
    if (!IsGreekLower(c)) return;
  }
  const Word w = Parse(text);
  // Unaccented words are monosyllables, abbreviations or junk; ζω is in the verb table.
  if (w.acc < 0 && pos != GreekPartOfSpeech::kVerb) return;
  if (pos == GreekPartOfSpeech::kUnknown) pos = Guess(w);
  switch (pos) {
    case GreekPartOfSpeech::kNoun:
      // Nouns in -ικός are adjectives used as nouns (ο μηχανικός, η μηχανική).
      if (EndsWith(w.s, u"ικος") && w.acc == static_cast<int>(w.s.size()) - 2) {
        Adjective(w, out);
      } else {
        Noun(w, false, out);
      }
      break;
    case GreekPartOfSpeech::kProperNoun:
      Noun(w, true, out);
      break;
    case GreekPartOfSpeech::kAdjective: {
      for (const IrregularAdjective& a : kIrregularAdjectives) {
        if (text == a.lemma) {
          AddSpaceSeparated(a.forms, out);
          return;
        }
      }
      Adjective(w, out);
      break;
    }
    case GreekPartOfSpeech::kVerb:
      Verb(w, out);
      break;
    default:
      break;
  }
}

U ToUtf16FromCp1253(std::string_view text, bool* ok) {
  U out;
  out.reserve(text.size());
  for (unsigned char b : CharLowerA(text)) {
    const char32_t cp = Cp1253ToUnicode(b);
    if (cp > 0xFFFF) {
      *ok = false;
      return {};
    }
    out.push_back(static_cast<char16_t>(cp));
  }
  *ok = true;
  return out;
}

void Finish(const U& headword, Forms& forms) {
  std::sort(forms.begin(), forms.end());
  forms.erase(std::unique(forms.begin(), forms.end()), forms.end());
  forms.erase(std::remove_if(forms.begin(), forms.end(),
                             [&](const U& f) { return f.empty() || f == headword; }),
              forms.end());
}

}  // namespace

GreekPartOfSpeech GreekPartOfSpeechFromTag(std::string_view tag) {
  if (tag == "n") return GreekPartOfSpeech::kNoun;
  if (tag == "pn") return GreekPartOfSpeech::kProperNoun;
  if (tag == "adj") return GreekPartOfSpeech::kAdjective;
  if (tag == "v") return GreekPartOfSpeech::kVerb;
  if (tag == "adv") return GreekPartOfSpeech::kAdverb;
  return GreekPartOfSpeech::kUnknown;
}

std::vector<std::string> GreekInflectedForms(std::string_view headword, GreekPartOfSpeech pos) {
  std::vector<std::string> result;
  if (headword.empty() || headword.size() > 40) return result;
  bool ok = false;
  const U text = ToUtf16FromCp1253(headword, &ok);
  if (!ok) return result;
  Forms forms;
  forms.reserve(64);
  Generate(text, pos, forms);
  Finish(text, forms);
  result.reserve(forms.size());
  for (const U& f : forms) {
    std::string bytes;
    bytes.reserve(f.size());
    bool fits = true;
    for (char16_t c : f) {
      const int b = UnicodeToCp1253(c);
      if (b < 0) {
        fits = false;
        break;
      }
      bytes.push_back(static_cast<char>(b));
    }
    if (fits) result.push_back(std::move(bytes));
  }
  return result;
}

std::vector<std::string> GreekInflectedFormsUtf8(std::string_view headword, GreekPartOfSpeech pos) {
  std::vector<std::string> forms = GreekInflectedForms(Utf8ToCp1253(headword), pos);
  for (std::string& f : forms) f = Cp1253ToUtf8(f);
  return forms;
}

}  // namespace zelvoran
