#pragma once
// The character editor's dialog (cmcCharacterEditor decides): the display character's
// segments drawn in a 200 x 200 area, a click toggling one, and OK and Cancel on the
// right. It is application-modal while open; OK answers the cell with the segment
// pattern, Cancel closes.
#include <QDialog>
#include <memory>

#include "cell/cmcSegmentModel.h"
#include "sheet/cmcCellEditorSession.h"
#include "sheet/cmcCharacterEditor.h"

class cmcCellCapsule;
class cuiSheet;

class cuiCharacterEditor : public QDialog {
  Q_OBJECT
 public:
  // Opens the editor on the mask; it frees itself when closed.
  static cuiCharacterEditor* Run(cuiSheet& owner, cmcCellCapsule& request, uint16_t mask);

  cmcCharacterEditor& Logic() { return *logic_; }

 private:
  class Drawing;
  cuiCharacterEditor(cuiSheet& owner, cmcCellCapsule& request, uint16_t mask);

  cmcSegmentModel segments_;
  std::unique_ptr<cmcCharacterEditor> logic_;
  std::unique_ptr<cmcCellEditorSession> session_;
};
