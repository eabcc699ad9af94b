#include "cell/indCodecScope.h"

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "runtime/cmcFatal.h"

indCodecScope::indCodecScope(indCellRequest& r) : r_(r) {
  static_cast<cmcChoiceContext&>(context) = r.host.CodecContext();
  if (!context.overlay || !context.cache) cmcFatal("The cell dispatch has no overlay for its codecs.");
  context.modelType = r.family;
}

indCodecScope::~indCodecScope() {
  if (context.result != 0) r_.result = context.result;
  if (context.textColour) r_.SetTextColour(*context.textColour);
  if (context.textAlign) indCellSteps::Align(r_, *context.textAlign);
}

bool indCellSteps::Restrict(indCellRequest& r) {
  r.SetTextColour(indCellRequest::kRestrictedColour);
  if (r.capsule.inputKind == cmcCellCapsule::kInputText) {
    // Typed text reaches a restricted cell only from callers without keys: refused too.
    r.RefuseTyped();
    r.capsule.inputKind = cmcCellCapsule::kInputKey;
    return true;
  }
  if (r.capsule.inputKind != cmcCellCapsule::kInputKey || !r.TypingKey()) return false;
  r.editRestricted = true;
  r.capsule.keyCode = 0;
  return true;
}

void indCellSteps::Silver(indCellRequest& r) { r.SetTextColour(indCellRequest::kSilver); }

void indCellSteps::Centred(indCellRequest& r, std::string_view text) {
  r.SetText(std::string(text));
  Align(r, kAlignCentre);
}

void indCellSteps::Align(indCellRequest& r, uint8_t align) {
  r.cell.layout = static_cast<uint8_t>((r.cell.layout & ~cmcCellObj::kHAlignMask) | align);
}

void indCellSteps::StoreChannel(indCellRequest& r) {
  r.record.Store();
  r.host.AnnounceRow(r.category, r.row);
}

std::array<uint8_t, 32> indCellSteps::UserTable(indCellRequest& r) {
  std::array<uint8_t, 32> table{};
  r.host.Image().ReadBlock(cmcImageMap::kUserChars, table.data(), static_cast<int>(table.size()));
  return table;
}

bool indCellSteps::ImageBit(indCellRequest& r, int address, int bit) {
  return (r.host.Image().GetByte(address) >> bit) & 1;
}
