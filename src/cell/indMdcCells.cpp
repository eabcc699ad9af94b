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
#include "cell/indImageSettings.h"
#include "channel/datChBlockHost.h"
#include "channel/datChKinds.h"
#include "runtime/cmcPrompts.h"

namespace {

using enum indCodec;

constexpr const char* kOnOff = "GI_Sheet_Sel_Mdc_OnOff";
constexpr const char* kOffered = "GI_Sheet_Sel_Mdc_Enable";

// One MDC system: offsets in its 29-byte record. Every feature sheet names its rows by
// the system's name, so each of them shows and edits the same field.
// clang-format off
constexpr indImageSetting kSystem[] = {
  // label                                  offset bit width codec      list / scale, min, max
  {CL_Mdc_System_List_Text,                 0,  0, 8,  RadioText},
  {CL_Mdc_General_Text,                     0,  0, 8,  RadioText},
  {CL_Mdc_PttId_Text,                       0,  0, 8,  RadioText},
  {CL_Mdc_RadioChk_Text,                    0,  0, 8,  RadioText},
  {CL_Mdc_Emg_Text,                         0,  0, 8,  RadioText},
  {CL_Mdc_Stun_Text,                        0,  0, 8,  RadioText},
  {CL_Mdc_General_Self_Id,                  8,  0, 16, Nibbles},
  // Byte 10: the features the system offers (bits 1-0 kept).
  {CL_Mdc_System_List_General,              10, 7, 1,  Choice,    kOffered},
  {CL_Mdc_System_List_RadioChk,             10, 6, 1,  Choice,    kOffered},
  {CL_Mdc_System_List_Emg,                  10, 5, 1,  Choice,    kOffered},
  {CL_Mdc_System_List_PttId,                10, 4, 1,  Choice,    kOffered},
  {CL_Mdc_System_List_Stun,                 10, 3, 1,  Choice,    kOffered},
  {CL_Mdc_System_List_Revive,               10, 2, 1,  Choice,    kOffered},
  // Byte 11: general switches (bits 4-0 kept).
  {CL_Mdc_General_Mdc_On,                   11, 7, 1,  Choice,    kOnOff},
  {CL_Mdc_General_Mute_MSK,                 11, 6, 1,  Choice,    kOnOff},
  {CL_Mdc_General_Tones_Req,                11, 5, 1,  Choice,    kOnOff},
  {CL_Mdc_General_Initial_Tx_Delay,         12, 0, 8,  Timer,     nullptr, 100},
  {CL_Mdc_General_Rx_Sync_Threshold,        13, 0, 4,  Integer,   nullptr, 1, 0, 15},
  {CL_Mdc_General_Tx_Sync_Retry,            13, 4, 4,  Integer,   nullptr, 1, 0, 15},
  {CL_Mdc_General_DOS_Time,                 14, 0, 8,  Timer,     nullptr, 10},
  {CL_Mdc_General_Coast_Time,               15, 0, 8,  Timer,     nullptr, 10},
  // Byte 16: PTT ID switches and the receive switches of radio check and stun.
  {CL_Mdc_PttId_Rx,                         16, 7, 1,  Choice,    kOnOff},
  {CL_Mdc_PttId_Tx,                         16, 6, 1,  Choice,    kOnOff},
  {CL_Mdc_PttId_Pttid_Dwn,                  16, 5, 1,  Choice,    kOnOff},
  {CL_Mdc_PttId_Pttid_Up,                   16, 4, 1,  Choice,    kOnOff},
  {CL_Mdc_PttId_Rt_Beep,                    16, 3, 1,  Choice,    kOnOff},
  {CL_Mdc_PttId_Cu_Beep,                    16, 2, 1,  Choice,    kOnOff},
  {CL_Mdc_RadioChk_Rx,                      16, 1, 1,  Choice,    kOnOff},
  {CL_Mdc_Stun_Rx,                          16, 0, 1,  Choice,    kOnOff},
  {CL_Mdc_PttId_Pre_Time,                   17, 0, 8,  Timer,     nullptr, 100},
  {CL_Mdc_PttId_Post_Time,                  18, 0, 8,  Timer,     nullptr, 100},
  // Byte 19: emergency switches and the receive switch of revive.
  {CL_Mdc_Emg_Rx,                           19, 7, 1,  Choice,    kOnOff},
  {CL_Mdc_Emg_Tx,                           19, 6, 1,  Choice,    kOnOff},
  {CL_Mdc_Emg_No_Disp,                      19, 5, 1,  Choice,    kOnOff},
  {CL_Mdc_Emg_No_Polite,                    19, 4, 1,  Choice,    kOnOff},
  {CL_Mdc_Emg_No_Impolite,                  19, 3, 1,  Choice,    kOnOff},
  {CL_Mdc_Emg_Ignore_Other,                 19, 2, 1,  Choice,    kOnOff},
  {CL_Mdc_Emg_EXO_Out,                      19, 1, 1,  Choice,    kOnOff},
  {CL_Mdc_Revive_Rx,                        19, 0, 1,  Choice,    kOnOff},
  {CL_Mdc_Emg_Disp_Time,                    20, 0, 8,  Timer,     nullptr, 1},
  {CL_Mdc_Emg_Ack_Wait,                     21, 0, 8,  Timer,     nullptr, 10},
  {CL_Mdc_Emg_Free_Wait,                    22, 0, 8,  Timer,     nullptr, 10},
  {CL_Mdc_Emg_Cycle_Delay,                  23, 0, 8,  Timer,     nullptr, 10},
  {CL_Mdc_Emg_Open_Mic_Duration,            24, 0, 8,  Timer,     nullptr, 1},
  {CL_Mdc_Emg_No_Cycles,                    25, 0, 8,  Integer},
  {CL_Mdc_RadioChk_Ack_Delay,               26, 0, 8,  Timer,     nullptr, 10},
  {CL_Mdc_Stun_Ack_Delay,                   27, 0, 8,  Timer,     nullptr, 10},
  {CL_Mdc_Revive_Ack_Delay,                 28, 0, 8,  Timer,     nullptr, 10},
};
// clang-format on

void System(indCellRequest& r) {
  if (r.row < 0 || r.row >= indMdcCells::kSystemCount) return;
  indImageSettings::Run(r, *indImageSettings::Find(kSystem, r.label),
                        indMdcCells::kSystems + indMdcCells::kSystemSize * r.row);
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
  if (count >= datChAdr::kMdcAliasMax || !banks.RoomFor(CT_MDC_Alias, 1)) {
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
  const std::span<const uint8_t> users = indImageSettings::UserCharacters(r.host.Image());
  const auto before = r.record.name;
  cmcChoiceContext context = indImageSettings::ContextFor(r);
  const bool changed = cmcTextCodecs::RadioTextCodec(r.capsule, std::span<uint8_t>(r.record.name.data(), 8), users,
                                                     false, context.result);
  indImageSettings::Answer(r, context);
  if (!changed) return;
  r.record.Store();
  if (r.record.name != before) r.host.BlockHost().Post(datChBlockHost::kEvRefreshAll, 0);
}

void AliasId(indCellRequest& r) {
  if (NewAlias(r)) return;
  cmcChoiceContext context = indImageSettings::ContextFor(r);
  uint32_t id = static_cast<uint32_t>(r.record.word);
  const bool changed = NibbleNumberCodec(context, r.capsule, id, 4);
  indImageSettings::Answer(r, context);
  if (!changed) return;
  r.record.word = static_cast<int>(id & 0xFFFF);
  r.record.Store();
}

void AliasBeepType(indCellRequest& r) {
  if (NewAlias(r)) return;
  cmcChoiceContext context = indImageSettings::ContextFor(r);
  int32_t type = r.record.aliasType;
  const bool changed = ChoiceCodecFlex0(context, r.capsule, "GI_Sheet_Sel_Mdc_Alias_BeepType", type);
  indImageSettings::Answer(r, context);
  if (!changed) return;
  r.record.aliasType = type & 0x0F;
  r.record.Store();
}

}  // namespace

void indMdcCells::Register(indCellHandlers& t) {
  for (const indImageSetting& s : kSystem) t.Set(s.label, System);
  t.Set(CL_Mdc_Alias1_Text, AliasText);
  t.Set(CL_Mdc_Alias1_ID, AliasId);
  t.Set(CL_Mdc_Alias1_Beep_Type, AliasBeepType);
}
