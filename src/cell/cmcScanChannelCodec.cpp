#include "cell/cmcScanChannelCodec.h"

#include <cstdio>
#include <optional>
#include <string>

#include "cell/cmcCellGrid.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcChoiceList.h"
#include "cell/cmcCodecCommon.h"
#include "channel/datCh.h"
#include "channel/datChBank.h"
#include "image/cmcImageMap.h"
#include "overlay/cmcGTex.h"

namespace {

// Record bytes 8-13 are scanSet[0-5], bytes 14-17 scanRef[0-3].
constexpr size_t kPrio2FlagByte = 0;     // byte 8 bit 7: priority 2 on
constexpr size_t kTypeByte = 2;          // byte 10 bits 0-3: scan type
constexpr size_t kTalkBackKindByte = 4;  // byte 12 bits 4-7
constexpr size_t kPrioKindByte = 5;      // byte 13: priority 1 in bits 4-7, priority 2 in bits 0-3

constexpr const char* kLists[] = {"GI_Sheet_Sel_ScanPrio1CH", "GI_Sheet_Sel_ScanPrio2CH", "GI_Sheet_Sel_ScanTXCH"};
constexpr const char* kBankList = "GI_Sheet_Sel_ScanZoneSel";
constexpr const char* kChannelList = "GI_Sheet_Sel_ScanCHSel";

int KindOf(const datCh& list, int which) {
  switch (which) {
    case cmcScanRef::kPrio1:
      return list.scanSet[kPrioKindByte] >> 4;
    case cmcScanRef::kPrio2:
      return list.scanSet[kPrioKindByte] & 0x0F;
    default:
      return list.scanSet[kTalkBackKindByte] >> 4;
  }
}

void SetKind(datCh& list, int which, int kind) {
  const uint8_t k = static_cast<uint8_t>(kind & 0x0F);
  uint8_t& prio = list.scanSet[kPrioKindByte];
  switch (which) {
    case cmcScanRef::kPrio1:
      prio = static_cast<uint8_t>((prio & 0x0F) | (k << 4));
      break;
    case cmcScanRef::kPrio2:
      prio = static_cast<uint8_t>((prio & 0xF0) | k);
      // Priority 2 is on exactly while it has a reference.
      list.scanSet[kPrio2FlagByte] =
          static_cast<uint8_t>(k ? list.scanSet[kPrio2FlagByte] | 0x80 : list.scanSet[kPrio2FlagByte] & 0x7F);
      break;
    default:
      list.scanSet[kTalkBackKindByte] = static_cast<uint8_t>((list.scanSet[kTalkBackKindByte] & 0x0F) | (k << 4));
      break;
  }
}

uint8_t& ChannelOf(datCh& list, int which) {
  switch (which) {
    case cmcScanRef::kPrio1:
      return list.scanRef[2];
    case cmcScanRef::kPrio2:
      return list.scanRef[3];
    default:
      return list.scanRef[0];
  }
}

bool Applies(const datCh& list, int which) {
  const int type = list.scanSet[kTypeByte] & 0x0F;
  return which == cmcScanRef::kTalkBack ? type != 0 : type == 3;
}

// The bank of a channel; channels beyond all banks count as bank 0's.
int BankOf(const datChBank& banks, int channel) {
  const int b = banks.BankOfChannel(channel);
  return b < cmcImageMap::kBanks ? b : 0;
}

const cmcCellObj* Answer(const cmcCellCapsule& request, int keyLabel) {
  if (request.inputKind != cmcCellCapsule::kInputPopupAnswer || !request.parent || !request.parent->cell)
    return nullptr;
  const cmcCellObj* chosen = request.parent->cell;
  return chosen->label == static_cast<uint32_t>(keyLabel) ? chosen : nullptr;
}

void OpenChannelChooser(cmcChoiceContext& context, cmcCellCapsule& request, const datChBank& banks, int bank,
                        int channel) {
  const int position = BankOf(banks, channel) == bank ? channel - banks.BankFirst(bank) : 0;
  request.grid->OpenChooser(request, kChannelList, FlexCHSel, position, {});
  context.result = cmcCodecCommon::kResultPopup;
}

std::string ChannelText(cmcChoiceContext& context, const datChBank& banks, int channel, bool bankForm) {
  const int bank = BankOf(banks, channel);
  const int position = channel - banks.BankFirst(bank) + 1;
  const std::string mark = context.overlay->GetText("GI_AddCH");
  return bankForm ? std::to_string(bank + 1) + "-" + std::to_string(position) + mark : std::to_string(position) + mark;
}

}  // namespace

bool ScanChannelCodec(cmcChoiceContext& context, cmcCellCapsule& request, datCh& list, int which, bool bankForm) {
  if (which < cmcScanRef::kPrio1 || which > cmcScanRef::kTalkBack) return false;
  if (!Applies(list, which)) {
    cmcCodecCommon::ShowText(request, "----");
    context.textColour = cmcScanRef::kSilver;
    return false;
  }
  const char* listKey = kLists[which];
  const datChBank banks(context.image);
  uint8_t& channel = ChannelOf(list, which);
  bool changed = false;

  if (const cmcCellObj* kind = Answer(request, Flex0)) {
    if (kind->index != cmcScanRef::kSpecificChannel) {
      SetKind(list, which, kind->index);
      changed = true;
    } else if (request.grid && bankForm) {
      request.grid->OpenChooser(request, kBankList, FlexZoneSel, BankOf(banks, channel), {});
      context.result = cmcCodecCommon::kResultPopup;
    } else if (request.grid) {
      OpenChannelChooser(context, request, banks, BankOf(banks, channel), channel);
    }
  } else if (const cmcCellObj* bank = Answer(request, FlexZoneSel)) {
    // The reference moves to the chosen bank at once; the channel chooser refines it.
    const int b = bank->index;
    if (b >= 0 && b < cmcImageMap::kBanks && banks.BankCount(b) > 0) {
      const int previous = channel;
      SetKind(list, which, cmcScanRef::kSpecificChannel);
      channel = static_cast<uint8_t>(banks.BankFirst(b));
      changed = true;
      if (request.grid) OpenChannelChooser(context, request, banks, b, previous);
    }
  } else if (const cmcCellObj* position = Answer(request, FlexCHSel)) {
    const int b = BankOf(banks, channel);
    if (position->index >= 0 && position->index < banks.BankCount(b)) {
      SetKind(list, which, cmcScanRef::kSpecificChannel);
      channel = static_cast<uint8_t>(banks.BankFirst(b) + position->index);
      changed = true;
    }
  } else if (cmcCodecCommon::ReadsTyped(request)) {
    // A typed entry text chooses that entry; a specific channel is chosen in its choosers.
    const cmcChoiceList kinds(context, listKey, Flex0);
    const std::optional<int32_t> kind = kinds.ValueOfText(request.inputText);
    if (kind && *kind != cmcScanRef::kSpecificChannel) {
      SetKind(list, which, *kind);
      changed = true;
    } else {
      cmcCodecCommon::Refuse(request, kinds.ChoicesReason() + " (a channel of its own is chosen with Enter)");
    }
  } else if (request.inputKind == cmcCellCapsule::kInputKey) {
    int32_t kind = KindOf(list, which);
    if (ChoiceCodecFlex0(context, request, listKey, kind)) {
      SetKind(list, which, kind);
      changed = true;
    }
  }

  const int kind = KindOf(list, which);
  cmcCodecCommon::ShowText(request, kind == cmcScanRef::kSpecificChannel
                                        ? ChannelText(context, banks, channel, bankForm)
                                        : cmcChoiceList(context, listKey, Flex0).TextOf(kind));
  return changed;
}
