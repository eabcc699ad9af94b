#include "shell/ui/cuiMchWin.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLayout>
#include <QMainWindow>
#include <QPushButton>
#include <algorithm>

#include "cell/cmcCellObj.h"
#include "channel/datChBank.h"
#include "channel/sheets/indBankSheet.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "sheet/ui/cuiSheet.h"
#include "shell/indProgram.h"
#include "shell/ui/cuiIcons.h"

namespace {

constexpr const char* kButtonKey = "GI_AppInd_MchWin_Button";
constexpr int kNormalState = 0;
constexpr int kMaximisedState = 1;

// The bank the shown bank sheet answers, on the channel its cursor is on.
void StartingPlace(indProgram& program, int& bank, int& channel) {
  bank = -1;
  channel = 0;
  const auto answer = program.Events().Ask(kEvAskBankSheet);
  if (!answer) return;
  bank = static_cast<int>(answer->data);
  channel = datChBank(&program.Main().Working(), &program.Main().Initial()).BankFirst(bank);
  if (!program.SheetsOpen() || !program.Host().Current()) return;
  cmcSheetModel& sheet = *program.Host().Current()->model;
  if (sheet.Col() < 0 || sheet.Row() < 0) return;
  const cmcCellObj& cell = sheet.Def().CellAt(sheet.Col(), sheet.Row());
  if (indBankSheet::IsSelectingCell(cell)) channel = cell.index;
}

}  // namespace

cuiMchWin::cuiMchWin(const Seams& seams) : QDockWidget(&seams.dockSite), s_(seams) {
  setObjectName("MchWin");
  cmcGTex& overlay = s_.program.Overlay();
  setWindowTitle(QString::fromStdString(overlay.GetText("GI_Sys_AppTitle")));
  setWindowIcon(cuiIcons::Application());
  // The close button is the panel's own: the frame offers moving and floating only.
  setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);

  auto* panel = new QWidget(this);
  panel->setObjectName("MchWinPanel");
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(kSpacing, kSpacing, kSpacing, kSpacing);
  row->setSpacing(kSpacing);
  auto button = [&](int line, const char* name) {
    auto* b = new QPushButton(QString::fromStdString(overlay.GetLine(kButtonKey, line)), panel);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  QPushButton* close = button(0, "MchWinClose");
  QPushButton* next = button(1, "MchWinNext");
  QPushButton* previous = button(2, "MchWinPrevious");
  onTop_ = new QCheckBox(QString::fromStdString(overlay.GetLine(kButtonKey, 3)), panel);
  onTop_->setObjectName("MchWinOnTop");
  onTop_->setChecked(s_.program.Environ().dockFloatCheck & kOnTopBit);
  row->addWidget(previous);
  row->addWidget(next);
  row->addWidget(onTop_);
  row->addStretch(1);
  row->addWidget(close);  // anchored right
  setWidget(panel);
  // Room for the four controls side by side and the spacing around them.
  int widest = 0;
  for (const QWidget* w : {static_cast<QWidget*>(close), static_cast<QWidget*>(next), static_cast<QWidget*>(previous),
                           static_cast<QWidget*>(onTop_)})
    widest = std::max(widest, w->sizeHint().width());
  panel->setMinimumWidth(4 * widest + 5 * kSpacing);

  connect(close, &QPushButton::clicked, this, &cuiMchWin::CloseByUser);
  connect(next, &QPushButton::clicked, this, [this] { Step(true); });
  connect(previous, &QPushButton::clicked, this, [this] { Step(false); });
  connect(onTop_, &QCheckBox::toggled, this, [this](bool on) {
    int& flags = s_.program.Environ().dockFloatCheck;
    flags = on ? flags | kOnTopBit : flags & ~kOnTopBit;
    ApplyOnTop();
  });
  connect(this, &QDockWidget::topLevelChanged, this, [this] { ApplyOnTop(); });
  connect(this, &QDockWidget::dockLocationChanged, this,
          [this](Qt::DockWidgetArea area) { s_.program.Environ().alignCheck = SideOf(area); });

  // The window's sheet lives in the memory channel pane.
  sheet_ = new cuiSheet(&s_.pane);
  sheet_->setObjectName("MchSheet");
  s_.pane.layout()->addWidget(sheet_);

  const indEnviron& environ = s_.program.Environ();
  s_.dockSite.addDockWidget(AreaOf(environ.alignCheck), this);
  int bank = 0, channel = 0;
  StartingPlace(s_.program, bank, channel);
  model_ = std::make_unique<indMchWin>(s_.program.Maker(), *sheet_, *this, bank, channel);
  if (!environ.mchDockRequest) {
    setFloating(true);
    PlaceFloating(model_->SheetName());
  }
  ApplyOnTop();
  // Without a bank sheet the window waits for its pane to be shown (event 56).
  setVisible(bank >= 0);
}

cuiMchWin::~cuiMchWin() {
  // The model goes before the sheet window it paints in.
  if (sheet_) sheet_->SetModel(nullptr);
  model_.reset();
  delete sheet_;
}

int cuiMchWin::SideOf(Qt::DockWidgetArea area) {
  switch (area) {
    case Qt::TopDockWidgetArea:
      return 1;
    case Qt::LeftDockWidgetArea:
      return 3;
    case Qt::RightDockWidgetArea:
      return 4;
    default:
      return 2;
  }
}

Qt::DockWidgetArea cuiMchWin::AreaOf(int side) {
  switch (side) {
    case 1:
      return Qt::TopDockWidgetArea;
    case 3:
      return Qt::LeftDockWidgetArea;
    case 4:
      return Qt::RightDockWidgetArea;
    default:
      return Qt::BottomDockWidgetArea;
  }
}

void cuiMchWin::Step(bool next) {
  if (!model_) return;
  if (isFloating()) {
    // Raised, not activated: the keyboard stays where it was.
    s_.dockSite.window()->raise();
    raise();
  }
  if (next)
    model_->NextChannel();
  else
    model_->PreviousChannel();
}

void cuiMchWin::CloseByUser() {
  indEnviron& environ = s_.program.Environ();
  environ.mchView = 0;
  if (s_.program.SheetsOpen()) s_.program.Host().SetMchWinRequested(false);
  s_.program.Events().Send(kEvCommandStates);
  if (model_) model_->Close();
}

void cuiMchWin::ApplyOnTop() {
  const bool onTop = isFloating() && onTop_->isChecked();
  if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  if (shown) show();  // changing the flags hides a window
}

void cuiMchWin::PlaceFloating(const std::string& sheetName) {
  const indEnviron::WindowRecord* record = s_.program.Environ().GetWindowRecord(sheetName);
  if (record && record->width > 0 && record->height > 0) {
    setGeometry(record->left, record->top, record->width, record->height);
    return;
  }
  // Above the main window when there is room, else over its top edge.
  const QRect owner = s_.dockSite.window()->frameGeometry();
  const QSize size = sizeHint();
  resize(size);
  move(owner.left(), std::max(owner.top() - size.height(), 0));
}

// ---- indMchWin::Frame ----

void cuiMchWin::SheetGoing() {
  if (sheet_) sheet_->SetModel(nullptr);
}

void cuiMchWin::SheetChanged(cmcSheetModel& sheet) {
  if (sheet_) sheet_->SetModel(&sheet);
}

cmcSheetModel::Position cuiMchWin::SavedPosition(const std::string& sheetName) {
  const indEnviron::WindowRecord* record = s_.program.Environ().GetWindowRecord(sheetName);
  if (!record) return {};
  return {.col = record->further[0],
          .row = record->further[1],
          .leftCol = record->further[3],
          .topRow = record->further[2]};
}

void cuiMchWin::SavePosition(const std::string& sheetName, const cmcSheetModel::Position& at) {
  indEnviron& environ = s_.program.Environ();
  // A docked window keeps the floating placement it had.
  QRect placed = geometry();
  if (!isFloating()) {
    const indEnviron::WindowRecord* record = environ.GetWindowRecord(sheetName);
    placed = record ? QRect(record->left, record->top, record->width, record->height) : QRect();
  }
  environ.StoreWindowRecord(sheetName, placed.left(), placed.top(), placed.width(), placed.height(),
                            isMaximized() ? kMaximisedState : kNormalState, {at.col, at.row, at.topRow, at.leftCol});
  environ.floatingCheck = isFloating() ? 1 : 0;
  environ.mchDockRequest = !isFloating();
}

// A docked window stays at the side it was docked at while hidden.
void cuiMchWin::ShowPane(bool shown) { setVisible(shown); }

void cuiMchWin::Undock() { setFloating(true); }

void cuiMchWin::Raise() {
  if (isFloating()) raise();
}

void cuiMchWin::Close() {
  if (closed_) return;
  closed_ = true;
  hide();
  if (sheet_) sheet_->SetModel(nullptr);
  // The model is inside its Close, whose last act this is: it may go now.
  model_.reset();
  delete sheet_;
  if (s_.gone) s_.gone();
  deleteLater();
}
