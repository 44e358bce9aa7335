// SPDX-License-Identifier: GPL-3.0-or-later
// The pronunciations file as the program reads it, and the pronunciation shown with an entry.
#include "dictionary/pronunciations.h"
#include "app/entry_presenter.h"
#include "app/lookup_presenter.h"

#include "app/desktop_commands.h"
#include "desktop/print_entry.h"
#include "desktop/speak_entry.h"
#include "dictionary/entry_display.h"
#include "dictionary/field_codec.h"
#include "search/lookup_engine.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_print_surface.h"
#include "tests/support/fake_speech.h"
#include "tests/support/recording_messages.h"
#include "tests/unit/lookup_fixture.h"

namespace zelvoran::testing {
namespace {

TEST(PronunciationTableTest, TakesSoundLinesAndSkipsTheRest) {
  PronunciationTable t;
  const size_t taken = t.Load(
      "# comment\n"
      "E\t2\thouse\t/hˈaʊs/\n"
      "G\t2\tσπίτι\t/ˈspi.ti/\r\n"  // CR LF is a line end too
      "E\t1\ta\t/ˈeɪ/ /ə/\n"
      "E\t2\thouse\t/second/\n"  // a line number given twice keeps the first
      "E\t3\tbad\n"              // three fields
      "X\t4\tbad\t/x/\n"         // no direction
      "E\t0\tbad\t/x/\n"         // no line 0
      "E\t5\tbad\t\n"            // empty pronunciation
      "E\t6\tbad\t/\xC3\x28/\n"  // not UTF-8
      "\n"
      "G\t7\tλέξη\t/ˈle.ksi/");  // last line without its end
  EXPECT_EQ(taken, 4u);
  EXPECT_EQ(t.Of(false, 1), "/ˈeɪ/ /ə/");
  EXPECT_EQ(t.Of(false, 2), "/hˈaʊs/");
  EXPECT_EQ(t.Of(true, 2), "/ˈspi.ti/");
  EXPECT_EQ(t.Of(true, 7), "/ˈle.ksi/");
  for (int n : {0, 3, 4, 5, 6, 99999, -1}) EXPECT_EQ(t.Of(false, n), "") << n;
  EXPECT_EQ(t.Of(true, 1), "");
  t.Clear();
  EXPECT_EQ(t.Of(false, 1), "");
}

TEST(PronunciationTableTest, LinesRoundTripThroughFormatAndParse) {
  const PronunciationLine line{true, 123, "θάλασσα", "/ˈθa.la.sa/"};
  const PronunciationParse p = ParsePronunciationLine(FormatPronunciationLine(line));
  ASSERT_EQ(p.error, "");
  EXPECT_TRUE(p.line.Greek);
  EXPECT_EQ(p.line.LineNumber, 123);
  EXPECT_EQ(p.line.Headword, "θάλασσα");
  EXPECT_EQ(p.line.Pronunciation, "/ˈθa.la.sa/");
  EXPECT_TRUE(ParsePronunciationLine("# note").comment);
  // A pronunciation beyond the limit is refused.
  EXPECT_NE(ParsePronunciationLine("E\t1\tx\t/" + std::string(kPronunciationMax, 'a') + "/").error,
            "");
}

TEST(PronunciationTableTest, CleanUtf8) {
  const struct {
    const char* text;
    bool clean;
  } cases[] = {
      {"/hˈaʊs/", true},           {"θάλασσα", true},   {"\xF0\x9F\x94\x8A", true},
      {"tab\there", false},        {"\xC3\x28", false}, {"\xC0\xAF", false},  // overlong
      {"\xED\xA0\x80", false},     {"\xE2\x82", false},  // surrogate, cut short
      {"\xC2\x85", false},                               // C1 control
      {"\xF4\x90\x80\x80", false},                       // past U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(IsCleanUtf8(c.text), c.clean) << c.text;
}

// Entries of the lookup fixture with pronunciations on "cat" and "γάτα", the user's own
// "cats" and an addition to "cat".
class ShownPronunciationTest : public CoreFixture {
 protected:
  void SetUp() override {
    dictc::DataSet d = LookupDataSet();
    d.English[7].Pronunciation = "/kat/";   // cat
    d.Greek[3].Pronunciation = "/ˈɣa.ta/";  // γάτα
    Load(d);
    fs.Put(state.Paths.CustomEnglishTextsPath, ShiftCodec("mine", ShiftDirection::kEncode) +
                                                   ShiftCodec("ADDED", ShiftDirection::kEncode));
    fs.Put(state.Paths.CustomEnglishIndexPath,
           EncodeUserLines(
               {UserIndexLineText(8, 8, "", 5, 5), UserIndexLineText(8, 9001, "cats", 1, 4)}));
    ReloadHeadwordIndexes(fs, state);
  }
  std::string Shown(const std::string& typed) {
    view.entry_text = W(typed);
    RunLookup(core, SearchMode::kStart, 0, "", false);
    ShowEntry(core, 0);
    return view.pronunciation;
  }
};

TEST_F(ShownPronunciationTest, DictionaryEntriesShowTheirsOthersNone) {
  EXPECT_EQ(Shown("cat"), "/kat/");  // a dictionary entry with the user's addition
  EXPECT_EQ(Label(), "cat");         // the label keeps the headword alone
  EXPECT_EQ(Shown("γάτα"), "/ˈɣa.ta/");
  EXPECT_EQ(Shown("dog"), "");  // the data has none
  view.pronunciation = "stale";
  EXPECT_EQ(Shown("cats"), "");  // the user's own entry: none is invented
  Shown("cat");
  ClearEntryDisplay(core);
  EXPECT_EQ(view.pronunciation, "");
}

TEST_F(ShownPronunciationTest, AMissingFileShowsNone) {
  fs.RemoveFile(state.ProgramFolder + "data\\ZelvoranPron.txt");
  LoadDictionary(fs, state);
  EXPECT_EQ(Shown("cat"), "");
}

TEST_F(ShownPronunciationTest, SpeakSaysTheShownHeadwordInItsLanguage) {
  FakeSpeech speech;
  core.svc.speech = &speech;
  Speak_ButtonClick(core);  // nothing shown: nothing said
  EXPECT_TRUE(speech.said.empty());
  const struct {
    const char* typed;
    const char* said;
    SpeechLanguage language;
  } cases[] = {
      {"cat", "cat", SpeechLanguage::kEnglish},
      {"γάτα", "γάτα", SpeechLanguage::kGreek},
      {"cats", "cats", SpeechLanguage::kEnglish},  // the user's own entry, without IPA
  };
  for (const auto& c : cases) {
    Shown(c.typed);
    speech.speaking = false;
    Speak_ButtonClick(core);
    ASSERT_FALSE(speech.said.empty());
    EXPECT_EQ(speech.said.back().text, c.said);
    EXPECT_EQ(speech.said.back().language, c.language);
  }
  // Again while the same word is said: stopped, not said again.
  const size_t before = speech.said.size();
  const int stops = speech.stops;
  Speak_ButtonClick(core);
  EXPECT_EQ(speech.said.size(), before);
  EXPECT_EQ(speech.stops, stops + 1);
  EXPECT_FALSE(speech.speaking);
}

TEST_F(ShownPronunciationTest, SpeechProblemsAreShortGreekMessages) {
  RecordingMessages messages;
  core.svc.messages = &messages;
  Shown("cat");
  Speak_ButtonClick(core);  // no speech service at all
  FakeSpeech speech;
  core.svc.speech = &speech;
  speech.answer = SpeechProblem::kNoVoice;
  Speak_ButtonClick(core);
  ASSERT_EQ(messages.problems.size(), 2u);
  EXPECT_EQ(messages.problems[0], SpeechProblemMessage(SpeechProblem::kNoEngine));
  EXPECT_EQ(messages.problems[1], SpeechProblemMessage(SpeechProblem::kNoVoice));
  for (SpeechProblem p : {SpeechProblem::kNoEngine, SpeechProblem::kNoVoice,
                          SpeechProblem::kNoSoundDevice, SpeechProblem::kFailed}) {
    const std::string m = SpeechProblemMessage(p);
    EXPECT_FALSE(m.empty());
    EXPECT_LT(m.size(), 90u);  // short
    EXPECT_TRUE(IsGreekText(m));
  }
  EXPECT_EQ(SpeechProblemMessage(SpeechProblem::kNone), "");
}

TEST(PronunciationCopyPrintTest, TheWholeEntryIsCopiedWithItsPronunciation) {
  DesktopHarness h;
  h.view.description = W("γάτα\r\nζώο");
  h.core.FocusedControlTag = FocusedControl::kDescriptionText;
  h.view.pronunciation = "/kat/";
  Copy_ButtonClick(h.core);
  EXPECT_EQ(Cp1253ToUtf8(h.clipboard.text.value_or("")), "/kat/\r\nγάτα\r\nζώο");
  // A selection is copied as it is; an entry without a pronunciation as before.
  h.view.desc_sel_start = W("γάτα\r\n").size();
  h.view.desc_sel_length = W("ζώο").size();
  Copy_ButtonClick(h.core);
  EXPECT_EQ(Cp1253ToUtf8(h.clipboard.text.value_or("")), "ζώο");
  h.view.desc_sel_length = 0;
  h.view.pronunciation.clear();
  Copy_ButtonClick(h.core);
  EXPECT_EQ(Cp1253ToUtf8(h.clipboard.text.value_or("")), "γάτα\r\nζώο");
}

TEST(PronunciationCopyPrintTest, ThePrintedHeadwordLineCarriesThePronunciationInUtf8) {
  FakePrintJob job;
  job.width = 330;  // 33 bytes of 10 points: the pronunciation wraps
  FakePrintSurface surface(job);
  PrinterTextStream stream(surface);
  ASSERT_TRUE(stream.Open());
  const std::string said = "/ˈθa.la.sa/ /ˈθa.la.sːa/";
  WriteEntryPage(stream, W("θάλασσα"), PrintHeading(Direction::kGreek), {W("sea")}, said);
  stream.Close();
  std::string printed;
  int pieces = 0;
  for (const DrawnText& d : job.drawn) {
    if (!d.font.Unicode) continue;
    ++pieces;
    EXPECT_TRUE(IsCleanUtf8(d.text)) << d.text;  // broken between characters only
    EXPECT_EQ(d.font.Face, "DejaVu Sans");
    printed += d.text;
  }
  EXPECT_GT(pieces, 1);
  EXPECT_EQ(printed, said);
  // Without one, the headword line is as it was.
  FakePrintJob plain;
  FakePrintSurface plain_surface(plain);
  PrinterTextStream plain_stream(plain_surface);
  ASSERT_TRUE(plain_stream.Open());
  WriteEntryPage(plain_stream, W("θάλασσα"), PrintHeading(Direction::kGreek), {W("sea")});
  plain_stream.Close();
  for (const DrawnText& d : plain.drawn) EXPECT_FALSE(d.font.Unicode);
}

TEST(SpeakStepTest, StopsWhatIsHeardAndSaysTheHeadwordUnlessItWasJustStopped) {
  const std::string sea = Utf8ToCp1253("θάλασσα");
  struct Case {
    std::string headword;
    bool speaking;
    std::string spoken;
    bool stop, speak;
    SpeechLanguage language;
  };
  const Case cases[] = {
      {"", true, "sea", false, false, SpeechLanguage::kEnglish},
      {"sea", false, "", false, true, SpeechLanguage::kEnglish},
      {"sea", false, "sea", false, true, SpeechLanguage::kEnglish},  // it has ended: again
      {"sea", true, "sea", true, false, SpeechLanguage::kEnglish},
      {"sea", true, "land", true, true, SpeechLanguage::kEnglish},
      {sea, true, "sea", true, true, SpeechLanguage::kGreek},
      {sea, true, "θάλασσα", true, false, SpeechLanguage::kGreek},  // compared as UTF-8
  };
  for (const Case& c : cases) {
    const SpeakStep step = NextSpeakStep(c.headword, c.speaking, c.spoken);
    EXPECT_EQ(step.stop, c.stop) << Cp1253ToUtf8(c.headword) << " " << c.spoken;
    EXPECT_EQ(step.speak, c.speak) << Cp1253ToUtf8(c.headword) << " " << c.spoken;
    if (c.speak) {
      EXPECT_EQ(step.text, Cp1253ToUtf8(c.headword));
      EXPECT_EQ(step.language, c.language);
    }
  }
}

}  // namespace
}  // namespace zelvoran::testing
