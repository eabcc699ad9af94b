#include "cell/indBlankRows.h"

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "channel/datChBlockHost.h"
#include "channel/datChKinds.h"
#include "image/cmcImageMap.h"
#include "runtime/cmcPrompts.h"

namespace {

constexpr int kLastTypedKey = 127;
// Why a typed text on a channel row without a channel is not taken.
constexpr const char* kStartsAtFreqR = "the channel is not in use: type its receive frequency first";

bool IsPmr446Sheet(int category) { return category == CT_Mch_Pmr446 || category == CT_Mch_Win_Pmr446; }

int AtrLabel(const indCellRequest& r) {
  if (IsPmr446Sheet(r.category)) return CL_Mch_Atr_Pmr446;
  return r.pmr ? CL_Mch_Atr_Pmr : CL_Mch_Atr;
}

// Row captions name the row; they are drawn on empty rows too.
bool IsRowCaption(int label) { return label == CL_Mch_No || label == CL_Mch_No_Pmr || label == CL_MchWin_No; }

void RequestJump(indCellRequest& r, int label, int key) {
  r.capsule.jump.set = 1;
  r.capsule.jump.category = static_cast<uint32_t>(r.category);
  r.capsule.jump.label = static_cast<uint32_t>(label);
  r.capsule.jump.index = r.row;
  r.capsule.repeatKey = key;
}

}  // namespace

int indBlankRows::FreqRLabel(const indCellRequest& r) {
  if (IsPmr446Sheet(r.category)) return CL_Mch_FreqR_Pmr446;
  return r.pmr ? CL_Mch_FreqR_Pmr : CL_Mch_FreqR;
}

bool indBlankRows::IsFreqRLabel(int label) {
  return label == CL_Mch_FreqR || label == CL_Mch_FreqR_Pmr || label == CL_Mch_FreqR_Pmr446;
}

bool indBlankRows::Jump(indCellRequest& r) {
  const int key = r.Key();
  if (r.category == CT_MDC_Alias) {
    const bool newAlias = r.row >= r.Banks().MdcAliasCount();
    if (newAlias && key <= kLastTypedKey && r.label != CL_Mdc_Alias1_Text) RequestJump(r, CL_Mdc_Alias1_Text, key);
    return false;
  }
  if (!datChBank::IsChannelCategory(r.category)) return false;
  const int freqR = FreqRLabel(r);
  if (!r.record.inUse && r.label != AtrLabel(r) && key <= kLastTypedKey && !IsRowCaption(r.label)) {
    r.capsule.outputText.clear();
    if (r.label != freqR) {
      RequestJump(r, freqR, key);
      r.RefuseTyped(kStartsAtFreqR);
      return true;
    }
  }
  if (r.newRow && !r.capsule.jump.set) {
    r.capsule.outputText.clear();
    if (r.label != freqR && key <= kLastTypedKey) {
      RequestJump(r, freqR, key);
      r.RefuseTyped(kStartsAtFreqR);
    }
    // The slot past the bank may hold another bank's channel: the new row shows only
    // its caption, and its receive frequency once a key has opened a channel there.
    return r.label != freqR && !IsRowCaption(r.label);
  }
  return false;
}

bool indBlankRows::AddChannel(indCellRequest& r) {
  const int key = r.Key();
  const bool typed = r.capsule.inputKind == cmcCellCapsule::kInputText;
  if (!typed && key != ' ' && key != 8 && key != '.' && key != 13 && !(key >= '0' && key <= '9')) return false;
  datChBank banks = r.Banks();
  if (banks.TotalChannels() >= cmcImageMap::kChannelSlots || !banks.RoomFor(r.category, 1)) {
    r.host.Prompts().Show(cmcPromptIcon::Error, r.host.Text("GI_Sys_AppTitle"),
                          r.host.Text("GI_AppMess_ChErr_Overflow"));
    r.RefuseTyped(r.host.Text("GI_AppMess_ChErr_Overflow"));
    return false;
  }
  // The channel opens just after the bank's last one, where the new-channel row is.
  const int at = r.row < r.bank.first + r.bank.count ? r.row : r.bank.first + r.bank.count;
  r.host.BlockHost().Send(datChBlockHost::kEvInsertChannel, r.bank, at);
  r.bank = banks.Context(r.bank.bank);
  r.newRow = r.bank.count == 0 || r.row > r.bank.last;
  if (r.row < cmcImageMap::kChannelSlots) r.record.Load(r.kind, r.row);
  r.record.inUse = false;
  r.host.RecomputeMemory();
  r.mask |= indCellRequest::kMaskAttrOrBank | indCellRequest::kMaskLayout;
  return true;
}
