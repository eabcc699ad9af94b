#pragma once
// The test implementation of cmcPrompts: records every prompt and answers from a
// queue of scripted answers (when the queue is empty: OK, Yes, or a cancelled entry).
#include <deque>
#include <vector>

#include "runtime/cmcPrompts.h"

class cmcScriptedPrompts : public cmcPrompts {
 public:
  struct Asked {
    cmcPromptIcon icon;
    cmcPromptButtons buttons;
    std::string caption;
    std::string text;
  };

  cmcPromptAnswer Ask(cmcPromptIcon icon, cmcPromptButtons buttons, const std::string& caption,
                      const std::string& text) override {
    asked.push_back({icon, buttons, caption, text});
    if (!answers.empty()) {
      const cmcPromptAnswer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == cmcPromptButtons::YesNo || buttons == cmcPromptButtons::YesNoCancel ? cmcPromptAnswer::Yes
                                                                                          : cmcPromptAnswer::Ok;
  }

  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt, bool) override {
    asked.push_back({cmcPromptIcon::Question, cmcPromptButtons::OkCancel, caption, prompt});
    if (texts.empty()) return std::nullopt;
    std::string t = texts.front();
    texts.pop_front();
    return t;
  }

  std::optional<std::string> AskFilePath(const cmcFileDialog& dialog) override {
    dialogs.push_back(dialog);
    if (paths.empty()) return std::nullopt;
    std::string p = paths.front();
    paths.pop_front();
    return p;
  }

  std::vector<Asked> asked;
  std::vector<cmcFileDialog> dialogs;
  std::deque<std::string> paths;
  std::deque<cmcPromptAnswer> answers;
  std::deque<std::string> texts;
};
