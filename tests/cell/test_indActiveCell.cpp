// The dispatch's entry and exit: redraws open nothing, activation is Enter, popup
// Edit is Enter, the other popup commands, labels without a handler, the change mask
// and the shell's reactions.
#include <gtest/gtest.h>

#include <set>

#include "CellTestHost.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "cell/indActiveCell.h"
#include "cell/indCellRequest.h"
#include "channel/datChBank.h"

namespace {

cmcCellObj Cell(int category, int label, int index = 0) {
  cmcCellObj cell;
  cell.category = static_cast<uint32_t>(category);
  cell.label = static_cast<uint32_t>(label);
  cell.index = index;
  return cell;
}

// What a request answers, for comparing two requests.
struct Answer {
  uint8_t result;
  std::string text;
  uint8_t state;
  cmcCellCapsule::JumpRequest jump;
  int repeatKey;
  int selStart, selLength;
  bool operator==(const Answer& o) const {
    return result == o.result && text == o.text && state == o.state && jump.set == o.jump.set &&
           jump.category == o.jump.category && jump.label == o.jump.label && jump.index == o.jump.index &&
           repeatKey == o.repeatKey && selStart == o.selStart && selLength == o.selLength;
  }
};

class ActiveCell : public ::testing::Test {
 protected:
  Answer Send(cmcCellObj cell, int key, int command = 0, indActiveCell* dispatch = nullptr) {
    cmcCellCapsule c;
    c.cell = &cell;
    c.keyCode = key;
    c.commandArgument = command;
    const uint8_t result = (dispatch ? *dispatch : active_).Dispatch(c, false);
    return {result, c.outputText, c.state, c.jump, c.repeatKey, c.selStart, c.selLength};
  }

  celltest::Host host_;
  indActiveCell active_{host_};
};

// A receive-frequency handler standing in for the frequency codec: Enter opens the
// editor on the value, other keys show it.
void FreqREditor(indCellRequest& r) {
  r.SetText(std::to_string(r.record.freqR));
  if (r.Key() == 13) {
    r.capsule.selStart = 0;
    r.capsule.selLength = static_cast<int>(r.capsule.outputText.size());
    r.result = indCellRequest::kResultOpenEditor;
  }
}

TEST_F(ActiveCell, KeyZeroWithoutAGridOpensNothingForAnyLabel) {
  // The handlers that normalise a dependent value may store it on a redraw.
  const std::set<int> normalising = {CL_Mch_Dup, CL_Mch_DupEna, CL_ScanComm_PwrSave};
  cmcEeprom before;
  before.Assign(host_.image);
  for (int category = 0; category <= static_cast<int>(kNoCategory); ++category) {
    for (int label = 0; label <= static_cast<int>(kNoLabel); ++label) {
      if (normalising.contains(label)) continue;
      const Answer a = Send(Cell(category, label, 2), 0);
      ASSERT_EQ(a.result, indCellRequest::kResultDone) << category << "." << label;
    }
  }
  EXPECT_TRUE(host_.image.Equals(before));
  EXPECT_TRUE(host_.prompts.asked.empty());
  EXPECT_TRUE(host_.menu.executed.empty());
  EXPECT_TRUE(host_.block.sent.empty());
  EXPECT_EQ(host_.userActions, 0) << "a redraw is not a user action";
}

TEST_F(ActiveCell, ActivationBehavesAsEnter) {
  indCellHandlers table = indCellHandlers::Default();
  table.Replace(CL_Mch_FreqR, FreqREditor);
  indActiveCell dispatch(host_, table);
  const cmcCellObj cells[] = {
      Cell(CT_Mch, CL_Mch_FreqR, 1),   // opens the editor
      Cell(CT_Mch, CL_Mch_Text, 9),    // a blank row: jumps and replays the key
      Cell(CT_Mch, CL_Mch_FreqR, 16),  // the new-channel row: adds a channel
      Cell(CT_Null, CL_Model_Pmr),     // runs the menu command
  };
  for (const auto& cell : cells) {
    celltest::Host enterHost, activateHost;
    indActiveCell enter(enterHost, table), activate(activateHost, table);
    EXPECT_EQ(Send(cell, 13, 0, &enter), Send(cell, cmcCellCapsule::kKeyActivate, 0, &activate)) << cell.label;
    EXPECT_EQ(enterHost.menu.executed, activateHost.menu.executed) << cell.label;
    EXPECT_TRUE(enterHost.image.Equals(activateHost.image)) << cell.label;
  }
  EXPECT_EQ(Send(Cell(CT_Mch, CL_Mch_FreqR, 1), cmcCellCapsule::kKeyActivate, 0, &dispatch).result,
            indCellRequest::kResultOpenEditor);
}

TEST_F(ActiveCell, PopupEditBehavesAsEnter) {
  indCellHandlers table = indCellHandlers::Default();
  table.Replace(CL_Mch_FreqR, FreqREditor);
  indActiveCell dispatch(host_, table);
  const Answer edit = Send(Cell(CT_Mch, CL_Mch_FreqR, 2), 0, CL_PMenu_Edit, &dispatch);
  EXPECT_EQ(edit, Send(Cell(CT_Mch, CL_Mch_FreqR, 2), 13, 0, &dispatch));
  EXPECT_EQ(edit.result, indCellRequest::kResultOpenEditor);
  EXPECT_EQ(edit.text, "450000002");
  EXPECT_EQ(edit.selLength, 9);

  Send(Cell(CT_Null, CL_Model_Pmr), 0, CL_PMenu_Edit);
  EXPECT_EQ(host_.menu.executed, std::vector<int>{CL_Model_Pmr});
}

TEST_F(ActiveCell, ModelItemIsTickedOnRedrawAndRunsOnEnter) {
  for (const int family : {0, 1, 2, 3}) {
    host_.family = family;
    cmcCellObj item = Cell(CT_Null, CL_Model_Pmr);
    item.text = "PMR";
    EXPECT_EQ(active_.CellText(item, 0), "PMR");
    EXPECT_EQ(item.Flag(0), family == 1) << family;
  }
  EXPECT_TRUE(host_.menu.executed.empty()) << "key 0 only refreshes the state";
  cmcCellObj item = Cell(CT_Null, CL_Model_Pmr);
  active_.RunCell(item, 13);
  EXPECT_EQ(host_.menu.executed, std::vector<int>{CL_Model_Pmr});
}

TEST_F(ActiveCell, LabelsWithoutAHandlerShowYet) {
  struct Case {
    int category, label;
    const char* text;
    const char* why;
  };
  const Case cases[] = {
      {CT_Mch, CL_Mch_Msk_Log, "222 *Yet*", "a channel label that has no handler"},
      {CT_PopupMenu, CL_PMenu_Edit, "99 *Yet*", "a popup label that only acts as a command"},
      {CT_Null, CL_Adj_Pram_ModSl_Band3, "1502 *Yet*", "one of the listed labels"},
      {CT_Null, 2000, "2000 *Yet*", "an id above the table"},
      {CT_Null, CL_Null, "", "the empty label draws nothing"},
      {CT_Null, static_cast<int>(kNoLabel), "", "no label draws nothing"},
      {CT_Null, CL_Mdc_Alias3_Text, "", "an alias column that draws nothing"},
      {CT_Null, Flex_Language_ChNo, "", "the language row number draws nothing"},
  };
  for (const auto& c : cases) EXPECT_EQ(Send(Cell(c.category, c.label, 1), 0).text, c.text) << c.why;
}

TEST_F(ActiveCell, MenuCommandsTheShellDoesNotOfferAreDisabled) {
  cmcCellObj item = Cell(CT_Null, CL_Menu_File_Print_All);
  item.SetText("Print all");
  cmcCellCapsule c;
  c.cell = &item;
  active_.Dispatch(c, false);
  EXPECT_EQ(c.outputText, "Print all");
  EXPECT_TRUE(item.Flag(2)) << "disabled";
}

TEST_F(ActiveCell, ExitReportsTheMaskAndUserActions) {
  struct Seen {
    int calls = 0;
    int mask = 0;
  } seen;
  auto repaint = [](void* context, cmcCellCapsule&, int mask) {
    auto* s = static_cast<Seen*>(context);
    ++s->calls;
    s->mask = mask;
  };
  cmcCellObj channel = Cell(CT_Mch, CL_Mch_Inh, 1), radioWide = Cell(CT_Null, CL_Mch_Bank_Total);
  for (const bool fromSheet : {false, true}) {
    cmcCellCapsule c;
    c.cell = &channel;
    c.repaint = repaint;
    c.repaintContext = &seen;
    active_.Dispatch(c, fromSheet);
  }
  EXPECT_EQ(seen.calls, 1) << "only a sheet's request repaints";
  EXPECT_EQ(seen.mask, indCellRequest::kMaskAlways | indCellRequest::kMaskRecord);
  cmcCellCapsule c;
  c.cell = &radioWide;
  c.repaint = repaint;
  c.repaintContext = &seen;
  c.inputKind = cmcCellCapsule::kInputText;
  active_.Dispatch(c, true);
  EXPECT_EQ(seen.mask, indCellRequest::kMaskAlways) << "no record behind a radio-wide cell";
  EXPECT_EQ(host_.userActions, 1) << "a committed text is a user action";
}

TEST_F(ActiveCell, RestrictedKeysAreReported) {
  indCellHandlers table = indCellHandlers::Default();
  table.Replace(CL_Mch_Inh, [](indCellRequest& r) {
    r.SetTextColour(indCellRequest::kRestrictedColour);
    if (r.TypingKey()) r.editRestricted = true;
  });
  indActiveCell dispatch(host_, table);
  celltest::Canvas canvas;
  cmcCellObj cell = Cell(CT_Mch, CL_Mch_Inh, 1);
  cmcCellCapsule c;
  c.cell = &cell;
  c.canvas = &canvas;
  dispatch.Dispatch(c, false);
  EXPECT_EQ(host_.restricted, 0);
  EXPECT_EQ(canvas.colours, std::vector<uint32_t>{32896});
  Send(cell, '1', 0, &dispatch);
  EXPECT_EQ(host_.restricted, 1);
}

TEST_F(ActiveCell, HelpAndMemoryChannelWindowCommands) {
  Send(Cell(CT_Mch, CL_Mch_Inh, 1), 0, CL_PMenu_Help);
  EXPECT_EQ(host_.helpOpened, 1);
  cmcCellObj item = Cell(CT_PopupMenu, CL_PMenu_MCHWin);
  cmcCellCapsule itemCapsule;
  itemCapsule.cell = &item;
  cmcCellObj target = Cell(CT_Mch, CL_Mch_Inh, 1);
  cmcCellCapsule c;
  c.cell = &target;
  c.parent = &itemCapsule;
  c.commandArgument = CL_PMenu_MCHWin;
  active_.Dispatch(c, false);
  EXPECT_EQ(host_.mchWinShown, 1);
  EXPECT_TRUE(item.Flag(0)) << "the item is ticked while the window is wanted";
  EXPECT_EQ(c.outputText, "") << "a command ends the request";
}

TEST_F(ActiveCell, WinCopyPutsTheSerialNumberOnTheClipboard) {
  struct Case {
    int label;
    const char* serial;
    std::vector<std::string> clipboard;
  };
  const Case cases[] = {
      {CL_CloneInfo_Esn, "07E30C00ABCD", {"2019120043981"}},
      {CL_CloneInfo_Esn, "07e30c00abcd", {"2019120043981"}},
      {CL_CloneInfo_Esn, "07E30C00ABCG", {}},
      {CL_CloneInfo_Esn, "07E3", {}},
      {CL_CloneInfo_Model, "07E30C00ABCD", {}},
  };
  for (const auto& k : cases) {
    host_.serial = k.serial;
    celltest::Grid grid;
    cmcCellObj cell = Cell(CT_Null, k.label);
    cmcCellCapsule c;
    c.cell = &cell;
    c.grid = &grid;
    c.commandArgument = CL_PMenu_WinCopy;
    active_.Dispatch(c, false);
    EXPECT_EQ(grid.clipboard, k.clipboard) << k.serial;
  }
}

TEST_F(ActiveCell, BlockOperationsKeepToTheRowsOfTheBank) {
  host_.SetBanks({4, 8});  // bank 1: channels 4-11
  for (int n = 4; n < 8; ++n) host_.Use(n);
  cmcCellObj cell = Cell(CT_Mch, CL_Mch_Text, 5);
  cmcCellCapsule c;
  c.cell = &cell;
  c.commandArgument = CL_PMenu_Copy;
  c.multiSelection = cmcCellCapsule::kMultiActive;
  c.rangeLow = 2;  // reaches into bank 0
  c.rangeHigh = 6;
  active_.Dispatch(c, false);
  EXPECT_EQ(host_.clipboard.First(), 4) << "cut to the current bank";
  EXPECT_EQ(host_.clipboard.Count(), 3);
  EXPECT_EQ(c.multiSelection & cmcCellCapsule::kMultiApplyRange, cmcCellCapsule::kMultiApplyRange);
  EXPECT_EQ(c.rangeLow, 4);
  EXPECT_EQ(c.rangeHigh, 6);
  EXPECT_EQ(host_.block.status, std::vector<std::string>{"GI_AppMess_S_Copy"});
  EXPECT_EQ(host_.recomputed, 1) << "the memory figures follow every block operation";
  EXPECT_EQ(c.outputText, "");

  host_.prompts.answers.push_back(cmcPromptAnswer::Ok);
  Send(Cell(CT_Mch, CL_Mch_Text, 7), 0, CL_PMenu_Delete);
  ASSERT_EQ(host_.block.sent.size(), 1u);
  EXPECT_EQ(host_.block.sent[0].code, datChBlockHost::kEvDeleteChannel);
  EXPECT_EQ(host_.block.sent[0].bank, 1);
  EXPECT_EQ(host_.block.sent[0].row, 7);
}

TEST_F(ActiveCell, CarryingABankMovesItsChannelsAndChangesTheLayout) {
  host_.SetBanks({4, 2});
  int mask = 0;
  cmcCellObj cell = Cell(CT_BankOp, CL_Mch_BankText, 1);
  cmcCellCapsule c;
  c.cell = &cell;
  c.commandArgument = CL_PMenu_CarryUp;
  c.repaint = [](void* context, cmcCellCapsule&, int m) { *static_cast<int*>(context) = m; };
  c.repaintContext = &mask;
  active_.Dispatch(c, true);
  const datChBank banks(&host_.image);
  EXPECT_EQ(banks.BankCount(0), 2);
  EXPECT_EQ(banks.BankCount(1), 4);
  EXPECT_EQ(mask & indCellRequest::kMaskLayout, indCellRequest::kMaskLayout);
  EXPECT_TRUE(c.jump.set);
  EXPECT_EQ(c.jump.index, 0) << "the cursor follows the bank";
}

TEST(ActiveCellDeathTest, ProgrammingErrorsAreFatal) {
  celltest::Host host;
  indActiveCell dispatch(host);
  cmcCellCapsule noCell;
  EXPECT_EXIT(dispatch.Dispatch(noCell, false), ::testing::ExitedWithCode(3), "no cell");
  indCellHandlers table;
  table.Set(CL_Mch_No, [](indCellRequest&) {});
  EXPECT_EXIT(table.Set(CL_Mch_No, [](indCellRequest&) {}), ::testing::ExitedWithCode(3), "twice");
}

}  // namespace
