#include "cell/cmcCodecCommon.h"

#include "cell/cmcCellCapsule.h"
#include "overlay/cmcTextUtil.h"

void cmcCodecCommon::ShowText(cmcCellCapsule& request, std::string_view text) {
  request.outputText = text;
  request.selStart = 0;
  request.selLength = static_cast<int32_t>(request.outputText.size());
}

bool cmcCodecCommon::IsInteractiveKey(const cmcCellCapsule& request) {
  return request.grid != nullptr && request.inputKind == cmcCellCapsule::kInputKey;
}

uint8_t cmcCodecCommon::OpenEditorOnText(cmcCellCapsule& request) {
  request.selStart = 0;
  request.selLength = static_cast<int32_t>(request.outputText.size());
  return kResultEditor;
}

uint8_t cmcCodecCommon::OpenEditorOnTrimmedText(cmcCellCapsule& request) {
  request.outputText = cmcTrim(request.outputText);
  return OpenEditorOnText(request);
}

uint8_t cmcCodecCommon::OpenEditorOnKey(cmcCellCapsule& request) {
  request.outputText.assign(1, static_cast<char>(request.keyCode));
  request.selStart = 1;
  request.selLength = 0;
  return kResultEditor;
}

bool cmcCodecCommon::ReadsTyped(cmcCellCapsule& request) {
  if (request.inputKind != cmcCellCapsule::kInputText) return false;
  request.typedRead = true;
  return true;
}

void cmcCodecCommon::Refuse(cmcCellCapsule& request, std::string reason) {
  if (ReadsTyped(request)) request.refusal = std::move(reason);
}
