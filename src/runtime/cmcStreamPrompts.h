#pragma once
// The command line's prompts: every message is written to a stream (stderr) as the
// overlay's text; questions take the answer given by the command's options instead
// of waiting for a user; an entry gets the text the options gave (or is declined), and
// file dialogs are declined.
#include <optional>
#include <ostream>
#include <string>

#include "runtime/cmcPrompts.h"

class cmcStreamPrompts : public cmcPrompts {
 public:
  // assumeYes: confirmations are answered OK / Yes; otherwise Cancel / No.
  cmcStreamPrompts(std::ostream& out, bool assumeYes) : out_(out), assumeYes_(assumeYes) {}

  cmcPromptAnswer Ask(cmcPromptIcon icon, cmcPromptButtons buttons, const std::string& caption,
                      const std::string& text) override;
  // How many error messages have been shown, so a command can tell a refusal.
  int ErrorsShown() const { return errorsShown_; }
  // The text answer when one was given; otherwise the prompt is shown and declined.
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt, bool secret) override;

  // The answer every entry gets; nothing declines them.
  void SetTextAnswer(std::optional<std::string> text) { textAnswer_ = std::move(text); }

 private:
  std::ostream& out_;
  bool assumeYes_;
  int errorsShown_ = 0;
  std::optional<std::string> textAnswer_;
};
