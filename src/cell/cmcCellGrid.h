#pragma once
// What the cell engine may ask of the interactive grid that made a request: open a
// popup editor on the requesting cell. The answer comes back later as a new request
// with input kind 2. A request without a grid never opens anything. The desktop
// sheets implement it; tests record the calls.
#include <string>

class cmcCellCapsule;

class cmcCellGrid {
 public:
  virtual ~cmcCellGrid() = default;
  // A chooser on the choice list listKey whose entries carry keyLabel, with value
  // preselected; extra is a text the chooser shows beside the list (may be empty).
  virtual void OpenChooser(cmcCellCapsule& request, const std::string& listKey, int keyLabel, int value,
                           const std::string& extra) = 0;
  // Puts text on the system clipboard.
  virtual void SetClipboardText(const std::string&) {}
};
