#include "cell/indFlexCells.h"

#include <cstdio>
#include <string>

#include "cell/cmcCellIds.h"
#include "cell/cmcCellRegistry.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"

namespace {

constexpr int kFirstLockedPreset = 60;  // chooser values 60-62 are presets 61-63

std::string Number3(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%3d", n);
  return text;
}

void OwnText(indCellRequest& r) { r.SetText(r.cell.CellText()); }

void RowNumber(indCellRequest& r) { r.SetText(Number3(r.row + 1)); }

void MdcAliasNo(indCellRequest& r) {
  r.SetText(r.row == r.Banks().MdcAliasCount() ? r.host.Text("GI_NewChTitle") : Number3(r.row + 1));
}

void LockCh(indCellRequest& r) {
  const bool locked = r.row >= kFirstLockedPreset && r.row < kFirstLockedPreset + 3;
  r.SetText(locked && !r.host.PresetConfirmed(r.row + 1) ? "-" : r.cell.CellText());
}

// The edited cell's channel carries the MSK signal flag (a digital QarnPmr channel).
bool EditedChannelIsDigital(const indCellRequest& r, const cmcCellObj& edited) {
  if (RecordKindOf(edited.category, r.family) != datChKind::kQarnPmr) return false;
  const datChKindInfo& info = datChKindOf(datChKind::kQarnPmr);
  if (edited.index < info.first || edited.index > info.last) return false;
  datCh channel(&r.host.Image());
  channel.Load(datChKind::kQarnPmr, edited.index);
  return channel.mskSig;
}

void Mark(indCellRequest& r) {
  r.SetText(r.cell.CellText());
  if (!r.capsule.parent || !r.capsule.parent->cell) return;
  const cmcCellObj& edited = *r.capsule.parent->cell;
  const int entry = r.row;
  const int label = static_cast<int>(edited.label);
  if (r.pmr) {
    const bool widthsAllowed = r.host.Image().GetByte(cmcImageMap::kWidthOptions) & 0x10;
    if ((label == CL_Mch_WNM || label == CL_Mch_WNM_Pmr) && (entry == 2 || entry == 3) && !widthsAllowed)
      r.SetWarning();
    return;
  }
  if (!r.qarnPmr || !EditedChannelIsDigital(r, edited)) return;
  switch (label) {
    case CL_Mch_CH_Mute:
      if (entry == 0) r.SetWarning();
      break;
    case CL_Mch_Moni_Pmr:
      if (entry != 6 && entry != 7) r.SetWarning();
      break;
    case CL_Mch_Sel_Pmr:
      if (entry != 1) r.SetError();
      break;
    case CL_Mch_Call_Pmr:
    case CL_Mch_PTT_Pmr:
      if (entry != 0) r.SetError();
      break;
    default:
      break;
  }
}

}  // namespace

void indFlexCells::Register(indCellHandlers& t) {
  for (const int label : {Flex0, Flex1, Flex2, FlexDtcs, FlexKeyOpt, FlexZoneSel, FlexCHSel, FlexScrmPort, FlexAdjCh})
    t.Set(label, OwnText);
  t.Set(FlexMark, Mark);
  t.Set(FlexZoneSelNum, RowNumber);
  t.Set(FlexCHSelNum, RowNumber);
  t.Set(FlexMdcAlias_ChNo, MdcAliasNo);
  t.Set(FlexLockCh, LockCh);
}
