// SPDX-License-Identifier: GPL-3.0-or-later
// eSpeak NG synthesising into memory, without any sound device.
#include "platform/linux/espeak_engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zelvoran {
namespace {

struct Said {
  SpeechProblem problem = SpeechProblem::kNone;
  std::vector<int16_t> samples;
  int chunks = 0;
};

Said Say(EspeakEngine& engine, const char* utf8, SpeechLanguage language) {
  Said s;
  s.problem = engine.Synthesize(utf8, language, [&s](const int16_t* p, size_t n) {
    s.samples.insert(s.samples.end(), p, p + n);
    ++s.chunks;
    return true;
  });
  return s;
}

double Rms(const std::vector<int16_t>& samples) {
  double sum = 0;
  for (int16_t v : samples) sum += static_cast<double>(v) * v;
  return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

// One engine for the whole process: eSpeak NG keeps one state.
EspeakEngine& Engine() {
  static EspeakEngine engine;
  return engine;
}

TEST(EspeakEngineTest, SaysAGreekAndAnEnglishWordIntoMemory) {
  ASSERT_EQ(Engine().Open(), SpeechProblem::kNone);
  const int rate = Engine().SampleRate();
  ASSERT_GT(rate, 8000);
  const struct {
    const char* word;
    SpeechLanguage language;
  } cases[] = {{"θάλασσα", SpeechLanguage::kGreek}, {"house", SpeechLanguage::kEnglish}};
  for (const auto& c : cases) {
    const Said s = Say(Engine(), c.word, c.language);
    ASSERT_EQ(s.problem, SpeechProblem::kNone) << c.word;
    // A word takes from about a fifth of a second to two seconds; it is not silence.
    const double seconds = static_cast<double>(s.samples.size()) / rate;
    EXPECT_GT(seconds, 0.2) << c.word;
    EXPECT_LT(seconds, 2.5) << c.word;
    EXPECT_GT(Rms(s.samples), 300) << c.word;
    EXPECT_GT(s.chunks, 1) << c.word;  // delivered as it is made, not at the end
  }
  // A longer text takes longer.
  const Said longer = Say(Engine(), "θάλασσα και ουρανός", SpeechLanguage::kGreek);
  EXPECT_GT(longer.samples.size(), Say(Engine(), "θάλασσα", SpeechLanguage::kGreek).samples.size());
}

TEST(EspeakEngineTest, TheSinkStopsTheSynthesis) {
  ASSERT_EQ(Engine().Open(), SpeechProblem::kNone);
  int chunks = 0;
  const SpeechProblem p = Engine().Synthesize(
      "a long sentence that would take several seconds to say aloud", SpeechLanguage::kEnglish,
      [&chunks](const int16_t*, size_t) { return ++chunks < 2; });
  EXPECT_EQ(p, SpeechProblem::kNone);
  EXPECT_EQ(chunks, 2);
  // The engine says the next word whole.
  EXPECT_GT(Say(Engine(), "house", SpeechLanguage::kEnglish).samples.size(), 1000u);
}

TEST(EspeakEngineTest, AMissingLibraryIsNoEngine) {
  EspeakEngine missing("libzelvoran-no-such-speech-engine.so.1");
  EXPECT_EQ(missing.Open(), SpeechProblem::kNoEngine);
  EXPECT_EQ(Say(missing, "house", SpeechLanguage::kEnglish).problem, SpeechProblem::kNoEngine);
}

}  // namespace
}  // namespace zelvoran
