#include "runtime/cmcStreamPrompts.h"

cmcPromptAnswer cmcStreamPrompts::Ask(cmcPromptIcon icon, cmcPromptButtons buttons, const std::string&,
                                      const std::string& text) {
  switch (icon) {
    case cmcPromptIcon::Error:
      ++errorsShown_;
      out_ << "error: ";
      break;
    case cmcPromptIcon::Warning:
      out_ << "warning: ";
      break;
    default:
      break;
  }
  out_ << text << '\n';
  switch (buttons) {
    case cmcPromptButtons::Ok:
      return cmcPromptAnswer::Ok;
    case cmcPromptButtons::OkCancel:
      return assumeYes_ ? cmcPromptAnswer::Ok : cmcPromptAnswer::Cancel;
    case cmcPromptButtons::YesNo:
      return assumeYes_ ? cmcPromptAnswer::Yes : cmcPromptAnswer::No;
    case cmcPromptButtons::YesNoCancel:
      return assumeYes_ ? cmcPromptAnswer::Yes : cmcPromptAnswer::Cancel;
  }
  return cmcPromptAnswer::Cancel;
}

std::optional<std::string> cmcStreamPrompts::AskText(const std::string&, const std::string& prompt, bool) {
  if (textAnswer_) return textAnswer_;
  out_ << prompt << " (no answer given: cancelled)\n";
  return std::nullopt;
}
