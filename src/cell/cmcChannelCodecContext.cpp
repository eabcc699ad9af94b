#include "cell/cmcChannelCodecContext.h"

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCodecCommon.h"

void cmcChannelCodecContext::ReopenEditor(cmcCellCapsule& request) {
  if (request.reopenEditor)
    request.reopenEditor(request.reopenEditorContext, request);
  else
    result = cmcCodecCommon::kResultEditor;
}

const cmcCellObj* cmcChannelCodecContext::ChosenCell(const cmcCellCapsule& request) {
  if (request.inputKind != cmcCellCapsule::kInputPopupAnswer || !request.parent) return nullptr;
  return request.parent->cell;
}
