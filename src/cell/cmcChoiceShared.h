#pragma once
// Request handling shared by the choice-list and code codecs: the keys they react
// to, selecting the produced text, and opening the in-place editor.
#include <cstdint>
#include <string>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellGrid.h"
#include "cell/cmcChoiceContext.h"

namespace cmcChoiceKey {
inline constexpr int32_t kBackspace = 8;
inline constexpr int32_t kEnter = 13;
inline constexpr int32_t kSpace = 32;
}  // namespace cmcChoiceKey

// Sets the output text with the caret at 0 and the whole text selected.
inline void ShowText(cmcCellCapsule& request, std::string text) {
  request.outputText = std::move(text);
  request.selStart = 0;
  request.selLength = static_cast<int32_t>(request.outputText.size());
}

// Opens the in-place editor on the text shown, all of it selected.
inline void OpenEditorOnText(cmcChoiceContext& context, cmcCellCapsule& request) {
  ShowText(request, request.outputText);
  context.result = cmcChoiceContext::kResultEditor;
}

// Opens the in-place editor with the typed character alone, the caret after it.
inline void OpenEditorOnKey(cmcChoiceContext& context, cmcCellCapsule& request) {
  request.outputText.assign(1, static_cast<char>(request.keyCode));
  request.selStart = 1;
  request.selLength = 0;
  context.result = cmcChoiceContext::kResultEditor;
}

// The request is a plain key with a grid to act on.
inline bool IsInteractiveKey(const cmcCellCapsule& request) {
  return request.grid != nullptr && request.inputKind == cmcCellCapsule::kInputKey;
}
