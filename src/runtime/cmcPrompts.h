#pragma once
// The user-prompt seam: modal, top-most message boxes and a text entry. The app
// shows real dialogs; the CLI prints to stderr and answers from its options; tests
// script the answers and read back what was asked.
#include <optional>
#include <string>

enum class cmcPromptIcon { Error, Warning, Information, Question };
enum class cmcPromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class cmcPromptAnswer { Ok, Cancel, Yes, No };

// What an open or save file dialog shows.
struct cmcFileDialog {
  bool save = false;
  std::string defaultExtension;  // without the dot
  std::string filter;
  std::string folder;
  std::string fileName;
};

class cmcPrompts {
 public:
  virtual ~cmcPrompts() = default;
  // Shows the text in a box captioned with caption; returns the button chosen.
  virtual cmcPromptAnswer Ask(cmcPromptIcon icon, cmcPromptButtons buttons, const std::string& caption,
                              const std::string& text) = 0;
  // Asks for a line of text (secret: typed characters are hidden); nothing when cancelled.
  virtual std::optional<std::string> AskText(const std::string& caption, const std::string& prompt, bool secret) = 0;

  // Asks for a file to open or save; nothing when cancelled.
  virtual std::optional<std::string> AskFilePath(const cmcFileDialog&) { return std::nullopt; }

  // A message with only an OK button.
  void Show(cmcPromptIcon icon, const std::string& caption, const std::string& text) {
    Ask(icon, cmcPromptButtons::Ok, caption, text);
  }
};
