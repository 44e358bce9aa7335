// SPDX-License-Identifier: GPL-3.0-or-later
// The clipboard viewer chain with the dictionary and other viewers in one process.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/desktop_commands.h"
#include "desktop/quick_translation.h"
#include "tests/support/fake_desktop.h"

namespace zelvoran::testing {
namespace {

using Window = Clipboard::Window;

// Another program's clipboard viewer, following the chain's rules.
class OtherViewer {
 public:
  explicit OtherViewer(LocalViewerChain& chain) : chain_(chain) {
    self_ = chain_.CreateWindow([this](uint32_t m, uint64_t w, uint64_t l) -> intptr_t {
      if (m == Clipboard::kDrawClipboard) {
        ++draws;
        if (on_draw) on_draw();
        if (next != 0) chain_.SendMessage(next, m, w, l);
      } else if (m == Clipboard::kChangeCbChain) {
        if (w == next) {
          next = l;
        } else if (next != 0) {
          chain_.SendMessage(next, m, w, l);
        }
      }
      return 0;
    });
  }
  void Join() { next = chain_.SetClipboardViewer(self_); }
  void Leave() { chain_.ChangeClipboardChain(self_, next); }
  Window self() const { return self_; }

  Window next = 0;
  int draws = 0;
  std::function<void()> on_draw;

 private:
  LocalViewerChain& chain_;
  Window self_ = 0;
};

class ChainTest : public ::testing::Test {
 protected:
  void SwitchOn() {
    ASSERT_FALSE(h.core.QuickTranslationOn);
    AutoTranslate_ButtonClick(h.core);
  }
  void SwitchOff() {
    ASSERT_TRUE(h.core.QuickTranslationOn);
    AutoTranslate_ButtonClick(h.core);
  }
  // Another program copies `word`; returns the entry box's text afterwards.
  std::string Copy(const std::string& word) {
    h.view.SetEntryText("");
    h.clipboard.OtherProgramCopies(word);
    return h.view.entry_text;
  }

  DesktopHarness h;
  LocalViewerChain& chain = h.clipboard.chain;
};

TEST_F(ChainTest, OnlyViewerGetsTextAndSendsNothingOn) {
  OtherViewer outside(chain);  // a window that never joins
  SwitchOn();
  EXPECT_EQ(chain.Head(), h.core.MainWindowHandle);
  EXPECT_EQ(h.core.NextClipboardViewer, 0u);
  EXPECT_EQ(Copy("word"), "word");
  EXPECT_EQ(outside.draws, 0);
}

TEST_F(ChainTest, ViewerJoiningAfterUsPassesNotificationsToUs) {
  SwitchOn();
  OtherViewer later(chain);
  later.Join();
  EXPECT_EQ(chain.Head(), later.self());
  EXPECT_EQ(later.next, h.core.MainWindowHandle);
  EXPECT_EQ(Copy("first"), "first");
  EXPECT_EQ(later.draws, 2);  // on joining, and the copy

  later.Leave();
  EXPECT_EQ(chain.Head(), h.core.MainWindowHandle);
  EXPECT_EQ(Copy("second"), "second");
  EXPECT_EQ(later.draws, 2);
}

TEST_F(ChainTest, ViewerAfterUsLeavingIsReplacedByTheOneAfterIt) {
  OtherViewer last(chain), middle(chain), head(chain);
  last.Join();
  middle.Join();
  SwitchOn();
  head.Join();
  ASSERT_EQ(h.core.NextClipboardViewer, middle.self());

  middle.Leave();
  EXPECT_EQ(h.core.NextClipboardViewer, last.self());
  EXPECT_EQ(head.next, h.core.MainWindowHandle);
  const int middle_draws = middle.draws, last_draws = last.draws;
  EXPECT_EQ(Copy("word"), "word");
  EXPECT_EQ(middle.draws, middle_draws);
  EXPECT_EQ(last.draws, last_draws + 1);

  last.Leave();
  EXPECT_EQ(h.core.NextClipboardViewer, 0u);
  EXPECT_EQ(Copy("again"), "again");
  EXPECT_EQ(last.draws, last_draws + 1);
}

TEST_F(ChainTest, ALeavingViewerFurtherOnIsPassedOnByUs) {
  OtherViewer last(chain), middle(chain);
  last.Join();
  middle.Join();
  SwitchOn();
  last.Leave();
  EXPECT_EQ(h.core.NextClipboardViewer, middle.self());
  EXPECT_EQ(middle.next, 0u);
}

TEST_F(ChainTest, OffAndOnAgainRejoinsAtTheHead) {
  OtherViewer first(chain);
  first.Join();
  SwitchOn();
  EXPECT_EQ(h.core.NextClipboardViewer, first.self());
  SwitchOff();
  EXPECT_EQ(chain.Head(), first.self());
  const int first_draws = first.draws;
  EXPECT_EQ(Copy("unseen"), "");
  EXPECT_EQ(first.draws, first_draws + 1);

  OtherViewer second(chain);
  second.Join();
  SwitchOn();
  EXPECT_EQ(chain.Head(), h.core.MainWindowHandle);
  EXPECT_EQ(h.core.NextClipboardViewer, second.self());
  const int second_before = second.draws, first_before = first.draws;
  EXPECT_EQ(Copy("seen"), "seen");
  EXPECT_EQ(second.draws, second_before + 1);
  EXPECT_EQ(first.draws, first_before + 1);
}

TEST_F(ChainTest, ClosingWhileOnLeavesTheChainForTheOthers) {
  OtherViewer before(chain), after(chain);
  before.Join();
  SwitchOn();
  after.Join();
  QuickTranslation_FormDestroy(h.core);
  chain.DestroyWindow(h.core.MainWindowHandle);
  EXPECT_EQ(after.next, before.self());
  const int before_draws = before.draws, after_draws = after.draws;
  h.received.clear();
  h.clipboard.OtherProgramCopies("word");
  EXPECT_EQ(after.draws, after_draws + 1);
  EXPECT_EQ(before.draws, before_draws + 1);
  EXPECT_TRUE(h.received.empty());
}

TEST_F(ChainTest, DestroyWhileOffChangesNothing) {
  OtherViewer first(chain);
  first.Join();
  SwitchOn();
  SwitchOff();
  OtherViewer second(chain);
  second.Join();
  QuickTranslation_FormDestroy(h.core);
  EXPECT_EQ(chain.Head(), second.self());
  EXPECT_EQ(second.next, first.self());
  EXPECT_EQ(first.next, 0u);
}

TEST_F(ChainTest, OwnCopyAndNonTextArePassedOnButLeaveTheEntryBox) {
  OtherViewer after(chain);
  after.Join();
  SwitchOn();
  h.view.SetEntryText("kept");
  h.core.List.Add("row", RowRef{Direction::kEnglish, 1});
  h.core.List.Selected = 0;
  const int draws = after.draws;
  Copy_ButtonClick(h.core);
  EXPECT_EQ(h.clipboard.text, "row");
  EXPECT_EQ(h.view.entry_text, "kept");
  h.clipboard.OtherProgramCopiesNonText();
  EXPECT_EQ(h.view.entry_text, "kept");
  EXPECT_EQ(after.draws, draws + 2);
  EXPECT_FALSE(h.core.CopyInProgress);
}

TEST_F(ChainTest, ALoopInTheChainEnds) {
  OtherViewer broken(chain);
  SwitchOn();
  broken.Join();
  // The viewer in front of us is also made the one after us: the chain runs in a circle.
  h.core.NextClipboardViewer = broken.self();
  h.entry_changes.clear();
  h.clipboard.OtherProgramCopies("loop");
  EXPECT_EQ(h.view.entry_text, "loop");
  EXPECT_EQ(h.entry_changes, (std::vector<std::string>{"loop"}));
  EXPECT_LE(broken.draws, LocalViewerChain::kMaxSendDepth);

  // A viewer that names itself as the one after it.
  OtherViewer selfish(chain);
  selfish.Join();
  selfish.next = selfish.self();
  h.clipboard.OtherProgramCopies("again");
  EXPECT_LE(selfish.draws, LocalViewerChain::kMaxSendDepth + 1);
}

TEST_F(ChainTest, AViewerThatWritesOnEveryChangeDoesNotKeepTheChainBusy) {
  OtherViewer writer(chain);
  writer.Join();
  int writes = 0;
  writer.on_draw = [&] {
    ++writes;
    h.clipboard.OtherProgramCopies("echo" + std::to_string(writes));
  };
  SwitchOn();
  writes = 0;
  h.clipboard.OtherProgramCopies("word");
  EXPECT_LE(writes, LocalViewerChain::kMaxRedeliveries + 1);
  EXPECT_EQ(h.view.entry_text.substr(0, 4), "echo");
}

TEST(LocalViewerChainTest, UnknownAndDestroyedWindows) {
  LocalViewerChain chain;
  EXPECT_EQ(chain.SetClipboardViewer(42), 0u);
  EXPECT_EQ(chain.Head(), 0u);
  EXPECT_EQ(chain.SendMessage(42, Clipboard::kDrawClipboard, 0, 0), 0);
  int calls = 0;
  const Window w = chain.CreateWindow([&](uint32_t, uint64_t, uint64_t) -> intptr_t {
    ++calls;
    return 7;
  });
  EXPECT_EQ(chain.SendMessage(w, Clipboard::kDrawClipboard, 0, 0), 7);
  chain.DestroyWindow(w);
  EXPECT_EQ(chain.SendMessage(w, Clipboard::kDrawClipboard, 0, 0), 0);
  chain.ClipboardChanged();
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(chain.ChangeClipboardChain(0, 0));
}

// A handler's failure reaches the sender; the chain goes on delivering afterwards, however
// deep the failure was nested.
TEST(LocalViewerChainTest, AFailingHandlerLeavesTheChainWorking) {
  LocalViewerChain chain;
  bool fail = false;
  int calls = 0;
  const Window w = chain.CreateWindow([&](uint32_t, uint64_t, uint64_t) -> intptr_t {
    ++calls;
    if (fail) throw std::runtime_error("viewer failed");
    return 0;
  });
  chain.SetClipboardViewer(w);  // told once at once
  fail = true;
  EXPECT_THROW(chain.ClipboardChanged(), std::runtime_error);
  fail = false;
  for (int i = 0; i < LocalViewerChain::kMaxSendDepth + 1; ++i) chain.ClipboardChanged();
  EXPECT_EQ(calls, 2 + LocalViewerChain::kMaxSendDepth + 1);
}

// The chain's rules at one window (handle 1) as values.
TEST(ChainRulesTest, ViewerAfterAndChangeCbChain) {
  EXPECT_EQ(ViewerAfter(1, 0), 0u);
  EXPECT_EQ(ViewerAfter(1, 7), 7u);
  EXPECT_EQ(ViewerAfter(1, 1), 0u);  // a chain that loops back to the window
  struct Case {
    uint64_t next_viewer, leaving, next;
    ChainChange change;
  };
  const Case cases[] = {
      {2, 2, 3, {3, 0}},  // the viewer after us leaves: the one after it follows us
      {2, 2, 0, {0, 0}},  // ... and it was the last
      {2, 5, 6, {2, 2}},  // a viewer further on leaves: passed on
      {0, 5, 6, {0, 0}},  // nobody after us to pass it to
      {1, 5, 6, {1, 0}},  // never to ourselves
      {0, 0, 4, {4, 0}},  // leaving 0 equals an empty next viewer, as the message handler had it
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChangeCbChainAt(1, c.next_viewer, c.leaving, c.next), c.change)
        << c.next_viewer << " " << c.leaving << " " << c.next;
  }
}

}  // namespace
}  // namespace zelvoran::testing
