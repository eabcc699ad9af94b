#pragma once
// The window of a special editor opened on a cell: a borderless top-level popup placed
// next to the cell on the work area of the cell's screen (cmcEditorPlacement), freed
// once closed. A click outside it or Escape closes it; an editor says in Outside what
// such a close means (the flag-bits and segment text editors confirm, unless cancelled
// or confirmed already). The editors are the chooser (cuiFlector), the flag bits, the
// segment text and the character editor.
#include <QFrame>

class QBoxLayout;
class QPushButton;

#include "sheet/cmcSheetLayout.h"

class cmcCellCapsule;
class cuiSheet;

class cuiCellEditorWindow : public QFrame {
  Q_OBJECT
 public:
  // owner: the sheet the cell is in; request: the cell's, its rectangle in the owner's
  // grid.
  cuiCellEditorWindow(cuiSheet& owner, const cmcCellCapsule& request);

  // Resizes the window, places it next to the cell and shows it.
  void ShowNextToCell(const QSize& size);
  // The cell and the work area of its screen, in screen coordinates.
  cmcSheetRect CellOnScreen() const { return cell_; }
  cmcSheetRect WorkArea() const;

 protected:
  // The window closes without its own buttons: by a click outside, Escape, or the
  // application. Base: nothing more.
  virtual void Outside() {}
  void closeEvent(QCloseEvent* event) override;
  // Escape in a child (its grid) closes the window as cancelled.
  void CancelOnEscape(QWidget* child);
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The owner sheet's main overlay line, e.g. the buttons' captions.
  QString OverlayText(const char* key, int line) const;
  // The button row under an editor, added to its layout: Cancel, then OK (the default),
  // right-aligned, named "Cancel" and "OK".
  struct OkCancel {
    QPushButton* ok;
    QPushButton* cancel;
  };
  OkCancel AddOkCancelRow(QBoxLayout* layout);

  cuiSheet& owner_;
  bool cancelled_ = false;  // closed by Escape or Cancel

 private:
  cmcSheetRect cell_;
};
