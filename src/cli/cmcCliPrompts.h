#pragma once
// The command line's prompts: messages on the error stream as the overlay's texts; a
// question is answered yes by --yes without being shown, asked on a terminal (y, yes, n
// or no), and otherwise shown with the advice to pass --yes and answered no. An entry
// (the radio's clone password) takes the option's text, is asked on a terminal with
// the echo off, or is declined with the advice to pass the option.
#include <optional>
#include <ostream>
#include <string>

#include "cli/dst_CliTerminal.h"
#include "runtime/cmcStreamPrompts.h"

class cmcCliPrompts : public cmcStreamPrompts {
 public:
  // yes answers every question yes; optionName is the option an entry's text comes from.
  cmcCliPrompts(std::ostream& err, const dst_CliTerminal& terminal, bool yes, std::string optionName)
      : cmcStreamPrompts(err, yes), err_(err), terminal_(terminal), yes_(yes), optionName_(std::move(optionName)) {}

  cmcPromptAnswer Ask(cmcPromptIcon icon, cmcPromptButtons buttons, const std::string& caption,
                      const std::string& text) override;
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt, bool secret) override;

  void SetTextAnswer(std::optional<std::string> text) {
    hasTextAnswer_ = text.has_value();
    cmcStreamPrompts::SetTextAnswer(std::move(text));
  }

 private:
  bool Asks() const { return terminal_.in && terminal_.inIsTerminal; }

  std::ostream& err_;
  dst_CliTerminal terminal_;
  bool yes_;
  std::string optionName_;
  bool hasTextAnswer_ = false;
};
