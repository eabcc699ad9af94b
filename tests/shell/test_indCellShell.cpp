// The dispatch in the program: the model controller opens and closes channel and
// alias slots for the block operations, the new-channel row and the overflow on the
// initial images, the model-family menu items, and the status line.
#include <gtest/gtest.h>

#include <algorithm>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/indActiveCell.h"
#include "channel/datCh.h"
#include "channel/datChBank.h"
#include "runtime/cmcEvCodes.h"
#include "shell/indCellShell.h"
#include "support/TestProgram.h"

namespace {

class CellShell : public ::testing::Test {
 protected:
  cmcCellObj Cell(int category, int label, int index = 0) {
    cmcCellObj cell;
    cell.category = static_cast<uint32_t>(category);
    cell.label = static_cast<uint32_t>(label);
    cell.index = index;
    return cell;
  }
  datChBank Banks() { return datChBank(&p_.main.Working(), &p_.main.Initial()); }
  uint32_t FreqOf(int n) {
    datCh ch(&p_.main.Working());
    ch.Load(indMain::ChannelKindOf(p_.main.ModelType()), n);
    return ch.freqR;
  }
  std::vector<int> SentAfter(size_t from) {
    std::vector<int> codes;
    for (size_t i = from; i < p_.delivered.size(); ++i)
      if (p_.delivered[i].mode == cmcEvMode::Sent) codes.push_back(p_.delivered[i].code);
    return codes;
  }

  ProgramDir dir_;
  Program p_{dir_};
  indCellShell& shell_ = p_.cellHost;
  indActiveCell& active_ = p_.dispatch;
};

TEST_F(CellShell, TheModelControllerOpensAndClosesChannelSlots) {
  ASSERT_EQ(Banks().BankCount(0), 16);
  const uint32_t second = FreqOf(1);
  size_t from = p_.delivered.size();
  p_.events.Send(kEvInsertChannel, 0, 1);
  EXPECT_EQ(Banks().BankCount(0), 17);
  EXPECT_EQ(FreqOf(2), second) << "later channels move up";
  EXPECT_EQ(SentAfter(from), (std::vector<int>{kEvInsertChannel, kEvChannelAdded, kEvRefreshBankHeader}));

  from = p_.delivered.size();
  p_.events.Send(kEvDeleteChannel, 0, 1);
  EXPECT_EQ(Banks().BankCount(0), 16);
  EXPECT_EQ(FreqOf(1), second) << "and back down";
  EXPECT_EQ(SentAfter(from),
            (std::vector<int>{kEvDeleteChannel, kEvChannelRemoved, kEvRefreshBankHeader, kEvRefreshRowsFrom}));
  EXPECT_EQ(p_.delivered.back().argument, 1) << "the rows from the deleted one are refreshed";
}

TEST_F(CellShell, TheModelControllerShiftsTheAliasTable) {
  constexpr int kAliases = 0xB1CC;
  Banks().SetMdcAliasCount(2);
  p_.main.Working().SetByte(kAliases, 'A');
  p_.main.Working().SetByte(kAliases + 12, 'B');
  p_.events.Send(kEvInsertAlias, 0, 0);
  EXPECT_EQ(Banks().MdcAliasCount(), 3);
  EXPECT_EQ(p_.main.Working().GetByte(kAliases + 12), 'A');
  EXPECT_EQ(p_.main.Working().GetByte(kAliases + 24), 'B');
  const size_t from = p_.delivered.size();
  p_.events.Send(kEvDeleteAlias, 0, 0);
  EXPECT_EQ(Banks().MdcAliasCount(), 2);
  EXPECT_EQ(p_.main.Working().GetByte(kAliases), 'A');
  EXPECT_EQ(p_.main.Working().GetByte(kAliases + 12), 'B');
  EXPECT_EQ(SentAfter(from).back(), kEvRefreshRowsFrom);
}

TEST_F(CellShell, TypingOnTheNewChannelRowAddsAChannel) {
  p_.main.ChangeModelType(0, true);
  const int usedBefore = p_.main.Working().GetWord(0x216);
  cmcCellObj freq = Cell(CT_Mch, CL_Mch_FreqR, 16);
  active_.RunCell(freq, '4');
  EXPECT_EQ(Banks().BankCount(0), 17);
  EXPECT_EQ(p_.prompts.asked.size(), 1u) << "only the model change asked";
  const int usedAfter = p_.main.Working().GetWord(0x216);
  EXPECT_GT(usedAfter, usedBefore) << "the memory figures count the new channel";
  EXPECT_TRUE(p_.main.IsModified());
  cmcCellObj caption = Cell(CT_Mch, CL_Mch_No, 17);
  EXPECT_EQ(active_.CellText(caption, 0), p_.mainOverlay.GetText("GI_NewChTitle"));
}

TEST_F(CellShell, WithAllChannelsInUseTheNewRowShowsTheOverflow) {
  Banks().SetBankCount(0, 128);
  cmcCellObj freq = Cell(CT_Mch, CL_Mch_FreqR_Pmr, 128);
  active_.RunCell(freq, '4');
  EXPECT_EQ(Banks().TotalChannels(), 128);
  ASSERT_EQ(p_.prompts.asked.size(), 1u);
  EXPECT_EQ(p_.prompts.asked[0].text, p_.mainOverlay.GetText("GI_AppMess_ChErr_Overflow"));
  EXPECT_EQ(p_.prompts.asked[0].caption, p_.mainOverlay.GetText("GI_Sys_AppTitle"));
}

TEST_F(CellShell, ModelFamilyItems) {
  ASSERT_EQ(p_.main.ModelType(), 1);
  for (int label = CL_Model_Lmr; label <= CL_Model_DPmr446; ++label) {
    cmcCellObj item = Cell(CT_Null, label);
    active_.RunCell(item, 0);
    EXPECT_EQ(item.Flag(0), label == CL_Model_Pmr) << label;
  }
  EXPECT_TRUE(p_.prompts.asked.empty()) << "key 0 only ticks";

  cmcCellObj lmr = Cell(CT_Null, CL_Model_Lmr);
  p_.prompts.answers.push_back(cmcPromptAnswer::Cancel);
  active_.RunCell(lmr, 13);
  ASSERT_EQ(p_.prompts.asked.size(), 1u);
  EXPECT_EQ(p_.prompts.asked[0].text, p_.mainOverlay.GetText("GI_AppMess_ChangeModel"));
  EXPECT_EQ(p_.main.ModelType(), 1) << "cancelled";
  active_.RunCell(lmr, 13);
  EXPECT_EQ(p_.main.ModelType(), 0);
  EXPECT_TRUE(lmr.Flag(0)) << "ticked once current";
}

TEST_F(CellShell, FileMenuCommands) {
  // Save As asks for a file and saves the document there.
  p_.prompts.paths = {dir_.Dir() + "menu.qcl"};
  cmcCellObj saveAs = Cell(CT_Null, CL_Menu_File_SaveAs);
  active_.RunCell(saveAs, 13);
  EXPECT_EQ(p_.main.FileName(), dir_.Dir() + "menu.qcl");
  EXPECT_FALSE(saveAs.Flag(2)) << "offered, so not disabled";

  // New goes back to an untitled document.
  cmcCellObj fileNew = Cell(CT_Null, CL_Menu_File_New);
  active_.RunCell(fileNew, 13);
  EXPECT_EQ(p_.main.FileName(), "");
}

TEST_F(CellShell, BlockOperationsReportOnTheStatusLine) {
  cmcCellObj cell = Cell(CT_Mch, CL_Mch_Text_Pmr, 0);
  cmcCellCapsule c;
  c.cell = &cell;
  c.commandArgument = CL_PMenu_Copy;
  active_.Dispatch(c, false);
  p_.clock.Advance(20);
  const auto status = std::find_if(p_.delivered.begin(), p_.delivered.end(),
                                   [](const Program::Seen& e) { return e.code == kEvStatusText; });
  ASSERT_NE(status, p_.delivered.end());
  EXPECT_EQ(status->mode, cmcEvMode::Posted);
  EXPECT_EQ(status->sender, 0xFF000008) << "window text";
  EXPECT_EQ(status->argument, 0xFF00000F) << "on button face";
  EXPECT_EQ(status->text, p_.mainOverlay.GetText("GI_AppMess_S_Copy"));
  EXPECT_EQ(p_.main.Clipboard().Count(), 1);
}

}  // namespace
