#pragma once
// The command line's prompts: every message is written to a stream (stderr) as the
// overlay's text; questions take the answer given by the command's options instead
// of waiting for a user, and entries and file dialogs are declined.
#include <ostream>

#include "shell/cmcPrompts.h"

class cmcStreamPrompts : public cmcPrompts {
 public:
  // assumeYes: confirmations are answered OK / Yes; otherwise Cancel / No.
  cmcStreamPrompts(std::ostream& out, bool assumeYes) : out_(out), assumeYes_(assumeYes) {}

  cmcPromptAnswer Ask(cmcPromptIcon icon, cmcPromptButtons buttons, const std::string& caption,
                      const std::string& text) override;
  std::optional<std::string> AskText(const std::string&, const std::string&, bool) override { return std::nullopt; }
  // How many error messages have been shown, so a command can tell a refusal.
  int ErrorsShown() const { return errorsShown_; }

 private:
  std::ostream& out_;
  bool assumeYes_;
  int errorsShown_ = 0;
};
