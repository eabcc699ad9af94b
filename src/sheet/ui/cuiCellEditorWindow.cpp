#include "sheet/ui/cuiCellEditorWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include "cell/cmcCellCapsule.h"
#include "overlay/cmcGTexBase.h"
#include "sheet/cmcEditorPlacement.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiCellStyle.h"
#include "sheet/ui/cuiSheet.h"

cuiCellEditorWindow::cuiCellEditorWindow(cuiSheet& owner, const cmcCellCapsule& request)
    : QFrame(&owner, Qt::Popup | Qt::FramelessWindowHint), owner_(owner) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
  QRect cell;
  if (request.rect) {
    const auto& r = *request.rect;
    const QWidget* viewport = owner.Grid()->viewport();
    cell = QRect(viewport->mapToGlobal(QPoint(r[0], r[1])), QSize(r[2] - r[0], r[3] - r[1]));
  } else {
    cell = QRect(owner.mapToGlobal(QPoint(0, 0)), QSize(0, 0));
  }
  cell_ = {cell.left(), cell.top(), cell.left() + cell.width(), cell.top() + cell.height()};
}

cmcSheetRect cuiCellEditorWindow::WorkArea() const {
  const QScreen* screen = QGuiApplication::screenAt(QPoint(cell_.left, cell_.top));
  if (!screen) screen = owner_.screen();
  const QRect a = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  return {a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
}

void cuiCellEditorWindow::ShowNextToCell(const QSize& size) {
  resize(size);
  const cmcEditorPlacement::Place place = cmcEditorPlacement::Next(cell_, WorkArea(), size.width(), size.height());
  move(place.left, place.top);
  show();
  raise();
}

void cuiCellEditorWindow::closeEvent(QCloseEvent* event) {
  if (!cancelled_) Outside();
  QFrame::closeEvent(event);
}

void cuiCellEditorWindow::CancelOnEscape(QWidget* child) { child->installEventFilter(this); }

bool cuiCellEditorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    cancelled_ = true;
    close();
    return true;
  }
  return QFrame::eventFilter(watched, event);
}

QString cuiCellEditorWindow::OverlayText(const char* key, int line) const {
  if (!owner_.Model()) return {};
  return cuiCellStyle::Text(owner_.Model()->Overlay().GetLine(key, line));
}

cuiCellEditorWindow::OkCancel cuiCellEditorWindow::AddOkCancelRow(QBoxLayout* layout) {
  constexpr int kButtonGap = 8;
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(kButtonGap);
  buttons->addStretch(1);
  OkCancel row{new QPushButton(OverlayText("GI_AppInd_Button_OkCancel", 0), this),
               new QPushButton(OverlayText("GI_AppInd_Button_OkCancel", 1), this)};
  row.cancel->setObjectName("Cancel");
  row.ok->setObjectName("OK");
  row.ok->setDefault(true);
  buttons->addWidget(row.cancel);
  buttons->addWidget(row.ok);
  layout->addLayout(buttons);
  return row;
}
