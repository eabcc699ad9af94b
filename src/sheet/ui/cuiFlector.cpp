#include "sheet/ui/cuiFlector.h"

#include <QMouseEvent>
#include <QVBoxLayout>

#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcEditorPlacement.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiSheet.h"

namespace {
// Around the list's sheet: the window's raised bevel of 1 and a border of 2.
constexpr int kBorder = 2;
}  // namespace

cuiFlector::cuiFlector(cuiSheet& owner, cmcCellCapsule& request) : cuiCellEditorWindow(owner, request) {
  setObjectName("Flector");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
  sheet_ = new cuiSheet(this);
  sheet_->setObjectName("FlectorSheet");
  sheet_->setFrameStyle(QFrame::NoFrame);
  layout->addWidget(sheet_);
  connect(sheet_, &cuiSheet::popupAnswered, this, [this] {
    cancelled_ = true;  // answered: nothing more to do on closing
    close();
  });
  CancelOnEscape(sheet_->Grid());
  sheet_->Grid()->viewport()->installEventFilter(this);
}

cuiFlector::~cuiFlector() {
  if (events_) events_->Unlisten<&cuiFlector::OnEvent>(this);
  sheet_->SetModel(nullptr);
  model_.reset();
}

cuiFlector* cuiFlector::Open(cuiSheet& owner, cmcCellCapsule& request, const std::string& listKey, int keyLabel,
                             int value, const std::string& extra) {
  cmcSheetModel& origin = *owner.Model();
  auto* flector = new cuiFlector(owner, request);
  cmcSheetModel::Seams seams{.overlay = origin.Overlay(),
                             .view = *flector->sheet_,
                             .hooks = flector->hooks_,
                             .answer = origin.ValueLayer(),
                             .events = origin.Events()};
  const std::string ref = extra.empty() ? listKey : listKey + "," + extra;
  flector->model_ = std::make_unique<cmcSheetModel>(seams, ref, cmcSheetDef::Model{});
  cmcSheetModel& list = *flector->model_;
  list.SetPopup(true);
  list.SetParentCapsule(request);
  list.SetTarget(static_cast<uint32_t>(keyLabel), value);
  list.Build({.measure = &owner.Measure(), .zoomPercent = origin.ZoomPercent()});
  flector->sheet_->SetModel(&list);
  flector->events_ = origin.Events();
  if (flector->events_) flector->events_->Listen<&cuiFlector::OnEvent>(flector);

  const QSize need = flector->sheet_->RequiredSize() + QSize(2 * (kBorder + 1), 2 * (kBorder + 1));
  const cmcEditorPlacement::Size size = cmcEditorPlacement::Fit(need.width(), need.height(), flector->WorkArea());
  const Qt::ScrollBarPolicy bars = size.scrollBars ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  flector->sheet_->Grid()->setHorizontalScrollBarPolicy(bars);
  flector->sheet_->Grid()->setVerticalScrollBarPolicy(bars);
  flector->ShowNextToCell({size.width, size.height});
  // Scrolled to the top left, whatever the cursor's entry.
  list.ScrollTo(0, 0);
  return flector;
}

void cuiFlector::OnEvent(cmcEvent& event) {
  const bool ownGrid =
      event.code == kEvOwnerClosing && event.argument == reinterpret_cast<intptr_t>(static_cast<cmcCellGrid*>(sheet_));
  if (event.code == kEvCommitEdit || ownGrid) close();
}

void cuiFlector::showEvent(QShowEvent* event) {
  cuiCellEditorWindow::showEvent(event);
  sheet_->Grid()->setFocus(Qt::PopupFocusReason);
}

bool cuiFlector::eventFilter(QObject* watched, QEvent* event) {
  // The release of a button pressed before the list opened (the double click that
  // opened it) is not a choice.
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) pressed_ = true;
  if (event->type() == QEvent::MouseButtonRelease && !pressed_) return true;
  return cuiCellEditorWindow::eventFilter(watched, event);
}
