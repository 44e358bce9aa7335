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
    u"υψοσ",     u"φεγγοσ", u"χαοσ",   u"χειλοσ", u"χρεοσ",  u"ψευδοσ",  u"ψυχοσ",   u"ιχνοσ",
    u"κυτοσ"};

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

// Words whose forms are listed: the lemma and its forms, separated by spaces ("~stem" for the
// forms of a comparative or superlative in -ος).
struct ListedForms {
  const char16_t* lemma;
  const char16_t* forms;
};

// Nouns of the third declension whose stem the nominative hides.
constexpr ListedForms kIrregularNouns[] = {
    {u"φως", u"φωτός φώτα φώτων"},
    {u"ήπαρ", u"ήπατος ήπατα ηπάτων"},
    {u"ύδωρ", u"ύδατος ύδατα υδάτων"},
    {u"γεγονός", u"γεγονότος γεγονότα γεγονότων"},
    {u"δάκρυ", u"δακρύου δάκρυα δακρύων"},
    {u"οξύ", u"οξέος οξέα οξέων"},
    {u"γάλα", u"γάλακτος γάλατος γάλατα γαλάτων"},
    {u"πυρ", u"πυρός πυρά"},
};

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
    if (EndsWith(s, u"εας") && w.acc == size - 3) {  // ο συγγραφέας, του συγγραφέως
      const Word stem = Cut(w, 3);
      emit(stem, {{u"έα", kKeep}, {u"έως", kKeep}}, {{u"είς", kKeep}, {u"έων", kKeep}});
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
    // The learned genitive of the third declension: του αγώνος, του σωτήρος, του γίγαντος
    if (EndsWithAny(stem.s,
                    {u"ων", u"ον", u"ην", u"ηρ", u"ορ", u"ωρ", u"υρ", u"ντ", u"ακ", u"υκ"})) {
      Emit(out, stem, {{u"ος", kKeep}});
    }
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
  if (EndsWith(s, u"ες") && oxytone(2)) {  // ο καφές; the learned neuter το βεληνεκές
    emit(Cut(w, 2), {{u"έ", kKeep}, {u"ούς", kKeep}},
         {{u"έδες", kKeep}, {u"έδων", kKeep}, {u"ή", kKeep}, {u"ών", kKeep}});
    return;
  }
  if (EndsWith(s, u"υς") && !EndsWith(s, u"ους") && oxytone(2)) {  // η ισχύς, της ισχύος; ο ιχθύς
    emit(Cut(w, 2), {{u"ύος", kKeep}, {u"ύ", kKeep}}, {{u"ύες", kKeep}, {u"ύων", kKeep}});
    return;
  }
  if (EndsWith(s, u"ως") && oxytone(2)) {  // το καθεστώς, του καθεστώτος
    emit(Cut(w, 1), {{u"τος", kKeep}}, {{u"τα", kKeep}, {u"των", kPenult}});
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
    const bool keeps = (EndsWithAny(s, {u"ιδα", u"αδα", u"ονα", u"τερα"}) && w.acc == size - 3) ||
                       EndsWith(s, u"τητα");  // των ποιοτήτων
    emit(stem, {{u"ας", kKeep}}, {{u"ες", kKeep}, {keeps ? u"ων" : u"ών", kPenult}});
    // The learned genitive: της Ελλάδος, της πατρίδος, της ποιότητος
    if ((EndsWithAny(s, {u"ιδα", u"αδα"}) && w.acc == size - 3) || EndsWith(s, u"τητα")) {
      Emit(out, stem, {{u"ος", kKeep}});
    }
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
  if (EndsWithAny(s, {u"ον", u"εν"}) && !singular_only) {  // το ενδιαφέρον, το φωνήεν
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

// The comparative and the absolute superlative: σοβαρ-ότερος, σοβαρ-ότατος; βαθ-ύτερος,
// βαθ-ύτατος; σαφ-έστερος, σαφ-έστατος.
void Comparison(const U& stem, UV comparative, UV superlative, Forms& out) {
  AdjectiveOs(Parse(stem + U(comparative)), false, out);
  AdjectiveOs(Parse(stem + U(superlative)), false, out);
}

constexpr ListedForms kListedFormss[] = {
    {u"καλός", u"καλή καλό καλού καλής καλέ καλοί καλές καλά καλών καλούς καλώς ~καλύτερ ~άριστ"},
    {u"κακός",
     u"κακή κακό κακού κακής κακέ κακοί κακές κακά κακών κακούς κακώς ~χειρότερ ~χείριστ"},
    {u"μεγάλος",
     u"μεγάλη μεγάλο μεγάλου μεγάλης μεγάλε μεγάλοι μεγάλες μεγάλα μεγάλων μεγάλους μεγάλως "
     u"~μεγαλύτερ ~μέγιστ"},
    {u"πολύς", u"πολλή πολύ πολλού πολλής πολλοί πολλές πολλά πολλών πολλούς ~περισσότερ ~πλείστ"},
    {u"λίγος", u"λίγη λίγο λίγου λίγης λίγοι λίγες λίγα λίγων λίγους ~λιγότερ ~ελάχιστ"},
    {u"μικρός",
     u"μικρή μικρό μικρού μικρής μικρέ μικροί μικρές μικρά μικρών μικρούς ~μικρότερ ~μικρότατ "
     u"~ελάχιστ"},
    {u"γλυκός",
     u"γλυκιά γλυκό γλυκού γλυκιάς γλυκέ γλυκοί γλυκές γλυκά γλυκών γλυκούς ~γλυκύτερ ~γλυκύτατ"},
    {u"απλός",
     u"απλή απλό απλού απλής απλέ απλοί απλές απλά απλών απλούς απλώς ~απλούστερ ~απλότερ "
     u"~απλούστατ"},
    {u"κοντός",
     u"κοντή κοντό κοντού κοντής κοντέ κοντοί κοντές κοντά κοντών κοντούς ~κοντύτερ ~κοντότερ "
     u"~κοντότατ"},
    {u"ελαφρύς",
     u"ελαφριά ελαφρύ ελαφριού ελαφριάς ελαφριοί ελαφριές ελαφριών ελαφριούς ελαφρώς ~ελαφρύτερ "
     u"~ελαφρύτατ"},
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
      if (f[0] == u'~') {  // a comparative or superlative stem: ~καλύτερ
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
      Comparison(stem.s, u"ότερ", u"ότατ", out);
    }
    // The learned adverb, stressed as the genitive plural: παρόμοιος, παρομοίως; σοβαρώς;
    // ιδιαίτερος, ιδιαιτέρως
    if (!EndsWith(s, u"μενοσ")) out.push_back(Attach(stem, u"ως", kPenult));
    return;
  }
  if (EndsWith(s, u"υς") && oxy2) {  // βαθύς, βαθιά, βαθύ
    const Word stem = Cut(w, 2);
    if (InList(s, {u"ευρυσ", u"οξυσ", u"ταχυσ", u"δασυσ", u"βραχυσ", u"αμβλυσ", u"ευθυσ"})) {
      EmitKeep(out, stem, {u"ύ", u"έος", u"έα", u"είς", u"έων", u"εία", u"είας", u"είες", u"ειών"});
    } else {
      EmitKeep(out, stem, {u"ύ", u"ιού", u"ιοί", u"ιών", u"ιούς", u"ιά", u"ιάς", u"ιές"});
    }
    Comparison(stem.s, u"ύτερ", u"ύτατ", out);
    out.push_back(Attach(stem, u"έως", kKeep));  // ταχέως, ευρέως
    return;
  }
  if (EndsWith(s, u"ης")) {
    const Word stem = Cut(w, 2);
    if (oxy2) {  // διεθνής, διεθνές
      EmitKeep(out, stem, {u"ούς", u"ή", u"είς", u"ών", u"ές", u"ώς"});
      Comparison(stem.s, u"έστερ", u"έστατ", out);
    } else if (IsPopularIs(s)) {  // ζηλιάρης, ζηλιάρα, ζηλιάρικο
      EmitKeep(out, stem,
               {u"η", u"ηδες", u"ηδων", u"α", u"ας", u"ες", u"ικο", u"ικου", u"ικα", u"ικων"});
    } else {  // συνήθης, συνήθους, συνήθως, συνηθέστερος
      EmitKeep(out, stem, {u"ους", u"η", u"εις", u"ων"});
      if (EndsWith(s, u"ωδησ")) {  // ουσιώδης, ουσιώδες, ουσιωδώς
        EmitKeep(out, stem, {u"ες"});
        out.push_back(Attach(stem, u"ώς", kKeep));
      } else {
        out.push_back(Attach(stem, u"ως", kKeep));
      }
      Comparison(stem.s, u"έστερ", u"έστατ", out);
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

// ============================== adverbs ==============================

// Adverbs compared otherwise than their adjective, or that have none.
constexpr ListedForms kIrregularAdverbs[] = {
    {u"καλά", u"καλύτερα άριστα"},
    {u"κακά", u"χειρότερα χείριστα"},
    {u"πολύ", u"περισσότερο περισσότερα πιότερο"},
    {u"λίγο", u"λιγότερο λιγότερα ελάχιστα"},
    {u"νωρίς", u"νωρίτερα νωρίτατα"},
    {u"κοντά", u"κοντύτερα κοντότερα"},
    {u"απλά", u"απλούστερα απλούστατα απλότερα"},
};

// The comparative and superlative of an adverb: αργά, αργότερα, αργότατα; βαθιά, βαθύτερα;
// ταχέως, ταχύτερα.
void Adverb(const U& text, const Word& w, Forms& out) {
  for (const ListedForms& a : kIrregularAdverbs) {
    if (text == a.lemma) {
      AddSpaceSeparated(a.forms, out);
      return;
    }
  }
  const U& s = w.s;
  const size_t size = s.size();
  if (size < 3) return;
  U stem;
  const char16_t* comparative = u"ότερα";
  const char16_t* superlative = u"ότατα";
  if (EndsWith(s, u"εως")) {
    stem = s.substr(0, size - 3);
    comparative = u"ύτερα";
    superlative = u"ύτατα";
  } else if (EndsWith(s, u"ια") && w.acc == static_cast<int>(size) - 1 &&
             !IsPlainVowel(s[size - 3])) {  // βαθιά, μακριά: from -ύς
    stem = s.substr(0, size - 2);
    comparative = u"ύτερα";
    superlative = u"ύτατα";
  } else if (EndsWith(s, u"α")) {
    stem = s.substr(0, size - 1);
  } else {
    return;
  }
  out.push_back(Render(Parse(stem + comparative)));
  out.push_back(Render(Parse(stem + superlative)));
}

// ============================== verbs ==============================

// Present stems (the verb without -ω) whose sigmatic aorist takes -ξ- rather than -σ-.
bool ZetaTakesXi(const U& stem) {
  return EndsWithAny(stem, {u"κοιταζ",  u"φωναζ",  u"αλλαζ",   u"κραζ",    u"σταζ",   u"σφαζ",
                            u"ταζ",     u"ταραζ",  u"πειραζ",  u"φυλαζ",   u"νυσταζ", u"βασταζ",
                            u"σπαραζ",  u"τρομαζ", u"αραζ",    u"βουλιαζ", u"ρημαζ",  u"σκουνταζ",
                            u"παιζ",    u"αγγιζ",  u"σφυριζ",  u"τριζ",    u"βογγιζ", u"μουγκριζ",
                            u"ρουφιζ",  u"νυχιζ",  u"στοιβαζ", u"μαλαζ",   u"γρυλιζ", u"σκουζ",
                            u"τσουζ",   u"βυζαζ",  u"μοιραζ",  u"κραυγαζ", u"στενάζ", u"στεναζ",
                            u"ανασταζ", u"γδαζ",   u"χαραζ",   u"βρυχιζ",  u"πληζ",   u"ανοιγ",
                            u"στηριζ"}) &&
         !EndsWith(stem, u"εταζ");  // εξετάζω, εξέτασα (τάζω, έταξα)
}

struct VerbStems {
  U aorist;      // active aorist stem (γραψ), empty when unknown
  U passive;     // passive aorist stem (γραφτ), empty when unknown
  U participle;  // passive participle stem (γραμμ), empty when unknown
};

// The stems a conjugation used for its past tenses, for the learned forms added afterwards
// (the internal augment of compounds, the learned passive aorist).
struct PastStems {
  U imperfect;             // present stem of the first conjugation (έγραφα)
  std::vector<U> aorist;   // active aorist stems (γραψ)
  std::vector<U> passive;  // passive aorist stems (γραφτ)
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
  } else if (EndsWith(p, u"ελν")) {  // στέλνω, έστειλα; παραγγέλνω, παράγγειλα
    v.aorist = base(2) + u"ειλ";
    v.passive = base(1) + u"θ";
    v.participle = base(1) + u"μ";
    return v;
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
  } else if (EndsWith(p, u"ει")) {  // κλείω, έκλεισα, κλείστηκα; αποκλείω
    v.aorist = p + u"σ";
    v.passive = p + u"στ";
    v.participle = p + u"σμ";
    return v;
  } else if (EndsWith(p, u"ε")) {  // πλέω, έπλευσα; εμπνέω, εμπνεύστηκα
    v.aorist = p + u"υσ";
    v.passive = p + u"υστ";
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

// The passive aorist, kept for the learned forms.
void Passive(const U& q, Forms& out, PastStems& stems) {
  EmitPassiveAorist(q, out);
  stems.passive.push_back(q);
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

void FirstConjugation(const Word& w, Forms& out, PastStems& stems) {
  const Word p = Cut(w, 1);
  EmitPresentFirst(p, true, out);
  EmitPassivePresentFirst(p, out);
  stems.imperfect = p.s;
  const VerbStems v = StemsOfFirst(p.s);
  if (!v.aorist.empty()) {
    EmitAoristActive(v.aorist, u'ε', out);
    out.push_back(OnStem(v.aorist, u"ου"));  // passive imperative γράψου
    stems.aorist.push_back(v.aorist);
  }
  // Learned verbs in -εύω, -αύω keep the υ: απαγορεύω, απαγόρευσα (δουλεύω, δούλεψα).
  if (EndsWithAny(p.s, {u"ευ", u"αυ"})) {
    EmitAoristActive(p.s + u"σ", u'ε', out);
    stems.aorist.push_back(p.s + u"σ");
  }
  if (!v.passive.empty()) Passive(v.passive, out, stems);
  // Learned verbs in -αίνω keep the ν: σημαίνω, σημάνθηκε (ζεσταίνω, ζεστάθηκε).
  if (EndsWith(p.s, u"αιν")) Passive(p.s.substr(0, p.s.size() - 2) + u"νθ", out, stems);
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
       u"πηδ",   u"φτερουγ", u"ανταμ",   u"κελαηδ", u"κυνηγ",  u"πλαν",  u"παρατ",  u"ξαναρωτ",
       u"δρ"});
}

// The aorist suffix of a verb in -ώ.
U ContractAoristSuffix(const U& stem) {
  if (EndsWithAny(stem, {u"γελ", u"ξεχν", u"πειν", u"διψ", u"περν", u"κρεμ", u"σπ", u"χαλ", u"κερν",
                         u"ξεσπ", u"δρ"})) {
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

void EmitContractAorist(const U& stem, Forms& out, PastStems& stems) {
  const U suffix = ContractAoristSuffix(stem);
  // ξεχνώ, ξέχασα; περνώ, πέρασα: the ν of the present stem drops before -ασ-.
  const U root = suffix == u"ασ" && EndsWith(stem, u"ν") ? stem.substr(0, stem.size() - 1) : stem;
  const U a = root + suffix;
  EmitAoristActive(a, u'ε', out);
  stems.aorist.push_back(a);
  out.push_back(OnStem(a, u"ου"));
  const char16_t c = suffix[0];
  switch (suffix[1]) {
    case u'σ':
      if (c == u'η') {  // αγαπήθηκα, αγαπημένος
        Passive(stem + u"ηθ", out, stems);
        EmitParticiple(stem + u"ημ", out);
      } else if (c == u'α') {  // ξεχάστηκα, ξεχασμένος
        Passive(root + u"αστ", out, stems);
        EmitParticiple(root + u"ασμ", out);
      } else if (EndsWithAny(stem, {u"καλ", u"τελ"})) {  // καλέστηκα, καλεσμένος
        Passive(stem + u"εστ", out, stems);
        EmitParticiple(stem + u"εσμ", out);
      } else {  // αφαιρέθηκα, φορεμένος
        Passive(stem + u"εθ", out, stems);
        EmitParticiple(stem + u"εμ", out);
      }
      break;
    case u'ξ':  // τραβήχτηκα, τραβηγμένος
      Passive(stem + c + u"χτ", out, stems);
      EmitParticiple(stem + c + u"γμ", out);
      break;
    default:
      break;
  }
}

void ContractFirst(const U& stem, Forms& out, PastStems& stems) {  // αγαπώ, αγαπάω
  const Word st{stem, -1};
  EmitKeep(out, st,
           {u"ώ",      u"άω",      u"άς",       u"ά",        u"άει",     u"άμε",      u"ούμε",
            u"άτε",    u"ούν",     u"ούνε",     u"άνε",      u"ούσα",    u"ούσες",    u"ούσε",
            u"ούσαμε", u"ούσατε",  u"ούσαν",    u"ούσανε",   u"ώντας",   u"ιέμαι",    u"ιέσαι",
            u"ιέται",  u"ιόμαστε", u"ιέστε",    u"ιούνται",  u"ιόμουν",  u"ιόμουνα",  u"ιόσουν",
            u"ιόταν",  u"ιότανε",  u"ιόμασταν", u"ιόσασταν", u"ιούνταν", u"ιόντουσαν"});
  out.push_back(OnStem(stem, u"α"));  // imperative αγάπα
  EmitContractAorist(stem, out, stems);
}

void ContractSecond(const U& stem, Forms& out, PastStems& stems) {  // μπορώ, θεωρώ
  const Word st{stem, -1};
  EmitKeep(out, st, {u"ώ",      u"είς",    u"εί",     u"ούμε",     u"είτε",    u"ούν",   u"ούνε",
                     u"ούσα",   u"ούσες",  u"ούσε",   u"ούσαμε",   u"ούσατε",  u"ούσαν", u"ούσανε",
                     u"ώντας",  u"ούμαι",  u"είσαι",  u"είται",    u"ούμαστε", u"είστε", u"ούνται",
                     u"ούμουν", u"ούσουν", u"ούνταν", u"ούμασταν", u"ούσασταν"});
  EmitContractAorist(stem, out, stems);
}

// Verbs that have only the passive forms.
void DeponentFirst(const Word& w, Forms& out, PastStems& stems) {  // σκέφτομαι, δέχομαι, εργάζομαι
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
  if (!q.empty()) Passive(q, out, stems);
}

void DeponentContract(const U& stem, UV kind, Forms& out, PastStems& stems) {
  const Word st{stem, -1};
  if (kind == u"ιε") {  // παραπονιέμαι, παραπονέθηκα
    EmitKeep(out, st,
             {u"ιέσαι", u"ιέται", u"ιόμαστε", u"ιέστε", u"ιούνται", u"ιόμουν", u"ιόμουνα",
              u"ιόσουν", u"ιόταν", u"ιότανε", u"ιόμασταν", u"ιόσασταν", u"ιούνταν", u"ιόντουσαν"});
    const bool eta = EndsWithAny(stem, {u"αρν"});
    Passive(stem + (eta ? u"ηθ" : u"εθ"), out, stems);
    out.push_back(OnStem(stem + (eta ? u"ησ" : u"εσ"), u"ου"));
  } else if (kind == u"ω") {  // εξαρτώμαι, εξαρτάται, εξαρτήθηκα
    EmitKeep(out, st,
             {u"άσαι", u"άται", u"όμαστε", u"άστε", u"ώνται", u"όμουν", u"όσουν", u"όταν",
              u"όμασταν", u"όσασταν", u"ώνταν"});
    Passive(stem + u"ηθ", out, stems);
  } else if (kind == u"α") {  // κοιμάμαι, κοιμήθηκα
    EmitKeep(out, st,
             {u"άσαι", u"άται", u"όμαστε", u"άστε", u"ούνται", u"όμουν", u"όμουνα", u"όσουν",
              u"όσουνα", u"όταν", u"ότανε", u"όμασταν", u"όσασταν", u"ούνταν", u"όντουσαν"});
    Passive(stem + u"ηθ", out, stems);
    out.push_back(OnStem(stem + u"ησ", u"ου"));
  } else {  // αρνούμαι, αρνήθηκα
    EmitKeep(out, st,
             {u"είσαι", u"είται", u"ούμαστε", u"είστε", u"ούνται", u"ούμουν", u"ούσουν", u"ούνταν",
              u"ούμασταν", u"ούσασταν"});
    Passive(stem + u"ηθ", out, stems);
    out.push_back(OnStem(stem + u"ησ", u"ου"));
  }
}

// ============================== learned compounds ==============================

// The prefixes of learned compound verbs, written before a consonant (the nasal of εν- and
// συν- takes the place of the consonant's: εμ-, εγ-, συμ-, συλ-), before a vowel, and before a
// vowel that once had the rough breathing (αφ-αιρώ, καθ-ορίζω, υφ-ίσταμαι).
enum Prefix : int8_t {
  kAna,
  kApo,
  kDia,
  kEis,
  kEk,
  kEn,
  kEpi,
  kKata,
  kMeta,
  kPara,
  kPeri,
  kPro,
  kPros,
  kSyn,
  kHyper,
  kHypo,
  kAnti,
  kPrefixCount
};

struct PrefixForms {
  const char16_t* consonant;
  const char16_t* vowel;
  const char16_t* rough;
};

constexpr PrefixForms kPrefixes[kPrefixCount] = {
    {u"ανα", u"αν", u"αν"},      {u"απο", u"απ", u"αφ"},      {u"δια", u"δι", u"δι"},
    {u"εισ", u"εισ", u"εισ"},    {u"εκ", u"εξ", u"εξ"},       {u"εν", u"εν", u"εν"},
    {u"επι", u"επ", u"εφ"},      {u"κατα", u"κατ", u"καθ"},   {u"μετα", u"μετ", u"μεθ"},
    {u"παρα", u"παρ", u"παρ"},   {u"περι", u"περι", u"περι"}, {u"προ", u"προ", u"προ"},
    {u"προσ", u"προσ", u"προσ"}, {u"συν", u"συν", u"συν"},    {u"υπερ", u"υπερ", u"υπερ"},
    {u"υπο", u"υπ", u"υφ"},      {u"αντι", u"αντ", u"ανθ"}};

// The prefix as it is written before `next`, the letters that follow it.
U PrefixBefore(int p, UV next, bool rough) {
  const PrefixForms& f = kPrefixes[p];
  if (next.empty()) return f.consonant;
  const char16_t c = next[0];
  if (IsPlainVowel(c)) return rough ? f.rough : f.vowel;
  if (p == kEn || p == kSyn) {
    const U base = p == kEn ? u"ε" : u"συ";
    if (UV(u"πβφψμ").find(c) != UV::npos) return base + u"μ";
    if (UV(u"κγχξ").find(c) != UV::npos) return base + u"γ";
    if (c == u'λ') return base + u"λ";
    if (p == kSyn && c == u'ρ') return u"συρ";
    if (p == kSyn && (c == u'ζ' || c == u'σ')) {  // συ-στέλλω, συ-ζητώ, συσ-σωρεύω
      return next.size() > 1 && IsPlainVowel(next[1]) && c == u'σ' ? u"συσ" : u"συ";
    }
    return base + u"ν";
  }
  return f.consonant;
}

// The learned prefixes a verb begins with.
struct Chain {
  U text;              // the letters of all of them, as the verb writes them
  U fixed;             // those before the last one
  int last = -1;       // the last one, -1 for none
  bool rough = false;  // whether the verb writes the last one with the rough breathing
  bool empty() const { return last < 0; }
};

// What may follow the prefixes: a root with a consonant and a vowel that does not begin with
// a doubled consonant (περι-σσεύω is no compound; απο-ρρίπτω is).
bool CanBeRoot(UV r) {
  if (r.size() < 2) return false;
  if (r.size() >= 2 && r[0] == r[1] && !IsPlainVowel(r[0]) && r[0] != u'ρ') return false;
  const bool vowel = std::any_of(r.begin(), r.end(), IsPlainVowel);
  const bool consonant =
      std::any_of(r.begin(), r.end(), [](char16_t c) { return !IsPlainVowel(c); });
  return vowel && consonant;
}

// Roots that had the rough breathing, after which a prefix is written αφ-, εφ-, καθ-, μεθ-,
// υφ-, ανθ- (καθ-ίσταμαι, αφ-αιρώ, εφ-αρμόζω, καθ-ορίζω, αφ-ηγούμαι, εφ-ευρίσκω).
bool TakesRoughBreathing(UV root) {
  for (UV r : {u"ι", u"αι", u"αρμ", u"αρπ", u"ορ", u"ομ", u"οδ", u"οπλ", u"ηγ", u"ησυχ", u"ημερ",
               u"ευρ", u"ελκ", u"εδρ"}) {
    if (root.starts_with(r)) return true;
  }
  return false;
}

// The ways a prefix is written, each with whether it is the form with the rough breathing.
using WrittenForm = std::pair<UV, bool>;

const std::vector<WrittenForm>& WrittenForms(int p) {
  static const auto* forms = [] {
    auto* all = new std::array<std::vector<WrittenForm>, kPrefixCount>();
    for (int q = 0; q < kPrefixCount; ++q) {
      std::vector<WrittenForm>& out = (*all)[q];
      if (q == kEn) {
        out = {{u"εν", false}, {u"εμ", false}, {u"εγ", false}, {u"ελ", false}};
      } else if (q == kSyn) {
        out = {{u"συν", false}, {u"συμ", false}, {u"συγ", false}, {u"συλ", false},
               {u"συρ", false}, {u"συσ", false}, {u"συ", false}};
      } else {
        const PrefixForms& f = kPrefixes[q];
        out = {{f.consonant, false}};
        if (UV(f.vowel) != f.consonant) out.push_back({f.vowel, false});
        if (UV(f.rough) != f.vowel) out.push_back({f.rough, true});
      }
    }
    return all;
  }();
  return (*forms)[p];
}

// The prefixes at s[from..], after those of `cur`: the first way found, trying the longer
// written forms first (ανα-φέρω rather than αν-αφέρω, προσ-φέρω rather than προ-σφέρω) and more
// prefixes before fewer (επ-ανα-λαμβάνω). Without `exact` the rest must be able to be a root;
// with it the prefixes must end there. The accent must lie after them.
bool FindPrefixes(const U& s, int acc, size_t from, const Chain& cur, size_t exact, Chain& found) {
  struct Option {
    int prefix;
    UV text;
    bool rough;
  };
  std::array<Option, 32> options;
  size_t count = 0;
  if (exact == U::npos || from < exact) {
    for (int p = 0; p < kPrefixCount; ++p) {
      for (const auto& [t, rough] : WrittenForms(p)) {
        const size_t next = from + t.size();
        if (s.size() < next || UV(s).substr(from, t.size()) != t) continue;
        if (acc >= 0 && static_cast<size_t>(acc) < next) continue;
        if (PrefixBefore(p, UV(s).substr(next), rough) != t) continue;
        if (rough && !TakesRoughBreathing(UV(s).substr(next))) continue;
        if (count < options.size()) options[count++] = {p, t, rough};
      }
    }
  }
  std::stable_sort(options.begin(), options.begin() + count,
                   [](const Option& a, const Option& b) { return a.text.size() > b.text.size(); });
  for (size_t k = 0; k < count; ++k) {
    Chain c;
    c.text = s.substr(0, from + options[k].text.size());
    c.fixed = s.substr(0, from);
    c.last = options[k].prefix;
    c.rough = options[k].rough;
    if (FindPrefixes(s, acc, c.text.size(), c, exact, found)) return true;
  }
  if (cur.empty()) return false;
  if (exact != U::npos ? from != exact : !CanBeRoot(UV(s).substr(from))) return false;
  found = cur;
  return true;
}

Chain PrefixesOf(const Word& w, size_t exact = U::npos) {
  Chain found;
  FindPrefixes(w.s, w.acc, 0, Chain{}, exact, found);
  return found;
}

// The root's first vowel lengthened by the augment (υπ-άρχω, υπ-ήρχα; εφ-αρμόζω, εφ-ήρμοσα;
// δι-ευθύνω, δι-ηύθυνα); empty where it takes none (ισχύω, οικώ).
U Lengthened(UV root) {
  if (root.empty()) return {};
  const char16_t n = root.size() > 1 ? root[1] : 0;
  U out(root);
  switch (root[0]) {
    case u'α':
      if (n == u'ι') return u"η" + U(root.substr(2));
      out[0] = u'η';
      return out;
    case u'ε':
      if (n == u'ι') return {};
      out[0] = u'η';
      return out;
    case u'ο':
      if (n == u'ι' || n == u'υ') return {};
      out[0] = u'ω';
      return out;
    default:
      return {};
  }
}

// Letters of a learned past form and the index of its augment.
struct Augmented {
  U letters;
  int augment = 0;
};

// The prefixes, the augment and the root: ε after the last prefix before a consonant
// (ανα-λύω, αν-έ-λυσα), the root's vowel lengthened before a vowel.
bool Augment(const Chain& c, UV root, Augmented* a) {
  if (c.empty() || root.empty()) return false;
  if (!IsPlainVowel(root[0])) {
    a->letters = c.fixed + PrefixBefore(c.last, u"ε", false) + u"ε";
    a->augment = static_cast<int>(a->letters.size()) - 1;
    a->letters += root;
    return true;
  }
  const U l = Lengthened(root);
  if (l.empty()) return false;
  a->letters = c.fixed + PrefixBefore(c.last, l, c.rough);
  a->augment = static_cast<int>(a->letters.size());
  a->letters += l;
  return true;
}

// A past form accented on the third syllable from the end, never before the augment
// (προ-έ-βλεψα, εισ-ήλ-θα).
U AccentPast(const U& letters, int augment) {
  Word w;
  w.s = letters;
  Nuclei n;
  FindNuclei(w.s, -1, &n);
  MergeGlides(w.s, &n);
  if (n.count == 0) return {};
  int k = n.count >= 3 ? n.count - 3 : 0;
  const int a = NucleusOf(n, augment);
  if (a > k) k = a;
  w.acc = n.n[k].mark;
  return Render(std::move(w));
}

// The learned past in the singular and the third person plural (ανέφερα, ανέφερες, ανέφερε,
// ανέφεραν).
void EmitAugmented(const Chain& c, UV root, Forms& out) {
  Augmented a;
  if (!Augment(c, root, &a)) return;
  for (const char16_t* e : {u"α", u"ες", u"ε", u"αν"})
    out.push_back(AccentPast(a.letters + e, a.augment));
}

// The same for a stem given with the prefixes (αναλυσ).
void EmitAugmentedStem(const Chain& c, const U& stem, Forms& out) {
  if (c.empty() || stem.size() <= c.text.size() || stem.compare(0, c.text.size(), c.text) != 0) {
    return;
  }
  EmitAugmented(c, UV(stem).substr(c.text.size()), out);
}

// The learned passive aorist of the third person, with the augment and the accent on the
// syllable before the ending (ελύθη, ελύθησαν; συνελήφθη; ανεστάλη). `stem` has the prefixes.
void EmitLearnedPassive(const Chain& c, const U& stem, Forms& out) {
  if (stem.empty()) return;
  U letters;
  Augmented a;
  if (c.empty()) {
    if (!IsPlainVowel(stem[0])) {
      letters = u"ε" + stem;
    } else {
      const U l = Lengthened(stem);
      letters = l.empty() ? stem : l;
    }
  } else if (stem.compare(0, c.text.size(), c.text) == 0 &&
             Augment(c, UV(stem).substr(c.text.size()), &a)) {
    letters = a.letters;
  } else {
    letters = stem;
  }
  Word w;
  w.s = letters + u"η";
  Nuclei n;
  FindNuclei(w.s, -1, &n);
  MergeGlides(w.s, &n);
  if (n.count < 2) return;
  w.acc = n.n[n.count - 2].mark;
  const U third = Render(std::move(w));
  out.push_back(third);
  out.push_back(third + u"σαν");
}

// The learned spellings of a passive stem: -φθ-, -χθ-, -σθ-, -υθ- for -φτ-, -χτ-, -στ-, -υτ-
// (επισκέφθηκε, εκλέχθηκε, καταδικάσθηκε, εκπαιδεύθηκε); empty where there is none.
U LearnedPassiveStem(const U& q) {
  if (q.size() < 2 || q.back() != u'τ') return {};
  const char16_t c = q[q.size() - 2];
  if (c != u'φ' && c != u'χ' && c != u'σ' && c != u'υ') return {};
  return q.substr(0, q.size() - 1) + u"θ";
}

// The learned forms of a verb beside those of its conjugation: the internal augment of a
// compound's past, and the learned passive aorist.
void EmitLearnedForms(const Chain& c, const PastStems& stems, Forms& out) {
  for (const U& a : stems.aorist) EmitAugmentedStem(c, a, out);
  if (!stems.imperfect.empty()) EmitAugmentedStem(c, stems.imperfect, out);
  for (const U& q : stems.passive) {
    const U learned = LearnedPassiveStem(q);
    if (!learned.empty()) {
      const char16_t c2 = learned[learned.size() - 2];
      if (c2 == u'φ' || c2 == u'χ') {
        EmitPassiveAorist(learned, out);
      } else {  // the rarer -σθ-, -υθ-: the third persons only
        out.push_back(Past(learned + u"ηκ", u"ε", 0));
        out.push_back(Past(learned + u"ηκ", u"αν", 0));
        out.push_back(Render(Parse(learned + u"εί")));
        out.push_back(Render(Parse(learned + u"ούν")));
      }
    }
    const U theta = !learned.empty() ? learned : q;
    if (!theta.empty() && theta.back() == u'θ') EmitLearnedPassive(c, theta, out);
  }
}

// Roots of learned compounds whose past the conjugations do not make (συλ-λαμβάνω, συν-έλαβα,
// συν-ελήφθη), each with codes separated by spaces; stems come without the prefixes:
//   A:stem  active aorist (συλλάβει, συνέλαβε)       Q:stem  passive aorist (συλλήφθηκε, συνελήφθη)
//   D:stem  passive aorist without -θ- (ανεστάλη)    M:stem  participle in -μένος
//   S:stem  subjunctive (εισέλθει)                   Z:stem  subjunctive, the ending accented
//   T:stem  past of an augmented stem (εισήλθε)       I:stem  the same, for the imperfect
//   E:stem  third persons of the root aorist (συνέβη, συνέβησαν)
//   P:stem  active aorist without the augment (αντέχω, άντεξα)
//   F:form  a form as written after the prefixes     +       the verb's own conjugation too
using LearnedRoot = ListedForms;  // the root's lemma and its codes

constexpr LearnedRoot kLearnedRoots[] = {
    {u"λαμβάνω", u"A:λαβ Q:ληφθ"},
    {u"λαμβάνομαι", u"Q:ληφθ"},
    {u"βάλλω", u"A:βαλ Q:βληθ"},
    {u"βαίνω", u"E:εβη Z:β S:β"},
    {u"έρχομαι", u"T:ηλθ T:ηρθ S:ελθ S:ερθ"},
    {u"άγω", u"T:ηγαγ S:αγαγ Q:αχθ M:ηγμ M:αγμ"},
    {u"δίδω", u"A:δωσ Q:δοθ"},
    {u"θέτω", u"A:θεσ Q:τεθ M:τεθειμ"},
    {u"τίθεμαι", u"F:τίθεσαι F:τίθεται F:τιθέμεθα F:τίθενται F:τίθετο F:τίθεντο Q:τεθ"},
    {u"στέλλω", u"A:στειλ Q:σταλθ D:σταλ M:σταλμ"},
    {u"έχω", u"P:εξ I:ειχ T:εσχ S:σχ Q:σχεθ"},
    {u"ίσταμαι", u"F:ίστασαι F:ίσταται F:ιστάμεθα F:ίστανται F:ίστατο F:ίσταντο E:εστη Z:στ"},
    {u"ιστώ",
     u"F:ιστάς F:ιστά F:ιστούμε F:ιστάτε F:ιστούν F:ιστούσε F:ιστούσαν F:ιστώντας A:στησ "
     u"Q:σταθ E:εστη Z:στ"},
    {u"τυγχάνω", u"A:τυχ Q:τευχθ"},
    {u"δεικνύω", u"A:δειξ Q:δειχθ Q:δειχτ M:δειγμ"},
    {u"κόπτω", u"A:κοψ D:κοπ M:κομμ"},
    {u"λείπω", u"A:λειψ A:λιπ Q:λειφθ"},
    {u"κρύπτω", u"A:κρυψ Q:κρυφθ Q:κρυφτ D:κρυβ M:κρυμμ"},
    {u"αλλάσσω", u"A:αλλαξ Q:αλλαχθ Q:αλλαχτ D:αλλαγ M:αλλαγμ"},
    {u"τρίβω", u"A:τριψ Q:τριφτ D:τριβ M:τριμμ"},
    {u"πίπτω", u"A:πεσ"},
    {u"στρέφω", u"A:στρεψ D:στραφ M:στραμμ"},
    {u"στρέφομαι", u"D:στραφ"},
    {u"τρέπω", u"A:τρεψ D:τραπ"},
    {u"τάσσω", u"A:ταξ Q:ταχθ D:ταγ M:ταγμ"},
    {u"τείνω", u"A:τειν Q:ταθ"},
    {u"λέγω", u"A:λεξ Q:λεχθ Q:λεχτ D:λεγ M:λεγμ"},
    {u"γράφω", u"A:γραψ Q:γραφτ D:γραφ M:γραμμ"},
    {u"πλέκω", u"A:πλεξ D:πλακ M:πλεγμ"},
    {u"πλήσσω", u"A:πληξ D:πλαγ"},
    {u"μένω", u"A:μειν"},
    {u"φεύγω", u"A:φυγ Q:φευχθ"},
    {u"καλώ", u"+ Q:κληθ"},
    {u"φαίνομαι", u"Q:φανθ"},
    {u"φθείρω", u"A:φθειρ D:φθαρ M:φθαρμ"},
    {u"αγγέλλω", u"A:αγγειλ Q:αγγελθ M:αγγελμ"},
    {u"αγγέλνω", u"A:αγγειλ Q:αγγελθ M:αγγελμ"},
    {u"άπτω", u"A:αψ Q:αφθ M:ημμ"},
    {u"χέω", u"A:χυσ Q:χυθ"},
};

struct RootMatch {
  const LearnedRoot* root = nullptr;
  Chain chain;
};

// The longest root of the table the verb ends in after one or more prefixes.
RootMatch FindLearnedRoot(const Word& w) {
  static const auto* roots = [] {
    auto* all = new std::vector<U>();
    for (const LearnedRoot& r : kLearnedRoots) all->push_back(Parse(r.lemma).s);
    return all;
  }();
  RootMatch best;
  size_t best_size = 0;
  for (size_t k = 0; k < roots->size(); ++k) {
    const LearnedRoot& r = kLearnedRoots[k];
    const U& root = (*roots)[k];
    if (root.size() <= best_size || root.size() >= w.s.size() || !EndsWith(w.s, root)) continue;
    const size_t at = w.s.size() - root.size();
    Chain c = PrefixesOf(w, at);
    if (c.empty()) continue;
    best = {&r, std::move(c)};
    best_size = root.size();
  }
  return best;
}

// A subjunctive with its ending accented (συμβεί, υποστεί).
void EmitSubjunctiveOnEnding(const U& stem, Forms& out) {
  for (const char16_t* e : {u"ώ", u"είς", u"εί", u"ούμε", u"είτε", u"ούν", u"ούνε"}) {
    out.push_back(Render(Parse(stem + U(e))));
  }
}

// The forms of a verb on a learned root. Returns whether the verb's own conjugation is wanted
// too.
bool EmitLearnedRoot(const Word& w, const RootMatch& m, Forms& out) {
  const Chain& c = m.chain;
  const U root = w.s.substr(c.text.size());
  // The prefixes as written before a stem: augmented stems never take the rough breathing.
  auto before = [&](UV stem, bool augmented) {
    return c.fixed + PrefixBefore(c.last, stem, !augmented && c.rough);
  };
  const UV codes = m.root->forms;
  bool regular = false;
  bool imperfect = false;
  size_t i = 0;
  while (i < codes.size()) {
    size_t j = codes.find(u' ', i);
    if (j == UV::npos) j = codes.size();
    const UV tok = codes.substr(i, j - i);
    i = j + 1;
    if (tok == u"+") regular = true;
    if (tok.size() < 3 || tok[1] != u':') continue;
    const U stem(tok.substr(2));
    switch (tok[0]) {
      case u'A': {
        // The augment where the accent would fall before the root (ανέλαβα), none where it
        // falls on it (αναλάβαμε); the imperative keeps it on the prefix (ανάλαβε).
        const U full = before(stem, false) + stem;
        Forms aorist;
        EmitAoristActive(full, 0, aorist);
        const size_t root_at = full.size() - stem.size();
        const U imperative = Past(full, u"ε", 0);
        for (U& f : aorist) {
          if (Parse(f).acc >= static_cast<int>(root_at) || f == imperative) {
            out.push_back(std::move(f));
          }
        }
        EmitAugmented(c, stem, out);
        break;
      }
      case u'P':
        EmitAoristActive(before(stem, false) + stem, 0, out);
        break;
      case u'Q':
      case u'D': {
        const U full = before(stem, false) + stem;
        EmitPassiveAorist(full, out);
        EmitLearnedPassive(c, c.text + stem, out);
        break;
      }
      case u'M':
        EmitParticiple(before(stem, false) + stem, out);
        break;
      case u'S':
        EmitSubjunctive(out, before(stem, false) + stem);
        break;
      case u'Z':
        EmitSubjunctiveOnEnding(before(stem, false) + stem, out);
        break;
      case u'T':
      case u'I': {
        const U pre = before(stem, true);
        for (const char16_t* e : kPastEndings) {
          out.push_back(AccentPast(pre + stem + e, static_cast<int>(pre.size())));
        }
        imperfect = imperfect || tok[0] == u'I';
        break;
      }
      case u'E': {
        const U pre = before(stem, true);
        Word f;
        f.s = pre + stem;
        f.acc = static_cast<int>(pre.size());
        const U third = Render(std::move(f));
        out.push_back(third);
        out.push_back(third + u"σαν");
        break;
      }
      case u'F': {
        const Word form = Parse(stem);
        Word f;
        f.s = before(form.s, false);
        f.acc = form.acc < 0 ? -1 : static_cast<int>(f.s.size()) + form.acc;
        f.s += form.s;
        out.push_back(Render(std::move(f)));
        break;
      }
      default:
        break;
    }
  }
  if (regular) return true;
  if (EndsWith(w.s, u"ομαι")) {
    EmitPassivePresentFirst(Cut(w, 4), out);
  } else if (EndsWith(w.s, u"ω") && w.acc < static_cast<int>(w.s.size()) - 1) {
    const Word p = Cut(w, 1);
    EmitPresentFirst(p, true, out);
    EmitPassivePresentFirst(p, out);
    if (!imperfect) EmitAugmented(c, UV(root).substr(0, root.size() - 1), out);
  }
  return false;
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
//   T:stem   past tense of a compound augmented after its prefixes (υπ-ήρχα, αν-έβαινα)
// and plain forms as they are written.
using IrregularVerb = ListedForms;

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
    {u"περιμένω", u"R P:περιμεν T:περιεμεν περίμενε περιμένετε"},
    {u"ανεβαίνω", u"R N:ανεβηκ S:ανεβ T:ανεβαιν ανέβα ανεβείτε"},
    {u"κατεβαίνω", u"R N:κατεβηκ S:κατεβ T:κατεβαιν κατέβα κατεβείτε"},
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
    {u"υπάρχω", u"r T:υπηρξ T:υπηρχ S:υπαρξ"},
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
          EmitLearnedPassive(Chain{}, stem.back() == u'θ' ? stem : LearnedPassiveStem(stem), out);
          break;
        case u'M':
          EmitParticiple(stem, out);
          break;
        case u'T': {
          const int augment = static_cast<int>(PrefixesOf(lemma).text.size());
          for (const char16_t* e : kPastEndings) out.push_back(AccentPast(stem + e, augment));
          break;
        }
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
  const RootMatch root = FindLearnedRoot(w);
  if (root.root && !EmitLearnedRoot(w, root, out)) return;
  PastStems stems;
  if (EndsWith(s, u"ιεμαι") && w.acc == size - 4) {
    DeponentContract(s.substr(0, s.size() - 5), u"ιε", out, stems);
  } else if (EndsWith(s, u"αμαι") && w.acc == size - 4) {
    DeponentContract(s.substr(0, s.size() - 4), u"α", out, stems);
  } else if (EndsWith(s, u"ωμαι") && w.acc == size - 4) {
    DeponentContract(s.substr(0, s.size() - 4), u"ω", out, stems);
  } else if (EndsWith(s, u"ουμαι") && w.acc == size - 4) {
    DeponentContract(s.substr(0, s.size() - 5), u"ου", out, stems);
  } else if (EndsWith(s, u"ομαι") && w.acc >= 0 && w.acc < size - 4) {
    DeponentFirst(w, out, stems);
  } else if (EndsWith(s, u"αω") && w.acc == size - 2) {
    ContractFirst(s.substr(0, s.size() - 2), out, stems);
  } else if (EndsWith(s, u"ω") && w.acc == size - 1) {
    const U stem = s.substr(0, s.size() - 1);
    if (IsFirstClassContract(stem)) {
      ContractFirst(stem, out, stems);
    } else {
      ContractSecond(stem, out, stems);
    }
  } else if (EndsWith(s, u"ω") && w.acc >= 0) {
    FirstConjugation(w, out, stems);
  }
  EmitLearnedForms(PrefixesOf(w), stems, out);
}

// ============================== the entry point ==============================

GreekPartOfSpeech Guess(const Word& w) {
  const U& s = w.s;
  if (EndsWithAny(s, {u"ω", u"μαι"})) return GreekPartOfSpeech::kVerb;
  if (EndsWithAny(s, {u"ικοσ", u"ινοσ", u"ιμοσ", u"τοσ", u"μενοσ", u"ωδησ", u"υσ"}) && w.acc >= 0) {
    return GreekPartOfSpeech::kAdjective;
  }
  // Learned -ής is an adjective (σαφής), but for the nouns of agents and trades (μαθητής,
  // καφετζής).
  if (EndsWith(s, u"ησ") && w.acc == static_cast<int>(s.size()) - 2 &&
      !EndsWithAny(s, {u"τησ", u"τζησ", u"τσησ", u"ξησ", u"λησ"})) {
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
  if (pos == GreekPartOfSpeech::kNoun || pos == GreekPartOfSpeech::kUnknown) {
    for (const ListedForms& n : kIrregularNouns) {
      if (text == n.lemma) {
        AddSpaceSeparated(n.forms, out);
        return;
      }
    }
  }
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
      for (const ListedForms& a : kListedFormss) {
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
    case GreekPartOfSpeech::kAdverb:
      Adverb(text, w, out);
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

// ============================== reading learned forms ==============================

// Calls `visit` with every run of prefixes at the start of s and the index after it.
template <typename Visit>
void ForEachPrefixRun(const U& s, size_t from, const Chain& cur, int depth, Visit& visit) {
  if (!cur.empty()) visit(cur);
  if (depth == 0) return;
  for (int p = 0; p < kPrefixCount; ++p) {
    for (const auto& [t, rough] : WrittenForms(p)) {
      const size_t next = from + t.size();
      if (s.size() < next + 2 || UV(s).substr(from, t.size()) != t) continue;
      if (PrefixBefore(p, UV(s).substr(next), rough) != t) continue;
      Chain c;
      c.text = s.substr(0, next);
      c.fixed = s.substr(0, from);
      c.last = p;
      c.rough = rough;
      ForEachPrefixRun(s, next, c, depth - 1, visit);
    }
  }
}

// The word without the augment after its prefixes: αν-έ-φερε → ανα-φερε, συν-έ-λαβε →
// συλ-λαβε, υπ-ή-ρχε → υπ-α-ρχε, παρ-εί-χε → παρ-ε-χε.
void Unaugmented(const U& s, std::vector<U>& out) {
  auto visit = [&](const Chain& c) {
    const size_t at = c.text.size();
    const UV rest = UV(s).substr(at);
    if (rest.size() < 3) return;
    if (rest[0] == u'ε' && !IsPlainVowel(rest[1])) {
      const UV root = rest.substr(1);
      out.push_back(c.fixed + PrefixBefore(c.last, root, false) + U(root));
    } else if (rest[0] == u'η' && rest[1] == u'υ') {
      out.push_back(c.text + u"ευ" + U(rest.substr(2)));
      out.push_back(c.text + u"αυ" + U(rest.substr(2)));
    } else if (rest[0] == u'η') {
      for (const char16_t* v : {u"α", u"ε", u"αι"}) out.push_back(c.text + v + U(rest.substr(1)));
    } else if (rest[0] == u'ω') {
      out.push_back(c.text + u"ο" + U(rest.substr(1)));
    } else if (rest[0] == u'ε' && rest[1] == u'ι') {
      out.push_back(c.text + u"ε" + U(rest.substr(2)));
    }
  };
  ForEachPrefixRun(s, 0, Chain{}, 3, visit);
}

// The popular spelling of a learned passive aorist: -φθηκε → -φτηκε, -σθεί → -στεί, and the
// learned third persons -θη, -θησαν, -η, -ησαν as -θηκε, -θηκαν, -ηκε, -ηκαν.
void PopularPassive(const U& s, std::vector<U>& out) {
  if (EndsWith(s, u"ησαν")) out.push_back(s.substr(0, s.size() - 3) + u"καν");
  if (s.size() > 3 && s.back() == u'η') out.push_back(s + u"κε");
  for (const UV learned : {UV(u"φθ"), UV(u"χθ"), UV(u"σθ"), UV(u"υθ")}) {
    const size_t at = s.rfind(learned);
    if (at == U::npos || at + 2 >= s.size() || at < 2) continue;
    const char16_t next = s[at + 2];
    if (next != u'η' && next != u'ε' && next != u'ο' && next != u'ω') continue;
    U popular = s;
    popular[at + 1] = u'τ';
    out.push_back(popular);
    if (EndsWith(popular, u"η")) out.push_back(popular + u"κε");
  }
}

// Endings of adjectives in -ος (and of their comparatives and superlatives).
constexpr std::initializer_list<const char16_t*> kAdjectiveEndings = {
    u"ος", u"ου", u"ο", u"ε", u"οι", u"ων", u"ους", u"η", u"ης", u"ες", u"α"};

// The nominatives a word may lead to: of a comparative or superlative (νεότερος → νεος,
// βαθύτατη → βαθυς, σαφέστερα → σαφης, σπανιότερα → σπανια), of an adverb in -ως (παρομοίως →
// παρομοιος, ακριβώς → ακριβης, ταχέως → ταχυς) and of the learned genitives of the third
// declension.
void Nominatives(const U& s, std::vector<U>& out) {
  struct Degree {
    const char16_t* suffix;
    std::initializer_list<const char16_t*> heads;
  };
  static const Degree kDegrees[] = {
      {u"οτερ", {u"οσ", u"α", u"ο"}},   {u"οτατ", {u"οσ", u"α"}},
      {u"υτερ", {u"υσ", u"οσ", u"ια"}}, {u"υτατ", {u"υσ", u"οσ", u"ια"}},
      {u"εστερ", {u"ησ", u"ωσ"}},       {u"εστατ", {u"ησ", u"ωσ"}},
      {u"ουστερ", {u"οσ", u"α"}},       {u"ουστατ", {u"οσ", u"α"}}};
  for (const Degree& d : kDegrees) {
    for (const char16_t* e : kAdjectiveEndings) {
      const U ending = U(d.suffix) + Parse(e).s;
      if (s.size() < ending.size() + 2 || !EndsWith(s, ending)) continue;
      const U stem = s.substr(0, s.size() - ending.size());
      for (const char16_t* h : d.heads) out.push_back(stem + h);
    }
  }
  struct Genitive {
    const char16_t* ending;
    std::initializer_list<const char16_t*> heads;
  };
  static const Genitive kGenitives[] = {{u"εωσ", {u"υσ", u"η", u"ισ", u"ευσ", u"εασ", u"ησ"}},
                                        {u"ωσ", {u"οσ", u"ησ", u"υσ"}},
                                        {u"υοσ", {u"υσ"}},
                                        {u"ουσ", {u"οσ", u"εσ", u"ησ"}},
                                        {u"ωτοσ", {u"ωσ"}},
                                        {u"οντοσ", {u"ον", u"ων", u"οντασ"}},
                                        {u"εντοσ", {u"εν"}},
                                        {u"ατοσ", {u"α", u"ασ", u"αρ", u"ωρ"}},
                                        {u"ητοσ", {u"ητα"}},
                                        {u"αδοσ", {u"αδα", u"ασ"}},
                                        {u"ιδοσ", {u"ιδα", u"ισ"}},
                                        {u"ονοσ", {u"ονασ", u"ων"}},
                                        {u"ωνοσ", {u"ωνασ", u"ων"}},
                                        {u"οροσ", {u"ορασ", u"ωρ"}},
                                        {u"ηροσ", {u"ηρασ", u"ηρ"}},
                                        {u"ακοσ", {u"ακασ", u"αξ"}}};
  for (const Genitive& g : kGenitives) {
    const UV ending = g.ending;
    if (s.size() < ending.size() + 2 || !EndsWith(s, ending)) continue;
    const U stem = s.substr(0, s.size() - ending.size());
    for (const char16_t* h : g.heads) out.push_back(stem + h);
  }
}

}  // namespace

std::vector<std::string> GreekLearnedReadings(std::string_view word) {
  std::vector<std::string> result;
  if (word.empty() || word.size() > 40) return result;
  bool ok = false;
  const U text = ToUtf16FromCp1253(word, &ok);
  if (!ok) return result;
  for (char16_t c : text) {
    if (!IsGreekLower(c)) return result;
  }
  const U s = Parse(text).s;
  std::vector<U> readings;
  Unaugmented(s, readings);
  readings.push_back(s);
  const size_t forms = readings.size();
  for (size_t i = 0; i < forms; ++i) {
    const U reading = readings[i];  // a copy: the list grows
    PopularPassive(reading, readings);
  }
  readings.erase(std::find(readings.begin(), readings.end(), s));
  // Superlatives as comparatives: σοβαρότατες → σοβαρότερες.
  for (const UV sup : {UV(u"οτατ"), UV(u"υτατ"), UV(u"εστατ"), UV(u"ουστατ")}) {
    const size_t at = s.rfind(sup);
    if (at == U::npos || at + sup.size() + 1 > s.size() || at < 2) continue;
    U comparative = s;
    comparative.replace(at + sup.size() - 3, 3, u"τερ");
    readings.push_back(comparative);
  }
  Nominatives(s, readings);
  std::vector<U> seen;
  for (U& r : readings) {
    if (r.size() < 2 || r == s || std::find(seen.begin(), seen.end(), r) != seen.end()) continue;
    seen.push_back(r);
    std::string bytes;
    bool fits = true;
    Word plain{r, -1};
    for (char16_t c : Render(std::move(plain))) {
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

namespace {}  // namespace

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
