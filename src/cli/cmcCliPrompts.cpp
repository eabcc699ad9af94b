#include "cli/cmcCliPrompts.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

cmcPromptAnswer cmcCliPrompts::Ask(cmcPromptIcon icon, cmcPromptButtons buttons, const std::string& caption,
                                   const std::string& text) {
  if (buttons == cmcPromptButtons::Ok) return cmcStreamPrompts::Ask(icon, buttons, caption, text);
  const bool yesNo = buttons != cmcPromptButtons::OkCancel;
  const cmcPromptAnswer yes = yesNo ? cmcPromptAnswer::Yes : cmcPromptAnswer::Ok;
  const cmcPromptAnswer no = yesNo ? cmcPromptAnswer::No : cmcPromptAnswer::Cancel;
  if (yes_) return yes;
  const char* prefix = icon == cmcPromptIcon::Error ? "error: " : icon == cmcPromptIcon::Warning ? "warning: " : "";
  if (!Asks()) {
    err_ << prefix << text << "\nrx93kit-cli: no terminal to answer this question; pass --yes to answer it yes\n";
    return no;
  }
  err_ << prefix << text << " [y/n] " << std::flush;
  for (std::string line; std::getline(*terminal_.in, line);) {
    const std::string answer = Lower(Trimmed(line));
    if (answer == "y" || answer == "yes") return yes;
    if (answer == "n" || answer == "no") return no;
    err_ << "Please answer y, yes, n or no: " << std::flush;
  }
  err_ << "\n";
  return no;
}

std::optional<std::string> cmcCliPrompts::AskText(const std::string& caption, const std::string& prompt, bool secret) {
  if (hasTextAnswer_) return cmcStreamPrompts::AskText(caption, prompt, secret);
  if (!Asks()) {
    err_ << prompt << "\nrx93kit-cli: no terminal to ask; pass " << optionName_ << "\n";
    return std::nullopt;
  }
  err_ << prompt << ": " << std::flush;
  if (secret && terminal_.echo) terminal_.echo(false);
  std::string line;
  const bool read = static_cast<bool>(std::getline(*terminal_.in, line));
  if (secret && terminal_.echo) terminal_.echo(true);
  if (secret) err_ << "\n";
  if (!read) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}
