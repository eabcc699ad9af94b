#include "cell/indDtmfCells.h"

#include <array>

#include "cell/cmcCellIds.h"
#include "cell/cmcCodeCodecs.h"
#include "cell/cmcTextCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indSettingRows.h"
#include "channel/datChKinds.h"

namespace {

constexpr int kDtmfDigits = 24;
constexpr int kLmrEmergencyRow = 6;
constexpr int kLmrLogIdRow = 7;

// The three DTMF timers, bytes in hundredths of a second.
constexpr indSettingRow kTimers[] = {
    {CL_Dtmf_DtmfTimer, Byte(0xA0AB), Timer(100)},
    {CL_Dtmf_FirstTimer, Byte(0xA0AC), Timer(100)},
    {CL_Dtmf_MarkTimer, Byte(0xA0AD), Timer(100)},
};

void DtmfTimer(indCellRequest& r) { indRunRow(r, *indFindRow(kTimers, r.label)); }

void UserCharacter(indCellRequest& r) {
  if (r.kind != datChKind::kUserChar) return;
  std::array<uint8_t, 2> mask = {static_cast<uint8_t>(r.record.mask >> 8), static_cast<uint8_t>(r.record.mask)};
  if (!cmcTextCodecs::UserCharacterCodec(r.capsule, mask, r.result)) return;
  r.record.mask = (mask[0] << 8) | mask[1];
  r.record.Store();
}

void ChNo(indCellRequest& r) {
  if (r.row == 0)
    r.SetText("Autodial");
  else if (r.lmr && r.row == kLmrEmergencyRow)
    r.SetText("Emergency");
  else if (r.lmr && r.row == kLmrLogIdRow)
    r.SetText("Log/ID");
  else
    r.SetText(std::to_string(r.row + 1));
}

void Code(indCellRequest& r) {
  if (r.kind != datChKind::kDtmf) return;
  auto length = static_cast<uint8_t>(r.record.dtmfLength);
  const bool changed = DtmfCodeCodec(r.codec, r.capsule, r.record.digits, length, kDtmfDigits);
  r.TakeCodecAnswer();
  if (!changed) return;
  r.record.dtmfLength = length;
  r.record.Store();
}

void Text(indCellRequest& r) {
  if (r.kind == datChKind::kDtmf) indRecordText(r, std::span<uint8_t>(r.record.name.data(), 8));
}

}  // namespace

void indDtmfCells::Register(indCellHandlers& t) {
  t.Set(CL_CEdit, indGuarded<UserCharacter>);
  t.Set(CL_Dtmf_ChNo, indGuarded<ChNo>);
  for (const int label : {CL_Dtmf_Code, CL_Dtmf_CodeID, CL_Dtmf_CodeEmer}) t.Set(label, indGuarded<Code>);
  t.Set(CL_Dtmf_Text, indGuarded<Text>);
  for (const indSettingRow& row : kTimers) t.Set(row.label, DtmfTimer);
}
