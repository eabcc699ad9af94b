#include "cell/cmcPresetConfirmations.h"

#include "overlay/cmcGTexBase.h"
#include "runtime/cmcPrompts.h"

bool cmcPresetConfirmations::Confirmed(int preset) const {
  return !NeedsConfirmation(preset) || confirmed_[static_cast<size_t>(preset - kFirst)];
}

bool cmcPresetConfirmations::Confirm(int preset) {
  if (Confirmed(preset)) return true;
  // The overlay text is no format of ours to hand to printf: only its "%d" is filled.
  std::string text = overlay_.GetLine("GI_AppMess_Confirm_PmrPreset", 0);
  if (const size_t at = text.find("%d"); at != std::string::npos) text.replace(at, 2, std::to_string(preset));
  const cmcPromptAnswer answer =
      prompts_.Ask(cmcPromptIcon::Warning, cmcPromptButtons::OkCancel, overlay_.GetLine("GI_Sys_AppTitle", 0), text);
  if (answer != cmcPromptAnswer::Ok) return false;
  confirmed_[static_cast<size_t>(preset - kFirst)] = true;
  return true;
}
