#include "cell/cmcKeyFunctionCodec.h"

#include <array>
#include <string_view>

#include "cell/cmcCellGrid.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcChoiceList.h"
#include "cell/cmcCodecCommon.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"

namespace {

// Positions of the keys from RightUp to Lower in label order; -1 for keys without a byte.
constexpr std::array<int, 18> kConvPositions = {6, 7, 0, 1, 2, 3, 4, 5, -1, -1, 8, -1, -1, -1, -1, -1, 14, 15};
// RightUp, Upper, Lower, Opf1 of the PMR446 keys.
constexpr std::array<int, 4> kPmr446Positions = {6, 14, 15, 8};

constexpr const char* kPortList = "GI_Sheet_Sel_KDisp_ScrmOpt_Port";
constexpr const char* kLevelList = "GI_Sheet_Sel_KDisp_KeyOpt_HL";

constexpr char kScrambler = 'I';
constexpr int kMaskLayout = 0x20;

bool IsPmr446Key(uint32_t label) { return label >= CL_KDisp_Key_Pmr446_RightUp && label <= CL_KDisp_Key_Pmr446_Opf1; }

// Codes whose normal entry fixes the function-key entry.
bool IsPairing(uint8_t code) { return code == 'Z' || code == 'i' || code == '^'; }

// The option output a code drives: 11-13 and 21-23, or 0.
int OptionPortOf(uint8_t code) {
  constexpr std::string_view kCodes = "0123456789:;";
  const size_t i = kCodes.find(static_cast<char>(code));
  if (i == std::string_view::npos) return 0;
  return (i < 6 ? 11 : 21) + static_cast<int>(i % 3);
}

// The level bit of 0xA0A0 for the code, -1 when its output keeps no level.
int LevelBitOf(const cmcEeprom& image, uint8_t code) {
  if (code == kScrambler) return 5 + (image.GetByte(cmcImageMap::kScramblerPort) & 0x03) % 3;
  const int port = OptionPortOf(code);
  return port >= 11 && port <= 13 ? 5 + (port - 11) : -1;
}

const cmcCellObj* Answer(const cmcCellCapsule& request, int keyLabel) {
  if (request.inputKind != cmcCellCapsule::kInputPopupAnswer || !request.parent || !request.parent->cell)
    return nullptr;
  const cmcCellObj* chosen = request.parent->cell;
  return chosen->label == static_cast<uint32_t>(keyLabel) ? chosen : nullptr;
}

void OpenLevelChooser(cmcChoiceContext& context, cmcCellCapsule& request, uint8_t code) {
  const int bit = LevelBitOf(*context.image, code);
  if (!request.grid || bit < 0) return;
  request.grid->OpenChooser(request, kLevelList, FlexKeyOpt,
                            (context.image->GetByte(cmcImageMap::kOptionLevels) >> bit) & 1, {});
  context.result = cmcCodecCommon::kResultPopup;
}

std::string Suffix(const cmcEeprom& image, uint8_t code) {
  std::string suffix;
  if (code == kScrambler) suffix = " OPT" + std::to_string((image.GetByte(cmcImageMap::kScramblerPort) & 0x03) % 3 + 1);
  const int bit = LevelBitOf(image, code);
  if (bit >= 0) suffix += (image.GetByte(cmcImageMap::kOptionLevels) >> bit) & 1 ? " /H" : " /L";
  return suffix;
}

std::string KeyText(cmcChoiceContext& context, const std::string& listKey, uint8_t code) {
  return cmcChoiceList(context, listKey, Flex0).TextOf(code) + Suffix(*context.image, code);
}

}  // namespace

bool KeyPositionOf(uint32_t label, int& position, bool& functionTable) {
  position = -1;
  functionTable = false;
  if (label >= CL_KDisp_Key_Conv_RightUp && label <= CL_KDisp_Key_Conv_Lower) {
    position = kConvPositions[label - CL_KDisp_Key_Conv_RightUp];
  } else if (label >= CL_KDisp_Key_Shift_RightUp && label <= CL_KDisp_Key_Shift_Lower) {
    position = kConvPositions[label - CL_KDisp_Key_Shift_RightUp];
    functionTable = true;
  } else if (IsPmr446Key(label)) {
    position = kPmr446Positions[label - CL_KDisp_Key_Pmr446_RightUp];
  }
  if (position < 0) functionTable = false;
  return position >= 0;
}

std::string KeyListFor(const cmcChoiceContext& context, const cmcCellCapsule& request, bool shifted) {
  const uint32_t label = request.cell ? request.cell->label : kNoLabel;
  std::string key = "GI_Sheet_Sel_Keys_Conv_";
  if (IsPmr446Key(label)) {
    const bool handlingKey = request.keyCode != 0 || request.inputKind != cmcCellCapsule::kInputKey;
    key += context.extendedMode ? "Pmr_Mkr" : handlingKey ? "Pmr" : "Pmr_Disp";
    if (label == CL_KDisp_Key_Pmr446_Opf1) key += "_Ext_Emer";
    return key;
  }
  int position = -1;
  bool functionTable = false;
  KeyPositionOf(label, position, functionTable);
  const bool emergencyKey = position == 6 || position == 8;
  switch (context.Family()) {
    case 1:
      key += "Pmr";
      if (position >= 0 && position <= 2) key += "_Scan";
      if (shifted) key += "_F";
      if (emergencyKey) key += "_Ext_Emer";
      break;
    case 2:
      key += "QarnPmr";
      break;
    case 3:
      key += "DPmr446Ana";
      break;
    default:
      key += "Lmr";
      if (emergencyKey) key += "_Ext_Emer";
      break;
  }
  return key;
}

bool KeyFunctionCodec(cmcChoiceContext& context, cmcCellCapsule& request, uint8_t& keyByte, int& changeMask,
                      const std::string& listKey) {
  int position = -1;
  bool functionTable = false;
  if (!request.cell || !KeyPositionOf(request.cell->label, position, functionTable)) return false;
  cmcEeprom& image = *context.image;
  const uint8_t normal = image.GetByte(cmcImageMap::kKeyTable + position);
  const uint8_t old = keyByte;
  bool changed = false;

  if (functionTable && IsPairing(normal)) {
    // The normal entry decides this one: shown restricted, no keys.
    cmcCodecCommon::Refuse(request, "the key's normal function decides this one");
    cmcCodecCommon::ShowText(request, KeyText(context, listKey, keyByte));
    context.textColour = cmcChoiceContext::kRestrictedColour;
    return false;
  }

  if (const cmcCellObj* port = Answer(request, FlexScrmPort)) {
    if (port->index >= 0 && port->index <= 2) {
      const uint8_t b = image.GetByte(cmcImageMap::kScramblerPort);
      image.SetByte(cmcImageMap::kScramblerPort, static_cast<uint8_t>((b & 0xFC) | port->index));
      changed = true;
      OpenLevelChooser(context, request, keyByte);
    }
  } else if (const cmcCellObj* level = Answer(request, FlexKeyOpt)) {
    const int bit = LevelBitOf(image, keyByte);
    if (bit >= 0) {
      const uint8_t b = image.GetByte(cmcImageMap::kOptionLevels);
      image.SetByte(cmcImageMap::kOptionLevels, static_cast<uint8_t>(level->index ? b | (1 << bit) : b & ~(1 << bit)));
      changed = true;
    }
  } else {
    changed = ChoiceCodecByte(context, request, listKey, keyByte);
    if (changed && request.grid && request.inputKind == cmcCellCapsule::kInputPopupAnswer) {
      if (keyByte == kScrambler) {
        request.grid->OpenChooser(request, kPortList, FlexScrmPort, image.GetByte(cmcImageMap::kScramblerPort) & 0x03,
                                  {});
        context.result = cmcCodecCommon::kResultPopup;
      } else {
        OpenLevelChooser(context, request, keyByte);
      }
    }
  }

  if (changed && !functionTable && keyByte != old) {
    const int partner = cmcImageMap::kFunctionKeyTable + position;
    if (keyByte == 'Z') image.SetByte(partner, 'Z');
    if (keyByte == 'i') image.SetByte(partner, '^');
    if (keyByte == '^') image.SetByte(partner, 'i');
    if ((IsPairing(keyByte) || IsPairing(old)) && context.events) context.events->Post(kEvRefreshLiveCells);
  }
  if (changed) changeMask |= kMaskLayout;

  cmcCodecCommon::ShowText(request, KeyText(context, listKey, keyByte));
  return changed;
}
