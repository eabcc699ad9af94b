#pragma once
// The segment text editor's window (cmcSegmentTextEditor decides): the text box in the
// cell's font, a preview of the text in the radio's display characters, the palette of
// those characters and OK and Cancel. Enter in the text box or on the palette confirms
// and closes; Escape in the text box cancels, on the palette it returns to the text
// box; a click outside confirms unless cancelled.
#include <QWidget>
#include <memory>
#include <span>

#include "sheet/cmcSegmentTextEditor.h"
#include "sheet/ui/cuiCellEditorWindow.h"

class QLineEdit;
class QPushButton;
class cuiQtMeasure;

class cuiSegmentTextEditor : public cuiCellEditorWindow {
  Q_OBJECT
 public:
  static cuiSegmentTextEditor* Open(cuiSheet& owner, cmcCellCapsule& request, std::span<const uint8_t> codes,
                                    bool selectAll, int fieldLength, std::span<const uint8_t> userTable);
  ~cuiSegmentTextEditor() override;

  cmcSegmentTextEditor& Logic() { return *logic_; }
  QLineEdit* TextBox() const { return text_; }

 protected:
  void Outside() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Preview;
  cuiSegmentTextEditor(cuiSheet& owner, cmcCellCapsule& request);
  // The text box shows the logic's text and selection again.
  void ShowText();

  QLineEdit* text_;
  Preview* preview_;
  cuiSheet* palette_;
  QPushButton* ok_;
  QPushButton* cancel_;
  std::unique_ptr<cmcSegmentTextEditor> logic_;
};
