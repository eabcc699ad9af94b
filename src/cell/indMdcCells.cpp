#include "cell/indMdcCells.h"

#include <algorithm>
#include <array>

#include "cell/cmcCellIds.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcDigitCodecs.h"
#include "cell/cmcTextCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indCodecScope.h"
#include "cell/indSettingRows.h"
#include "channel/datChBlockHost.h"
#include "channel/datChKinds.h"
#include "image/cmcImageMap.h"
#include "runtime/cmcPrompts.h"

namespace {

constexpr const char* kOnOff = "GI_Sheet_Sel_Mdc_OnOff";
constexpr const char* kOffered = "GI_Sheet_Sel_Mdc_Enable";

// One MDC system: offsets in its 29-byte record. Every feature sheet names its rows by
// the system's name, so each of them shows and edits the same field.
// clang-format off
constexpr indSettingRow kSystem[] = {
  {CL_Mdc_System_List_Text, InTable(Run(0, 8)), RadioText(true)},
  {CL_Mdc_General_Text, InTable(Run(0, 8)), RadioText(true)},
  {CL_Mdc_PttId_Text, InTable(Run(0, 8)), RadioText(true)},
  {CL_Mdc_RadioChk_Text, InTable(Run(0, 8)), RadioText(true)},
  {CL_Mdc_Emg_Text, InTable(Run(0, 8)), RadioText(true)},
  {CL_Mdc_Stun_Text, InTable(Run(0, 8)), RadioText(true)},
  {CL_Mdc_General_Self_Id, InTable(Word(8)), Nibbles()},
  // Byte 10: the features the system offers (bits 1-0 kept).
  {CL_Mdc_System_List_General, InTable(Bit(10, 7)), Choice(kOffered)},
  {CL_Mdc_System_List_RadioChk, InTable(Bit(10, 6)), Choice(kOffered)},
  {CL_Mdc_System_List_Emg, InTable(Bit(10, 5)), Choice(kOffered)},
  {CL_Mdc_System_List_PttId, InTable(Bit(10, 4)), Choice(kOffered)},
  {CL_Mdc_System_List_Stun, InTable(Bit(10, 3)), Choice(kOffered)},
  {CL_Mdc_System_List_Revive, InTable(Bit(10, 2)), Choice(kOffered)},
  // Byte 11: general switches (bits 4-0 kept).
  {CL_Mdc_General_Mdc_On, InTable(Bit(11, 7)), Choice(kOnOff)},
  {CL_Mdc_General_Mute_MSK, InTable(Bit(11, 6)), Choice(kOnOff)},
  {CL_Mdc_General_Tones_Req, InTable(Bit(11, 5)), Choice(kOnOff)},
  {CL_Mdc_General_Initial_Tx_Delay, InTable(Byte(12)), Timer(100)},
  {CL_Mdc_General_Rx_Sync_Threshold, InTable(Bits(13, 0, 4)), Integer(0, 15)},
  {CL_Mdc_General_Tx_Sync_Retry, InTable(Bits(13, 4, 4)), Integer(0, 15)},
  {CL_Mdc_General_DOS_Time, InTable(Byte(14)), Timer(10)},
  {CL_Mdc_General_Coast_Time, InTable(Byte(15)), Timer(10)},
  // Byte 16: PTT ID switches and the receive switches of radio check and stun.
  {CL_Mdc_PttId_Rx, InTable(Bit(16, 7)), Choice(kOnOff)},
  {CL_Mdc_PttId_Tx, InTable(Bit(16, 6)), Choice(kOnOff)},
  {CL_Mdc_PttId_Pttid_Dwn, InTable(Bit(16, 5)), Choice(kOnOff)},
  {CL_Mdc_PttId_Pttid_Up, InTable(Bit(16, 4)), Choice(kOnOff)},
  {CL_Mdc_PttId_Rt_Beep, InTable(Bit(16, 3)), Choice(kOnOff)},
  {CL_Mdc_PttId_Cu_Beep, InTable(Bit(16, 2)), Choice(kOnOff)},
  {CL_Mdc_RadioChk_Rx, InTable(Bit(16, 1)), Choice(kOnOff)},
  {CL_Mdc_Stun_Rx, InTable(Bit(16, 0)), Choice(kOnOff)},
  {CL_Mdc_PttId_Pre_Time, InTable(Byte(17)), Timer(100)},
  {CL_Mdc_PttId_Post_Time, InTable(Byte(18)), Timer(100)},
  // Byte 19: emergency switches and the receive switch of revive.
  {CL_Mdc_Emg_Rx, InTable(Bit(19, 7)), Choice(kOnOff)},
  {CL_Mdc_Emg_Tx, InTable(Bit(19, 6)), Choice(kOnOff)},
  {CL_Mdc_Emg_No_Disp, InTable(Bit(19, 5)), Choice(kOnOff)},
  {CL_Mdc_Emg_No_Polite, InTable(Bit(19, 4)), Choice(kOnOff)},
  {CL_Mdc_Emg_No_Impolite, InTable(Bit(19, 3)), Choice(kOnOff)},
  {CL_Mdc_Emg_Ignore_Other, InTable(Bit(19, 2)), Choice(kOnOff)},
  {CL_Mdc_Emg_EXO_Out, InTable(Bit(19, 1)), Choice(kOnOff)},
  {CL_Mdc_Revive_Rx, InTable(Bit(19, 0)), Choice(kOnOff)},
  {CL_Mdc_Emg_Disp_Time, InTable(Byte(20)), Timer(1)},
  {CL_Mdc_Emg_Ack_Wait, InTable(Byte(21)), Timer(10)},
  {CL_Mdc_Emg_Free_Wait, InTable(Byte(22)), Timer(10)},
  {CL_Mdc_Emg_Cycle_Delay, InTable(Byte(23)), Timer(10)},
  {CL_Mdc_Emg_Open_Mic_Duration, InTable(Byte(24)), Timer(1)},
  {CL_Mdc_Emg_No_Cycles, InTable(Byte(25)), Integer(0, 255)},
  {CL_Mdc_RadioChk_Ack_Delay, InTable(Byte(26)), Timer(10)},
  {CL_Mdc_Stun_Ack_Delay, InTable(Byte(27)), Timer(10)},
  {CL_Mdc_Revive_Ack_Delay, InTable(Byte(28)), Timer(10)},
};
// clang-format on

void System(indCellRequest& r) {
  if (r.row < 0 || r.row >= cmcImageMap::kMdcSystemCount) return;
  indRunRow(r, *indFindRow(kSystem, r.label), cmcImageMap::kMdcSystems + cmcImageMap::kMdcSystemSize * r.row,
            indShownText::kNormalised);
}

// Alias rows at or beyond the alias count are the new alias row.
bool NewAlias(const indCellRequest& r) { return r.row >= r.Banks().MdcAliasCount(); }

bool StartsEntry(int key) { return key == ' ' || key == 8 || key == '.' || key == 13 || (key >= '0' && key <= '9'); }

// On the new alias row: the shell opens an alias slot at the row and the record starts
// blank; false when the key starts no entry or no alias fits (the key is dropped).
bool AddAlias(indCellRequest& r) {
  if (!StartsEntry(r.Key())) return false;
  const datChBank banks = r.Banks();
  const int count = banks.MdcAliasCount();
  if (count >= cmcImageMap::kMdcAliasSlots || !banks.RoomFor(CT_MDC_Alias, 1)) {
    r.host.Prompts().Show(cmcPromptIcon::Error, r.host.Text("GI_Sys_AppTitle"),
                          r.host.Text("GI_AppMess_ChErr_Overflow"));
    return false;
  }
  const int at = std::min(r.row, count);
  r.host.BlockHost().Send(datChBlockHost::kEvInsertAlias, r.bank, at);
  r.record.Clear();
  r.record.kind = datChKind::kMdcAlias;
  r.record.index = at;
  r.record.Store();
  r.host.RecomputeMemory();
  r.mask |= indCellRequest::kMaskAttrOrBank | indCellRequest::kMaskLayout;
  return true;
}

void AliasText(indCellRequest& r) {
  if (NewAlias(r) && !AddAlias(r)) return;
  const std::array<uint8_t, 32> users = indCellSteps::UserTable(r);
  const auto before = r.record.name;
  bool changed = false;
  {
    indCodecScope codec(r);
    changed = cmcTextCodecs::RadioTextCodec(r.capsule, std::span<uint8_t>(r.record.name.data(), 8), users, false,
                                            codec.context.result);
  }
  if (!changed) return;
  r.record.Store();
  if (r.record.name != before) r.host.BlockHost().Post(datChBlockHost::kEvRefreshAll, 0);
}

void AliasId(indCellRequest& r) {
  if (NewAlias(r)) return;
  uint32_t id = static_cast<uint32_t>(r.record.word);
  bool changed = false;
  {
    indCodecScope codec(r);
    changed = NibbleNumberCodec(codec.context, r.capsule, id, 4);
  }
  if (!changed) return;
  r.record.word = static_cast<int>(id & 0xFFFF);
  r.record.Store();
}

void AliasBeepType(indCellRequest& r) {
  if (NewAlias(r)) return;
  int32_t type = r.record.aliasType;
  bool changed = false;
  {
    indCodecScope codec(r);
    changed = ChoiceCodecFlex0(codec.context, r.capsule, "GI_Sheet_Sel_Mdc_Alias_BeepType", type);
  }
  if (!changed) return;
  r.record.aliasType = type & 0x0F;
  r.record.Store();
}

}  // namespace

void indMdcCells::Register(indCellHandlers& t) {
  for (const indSettingRow& s : kSystem) t.Set(s.label, System);
  t.Set(CL_Mdc_Alias1_Text, AliasText);
  t.Set(CL_Mdc_Alias1_ID, AliasId);
  t.Set(CL_Mdc_Alias1_Beep_Type, AliasBeepType);
}
