#pragma once
// The desktop program's prompts: modal, top-most message boxes with the icon and
// buttons asked for, a masked or plain text entry, and the standard file dialogs.
#include <QPointer>
#include <QWidget>

#include "runtime/cmcPrompts.h"

class cuiQtPrompts : public cmcPrompts {
 public:
  // owner: the window the boxes are centred on (may be set later).
  explicit cuiQtPrompts(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }

  cmcPromptAnswer Ask(cmcPromptIcon icon, cmcPromptButtons buttons, const std::string& caption,
                      const std::string& text) override;
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt, bool secret) override;
  std::optional<std::string> AskFilePath(const cmcFileDialog& dialog) override;

 private:
  QPointer<QWidget> owner_;
};
