#pragma once
// The main menu's and tool bars' commands beyond the document operations and the model
// family: recent files, Exit, the View, Port, Clone and Help items and the texts of the
// title and revision cells, each with its checked, hidden, disabled and caption rule.
// What only a window can do comes in as hooks; a command whose hook is not given, and
// every command of printing, help, the language dialog and the A/D window, is shown
// disabled. The entries are added to the cell host's table at construction and taken
// out again at destruction.
#include <functional>
#include <vector>

#include "shell/indMenuCommandTable.h"

class cmcEvMan;
class cmcGTex;
class indEnviron;
class indMain;
class indSheetHost;

class indShellCommands {
 public:
  struct Seams {
    indMenuCommandTable& table;
    indMain& main;
    indEnviron& environ;
    cmcEvMan& events;
    cmcGTex& overlay;
    cmcGTex& indexOverlay;           // "GI_Sys_Language"
    indSheetHost* sheets = nullptr;  // none: no sheet to close or memory channel window to ask for
  };

  // What the windows do for the commands.
  struct Hooks {
    std::function<void()> exit = {};                // close the main window as File Exit asks
    std::function<void()> applyToolBars = {};       // show the tool bar the rule picks
    std::function<void(int kind)> portDialog = {};  // the COM port dialog of kind 0, 1 or 2
    std::function<void()> fontChanged = {};         // the font size changed
  };

  explicit indShellCommands(const Seams& seams);
  ~indShellCommands();
  indShellCommands(const indShellCommands&) = delete;
  indShellCommands& operator=(const indShellCommands&) = delete;

  void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }

 private:
  void Add(int label, dst_MenuCommand command);
  void AddFile();
  void AddView();
  void AddPort();
  void AddClone();
  void AddUnavailable();
  void AddTexts();

  Seams s_;
  Hooks hooks_;
  std::vector<int> added_;
};
