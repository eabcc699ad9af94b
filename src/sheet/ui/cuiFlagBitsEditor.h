#pragma once
// The flag-bits editor's window (cmcFlagBitsEditor decides): its sheet of check cells
// over OK and Cancel. OK confirms and closes, Cancel closes; a click outside confirms
// unless cancelled; OK is disabled while the NMEA style has too many sentences set.
#include <memory>

#include "sheet/cmcFlagBitsEditor.h"
#include "sheet/ui/cuiCellEditorWindow.h"

class QPushButton;

class cuiFlagBitsEditor : public cuiCellEditorWindow {
  Q_OBJECT
 public:
  static cuiFlagBitsEditor* Open(cuiSheet& owner, cmcCellCapsule& request, const cmcFlagBitsEditor::Params& params);
  ~cuiFlagBitsEditor() override;

  cmcFlagBitsEditor& Logic() { return *logic_; }
  cuiSheet* Sheet() const { return sheet_; }

 protected:
  void Outside() override;

 private:
  cuiFlagBitsEditor(cuiSheet& owner, cmcCellCapsule& request);

  cuiSheet* sheet_;
  QPushButton* ok_;
  QPushButton* cancel_;
  std::unique_ptr<cmcFlagBitsEditor> logic_;
};
