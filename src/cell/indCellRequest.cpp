#include "cell/indCellRequest.h"

#include "cell/cmcCellCanvas.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellRegistry.h"
#include "cell/indCellHost.h"
#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"

namespace {

bool IsChannelSheetCategory(int category) { return category >= CT_Mch && category <= CT_Mch_Win_Pmr446; }

}  // namespace

indCellRequest::indCellRequest(cmcCellCapsule& c, indCellHost& h, indActiveCell& d)
    : capsule(c),
      host(h),
      dispatch(d),
      cell(*c.cell),
      record(&h.Image()),
      address(&h.Image()),
      codec(h.CodecContext()) {
  category = static_cast<int>(cell.category);
  label = static_cast<int>(cell.label);
  row = cell.index;
  family = host.ModelFamily();
  if (family < 0 || family > 3) family = 0;
  lmr = family == 0;
  pmr = family == 1;
  qarnPmr = family == 2;
  dpmr446 = family == 3;
  kind = RecordKindOf(category, family);
  codec.modelType = family;

  ReadBankContext();

  if (kind != 0) {
    // Rows outside the kind's range (the new-channel row 128 among them) hold a
    // cleared record: nothing is read past the kind's table.
    const datChKindInfo& info = datChKindOf(kind);
    if (row >= info.first && row <= info.last) {
      record.Load(kind, row);
    } else {
      record.Clear();
      record.kind = kind;
      record.index = row;
    }
    recordLoaded = true;
    if (kind == datChKind::kQarnPmr) digital = record.mskSig;
    if (datChKind::IsChannel(kind) && (pmr || qarnPmr)) ext3Bit2 = record.mskRptSpecial;
  }
}

void indCellRequest::ReadBankContext() {
  const datChBank banks = Banks();
  bankMode = banks.BankMode();
  const bool mchWin = category == CT_Mch_Win || category == CT_Mch_Win_Pmr446 || label == CL_MchWin_No;
  std::optional<dst_BankContext> view;
  if (mchWin || capsule.sheet != nullptr) view = host.ViewBank(capsule, mchWin, row);
  if (view) {
    bank = *view;
  } else {
    // No view answered: the bank holding the row, or for a row past every bank the
    // last bank that holds channels, so that row is its new-channel row.
    int b = capsule.bankIndex;
    if (b == 0) {
      b = banks.BankOfChannel(row);
      if (b >= cmcImageMap::kBanks) {
        const int total = banks.TotalChannels();
        b = total > 0 ? banks.BankOfChannel(total - 1) : 0;
      }
    }
    bank = banks.Context(b);
  }
  if (IsChannelSheetCategory(category)) newRow = bank.count == 0 || row > bank.last;
}

void indCellRequest::SetTextColour(uint32_t colour) const {
  if (capsule.canvas) capsule.canvas->SetTextColour(colour);
}

void indCellRequest::TakeCodecAnswer() {
  if (codec.result != kResultDone) result = codec.result;
  if (codec.textColour) SetTextColour(*codec.textColour);
  codec.result = kResultDone;
  codec.textColour.reset();
}

datChBank indCellRequest::Banks() const { return datChBank(&host.Image(), &host.DefaultImage()); }

void indCellRequest::RefuseTyped() { RefuseTyped(host.Text("GI_AppMess_S_EditRestrected")); }

void indCellRequest::RefuseTyped(std::string reason) {
  if (capsule.inputKind == cmcCellCapsule::kInputText) capsule.refusal = std::move(reason);
}
