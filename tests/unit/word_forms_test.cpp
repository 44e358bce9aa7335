// SPDX-License-Identifier: GPL-3.0-or-later
// Base forms, suggestions and the entry box's step for words that are no headword, over a
// small dictionary with its forms file.
#include "search/word_forms.h"
#include "app/entry_presenter.h"
#include "app/lookup_presenter.h"

#include <gtest/gtest.h>

#include <sstream>

#include "dictionary/entry_display.h"
#include "dictionary/forms_file.h"
#include "dictionary/greek_inflection.h"
#include "search/history.h"
#include "search/word_forms_step.h"
#include "tests/unit/lookup_fixture.h"
#include "tools/lookup/lookup_cli.h"

namespace zelvoran::testing {
namespace {

dictc::DataSet FormsDataSet() {
  dictc::DataSet d;
  d.English = {
      Entry("a.m.", "π.μ."),  // headwords that hold punctuation: this one and D&C
      Entry("cat", "γάτα"),
      Entry("child", "παιδί"),
      Entry("D&C", "D&C"),
      Entry("gala", "γκαλά"),
      Entry("go", "πηγαίνω"),
      Entry("hop", "χοροπηδώ"),
      Entry("hope", "ελπίδα"),
      Entry("house", "σπίτι"),
      Entry("housekeeper", "οικονόμος"),
      Entry("receive", "λαμβάνω"),
      Entry("relieve", "ανακουφίζω"),
      Entry("saw", "πριόνι"),
      Entry("see", "βλέπω"),
      Entry("spite", "κακία"),
      Entry("stop", "σταματώ"),
  };
  d.Greek = {
      Entry("άνθρωπος", "man, human being"),
      Entry("γάλα", "milk"),
      Entry("γράφω", "write"),
      Entry("γυναίκα", "woman"),
      Entry("γυναικωνίτης", "women's quarters"),
      Entry("θάλασσα", "sea"),
      Entry("καλημέρα", "good morning"),
      Entry("νόμος", "law"),
      Entry("νομός", "prefecture"),
      Entry("σπίτι", "house"),
      Entry("σπιτικός", "homely"),
  };
  return d;
}

std::string FormsFileOf(const dictc::DataSet& d) {
  FormsSectionSource english, greek;
  english.entries = {{"went", {"go"}},
                     {"children", {"child"}},
                     {"saw", {"see"}},
                     {"mice", {"mouse"}},  // no headword: left out
                     {"houses", {"house"}}};
  for (const dictc::SourceEntry& e : d.Greek) {
    for (const std::string& f : GreekInflectedForms(e.Headword, GreekPartOfSpeech::kUnknown)) {
      greek.entries.push_back({f, {e.Headword}});
    }
  }
  return EncodeFormsFile(english, greek);
}

class WordFormsTest : public CoreFixture {
 protected:
  void SetUp() override {
    const dictc::DataSet d = FormsDataSet();
    WriteData(fs, state.ProgramFolder, d);
    fs.Put("C:\\Dict\\data\\ZelvoranForms.dat", FormsFileOf(d));
    LoadDictionary(fs, state);
    state.CurrentSearchMode = SearchMode::kStart;
  }
  const WordForms& Forms() { return CurrentWordForms(core); }
  std::vector<std::string> Bases(const std::string& utf8) {
    std::vector<std::string> out;
    for (const BaseForm& b : Forms().BaseForms(W(utf8))) out.push_back(Cp1253ToUtf8(b.headword));
    return out;
  }
  std::vector<std::string> Suggestions(const std::string& utf8) {
    std::vector<std::string> out;
    for (const Suggestion& s : Forms().Suggest(W(utf8))) out.push_back(Cp1253ToUtf8(s.headword));
    return out;
  }
  // Pastes a Windows-1253 text into the emptied entry box, as the paste button does.
  void Paste(const std::string& text) {
    view.SetEntryText("");
    view.clipboard_text = text;
    view.PasteIntoEntryText();
  }
  // Types a text letter by letter, as the keyboard does.
  void TypeKeys(const std::string& utf8) {
    const std::string text = W(utf8);
    for (size_t n = 1; n <= text.size(); ++n) view.SetEntryText(text.substr(0, n));
  }
};

TEST(FormsFileTest, RoundTripFindsExactAndFoldedForms) {
  FormsSectionSource english{{{"went", {"go"}}, {"went", {"wend"}}, {"", {"x"}}}};
  FormsSectionSource greek;
  for (int i = 0; i < 40; ++i)
    greek.entries.push_back({W("λέξη") + std::to_string(i), {W("λέξη")}});
  greek.entries.push_back({W("νόμου"), {W("νόμος")}});
  greek.entries.push_back({W("νομού"), {W("νομός")}});
  auto file = FormsFile::Parse(EncodeFormsFile(english, greek));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->EntryCount(false), 1u);
  const auto went = file->Find(false, "went");
  ASSERT_EQ(went.size(), 1u);
  EXPECT_EQ(went[0].bases, (std::vector<std::string_view>{"go", "wend"}));
  // Accents and letter case aside, both forms match, in file order.
  const auto nomou = file->Find(true, W("ΝΟΜΟΥ"));
  ASSERT_EQ(nomou.size(), 2u);
  for (int i : {0, 17, 39}) {
    ASSERT_EQ(file->Find(true, W("λέξη") + std::to_string(i)).size(), 1u) << i;
  }
  EXPECT_TRUE(file->Find(true, W("λέξη40")).empty());
  EXPECT_TRUE(file->Find(true, "").empty());
  EXPECT_TRUE(file->Find(true, std::string(10000, 'a')).empty());
}

TEST(FormsFileTest, DamagedFilesAreRefusedOrReadAsEmpty) {
  FormsSectionSource greek;
  for (int i = 0; i < 50; ++i) greek.entries.push_back({"form" + std::to_string(i), {"base"}});
  const std::string good = EncodeFormsFile({}, greek);
  std::string error;
  EXPECT_FALSE(FormsFile::Parse("", &error));
  EXPECT_FALSE(FormsFile::Parse("ZVFORMS1", &error));
  EXPECT_FALSE(FormsFile::Parse(good.substr(0, good.size() - 1), &error));
  EXPECT_FALSE(FormsFile::Parse(good + "x", &error));
  EXPECT_EQ(error, "bytes after the last section");
  // Every single byte flipped: the file is refused, or reads without a fault escaping.
  for (size_t i = 8; i < good.size(); ++i) {
    std::string bad = good;
    bad[i] = static_cast<char>(bad[i] ^ 0x5A);
    const auto file = FormsFile::Parse(bad);
    if (!file) continue;
    for (int k = 0; k < 50; k += 7) file->Find(true, "form" + std::to_string(k));
    file->ForEach(true, [](std::string_view, const std::vector<uint32_t>&) { return true; });
  }
}

TEST(WordFormsKeysTest, SoundAlikeKeysAndDistance) {
  // ει, οι, υι, η, υ sound as ι; αι as ε; ω as ο; double letters single; accents folded.
  EXPECT_EQ(GreekSoundKey(W("θάλλασα")), GreekSoundKey(W("θάλασσα")));
  EXPECT_EQ(GreekSoundKey(W("σχολίο")), GreekSoundKey(W("σχολείο")));
  EXPECT_EQ(GreekSoundKey(W("πεδί")), GreekSoundKey(W("παιδί")));
  EXPECT_EQ(GreekSoundKey(W("κόσμως")), GreekSoundKey(W("κόσμος")));
  EXPECT_EQ(GreekSoundKey(W("ΣΚΙΛΟΣ")), GreekSoundKey(W("σκύλος")));
  EXPECT_NE(GreekSoundKey(W("ουρανός")), GreekSoundKey(W("οιρανός")));
  EXPECT_EQ(EnglishSoundKey("Neccessary"), EnglishSoundKey("necessary"));
  EXPECT_EQ(EnglishSoundKey("fotograf"), EnglishSoundKey("photograph"));
  const struct {
    const char* a;
    const char* b;
    int bound;
    int distance;
  } cases[] = {
      {"recieve", "receive", 2, 1}, {"ab", "ba", 1, 1},          {"abc", "abc", 0, 0},
      {"kitten", "sitting", 3, 3},  {"kitten", "sitting", 2, 3}, {"", "abc", 5, 3},
      {"a", "abcdef", 2, 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BoundedDamerauDistance(c.a, c.b, c.bound), c.distance) << c.a << " " << c.b;
  }
  EXPECT_EQ(BoundedDamerauDistance(std::string(10000, 'a'), "a", 3), 4);
}

TEST(WordFormsKeysTest, TypingStepsAndWholeTexts) {
  const struct {
    const char* before;
    const char* after;
    bool typing;
  } cases[] = {
      {"", "h", true},           {"hous", "house", true},   {"house", "hous", true},
      {"house", "", true},       {"hxuse", "house", true},  {"house", "hose", true},
      {"", "houses", false},     {"hous", "houses", false}, {"cat", "houses", false},
      {"houses", "house", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsTypingStep(c.before, c.after), c.typing) << c.before << " -> " << c.after;
  }
}

TEST(WordPunctuationTest, TrimsTheBlanksAndPunctuationAroundAWord) {
  const struct {
    const char* text;
    const char* word;
  } cases[] = {
      {"house.", "house"},
      {"(σπιτιού),", "σπιτιού"},
      {" «λέξη» ", "λέξη"},
      {"\"word\";", "word"},
      {"[a]:", "a"},
      {"τι;", "τι"},
      {"ναι·", "ναι"},
      {"‘quoted’", "quoted"},
      {"!?", ""},
      {"", ""},
      {"e-mail", "e-mail"},
      {"a.m.", "a.m"},
      {"\xC2\xA0x\xC2\xA0", "x"},
      {"mid.dle", "mid.dle"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp1253ToUtf8(TrimWordPunctuation(W(c.text))), c.word) << c.text;
  }
  EXPECT_TRUE(TrimWordPunctuation(std::string(1 << 20, '.')).empty());
}

TEST_F(WordFormsTest, AWholeWordIsTakenWithoutItsPunctuationUnlessAHeadwordHoldsIt) {
  const struct {
    const char* text;
    const char* word;
  } cases[] = {
      {"house.", "house"},
      {"  houses, ", "houses"},
      {"(σπιτιού),", "σπιτιού"},
      {"a.m.", "a.m."},
      {"(a.m.),", "a.m."},
      {"D&C.", "D&C"},
      {"«D&C»", "D&C"},
      {"xyzzy!", "xyzzy"},
      {"...", ""},
      {"((((((((((house))))))))))", "house"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp1253ToUtf8(WholeWordIn(Forms(), W(c.text))), c.word) << c.text;
  }
}

TEST_F(WordFormsTest, CopiedWordsWithPunctuationShowTheirEntries) {
  Paste("house.");
  EXPECT_EQ(Label(), "house");
  EXPECT_EQ(Description(), "σπίτι");
  EXPECT_EQ(view.entry_text, "house.");  // the box keeps what was pasted
  Paste(W("(σπιτιού),"));
  EXPECT_EQ(Label(), "σπιτιού -> σπίτι");
  EXPECT_EQ(Description(), "house");
  EXPECT_TRUE(view.lang_greek);
  Paste(W("«θάλασσα;»"));
  EXPECT_EQ(Label(), "θάλασσα");
  // A headword that holds a full stop is looked up as itself: listed first, nothing redirected.
  Paste("a.m.");
  ASSERT_FALSE(Rows().empty());
  EXPECT_EQ(Rows().front(), "a.m.");
  EXPECT_EQ(Description().find("Μήπως"), std::string::npos);
  // Typed, the text is taken as it stands.
  view.SetEntryText("");
  TypeKeys("house.");
  EXPECT_EQ(Label(), "");
}

TEST_F(WordFormsTest, EnterTakesTheTypedTextAsAWholeWord) {
  // "γυναικών" still begins "γυναικωνίτης": left alone while typed.
  TypeKeys("γυναικών");
  EXPECT_EQ(Label(), "");
  EXPECT_EQ(Description(), "");
  ASSERT_FALSE(Rows().empty());
  EXPECT_EQ(Rows().front(), "γυναικωνίτης");
  Fill_List_ButtonClick(core);
  EXPECT_EQ(Label(), "γυναικών -> γυναίκα");
  EXPECT_EQ(Description(), "woman");
  ASSERT_GE(core.List.Selected, 0);
  EXPECT_EQ(Rows()[static_cast<size_t>(core.List.Selected)], "γυναίκα");
  EXPECT_TRUE(core.History.ForwardList.empty());
  // A headword: Enter lists again and shows nothing.
  view.SetEntryText("");
  TypeKeys("house");
  EXPECT_EQ(Label(), "house");
  Fill_List_ButtonClick(core);
  EXPECT_EQ(Label(), "");
  EXPECT_EQ(Description(), "");
  EXPECT_EQ(core.List.Selected, 0);
  // A misspelt word gets its suggestions, with punctuation or without.
  view.SetEntryText("");
  TypeKeys("hosue.");
  Fill_List_ButtonClick(core);
  EXPECT_EQ(Description().substr(0, Description().find("\r\n")), "Μήπως εννοείτε:");
  EXPECT_NE(Description().find("\r\nhouse"), std::string::npos);
}

TEST_F(WordFormsTest, BaseFormsBestFirst) {
  EXPECT_EQ(Bases("σπιτιού"), (std::vector<std::string>{"σπίτι"}));
  EXPECT_EQ(Bases("ΣΠΙΤΙΟΥ"), (std::vector<std::string>{"σπίτι"}));  // accents folded
  EXPECT_EQ(Bases("ανθρώπου"), (std::vector<std::string>{"άνθρωπος"}));
  EXPECT_EQ(Bases("γράφεις"), (std::vector<std::string>{"γράφω"}));
  // Exact accents first: νόμου is the law's, νομού the prefecture's.
  EXPECT_EQ(Bases("νόμου").front(), "νόμος");
  EXPECT_EQ(Bases("νομού").front(), "νομός");
  // English: the exception lists where they land on a headword, then the regular endings.
  EXPECT_EQ(Bases("went"), (std::vector<std::string>{"go"}));
  EXPECT_EQ(Bases("Children"), (std::vector<std::string>{"child"}));
  EXPECT_EQ(Bases("mice"), (std::vector<std::string>{}));
  EXPECT_EQ(Bases("cats"), (std::vector<std::string>{"cat"}));
  EXPECT_EQ(Bases("stopped"), (std::vector<std::string>{"stop"}));
  EXPECT_EQ(Bases("hoping"), (std::vector<std::string>{"hope", "hop"}));
  EXPECT_EQ(Bases("hopping"), (std::vector<std::string>{"hop"}));
  // A headword is not its own base form, but may have another.
  EXPECT_EQ(Bases("saw"), (std::vector<std::string>{"see"}));
  EXPECT_EQ(Bases("house"), (std::vector<std::string>{}));
  EXPECT_EQ(Bases("σπίτι"), (std::vector<std::string>{}));
  // Bad input: nothing, at once.
  EXPECT_TRUE(Bases("").empty());
  EXPECT_TRUE(Forms().BaseForms(std::string(10000, 'a')).empty());
  EXPECT_TRUE(Forms().BaseForms(std::string("\x01\xff\x00\x80", 4)).empty());
  EXPECT_TRUE(Forms().BaseForms(std::string(1 << 20, '\xe1')).empty());
}

TEST_F(WordFormsTest, SuggestionsBySoundAndSwappedLetters) {
  EXPECT_EQ(Suggestions("θαλλασα").front(), "θάλασσα");
  EXPECT_EQ(Suggestions("σπιτη").front(), "σπίτι");
  EXPECT_EQ(Suggestions("ανθροπος").front(), "άνθρωπος");
  EXPECT_EQ(Suggestions("recieve").front(), "receive");
  EXPECT_EQ(Suggestions("hosue").front(), "house");
  EXPECT_TRUE(Suggestions("xqzvwk").empty());
  EXPECT_TRUE(Forms().Suggest(std::string(10000, 'a')).empty());
  EXPECT_TRUE(Forms().Suggest(std::string("\x01\x02\x03", 3)).empty());
  EXPECT_LE(Forms().Suggest("cat", 1).size(), 1u);
}

TEST_F(WordFormsTest, LearnedFormsWithoutGeneratedFormsLeadToTheirHeadwords) {
  // The fixture's forms file holds no superlative of θάλασσα's kind: the readings find the
  // headwords the forms do hold, and the nominatives.
  EXPECT_EQ(Bases("θαλασσών"), (std::vector<std::string>{"θάλασσα"}));
  EXPECT_EQ(Bases("νόμους").front(), "νόμος");
  fs.Put("C:\\Dict\\data\\ZelvoranForms.dat", EncodeFormsFile({}, {}));
  LoadDictionary(fs, state);
  EXPECT_EQ(Bases("ανθρωπότατος"), (std::vector<std::string>{"άνθρωπος"}));
  EXPECT_EQ(Bases("νόμως").front(), "νόμος");
}

TEST_F(WordFormsTest, GreeklishSuggestionsRankWithTheEnglishOnes) {
  // A Greek headword the word spells comes before an English one a letter away...
  const std::vector<std::string> spiti = Suggestions("spiti");
  ASSERT_GE(spiti.size(), 2u);
  EXPECT_EQ(spiti[0], "σπίτι");
  EXPECT_EQ(spiti[1], "spite");
  EXPECT_EQ(Suggestions("kalhmera").front(), "καλημέρα");
  EXPECT_EQ(Suggestions("Kalimera").front(), "καλημέρα");
  EXPECT_EQ(Suggestions("8alassa").front(), "θάλασσα");
  EXPECT_EQ(Suggestions("thalasa").front(), "θάλασσα");
  EXPECT_EQ(Suggestions("thalasses").front(), "θάλασσα");  // a form of it
  EXPECT_EQ(Suggestions("an8rwpos").front(), "άνθρωπος");
  EXPECT_EQ(Suggestions("anthropoi").front(), "άνθρωπος");
  EXPECT_EQ(Suggestions("kalimeraa").front(), "καλημέρα");  // misspelt Greeklish
  // ...but after one that differs only in doubled letters, and English misspellings keep
  // their English words first.
  const std::vector<std::string> galla = Suggestions("galla");
  ASSERT_GE(galla.size(), 2u);
  EXPECT_EQ(galla[0], "gala");
  EXPECT_EQ(galla[1], "γάλα");
  EXPECT_EQ(Suggestions("recieve").front(), "receive");
  EXPECT_EQ(Suggestions("hosue").front(), "house");
  EXPECT_LE(Forms().Suggest("spiti", 1).size(), 1u);
  EXPECT_TRUE(Suggestions("qqqqqq").empty());
}

TEST_F(WordFormsTest, GreeklishWordShowsTheGreekHeadwordsToDoubleClick) {
  Paste("spiti");
  EXPECT_EQ(Label(), "");
  EXPECT_EQ(Description().substr(0, Description().find("\r\n")), "Μήπως εννοείτε:");
  EXPECT_NE(Description().find("\r\nσπίτι\r\nspite"), std::string::npos) << Description();
  Description_TextDblClick(core, W("σπίτι"));
  EXPECT_EQ(Label(), "σπίτι");
  EXPECT_EQ(Description(), "house");
  // An English headword is never pushed aside, typed or pasted.
  Paste("gala");
  EXPECT_EQ(Label(), "gala");
  view.SetEntryText("");
  TypeKeys("spite");
  EXPECT_EQ(Label(), "spite");
}

TEST_F(WordFormsTest, PastedFormShowsItsBaseFormsEntry) {
  Paste(W("σπιτιού"));
  EXPECT_EQ(Label(), "σπιτιού -> σπίτι");
  EXPECT_EQ(Description(), "house");
  ASSERT_GE(core.List.Selected, 0);
  EXPECT_EQ(Rows()[static_cast<size_t>(core.List.Selected)], "σπίτι");
  // The history records the base form's entry.
  Paste("cat");
  ASSERT_FALSE(core.History.BackList.empty());
  EXPECT_EQ(Cp1253ToUtf8(core.History.BackList.front().Caption), "σπίτι");
}

TEST_F(WordFormsTest, BaseFormMissingFromTheListHeadsIt) {
  Paste("went");
  EXPECT_EQ(Label(), "went -> go");
  EXPECT_EQ(core.List.Selected, 0);
  EXPECT_EQ(Rows().front(), "go");
  EXPECT_EQ(Description(), "πηγαίνω");
  EXPECT_EQ(core.List.Items.size(), core.List.Items.size());
}

TEST_F(WordFormsTest, HeadwordsAndBeginningsBeingTypedAreNeverRedirected) {
  for (const char* word : {"saw", "house", "σπίτι", "σπιτικός", "hope"}) {
    Paste(W(word));
    EXPECT_EQ(Label(), word) << word;
  }
  // "house" while typed: at "house" its own entry; "houses" still begins no headword, so it
  // leads to "house"; "housek" begins "housekeeper" and is left alone.
  TypeKeys("housek");
  EXPECT_EQ(Label(), "");
  EXPECT_EQ(Description(), "");
  view.SetEntryText("");
  TypeKeys("houses");
  EXPECT_EQ(Label(), "houses -> house");
}

TEST_F(WordFormsTest, MisspeltWordOffersSuggestionsThatDoubleClickLooksUp) {
  Paste(W("θαλλασα"));
  EXPECT_EQ(Label(), "");
  EXPECT_EQ(Description().substr(0, Description().find("\r\n")), "Μήπως εννοείτε:");
  EXPECT_NE(Description().find("\r\nθάλασσα"), std::string::npos);
  EXPECT_EQ(core.List.Selected, -1);
  Description_TextDblClick(core, W("θάλασσα"));
  EXPECT_EQ(Label(), "θάλασσα");
  EXPECT_EQ(Description(), "sea");
}

TEST_F(WordFormsTest, DoubleClickedFormLeadsToItsBaseEvenWhileItBeginsAHeadword) {
  view.SetEntryText("house");
  Description_TextDblClick(core, "houses");
  EXPECT_EQ(Label(), "houses -> house");
  EXPECT_FALSE(core.WholeWordEntry);
}

TEST_F(WordFormsTest, UserEntriesGetGeneratedForms) {
  fs.Put(state.Paths.CustomGreekIndexPath,
         EncodeUserLines({UserIndexLineText(0, 60000, W("δρόμος"), 1, 4)}));
  fs.Put(state.Paths.CustomGreekTextsPath, ShiftCodec("road", ShiftDirection::kEncode));
  ReloadHeadwordIndexes(fs, state);
  EXPECT_EQ(Bases("δρόμου"), (std::vector<std::string>{"δρόμος"}));
  Paste(W("δρόμοι"));
  EXPECT_EQ(Label(), "δρόμοι -> δρόμος");
}

class WordFormsCliTest : public WordFormsTest {
 protected:
  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    fs.CreateDirectories("C:\\WINDOWS");
    return LookupCliMain(args, fs, folders, info, out, err);
  }
  std::ostringstream out, err;
};

TEST_F(WordFormsCliTest, BaseFormsAndSuggestionsAsListsWithExitCodes) {
  EXPECT_EQ(Run({"--base-forms", "σπιτιού"}), 0);
  EXPECT_EQ(out.str(), "σπίτι\n");
  EXPECT_EQ(Run({"--base-forms", "hoping", "--json"}), 0);
  EXPECT_EQ(out.str(), "[\"hope\",\"hop\"]\n");
  EXPECT_EQ(Run({"--base-forms", "house"}), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Run({"--json", "--base-forms", "xyzzy"}), 1);
  EXPECT_EQ(out.str(), "[]\n");
  EXPECT_EQ(Run({"--suggest", "θαλλασα"}), 0);
  EXPECT_EQ(out.str().substr(0, out.str().find('\n')), "θάλασσα");
  EXPECT_EQ(Run({"--suggest", "xqzvwk"}), 1);
  EXPECT_EQ(Run({"--suggest"}), 2);
  EXPECT_EQ(Run({"--suggest", "a", "--base-forms", "b"}), 2);
  EXPECT_EQ(Run({"--suggest", "a", "cat"}), 2);
}

TEST_F(WordFormsCliTest, PlainLookupReportsTheBaseFormOrTheSuggestions) {
  EXPECT_EQ(Run({"σπιτιού"}), 0);
  EXPECT_NE(out.str().find("\nσπιτιού → σπίτι\nhouse\n"), std::string::npos) << out.str();
  EXPECT_EQ(Run({"--json", "θαλλασα"}), 0);
  EXPECT_NE(out.str().find("\"suggestions\":[\"θάλασσα\""), std::string::npos) << out.str();
  // Greeklish: the Greek headwords among the suggestions.
  EXPECT_EQ(Run({"--suggest", "spiti"}), 0);
  EXPECT_EQ(out.str(), "σπίτι\nspite\n");
  Run({"--json", "8alassa"});  // no English headword begins with 8: no rows, status 1
  EXPECT_NE(out.str().find("\"suggestions\":[\"θάλασσα\""), std::string::npos) << out.str();
}

}  // namespace
}  // namespace zelvoran::testing
