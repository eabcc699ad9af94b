#include "cell/cmcAttributeCodecs.h"

#include <optional>
#include <string>

#include "cell/cmcCellGrid.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcChoiceList.h"
#include "cell/cmcCodecCommon.h"
#include "channel/datCh.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"

namespace {

constexpr const char* kAttributeList = "GI_Sheet_Sel_Mch_Atr";

bool Has(uint8_t attr, uint8_t bits) { return (attr & bits) != 0; }

void Set(uint8_t& attr, uint8_t bits, bool on) { attr = static_cast<uint8_t>(on ? attr | bits : attr & ~bits); }

// The chooser's answer, or 0; Enter with a grid opens the chooser.
int AnswerOrOpen(cmcChannelCodecContext& context, cmcCellCapsule& request) {
  if (const cmcCellObj* chosen = cmcChannelCodecContext::ChosenCell(request))
    return chosen->label == Flex0 ? chosen->index : 0;
  if (cmcCodecCommon::ReadsTyped(request)) {
    // A typed entry text does what choosing that entry does.
    const cmcChoiceList list(context, kAttributeList, Flex0);
    if (const std::optional<int32_t> action = list.ValueOfText(request.inputText)) return *action;
    cmcCodecCommon::Refuse(request, list.ChoicesReason());
    return 0;
  }
  if (cmcCodecCommon::IsInteractiveKey(request) && request.keyCode == cmcCodecCommon::kKeyEnter) {
    request.grid->OpenChooser(request, kAttributeList, Flex0, 0, {});
    context.result = cmcCodecCommon::kResultPopup;
  }
  return 0;
}

bool Announce(cmcChannelCodecContext& context, bool changed) {
  if (changed && context.events) {
    context.events->Post(kEvRecomputeBankIcons);
    context.events->Post(kEvRefreshBankHeader);
  }
  return changed;
}

}  // namespace

bool AttributeCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, uint8_t& attr) {
  const uint8_t before = attr;
  switch (AnswerOrOpen(context, request)) {
    case cmcAttr::kSetPriority:
      Set(attr, datCh::kAttrPriority, true);
      break;
    case cmcAttr::kSetScanB:
      Set(attr, datCh::kAttrScanB, true);
      break;
    case cmcAttr::kSetEmergency:
      Set(attr, datCh::kAttrEmergency, true);
      Set(attr, datCh::kAttrEmergencyCleared, false);
      break;
    case cmcAttr::kClearEmergency:
      Set(attr, datCh::kAttrEmergency, false);
      Set(attr, datCh::kAttrEmergencyCleared, true);
      break;
    case cmcAttr::kToggleSmarTrunk:
      Set(attr, datCh::kAttrSmarTrunk, !Has(attr, datCh::kAttrSmarTrunk));
      break;
    default:
      break;
  }
  std::string text;
  if (Has(attr, datCh::kAttrPriority)) text += 'A';
  if (Has(attr, datCh::kAttrScanB)) text += 'B';
  if (Has(attr, datCh::kAttrEmergency) && !Has(attr, datCh::kAttrEmergencyCleared)) text += 'E';
  cmcCodecCommon::ShowText(request, text);
  return Announce(context, attr != before);
}

bool PmrAttributeCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel) {
  uint8_t& attr = channel.attr;
  const uint8_t before = attr;
  const bool inUse = channel.inUse;
  switch (AnswerOrOpen(context, request)) {
    case cmcAttr::kSetPriority:
      if (!inUse) break;
      Set(attr, datCh::kAttrPriority, true);
      Set(attr, datCh::kAttrPriorityCleared, false);
      break;
    case cmcAttr::kSetEmergency:
      if (!inUse) break;
      Set(attr, datCh::kAttrEmergency, true);
      Set(attr, datCh::kAttrEmergencyCleared, false);
      break;
    case cmcAttr::kClearEmergency:
      Set(attr, datCh::kAttrEmergency, false);
      Set(attr, datCh::kAttrEmergencyCleared, true);
      break;
    case cmcAttr::kClearPriority:
      Set(attr, datCh::kAttrPriority, false);
      Set(attr, datCh::kAttrPriorityCleared, true);
      break;
    case cmcAttr::kSetStart:
      if (inUse) Set(attr, datCh::kAttrStart, true);
      break;
    default:
      break;
  }
  std::string text;
  if (Has(attr, datCh::kAttrStart)) text += 'S';
  if (Has(attr, datCh::kAttrPriority) && !Has(attr, datCh::kAttrPriorityCleared)) text += 'P';
  if (Has(attr, datCh::kAttrEmergency) && !Has(attr, datCh::kAttrEmergencyCleared)) text += 'E';
  cmcCodecCommon::ShowText(request, text);
  return Announce(context, attr != before);
}
