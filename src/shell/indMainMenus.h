#pragma once
// The main window's commands without a window: the main menu ("GI_Menu_Main") and the
// two tool bars ("GI_ToolBar_Main", "GI_ToolBar_Main_Limited"), the Edit menu that the
// current sheet's popup menu fills (the "No item" entries once when no sheet supplies
// one), and the rule for the tool bar shown: the full one in factory adjustment mode,
// the limited one otherwise, neither while "Toolbar Visible" is off. Event 2 (command
// states may have changed) refreshes the menu and both tool bars through events 9 and 20.
// It holds the shell's commands too (indShellCommands), which take the window's hooks.
#include <memory>

#include "shell/indMenuModel.h"
#include "shell/indShellCommands.h"
#include "shell/indToolBarModel.h"

class cmcEvMan;
class cmcGTex;
class indActiveCell;
class indEnviron;
class indMain;
class indMenuCommandTable;
class indSheetHost;
struct cmcEvent;

class indMainMenus {
 public:
  struct Seams {
    cmcGTex& overlay;
    indActiveCell& dispatch;
    cmcEvMan& events;
    indMenuCommandTable& table;
    indMain& main;
    indEnviron& environ;
    cmcGTex& indexOverlay;
    indSheetHost* sheets = nullptr;
  };

  // Builds the menu and the tool bars and takes the Edit menu's command.
  explicit indMainMenus(const Seams& seams);
  ~indMainMenus();
  indMainMenus(const indMainMenus&) = delete;
  indMainMenus& operator=(const indMainMenus&) = delete;

  indShellCommands& Commands() { return commands_; }
  indMenuModel& Menu() { return menu_; }
  indToolBarModel& FullToolBar() { return full_; }
  indToolBarModel& LimitedToolBar() { return limited_; }
  // The tool bar to show; nullptr when none is.
  indToolBarModel* ShownToolBar();
  // Evaluates every item and button.
  void Refresh();

 private:
  void OnEvent(cmcEvent& event);

  Seams s_;
  indShellCommands commands_;
  indMenuModel menu_;
  indToolBarModel full_;
  indToolBarModel limited_;
};
