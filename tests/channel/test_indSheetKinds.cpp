// The bank, memory and common sheet kinds the sheet maker makes from a reference.
#include <gtest/gtest.h>

#include <utility>

#include "cell/cmcCellIds.h"
#include "channel/SheetKindRig.h"
#include "channel/sheets/indBankSheet.h"
#include "channel/sheets/indMemorySheet.h"
#include "runtime/cmcEvCodes.h"

namespace {

constexpr const char* kBank1 = "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 1";

indBankSheet& BankOf(indSheetMaker::Sheet& sheet) { return dynamic_cast<indBankSheet&>(*sheet.hooks); }

std::vector<int> Range(int first, int last) {
  std::vector<int> r;
  for (int i = first; i <= last; ++i) r.push_back(i);
  return r;
}

TEST(SheetKinds, TheReferenceChoosesTheKind) {
  struct Case {
    const char* ref;
    bool bank, memory;
  };
  const Case cases[] = {
      {kBank1, true, false},
      {"[St_ChBank]GI_Sheet_Mch_Lmr", true, false},
      {"GI_Sheet_Mdc_Alias,M", false, true},
      {"[St_Common]GI_Sheet_Cond", false, false},
      {"GI_Sheet_Cond,Bank 1", false, false},
  };
  for (const auto& c : cases) {
    SheetKindRig rig;
    const auto kind = rig.maker.KindOf(c.ref);
    EXPECT_EQ(dynamic_cast<indBankSheet*>(kind.get()) != nullptr, c.bank) << c.ref;
    EXPECT_EQ(dynamic_cast<indMemorySheet*>(kind.get()) != nullptr, c.memory) << c.ref;
  }
}

TEST(SheetKinds, ABankSheetShowsItsChannelsAndTheNewChannelRow) {
  struct Case {
    const char* name;
    std::vector<int> counts;
    const char* ref;
    std::vector<int> shown;
  };
  const Case cases[] = {
      {"bank 1 counts from the channels of bank 0", {16, 4}, kBank1, {16, 17, 18, 19, 20}},
      {"an empty bank has only the new-channel row", {16, 0}, kBank1, {16}},
      {"bank 0", {3, 4}, "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 0", {0, 1, 2, 3}},
      {"a full bank: 128 channels and the new-channel row", {0, 128}, kBank1, Range(0, 128)},
  };
  for (const auto& c : cases) {
    SheetKindRig rig;
    rig.SetBanks(c.counts);
    auto sheet = rig.maker.Open(c.ref, rig.view);
    EXPECT_EQ(sheet.model->RowCount(), cmcSheetDef::kExtendedRows) << c.name;
    EXPECT_EQ(SheetKindRig::ShownIndexes(*sheet.model), c.shown) << c.name;
    EXPECT_EQ(sheet.model->CellText(1, 1), std::to_string(CL_Mch_FreqR) + ":" + std::to_string(c.shown.front()))
        << c.name;
  }
}

TEST(SheetKinds, BankSheetTitleAndHeader) {
  struct Case {
    const char* name;
    const char* operation;
    bool smarTrunk;
    std::vector<int> counts;
    const char* title;
    const char* header;
    uint32_t colour;
  };
  const Case cases[] = {
      {"a SmarTrunk bank: cyan",
       "Banks",
       true,
       {16, 4},
       "Bank 2: ROAD (SmarTrunk)",
       "Bank 2: ROAD (SmarTrunk) (108 more channels fit)",
       indBankSheet::kSmarTrunkHeaderColour},
      {"another bank: yellow",
       "Banks",
       false,
       {16, 4},
       "Bank 2: ROAD ",
       "Bank 2: ROAD  (108 more channels fit)",
       indBankSheet::kHeaderColour},
      {"no banks in use: the style's title and no header",
       "None",
       true,
       {16, 4},
       "Bank",
       "",
       indBankSheet::kHeaderColour},
  };
  for (const auto& c : cases) {
    SheetKindRig rig(c.operation);
    rig.SetBanks(c.counts);
    rig.SetBankName(1, "ROAD");
    rig.Banks().SetBankFlag(1, c.smarTrunk);
    rig.Banks().SetBankFlag(0, !c.smarTrunk);  // another bank's flag counts for nothing
    auto sheet = rig.maker.Open(kBank1, rig.view);
    EXPECT_EQ(sheet.model->Title(), c.title) << c.name;
    const indBankSheet::Header header = BankOf(sheet).HeaderLine(sheet.model->Def().GetStyle().title);
    EXPECT_EQ(header.text, c.header) << c.name;
    EXPECT_EQ(header.colour, c.colour) << c.name;
  }
  EXPECT_EQ(indBankSheet::kSmarTrunkHeaderColour, 0x00FFFF00u) << "cyan: blue and green";
  EXPECT_EQ(indBankSheet::kHeaderColour, 0x0000FFFFu) << "yellow: green and red";
}

TEST(SheetKinds, BankSheetRowsFollowTheBank) {
  SheetKindRig rig;
  rig.SetBanks({16, 4});
  auto sheet = rig.maker.Open(kBank1, rig.view);
  cmcSheetModel& model = *sheet.model;
  int headerCalls = 0;
  BankOf(sheet).SetHeaderChanged([&] { ++headerCalls; });

  // A channel added after the bank's last one: one more row, as high as the one above.
  rig.SetBanks({16, 5});
  rig.view.Clear();
  rig.events.Send(kEvChannelAdded);
  EXPECT_EQ(SheetKindRig::ShownIndexes(model), Range(16, 21));
  EXPECT_EQ(model.Layout().RowHeight(6), model.Layout().RowHeight(5));
  EXPECT_EQ(rig.view.Calls("layout").size(), 1u);

  // A channel removed: the last row goes and the cursor moves up one.
  ASSERT_TRUE(model.MoveTo(1, 4));
  rig.SetBanks({16, 4});
  rig.events.Send(kEvChannelRemoved);
  EXPECT_EQ(SheetKindRig::ShownIndexes(model), Range(16, 20));
  EXPECT_EQ(model.Row(), 3);

  // The window's buttons move the cursor; the bank query is answered; the header is
  // redrawn on event 29.
  rig.events.Send(kEvBankCursorMove, 0, 2);
  EXPECT_EQ(model.Row(), 5);
  rig.events.Send(kEvBankCursorMove, 0, -1);
  EXPECT_EQ(model.Row(), 4);
  const auto answer = rig.events.Ask(kEvAskBankSheet);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->data, 1);
  rig.events.Send(kEvRefreshBankHeader);
  EXPECT_EQ(headerCalls, 1);
}

TEST(SheetKinds, TheWindowFollowsABankSheetsCursor) {
  SheetKindRig rig;
  rig.SetBanks({16, 4});
  auto sheet = rig.maker.Open(kBank1, rig.view);
  rig.sent.clear();
  ASSERT_TRUE(sheet.model->MoveTo(1, 3));
  EXPECT_EQ(rig.Of(kEvMchWinChannelSelected), (std::vector<SheetKindRig::Sent>{{kEvMchWinChannelSelected, 18}}));
}

// A stand-in memory channel window answering the bank query and the collected movement.
struct WindowStandIn {
  explicit WindowStandIn(cmcEvMan& events, int bank, int moved) : events(events), bank(bank), moved(moved) {
    events.Listen(&WindowStandIn::OnEvent, this);
  }
  ~WindowStandIn() { events.Unlisten(&WindowStandIn::OnEvent, this); }
  static void OnEvent(void* self, cmcEvent& e) {
    auto* w = static_cast<WindowStandIn*>(self);
    if (e.mode != cmcEvMode::Asked) return;
    if (e.code == kEvAskMchBank) w->events.Answer(w->bank, 0);
    if (e.code == kEvAskMchCursorMove) w->events.Answer(std::exchange(w->moved, 0), 0);
  }
  cmcEvMan& events;
  int bank;
  int moved;
};

TEST(SheetKinds, ANewBankSheetTakesOverTheWindowsMovement) {
  struct Case {
    const char* name;
    int windowBank;
    int moved;
    int row;               // where the cursor rests
    bool bankChangedSent;  // the window is told to show the sheet's bank
  };
  const Case cases[] = {
      {"the window on this bank: its movement applies", 1, 2, 3, false},
      {"the window on another bank shows this one", 0, 2, 1, true},
  };
  for (const auto& c : cases) {
    SheetKindRig rig;
    rig.SetBanks({16, 4});
    WindowStandIn window(rig.events, c.windowBank, c.moved);
    auto sheet = rig.maker.Open(kBank1, rig.view);
    EXPECT_EQ(sheet.model->Row(), c.row) << c.name;
    EXPECT_EQ(rig.Of(kEvMchWinBankChanged).size(), c.bankChangedSent ? 1u : 0u) << c.name;
    EXPECT_EQ(window.moved, 0) << c.name << ": taken over once";
  }
}

TEST(SheetKinds, AMemorySheetGrowsAndShrinksWithItsList) {
  SheetKindRig rig;
  rig.Banks().SetMdcAliasCount(2);
  auto sheet = rig.maker.Open("GI_Sheet_Mdc_Alias,M", rig.view);
  cmcSheetModel& model = *sheet.model;
  EXPECT_EQ(SheetKindRig::ShownIndexes(model), Range(0, 2)) << "the aliases and the new-alias row";
  ASSERT_TRUE(model.MoveTo(1, 2));

  rig.Banks().SetMdcAliasCount(5);
  rig.events.Send(kEvChannelAdded, 0, 3);
  EXPECT_EQ(SheetKindRig::ShownIndexes(model), Range(0, 5));
  EXPECT_EQ(model.Row(), 2) << "the cursor keeps its cell";

  rig.Banks().SetMdcAliasCount(1);
  rig.events.Send(kEvChannelRemoved, 0, 4);
  EXPECT_EQ(SheetKindRig::ShownIndexes(model), Range(0, 1));
  EXPECT_EQ(model.Row(), 2) << "still shown";
  ASSERT_TRUE(model.MoveTo(1, 2));
  rig.Banks().SetMdcAliasCount(0);
  rig.events.Send(kEvChannelRemoved, 0, 1);
  EXPECT_EQ(model.Row(), 1) << "its row went: the one above";
}

TEST(SheetKinds, CommonSheetModelConditions) {
  const std::vector<std::string> cells = {"first", ":(Only_Lmr 3)", "lmr 1", "lmr 2", ":(SelectOFF)", "after"};
  struct Case {
    const char* name;
    const char* ref;
    int family;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"Only_Lmr 3 on PMR skips three lines", "[St_Common]GI_Sheet_Cond", 1, {"first", "after"}},
      {"on LMR it skips nothing", "[St_Common]GI_Sheet_Cond", 0, {"first", "lmr 1", "lmr 2", "after"}},
      {"a plain sheet does not know the condition", "GI_Sheet_Cond", 1, {"first", "lmr 1", "lmr 2", "after"}},
  };
  for (const auto& c : cases) {
    SheetKindRig rig("Banks", cells);
    rig.model.family = c.family;
    auto sheet = rig.maker.Open(c.ref, rig.view);
    std::vector<std::string> rows;
    for (int r = 0; r < sheet.model->RowCount(); ++r) rows.push_back(sheet.model->CellText(0, r));
    EXPECT_EQ(rows, c.rows) << c.name;
  }
}

}  // namespace
