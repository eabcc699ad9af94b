#pragma once
// The user's confirmations of the reserved PMR presets 61, 62 and 63: each is asked
// (OK/Cancel) until it is confirmed once, and stays confirmed for the rest of the run.
// The model controller owns one; the preset chooser shows the unconfirmed rows as "-".
#include <array>
#include <string>

class cmcGTexBase;
class cmcPrompts;

class cmcPresetConfirmations {
 public:
  static constexpr int kFirst = 61;
  static constexpr int kLast = 63;

  // The question is line 0 of "GI_AppMess_Confirm_PmrPreset" with the preset number
  // for "%d", captioned with line 0 of "GI_Sys_AppTitle".
  cmcPresetConfirmations(cmcPrompts& prompts, cmcGTexBase& overlay) : prompts_(prompts), overlay_(overlay) {}

  static bool NeedsConfirmation(int preset) { return preset >= kFirst && preset <= kLast; }
  // True for presets that need none.
  bool Confirmed(int preset) const;
  // Confirmed, or asks now and remembers an OK.
  bool Confirm(int preset);
  // The preset chooser's entry of value (the preset number − 1) shows "-".
  bool EntryLocked(int value) const { return !Confirmed(value + 1); }

 private:
  cmcPrompts& prompts_;
  cmcGTexBase& overlay_;
  std::array<bool, kLast - kFirst + 1> confirmed_{};
};
