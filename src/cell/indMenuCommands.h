#pragma once
// The shell's menu commands as the cell dispatch sees them: a menu-command cell
// (CT_Null, labels such as CL_Menu_File_Open or CL_Model_Pmr) executes its command on
// Enter and, on every request, takes the item's ticked, hidden and disabled state and
// any state-dependent caption from here. A label the shell does not handle is drawn
// with its caption and disabled.
#include <optional>
#include <string>

class cmcCellCapsule;

struct dst_MenuState {
  bool ticked = false;
  bool hidden = false;
  bool disabled = false;
  std::optional<std::string> caption;  // set only where the caption depends on state
};

class indMenuCommands {
 public:
  virtual ~indMenuCommands() = default;
  virtual bool Handles(int label) const = 0;
  // Runs the command of the label; request is the menu item's capsule.
  virtual void Execute(int label, cmcCellCapsule& request) = 0;
  // The state of the item bound to the label with that index.
  virtual dst_MenuState StateOf(int label, int index) = 0;
};
