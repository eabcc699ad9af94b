#include "channel/sheets/indMchWin.h"

#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "channel/datChBank.h"
#include "channel/sheets/indSheetMaker.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcSheetLayout.h"

namespace {

// Repaint flag bit 5: every cell with a label.
constexpr int kRepaintLabelled = 1 << 5;

}  // namespace

indMchWin::indMchWin(const indSheetMaker& maker, cmcSheetView& view, Frame& frame, int bank, int channel,
                     intptr_t owner)
    : maker_(maker), view_(view), frame_(frame), bank_(bank), channel_(channel), owner_(owner) {
  const auto& seams = maker_.Seams();
  name_ = SheetNameFor(seams.model ? seams.model().family : 0);
  Recreate(frame_.SavedPosition(name_));
  seams.events.Listen<&indMchWin::OnEvent>(this);
}

indMchWin::~indMchWin() {
  maker_.Seams().events.Unlisten<&indMchWin::OnEvent>(this);
  sheet_.reset();
}

const char* indMchWin::SheetNameFor(int family) {
  return family == 1 ? "GI_Sheet_Mch_Win_CONV_PMR" : "GI_Sheet_Mch_Win_CONV_LMR";
}

bool indMchWin::IsWindowCell(const cmcCellObj& cell) {
  return cell.category == CT_Mch_Win || cell.category == CT_Mch_Win_Pmr446 || cell.label == CL_MchWin_No;
}

datChBank indMchWin::Banks() const { return datChBank(&maker_.Seams().image, &maker_.Seams().defaults); }

void indMchWin::BeforeCell(cmcCellObj& cell, int, int) {
  if (IsWindowCell(cell)) cell.index = channel_;
}

void indMchWin::Recreate(const cmcSheetModel::Position& at) {
  // The sheet goes before its replacement listens, so that one sheet answers at a time.
  if (sheet_) frame_.SheetGoing();
  sheet_.reset();
  sheet_ = maker_.Build(name_, view_, *this, at, true);
  FitUnsizedColumns();
  frame_.SheetChanged(*sheet_);
}

void indMchWin::Rebuild() {
  const auto& seams = maker_.Seams();
  const std::string name = SheetNameFor(seams.model ? seams.model().family : 0);
  if (name != name_) {
    frame_.SavePosition(name_, sheet_->CurrentPosition());
    name_ = name;
    Recreate(frame_.SavedPosition(name_));
  }
  for (int r = 0; r < sheet_->RowCount(); ++r)
    for (int k = 0; k < sheet_->ColCount(); ++k) BeforeCell(sheet_->Def().CellAt(k, r), k, r);
  FitUnsizedColumns();
  RepaintAll();
}

// The value cells carry no text of their own to size their column by: a column still
// at the least width takes the width of the values it shows (none without a channel).
void indMchWin::FitUnsizedColumns() {
  for (int k = sheet_->Layout().FixedCols(); k < sheet_->ColCount(); ++k)
    if (sheet_->Layout().ColWidth(k) <= cmcSheetLayout::kMinColWidth) sheet_->FitColumn(k);
}

void indMchWin::RepaintAll() {
  cmcCellObj none;
  cmcCellCapsule probe;
  probe.cell = &none;
  sheet_->RepaintMatching(probe, kRepaintLabelled);
}

void indMchWin::NextChannel() {
  if (bank_ < 0 || channel_ >= Banks().BankLast(bank_)) return;
  ++channel_;
  Step(1);
}

void indMchWin::PreviousChannel() {
  if (bank_ < 0 || channel_ <= Banks().BankFirst(bank_)) return;
  --channel_;
  Step(-1);
}

void indMchWin::Step(int delta) {
  Rebuild();
  cmcEvMan& events = maker_.Seams().events;
  if (events.Ask(kEvAskBankSheet))
    events.Send(kEvBankCursorMove, 0, delta);
  else
    collected_ += delta;
}

void indMchWin::Close() {
  frame_.SavePosition(name_, sheet_->CurrentPosition());
  frame_.Close();
}

void indMchWin::OnEvent(cmcEvent& event) {
  cmcEvMan& events = maker_.Seams().events;
  switch (event.code) {
    case kEvOwnerClosing:
      if (owner_ != 0 && event.argument == owner_) Close();
      break;
    case kEvMchWinClose:
      Close();
      break;
    case kEvMchWinRefresh:
      RepaintAll();
      break;
    case kEvMchWinRecreate: {
      const cmcSheetModel::Position at = sheet_->CurrentPosition();
      frame_.SavePosition(name_, at);
      name_ = SheetNameFor(maker_.Seams().model ? maker_.Seams().model().family : 0);
      Recreate(at);
      break;
    }
    case kEvMchWinBankChanged:
      bank_ = static_cast<int>(event.argument);
      channel_ = Banks().BankFirst(bank_);
      Rebuild();
      break;
    case kEvMchWinChannelSelected:
      channel_ = static_cast<int>(event.argument);
      Rebuild();
      break;
    case kEvNewImage:
      bank_ = -1;
      channel_ = 0;
      Rebuild();
      break;
    case kEvAskMchBank:
      if (event.mode == cmcEvMode::Asked) events.Answer(bank_, channel_);
      break;
    case kEvAskMchCursorMove:
      if (event.mode == cmcEvMode::Asked) {
        events.Answer(collected_, 0);
        collected_ = 0;
      }
      break;
    case kEvMchPaneShow:
    case kEvMchPaneHide:
      frame_.ShowPane(event.code == kEvMchPaneShow);
      break;
    case kEvMchWinUndock:
      frame_.Undock();
      break;
    case kEvMchWinRaise:
      frame_.Raise();
      break;
    default:
      break;
  }
}
