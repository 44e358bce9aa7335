// SPDX-License-Identifier: GPL-3.0-or-later
// The pronunciation beside the headword and "Εκφώνηση" on the real window.
#include <QAccessible>
#include <QFontInfo>
#include <QFontMetrics>

#include "app/ui/speak_button.h"
#include "platform/linux/speech_qt.h"
#include "tests/gui/window_fixture.h"
#include "tests/support/fake_speech.h"

namespace zelvoran::testing {
namespace {

class WindowSpeechTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    dictc::DataSet d = WindowDataSet();
    for (auto& e : d.English) {
      if (e.Headword == "cat") e.Pronunciation = "/kat/";
    }
    for (auto& e : d.Greek) {
      if (e.Headword == W("γάτα")) e.Pronunciation = "/ˈɣa.ta/";
    }
    WriteData(files_, folder_, d);
  }
  TMainLex& OpenWith(Speech* service) {
    return Open([service](Services& s) { s.speech = service; });
  }
  // Services outlive the window, which TearDown closes first.
  FakeSpeech speech;
  std::unique_ptr<QtSpeech> real;
  std::string Said() { return Win().Pronunciation_Label->text().toStdString(); }
  bool SaidVisible() { return Win().Pronunciation_Label->isVisible(); }
};

TEST_F(WindowSpeechTest, PronunciationShowsBesideEnglishAndGreekHeadwords) {
  OpenWith(&speech);
  TypeWord("cat");
  EXPECT_EQ(Label(), "cat");  // the label keeps the headword alone
  EXPECT_EQ(Said(), "/kat/");
  EXPECT_TRUE(SaidVisible());
  TypeWord("γάτα");
  EXPECT_EQ(Label(), "γάτα");
  EXPECT_EQ(Said(), "/ˈɣa.ta/");
  // Between the headword and the explanation, right-justified as the headword is.
  const QRect label = Win().Entry_Label->geometry();
  const QRect said = Win().Pronunciation_Label->geometry();
  EXPECT_GE(said.top(), label.bottom());
  EXPECT_LE(said.bottom(), Win().Description_Text->geometry().top());
  EXPECT_TRUE(Win().Pronunciation_Label->alignment() & Qt::AlignRight);
  // Its font has every IPA character shown.
  const QFont font = Win().Pronunciation_Label->font();
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("DejaVu Sans"));
  const QFontMetrics metrics(font);
  for (const uint cp : Win().Pronunciation_Label->text().toUcs4()) {
    EXPECT_TRUE(metrics.inFontUcs4(cp)) << std::hex << cp;
  }
  // An entry without one shows none.
  TypeWord("dog");
  EXPECT_EQ(Label(), "dog");
  EXPECT_FALSE(SaidVisible());
  EXPECT_EQ(Said(), "");
}

TEST_F(WindowSpeechTest, SpeakControlHandsTheHeadwordAndItsLanguageToTheSpeechService) {
  OpenWith(&speech);
  const std::string name = "Εκφώνηση";
  EXPECT_EQ(Win().Speak_Button->accessibleName().toStdString(), name);
  EXPECT_EQ(Win().SpeakItem->text().toStdString(), name);
  EXPECT_EQ(Win().SpeakItem->shortcut(), QKeySequence(Qt::Key_F9));
  EXPECT_FALSE(Win().Speak_Button->isVisible());  // no headword shown yet

  TypeWord("cat");
  ASSERT_TRUE(Win().Speak_Button->isVisible());
  QTest::mouseClick(Win().Speak_Button, Qt::LeftButton);
  ASSERT_EQ(speech.said.size(), 1u);
  EXPECT_EQ(speech.said[0].text, "cat");
  EXPECT_EQ(speech.said[0].language, SpeechLanguage::kEnglish);
  // A second click while it speaks stops it.
  QTest::mouseClick(Win().Speak_Button, Qt::LeftButton);
  EXPECT_EQ(speech.said.size(), 1u);
  EXPECT_FALSE(speech.speaking);

  // The shortcut, on a Greek headword.
  TypeWord("γάτα");
  Key(Qt::Key_F9);
  ASSERT_EQ(speech.said.size(), 2u);
  EXPECT_EQ(speech.said[1].text, "γάτα");
  EXPECT_EQ(speech.said[1].language, SpeechLanguage::kGreek);
  // Another word while one is said: stopped and the new one said.
  TypeWord("dog");
  QTest::mouseClick(Win().Speak_Button, Qt::LeftButton);
  ASSERT_EQ(speech.said.size(), 3u);
  EXPECT_EQ(speech.said[2].text, "dog");
  EXPECT_TRUE(messages_.problems.empty());
}

TEST_F(WindowSpeechTest, AProblemIsAShortGreekMessage) {
  speech.answer = SpeechProblem::kNoEngine;
  OpenWith(&speech);
  TypeWord("cat");
  QTest::mouseClick(Win().Speak_Button, Qt::LeftButton);
  ASSERT_EQ(messages_.problems.size(), 1u);
  EXPECT_NE(messages_.problems[0].find("eSpeak NG"), std::string::npos);
  // A problem found later, as the service reports it.
  speech.on_problem(SpeechProblem::kNoSoundDevice);
  ASSERT_EQ(messages_.problems.size(), 2u);
  EXPECT_NE(messages_.problems[1].find("συσκευή ήχου"), std::string::npos);
  TypeWord("dog");  // the window goes on
  EXPECT_EQ(Label(), "dog");
}

// Samples as the sound device would take them, with the event-loop turns between them.
class RecordingOutput final : public PcmOutput {
 public:
  bool device = true;
  int rate = 0;
  size_t samples = 0;
  int writes = 0;
  bool finished = false;
  bool Start(int sample_rate) override {
    rate = sample_rate;
    return device;
  }
  void Write(const int16_t*, size_t count) override {
    samples += count;
    ++writes;
  }
  void Finish() override {
    finished = true;
    if (on_done) on_done();
  }
  void Stop() override {}
};

TEST_F(WindowSpeechTest, RealSpeechLeavesTheWindowResponsive) {
  auto output = std::make_unique<RecordingOutput>();
  RecordingOutput& out = *output;
  real = std::make_unique<QtSpeech>(std::move(output));
  OpenWith(real.get());
  TypeWord("γάτα");
  QTest::mouseClick(Win().Speak_Button, Qt::LeftButton);
  // The click returned before any sound was made: synthesis is not on the window's thread.
  EXPECT_EQ(out.writes, 0);
  EXPECT_TRUE(real->IsSpeaking());
  // The window answers typing while it speaks.
  TypeWord("dog");
  EXPECT_EQ(Label(), "dog");
  EXPECT_TRUE(real->IsSpeaking());
  EXPECT_TRUE(QTest::qWaitFor([&] { return out.finished; }, 10000));
  EXPECT_GT(out.samples, static_cast<size_t>(out.rate / 5));
  EXPECT_GT(out.writes, 1);  // played as it is made
  EXPECT_FALSE(real->IsSpeaking());
  EXPECT_TRUE(messages_.problems.empty());
}

TEST_F(WindowSpeechTest, NoSoundDeviceGivesTheMessageAndNothingElse) {
  auto output = std::make_unique<RecordingOutput>();
  output->device = false;
  real = std::make_unique<QtSpeech>(std::move(output));
  OpenWith(real.get());
  TypeWord("cat");
  QTest::mouseClick(Win().Speak_Button, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !messages_.problems.empty(); }, 10000));
  ASSERT_EQ(messages_.problems.size(), 1u);
  EXPECT_NE(messages_.problems[0].find("συσκευή ήχου"), std::string::npos);
  EXPECT_FALSE(real->IsSpeaking());
  TypeWord("γάτα");
  EXPECT_EQ(Label(), "γάτα");
  EXPECT_EQ(Said(), "/ˈɣa.ta/");
}

}  // namespace
}  // namespace zelvoran::testing
