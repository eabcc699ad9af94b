#include "channel/sheets/indBankSheet.h"

#include <cstdio>

#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "channel/datChBank.h"
#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "overlay/cmcGTexBase.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcSheetDef.h"
#include "sheet/cmcSheetModel.h"

indBankSheet::indBankSheet(cmcGTexBase& overlay, cmcEvMan& events, cmcEeprom& image, const cmcEeprom& defaults,
                           int bank)
    : overlay_(overlay), events_(events), image_(image), defaults_(defaults), bank_(bank) {
  if (const auto window = events_.Ask(kEvAskMchBank)) {
    // The window shows this bank from now on; movement collected for another bank's
    // sheet does not apply here.
    const auto moved = events_.Ask(kEvAskMchCursorMove);
    if (window->data == bank_)
      pendingMove_ = moved ? static_cast<int>(moved->data) : 0;
    else
      events_.Send(kEvMchWinBankChanged, 0, bank_);
  }
  events_.Listen<&indBankSheet::OnEvent>(this);
}

indBankSheet::~indBankSheet() { events_.Unlisten<&indBankSheet::OnEvent>(this); }

datChBank indBankSheet::Banks() const { return datChBank(&image_, &defaults_); }

bool indBankSheet::IsChannelCell(const cmcCellObj& cell) {
  return cell.category == CT_Mch || cell.category == CT_Mch_Check || cell.category == CT_Mch_Pmr446;
}

bool indBankSheet::IsSelectingCell(const cmcCellObj& cell) {
  return cell.category == CT_Mch || cell.category == CT_Mch_Pmr446;
}

void indBankSheet::Attach(cmcSheetModel* sheet) {
  indSheetKind::Attach(sheet);
  if (sheet_ && pendingMove_ != 0) sheet_->MoveBySteps(0, pendingMove_);
  pendingMove_ = 0;
}

void indBankSheet::BeforeCell(cmcCellObj& cell, int, int) {
  if (IsChannelCell(cell)) cell.index += Banks().BankFirst(bank_);
}

bool indBankSheet::RowShown(const cmcSheetDef& def, int row) {
  // The bank's channels and the new-channel row after them; the rest of the rows
  // wait for channels to be added.
  const datChBank banks = Banks();
  const int newRow = banks.BankFirst(bank_) + banks.BankCount(bank_);
  for (int k = 0; k < def.ColCount(); ++k) {
    const cmcCellObj& cell = def.CellAt(k, row);
    if (IsChannelCell(cell) && cell.index > newRow) return false;
  }
  return true;
}

void indBankSheet::CellSelected(const cmcCellObj& cell, int, int) {
  if (IsSelectingCell(cell)) events_.Send(kEvMchWinChannelSelected, 0, cell.index);
}

bool indBankSheet::BanksInUse() const { return overlay_.GetLine("GI_Tree_Branch_Mch_BankOperation", 0) != "None"; }

std::string indBankSheet::Name() const {
  const datChRegion& names = datChKindOf(datChKind::kBank).regions[0];
  std::string name;
  for (int i = 0; i < names.size && bank_ >= 0 && bank_ < cmcImageMap::kBanks; ++i)
    name += static_cast<char>(image_.GetByte(names.base + names.stride * bank_ + i));
  while (!name.empty() && (name.back() == ' ' || name.back() == '\0')) name.pop_back();
  return name;
}

std::string indBankSheet::SmarTrunkText() const {
  return Banks().BankFlag(bank_) ? overlay_.GetLine("GI_AppInd_MchSheet_Printer_SmarTrunk", 0) : std::string();
}

std::string indBankSheet::Title(const std::string& styleTitle) {
  if (!BanksInUse()) return styleTitle;
  return overlay_.GetLine("GI_AppInd_MchSheet_Printer_Head", 0) + " " + std::to_string(bank_ + 1) + ": " + Name() +
         " " + SmarTrunkText();
}

indBankSheet::Header indBankSheet::HeaderLine(const std::string& styleTitle) const {
  if (!BanksInUse()) return {};
  const datChBank banks = Banks();
  const int fit = banks.MostThatFit(CT_Mch, cmcImageMap::kChannelSlots - banks.TotalChannels());
  Header header;
  header.text = styleTitle + " " + std::to_string(bank_ + 1) + ": " + Name() + " " + SmarTrunkText() + " (" +
                std::to_string(fit) + " " + overlay_.GetLine("GI_AppInd_Sheet_Title_LeftCH", 0) + ")";
  header.colour = banks.BankFlag(bank_) ? kSmarTrunkHeaderColour : kHeaderColour;
  return header;
}

void indBankSheet::OnEvent(cmcEvent& event) {
  switch (event.code) {
    case kEvAskBankSheet:
      if (event.mode == cmcEvMode::Asked) events_.Answer(bank_, 0);
      break;
    case kEvRefreshBankHeader:
      if (headerChanged_) headerChanged_();
      break;
    case kEvChannelAdded:
      if (sheet_) sheet_->RefreshRows();
      break;
    case kEvChannelRemoved:
      if (sheet_) {
        sheet_->RefreshRows();
        sheet_->MoveBySteps(0, -1);
      }
      break;
    case kEvBankCursorMove:
      if (sheet_) sheet_->MoveBySteps(0, static_cast<int>(event.argument));
      break;
    default:
      break;
  }
}
