// The memory channel window's state: its bank and channel, the buttons, the sheet made
// again for the model family, and the events it answers.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "cell/cmcCellIds.h"
#include "channel/SheetKindRig.h"
#include "channel/sheets/indMchWin.h"
#include "runtime/cmcEvCodes.h"

namespace {

// Records what the window asks of its widgets and keeps the saved positions.
struct RecordingFrame : indMchWin::Frame {
  void SheetChanged(cmcSheetModel& sheet) override { shown.push_back(sheet.Def().Name()); }
  cmcSheetModel::Position SavedPosition(const std::string& name) override { return saved[name]; }
  void SavePosition(const std::string& name, const cmcSheetModel::Position& at) override { saved[name] = at; }
  void ShowPane(bool shown) override { calls.push_back(shown ? "show" : "hide"); }
  void Undock() override { calls.push_back("undock"); }
  void Raise() override { calls.push_back("raise"); }
  void Close() override { calls.push_back("close"); }

  std::vector<std::string> shown;
  std::map<std::string, cmcSheetModel::Position> saved;
  std::vector<std::string> calls;
};

struct WindowRig : SheetKindRig {
  WindowRig() { SetBanks({16, 4}); }
  indMchWin& Open(int bank, int channel, intptr_t owner = 0) {
    window = std::make_unique<indMchWin>(maker, view, frame, bank, channel, owner);
    return *window;
  }
  // The channel each window cell is on.
  std::vector<int> CellChannels() {
    std::vector<int> channels;
    cmcSheetModel& sheet = window->Sheet();
    for (int r = 0; r < sheet.RowCount(); ++r)
      for (int k = 0; k < sheet.ColCount(); ++k)
        if (indMchWin::IsWindowCell(sheet.Def().CellAt(k, r))) channels.push_back(sheet.Def().CellAt(k, r).index);
    return channels;
  }
  RecordingFrame frame;
  std::unique_ptr<indMchWin> window;
};

// A stand-in bank sheet: it answers the bank query and records the cursor moves.
struct BankSheetStandIn {
  explicit BankSheetStandIn(cmcEvMan& events) : events(events) { events.Listen(&BankSheetStandIn::OnEvent, this); }
  ~BankSheetStandIn() { events.Unlisten(&BankSheetStandIn::OnEvent, this); }
  static void OnEvent(void* self, cmcEvent& e) {
    auto* s = static_cast<BankSheetStandIn*>(self);
    if (e.code == kEvAskBankSheet && e.mode == cmcEvMode::Asked) s->events.Answer(1, 0);
    if (e.code == kEvBankCursorMove) s->moves.push_back(static_cast<int>(e.argument));
  }
  cmcEvMan& events;
  std::vector<int> moves;
};

TEST(MchWin, NextAndPreviousStayInTheBank) {
  struct Case {
    const char* name;
    int bank, channel;
    bool next;
    int after;
  };
  const Case cases[] = {
      {"next moves on", 1, 17, true, 18},
      {"next at the bank's last channel does nothing", 1, 19, true, 19},
      {"previous moves back", 1, 17, false, 16},
      {"previous at the bank's first channel does nothing", 1, 16, false, 16},
      {"without a bank neither does anything", -1, 3, true, 3},
      {"an empty bank holds nothing to move to", 2, 20, true, 20},
  };
  for (const auto& c : cases) {
    WindowRig rig;
    indMchWin& window = rig.Open(c.bank, c.channel);
    rig.view.Clear();
    if (c.next)
      window.NextChannel();
    else
      window.PreviousChannel();
    EXPECT_EQ(window.Channel(), c.after) << c.name;
    EXPECT_EQ(window.CollectedMove(), c.after - c.channel) << c.name;
    EXPECT_EQ(rig.view.calls.empty(), c.after == c.channel) << c.name << ": nothing is repainted either";
    for (const int channel : rig.CellChannels()) EXPECT_EQ(channel, c.after) << c.name;
  }
}

TEST(MchWin, TheShownBankSheetFollowsTheButtons) {
  WindowRig rig;
  indMchWin& window = rig.Open(1, 16);
  window.NextChannel();
  window.NextChannel();
  EXPECT_EQ(window.CollectedMove(), 2) << "collected while no bank sheet is shown";
  BankSheetStandIn sheet(rig.events);
  window.PreviousChannel();
  EXPECT_EQ(sheet.moves, std::vector<int>{-1});
  EXPECT_EQ(window.CollectedMove(), 2);
  const auto answer = rig.events.Ask(kEvAskMchCursorMove);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->data, 2);
  EXPECT_EQ(window.CollectedMove(), 0) << "reset once answered";
}

TEST(MchWin, AFamilyChangeMakesTheSheetAgain) {
  WindowRig rig;
  indMchWin& window = rig.Open(1, 17);
  EXPECT_EQ(window.SheetName(), "GI_Sheet_Mch_Win_CONV_LMR");
  ASSERT_TRUE(window.Sheet().MoveTo(1, 1));
  const cmcSheetModel* before = &window.Sheet();
  window.Rebuild();
  EXPECT_EQ(&window.Sheet(), before) << "the same family keeps its sheet";

  rig.model.family = 1;
  window.Rebuild();
  EXPECT_EQ(window.SheetName(), "GI_Sheet_Mch_Win_CONV_PMR");
  EXPECT_EQ(window.Sheet().Def().Name(), "GI_Sheet_Mch_Win_CONV_PMR");
  EXPECT_EQ(window.Sheet().RowCount(), 3);
  EXPECT_EQ(rig.frame.shown, (std::vector<std::string>{"GI_Sheet_Mch_Win_CONV_LMR", "GI_Sheet_Mch_Win_CONV_PMR"}));
  EXPECT_EQ(rig.frame.saved["GI_Sheet_Mch_Win_CONV_LMR"].row, 1) << "the LMR sheet's place is kept";
  for (const int channel : rig.CellChannels()) EXPECT_EQ(channel, 17);
  EXPECT_EQ(window.Sheet().CellText(1, 0), std::to_string(CL_MchWin_No) + ":17");

  // Back on LMR the sheet starts where it was left.
  rig.model.family = 0;
  window.Rebuild();
  EXPECT_EQ(window.Sheet().Row(), 1);
  // Families 2 and 3 show the LMR sheet.
  for (const int family : {2, 3}) EXPECT_STREQ(indMchWin::SheetNameFor(family), "GI_Sheet_Mch_Win_CONV_LMR");
}

TEST(MchWin, Events) {
  struct Case {
    const char* name;
    uint8_t code;
    intptr_t argument;
    int bank, channel;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"50: a bank from its first channel", kEvMchWinBankChanged, 2, 2, 20, {}},
      {"51: a channel of the bank", kEvMchWinChannelSelected, 18, 1, 18, {}},
      {"52: a new image: no bank, channel 0", kEvNewImage, 0, -1, 0, {}},
      {"56: show the pane", kEvMchPaneShow, 0, 1, 17, {"show"}},
      {"57: hide it", kEvMchPaneHide, 0, 1, 17, {"hide"}},
      {"58: undock", kEvMchWinUndock, 0, 1, 17, {"undock"}},
      {"59: bring to front", kEvMchWinRaise, 0, 1, 17, {"raise"}},
      {"46: close", kEvMchWinClose, 0, 1, 17, {"close"}},
      {"1 for its owner: close", kEvOwnerClosing, 77, 1, 17, {"close"}},
      {"1 for another owner: nothing", kEvOwnerClosing, 78, 1, 17, {}},
  };
  for (const auto& c : cases) {
    WindowRig rig;
    indMchWin& window = rig.Open(1, 17, 77);
    rig.events.Send(c.code, 0, c.argument);
    EXPECT_EQ(window.Bank(), c.bank) << c.name;
    EXPECT_EQ(window.Channel(), c.channel) << c.name;
    EXPECT_EQ(rig.frame.calls, c.calls) << c.name;
    for (const int channel : rig.CellChannels()) EXPECT_EQ(channel, c.channel) << c.name;
    const auto answer = rig.events.Ask(kEvAskMchBank);
    ASSERT_TRUE(answer) << c.name;
    EXPECT_EQ(answer->data, c.bank) << c.name;
    EXPECT_EQ(answer->window, c.channel) << c.name;
  }
}

TEST(MchWin, RefreshAndRecreate) {
  WindowRig rig;
  indMchWin& window = rig.Open(1, 17);
  rig.view.Clear();
  rig.events.Send(kEvMchWinRefresh);
  EXPECT_EQ(rig.view.Calls("repaint").size(), 2u) << "every bound cell";

  ASSERT_TRUE(window.Sheet().MoveTo(1, 1));
  rig.events.Send(kEvMchWinRecreate);
  EXPECT_EQ(rig.frame.shown.size(), 2u) << "made again";
  EXPECT_EQ(window.Sheet().Row(), 1) << "the place is kept";
}

}  // namespace
