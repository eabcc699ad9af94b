#pragma once
// The request handling every value codec shares: the keys they react to, the
// dispatch results they answer, showing a produced text (caret at 0, all selected)
// and opening the in-place editor. Without a grid nothing reacts to a key.
#include <cstdint>
#include <string>
#include <string_view>

class cmcCellCapsule;

class cmcCodecCommon {
 public:
  static constexpr int32_t kKeyBackspace = 8;
  static constexpr int32_t kKeyEnter = 13;
  static constexpr int32_t kKeySpace = 32;
  static constexpr int32_t kKeyEscape = 27;

  // Dispatch results.
  static constexpr uint8_t kResultDone = 0;
  static constexpr uint8_t kResultPopup = 1;   // a popup editor was opened; its answer comes later
  static constexpr uint8_t kResultEditor = 2;  // open the in-place editor on the output text

  // Sets the output text with the caret at 0 and the whole text selected.
  static void ShowText(cmcCellCapsule& request, std::string_view text);
  // A key request with a grid to act on: only such a request opens editors or
  // changes a value by key.
  static bool IsInteractiveKey(const cmcCellCapsule& request);
  // A character code from 32 to 126.
  static bool IsPrintableKey(int32_t keyCode) { return keyCode >= 32 && keyCode <= 126; }
  // A character code from "0" to "9".
  static bool IsDigitKey(int32_t keyCode) { return keyCode >= '0' && keyCode <= '9'; }
  // The in-place editor on the text shown, all of it selected.
  static uint8_t OpenEditorOnText(cmcCellCapsule& request);
  // The in-place editor on the text shown without its padding, all of it selected.
  static uint8_t OpenEditorOnTrimmedText(cmcCellCapsule& request);
  // The in-place editor with the typed character alone, the caret after it.
  static uint8_t OpenEditorOnKey(cmcCellCapsule& request);
  // A request carrying typed text (input kind 1), noted as read by the codec asking.
  static bool ReadsTyped(cmcCellCapsule& request);
  // A typed text (input kind 1) the cell did not take as typed: why, and what it takes.
  // Requests of other kinds are left alone.
  static void Refuse(cmcCellCapsule& request, std::string reason);
};
