#include "sheet/ui/cuiCharacterEditor.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>
#include <QVBoxLayout>

#include "overlay/cmcGTexBase.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiCellStyle.h"
#include "sheet/ui/cuiSheet.h"

namespace {
constexpr int kBorder = 5;
constexpr int kButtonWidth = 84;
constexpr int kButtonGap = 4;
}  // namespace

// The segments, filled and outlined black when on and white when off.
class cuiCharacterEditor::Drawing : public QWidget {
 public:
  Drawing(cmcCharacterEditor& logic, QWidget* parent) : QWidget(parent), logic_(logic) {
    setObjectName("CharacterDrawing");
    setFixedSize(cmcCharacterEditor::kArea, cmcCharacterEditor::kArea);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    // Off segments are white: a darker ground shows them.
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const cmcCharacterEditor::Shape& shape : logic_.Shapes()) {
      QPolygon triangle;
      for (const cmcCanvasPoint& p : shape.points) triangle << QPoint(p.x, p.y);
      const QColor colour = shape.on ? Qt::black : Qt::white;
      painter.setPen(colour);
      painter.setBrush(colour);
      painter.drawPolygon(triangle);
    }
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if (logic_.Click(at.x(), at.y())) update();
  }

 private:
  cmcCharacterEditor& logic_;
};

cuiCharacterEditor::cuiCharacterEditor(cuiSheet& owner, cmcCellCapsule& request, uint16_t mask)
    : QDialog(owner.window(), Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("CharacterEditor");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowModality(Qt::ApplicationModal);
  cmcSheetModel& origin = *owner.Model();
  cmcGTexBase& overlay = origin.Overlay();
  setWindowTitle(cuiCellStyle::Text(overlay.GetLine("GI_AppInd_CharacterEditorCaption", 0)));
  segments_ = cmcSegmentModel::FromOverlay(overlay);
  logic_ = std::make_unique<cmcCharacterEditor>(segments_, mask);
  session_ = std::make_unique<cmcCellEditorSession>(
      request, origin.ValueLayer(), [this] { return std::to_string(logic_->Value()); }, [this] { close(); },
      origin.Events());

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
  layout->addWidget(new Drawing(*logic_, this));
  auto* side = new QVBoxLayout;
  side->setSpacing(kButtonGap);
  side->addStretch(1);
  auto* ok = new QPushButton(cuiCellStyle::Text(overlay.GetLine("GI_AppInd_Button_OkCancel", 0)), this);
  ok->setObjectName("OK");
  ok->setDefault(true);
  ok->setFixedWidth(kButtonWidth);
  auto* cancel = new QPushButton(cuiCellStyle::Text(overlay.GetLine("GI_AppInd_Button_OkCancel", 1)), this);
  cancel->setObjectName("Cancel");
  cancel->setFixedWidth(kButtonWidth);
  side->addWidget(ok);
  side->addWidget(cancel);
  layout->addLayout(side);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok, &QPushButton::clicked, this, [this] { session_->Ok(); });
  connect(cancel, &QPushButton::clicked, this, [this] { session_->Cancel(); });
}

cuiCharacterEditor* cuiCharacterEditor::Run(cuiSheet& owner, cmcCellCapsule& request, uint16_t mask) {
  auto* editor = new cuiCharacterEditor(owner, request, mask);
  editor->show();
  return editor;
}
