#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualClock.h"

namespace {

constexpr uint32_t kTurnMs = 10;

// A listener that logs "<name><code>" for every event and runs an optional action.
struct Recorder {
  std::string name;
  std::string* log;
  std::function<void(cmcEvent&)> action;
  std::vector<cmcEvent> seen;

  void OnEvent(cmcEvent& e) {
    *log += name + std::to_string(e.code) + " ";
    seen.push_back(e);
    if (action) action(e);
  }
};

class cmcEvManTest : public ::testing::Test {
 protected:
  Recorder& Add(const std::string& name, std::function<void(cmcEvent&)> action = nullptr) {
    recorders_.push_back(std::make_unique<Recorder>(Recorder{name, &log_, std::move(action), {}}));
    ev_.Listen<&Recorder::OnEvent>(recorders_.back().get());
    return *recorders_.back();
  }
  void Turn() { clock_.Advance(kTurnMs); }

  cmcVirtualClock clock_;
  cmcEvMan ev_{clock_};
  std::string log_;
  std::vector<std::unique_ptr<Recorder>> recorders_;
};

TEST_F(cmcEvManTest, SendCallsTheListenerRegisteredLastFirst) {
  Recorder& a = Add("a");
  Add("b");
  ev_.Send(kEvRefreshMenus, 7, -3);
  EXPECT_EQ(log_, "b9 a9 ");
  ASSERT_EQ(a.seen.size(), 1u);
  EXPECT_EQ(a.seen[0].mode, cmcEvMode::Sent);
  EXPECT_EQ(a.seen[0].sender, 7);
  EXPECT_EQ(a.seen[0].argument, -3);
  EXPECT_TRUE(a.seen[0].data.empty());
}

TEST_F(cmcEvManTest, PayloadsAreCopiedTextsWithTheirTerminatingZero) {
  Recorder& a = Add("a");
  std::string text = "MCH";
  ev_.SendText(kEvMchWinRaise, text);
  ev_.SendText(kEvStatusText, 1, 2, "");
  ev_.PostText(kEvRelabelBank, 0, 3, text);
  const uint8_t block[] = {0x00, 0xFF, 0x10};
  ev_.PostData(kEvSheetNotify, block, sizeof block);
  text = "changed";
  Turn();
  ASSERT_EQ(a.seen.size(), 4u);
  EXPECT_EQ(a.seen[0].data, (std::vector<uint8_t>{'M', 'C', 'H', 0}));
  EXPECT_EQ(a.seen[1].data, (std::vector<uint8_t>{0}));
  EXPECT_STREQ(a.seen[2].Text(), "MCH");
  EXPECT_EQ(a.seen[2].mode, cmcEvMode::Posted);
  EXPECT_EQ(a.seen[3].data, (std::vector<uint8_t>{0x00, 0xFF, 0x10}));
}

TEST_F(cmcEvManTest, PostedEventsWaitForTheDispatchTurnAndKeepTheirOrder) {
  Add("a");
  ev_.Post(kEvShowAbout);
  ev_.Post(kEvRefreshLiveCells);
  clock_.Advance(kTurnMs - 1);
  EXPECT_EQ(log_, "");
  clock_.Advance(1);
  EXPECT_EQ(log_, "a3 a13 ");
  Turn();
  EXPECT_EQ(log_, "a3 a13 ");
}

TEST_F(cmcEvManTest, EventPostedByAListenerOfAPostedEventComesOnTheNextTurn) {
  Add("a", [&](cmcEvent& e) {
    if (e.code == kEvShowAbout) ev_.Post(kEvWarningCheckDone);
  });
  ev_.Post(kEvShowAbout);
  Turn();
  EXPECT_EQ(log_, "a3 ");
  Turn();
  EXPECT_EQ(log_, "a3 a23 ");
}

TEST_F(cmcEvManTest, PostedEventReachesOnlyTheListenersStillThere) {
  Add("a");
  Recorder& b = Add("b");
  ev_.Post(kEvShowAbout);
  ev_.Unlisten<&Recorder::OnEvent>(&b);
  Turn();
  EXPECT_EQ(log_, "a3 ");
}

TEST_F(cmcEvManTest, ListeningTwiceLeavesOneEntryAndOneUnlistenRemovesIt) {
  Recorder& a = Add("a");
  Add("b");
  ev_.Listen<&Recorder::OnEvent>(&a);  // moves a to the front
  ev_.Send(kEvCommitEdit);
  EXPECT_EQ(log_, "a21 b21 ");
  ev_.Unlisten<&Recorder::OnEvent>(&a);
  log_.clear();
  ev_.Send(kEvCommitEdit);
  EXPECT_EQ(log_, "b21 ");
}

TEST_F(cmcEvManTest, NullCallbackIsIgnored) {
  Add("a");
  int object = 0;
  ev_.Listen(nullptr, &object);
  ev_.Unlisten(nullptr, &object);
  ev_.Send(kEvCommitEdit);
  EXPECT_EQ(log_, "a21 ");
}

TEST_F(cmcEvManTest, UnlistenInsideASendStopsDeliveriesAtOnce) {
  Recorder& a = Add("a");
  Add("b", [&](cmcEvent&) { ev_.Unlisten<&Recorder::OnEvent>(&a); });
  ev_.Send(kEvOwnerClosing);
  ev_.Send(kEvOwnerClosing);
  EXPECT_EQ(log_, "b1 b1 ");
}

TEST_F(cmcEvManTest, ListenerAddedDuringASendIsCalledFromTheNextEventOn) {
  Recorder late{"late", &log_, nullptr, {}};
  Add("a", [&](cmcEvent& e) {
    if (e.code == kEvNewImage) ev_.Listen<&Recorder::OnEvent>(&late);
  });
  ev_.Send(kEvNewImage);
  ev_.Send(kEvFilterTree);
  EXPECT_EQ(log_, "a52 late25 a25 ");
}

TEST_F(cmcEvManTest, AskReturnsTheAnswersInCallOrderChainedFromTheFirst) {
  const uint8_t bytes[] = {1, 2, 3};
  Add("first", [&](cmcEvent&) { ev_.AnswerBytes(bytes, sizeof bytes); });
  Add("last", [&](cmcEvent& e) {
    EXPECT_EQ(e.mode, cmcEvMode::Asked);
    ev_.Answer(0x1234, 0x5678);
  });
  std::unique_ptr<cmcEvAnswer> answer = ev_.Ask(kEvAskMchBank, 9, 0);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->data, 0x1234);
  EXPECT_EQ(answer->window, 0x5678);
  ASSERT_TRUE(answer->next);
  EXPECT_EQ(answer->next->bytes, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_FALSE(answer->next->next);
}

TEST_F(cmcEvManTest, AskThatNobodyAnswersReturnsNoneAndAnswersOutsideAnAskAreIgnored) {
  Add("a");
  EXPECT_FALSE(ev_.Ask(kEvAskPopupCell));
  ev_.Answer(1, 2);
  Add("b", [&](cmcEvent&) { ev_.Answer(3, 4); });
  std::unique_ptr<cmcEvAnswer> answer = ev_.Ask(kEvAskPopupCell);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->data, 3);
  EXPECT_FALSE(answer->next);
}

TEST_F(cmcEvManTest, NestedAskKeepsEachAsksAnswersApart) {
  std::unique_ptr<cmcEvAnswer> inner;
  Add("bank", [&](cmcEvent& e) {
    if (e.code == kEvAskBankSheet) ev_.Answer(28, 0);
  });
  Add("window", [&](cmcEvent& e) {
    if (e.code != kEvAskMchBank) return;
    ev_.Answer(1, 0);
    inner = ev_.Ask(kEvAskBankSheet);
    ev_.Answer(2, 0);  // back in the outer ask's context
  });
  std::unique_ptr<cmcEvAnswer> outer = ev_.Ask(kEvAskMchBank);
  ASSERT_TRUE(inner);
  EXPECT_EQ(inner->data, 28);
  EXPECT_FALSE(inner->next);
  ASSERT_TRUE(outer && outer->next);
  EXPECT_EQ(outer->data, 1);
  EXPECT_EQ(outer->next->data, 2);
  EXPECT_FALSE(outer->next->next);
}

TEST_F(cmcEvManTest, TurnHookRunsBeforeTheQueuedEvents) {
  ev_.SetTurnHook([&] { log_ += "hook "; });
  Add("a");
  ev_.Post(kEvShowAbout);
  Turn();
  EXPECT_EQ(log_, "hook a3 ");
}

TEST_F(cmcEvManTest, DispatchTurnInsideASendKeepsTheEntriesTheSendStillWalks) {
  // "modal" unlistens itself and opens a modal window whose nested loop runs
  // dispatch turns; the outer send then steps on from modal's own entry.
  Recorder* modal = nullptr;
  Add("x");
  modal = &Add("modal", [&](cmcEvent& e) {
    if (e.code != kEvOwnerClosing) return;
    ev_.Unlisten<&Recorder::OnEvent>(modal);
    ev_.Post(kEvShowAbout);
    clock_.Advance(3 * kTurnMs);
  });
  ev_.Send(kEvOwnerClosing);
  EXPECT_EQ(log_, "modal1 x3 x1 ");
  Turn();
  ev_.Send(kEvOwnerClosing);
  EXPECT_EQ(log_, "modal1 x3 x1 x1 ");
}

TEST(cmcEvMan, DestructionDropsQueuedEventsUndeliveredAndStopsItsTask) {
  cmcVirtualClock clock;
  std::string log;
  Recorder a{"a", &log, nullptr, {}};
  {
    cmcEvMan ev(clock);
    ev.Listen<&Recorder::OnEvent>(&a);
    ev.Post(kEvShowAbout);
    ev.PostText(kEvRelabelBank, 0, 1, "1: BANK");
    EXPECT_EQ(clock.ActiveTimers(), 1);
  }
  EXPECT_EQ(clock.ActiveTimers(), 0);
  clock.Advance(10 * kTurnMs);
  EXPECT_EQ(log, "");
}

}  // namespace
