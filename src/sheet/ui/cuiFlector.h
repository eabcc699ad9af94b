#pragma once
// The chooser: a popup sheet of a list, opened next to the cell on the entry the cell
// holds. The cursor follows the mouse; Enter, a double click or releasing the left
// button answers the cell with the chosen entry through the sheet (a popup sheet
// answers its parent capsule) and closes the window. Escape or a click outside closes
// it without an answer, and so do the application's commit of every edit (event 21)
// and the end of the list's own grid (event 1). It takes the size its sheet needs, without scroll bars; one
// taller or wider than the work area gets both and is limited to it.
#include <memory>
#include <string>

#include "sheet/cmcSheetHooks.h"
#include "sheet/ui/cuiCellEditorWindow.h"

class cmcEvMan;
class cmcSheetModel;
struct cmcEvent;

class cuiFlector : public cuiCellEditorWindow {
  Q_OBJECT
 public:
  // The list's sheet is listKey, with the option text extra when there is one; the
  // cursor starts on the entry with keyLabel and index value.
  static cuiFlector* Open(cuiSheet& owner, cmcCellCapsule& request, const std::string& listKey, int keyLabel, int value,
                          const std::string& extra);
  ~cuiFlector() override;

  cuiSheet* Sheet() const { return sheet_; }
  cmcSheetModel* Model() const { return model_.get(); }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  cuiFlector(cuiSheet& owner, cmcCellCapsule& request);
  void OnEvent(cmcEvent& event);

  cmcSheetHooks hooks_;
  cuiSheet* sheet_;
  std::unique_ptr<cmcSheetModel> model_;
  cmcEvMan* events_ = nullptr;
  bool pressed_ = false;  // a button went down in the list since it opened
};
