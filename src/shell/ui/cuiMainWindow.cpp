#include "shell/ui/cuiMainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include "cell/cmcCellObj.h"
#include "channel/ui/cuiBankSheetHeader.h"
#include "sheet/ui/cuiCellStyle.h"
#include "sheet/ui/cuiSheet.h"
#include "shell/cmcWorkArea.h"
#include "shell/indEnviron.h"
#include "shell/indFileDrop.h"
#include "shell/indMainMenus.h"
#include "shell/indModeSwitches.h"
#include "shell/indProgram.h"
#include "shell/indStartChecks.h"
#include "shell/ui/cuiAboutCommand.h"
#include "shell/ui/cuiCloneDialogs.h"
#include "shell/ui/cuiIcons.h"
#include "shell/ui/cuiMakerPanel.h"
#include "shell/ui/cuiMchWin.h"
#include "shell/ui/cuiMenuBar.h"
#include "shell/ui/cuiPaneArea.h"
#include "shell/ui/cuiStatusBar.h"
#include "shell/ui/cuiTree.h"

namespace {

constexpr int kIdleMs = 50;       // the layout manager's pass while nothing else asks for one
constexpr int kSpacerHeight = 2;  // between the tool bars and the panels

indEnviron::Rect WorkArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {0, 0, 1024, 768};
  const QRect a = screen->availableGeometry();
  return {a.left(), a.top(), a.width(), a.height()};
}

// The caption with Qt's modified-state placeholder after the file name part.
QString CaptionWithPlaceholder(const std::string& caption, const std::string& title) {
  const size_t tail = title.size() + 3;  // " - " and the title
  const QString name =
      QString::fromStdString(caption.size() >= tail ? caption.substr(0, caption.size() - tail) : caption);
  QString escaped = name;
  escaped.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  return escaped + QStringLiteral("[*] - ") + QString::fromStdString(title);
}

}  // namespace

cuiMainWindow::cuiMainWindow(const Seams& seams)
    : s_(seams),
      paneLayout_(seams.program.Environ()),
      sheet_(new cuiSheet),
      host_(seams.program.OpenSheets({seams.clock, sheet_->Measure(), *sheet_, seams.waiter})) {
  setObjectName("MainWindow");
  setMinimumSize(kMinWidth, kMinHeight);
  setAcceptDrops(true);
  setWindowIcon(cuiIcons::Application());
  host_.SetWindow(this);
}

cuiMainWindow::~cuiMainWindow() {
  delete mchWin_;  // its sheet lives in a pane of this window
  Shutdown();
  sheet_->SetPasswordDialog({});
  clone_.reset();
  // The menu bar reads its model to the end: it goes before the model does.
  delete menuBar_;
  menuBar_ = nullptr;
  host_.SetWindow(nullptr);
  // The tree's items go with it: no selection reaches the host any more.
  if (tree_) tree_->blockSignals(true);
  // Without BuildUi the sheet pane's view never joined the window.
  if (!sheet_->parent()) delete sheet_;
}

void cuiMainWindow::BuildUi() {
  if (built_) return;
  built_ = true;
  indProgram& program = s_.program;
  indEnviron& environ = program.Environ();
  RefreshCaption();
  ApplyOverlayFont();
  PlaceOnWorkArea();

  // The main menu and the tool bars, from the overlay's menu and tool bar bodies.
  menus_ = std::make_unique<indMainMenus>(indMainMenus::Seams{program.Overlay(), program.Dispatch(), program.Events(),
                                                              program.CellHost().Menu(), program.Main(), environ,
                                                              program.IndexOverlay(), &host_});
  clone_ = std::make_unique<cuiCloneDialogs>(cuiCloneDialogs::Seams{*this, program, s_.prompts, s_.discovery});
  menus_->Commands().SetHooks(
      {.exit = [this] { close(); }, .portDialog = [this](int kind) { clone_->ShowComPortDialog(kind); }});
  sheet_->SetPasswordDialog(
      [this](const std::string& current) { return clone_->ShowReadWritePasswordDialog(current); });
  menuBar_ = cuiMenuBar::Install(*this, *menus_, [](int index) { return cuiIcons::ToolBarIcon(index); });
  new cuiAboutCommand(program.Events(), program.Overlay(), environ, this);

  // Top to bottom: a 2-pixel spacer below the tool bars, then the panels.
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, kSpacerHeight, 0, 0);
  column->setSpacing(0);
  splitter_ = new QSplitter(Qt::Horizontal, central);
  splitter_->setObjectName("SplitterV");
  splitter_->setHandleWidth(kSplitterWidth);
  splitter_->setChildrenCollapsible(false);
  splitter_->setOpaqueResize(true);
  column->addWidget(splitter_);
  setCentralWidget(central);

  left_ = new QWidget(splitter_);
  left_->setObjectName("LeftPanel");
  left_->setMinimumWidth(kLeftPanelMin);
  auto* leftBox = new QVBoxLayout(left_);
  leftBox->setContentsMargins(0, 0, 0, 0);
  tree_ = new cuiTree(host_, left_);
  leftBox->addWidget(tree_);

  panes_ = new cuiPaneArea(
      paneLayout_, [this] { return host_.LayoutConditions(); }, splitter_);
  // The sheet pane is the dock site of the sub-windows that dock into it.
  dockSite_ = new QMainWindow(panes_->Pane(indPaneLayout::kSheet));
  dockSite_->setObjectName("DockSite");
  dockSite_->setWindowFlags(Qt::Widget);
  dockSite_->setCentralWidget(sheet_);
  panes_->Pane(indPaneLayout::kSheet)->layout()->addWidget(dockSite_);
  splitter_->addWidget(left_);
  splitter_->addWidget(panes_);
  splitter_->setStretchFactor(1, 1);
  const int leftWidth = std::max(environ.splitterV, kLeftPanelMin);
  splitter_->setSizes({leftWidth, std::max(width() - leftWidth - kSplitterWidth, 1)});

  host_.Start();  // the tree, its first node selected; the periodic task

  status_ = new cuiStatusBar(program.Events(), this);
  setStatusBar(status_);

  indStartChecks::SelfCheck(program.Main());

  auto* idle = new QTimer(this);
  connect(idle, &QTimer::timeout, this, &cuiMainWindow::RunIdle);
  idle->start(kIdleMs);

  show();
  // The right panel has its height once the shown window, status bar included, is laid
  // out: the panes are made for it then, before the first sheet opens (the tree's
  // change delay). Made earlier, they would be made, and remembered, for a sliver.
  layout()->activate();
  central->layout()->activate();
  panes_->Create();
  host_.SetMainWindowShown(true);
  RunIdle();
  indStartChecks::ShowPreReleaseNotice(program.Overlay(), s_.prompts);
  EnterModes(s_.arguments);
}

void cuiMainWindow::EnterModes(const std::vector<std::string>& arguments) {
  indProgram& program = s_.program;
  indModeSwitches::Hooks hooks;
  hooks.makerPanel = [this](const std::string& text) {
    if (status_) cuiMakerPanel::AddTo(*status_, QString::fromStdString(text));
  };
  indModeSwitches({program.Main(), program.Overlay(), s_.prompts, program.Events(), &host_}, std::move(hooks))
      .Evaluate(arguments);
}

void cuiMainWindow::ApplyOverlayFont() {
  cmcCellObj cell;
  cell.ParseCell(s_.program.Overlay().GetText("GI_Form_Main_BasicCell"), nullptr, nullptr, &s_.program.Overlay());
  if (cell.font) setFont(cuiCellStyle::Font(*cell.font));
}

void cuiMainWindow::PlaceOnWorkArea() {
  const indEnviron& e = s_.program.Environ();
  const indEnviron::Rect b = KeepOnWorkArea({e.winLeft, e.winTop, e.winWidth, e.winHeight}, WorkArea());
  resize(std::max(b.width, kMinWidth), std::max(b.height, kMinHeight));
  move(b.left, b.top);
}

void cuiMainWindow::AskForAttention() { QApplication::alert(this, 0); }

void cuiMainWindow::RunIdle() {
  if (panes_) panes_->Idle();
}

// ---- indSheetHost::Window ----

void cuiMainWindow::RefreshCaption() {
  const indMain& main = s_.program.Main();
  setWindowTitle(CaptionWithPlaceholder(main.Caption(), s_.program.Overlay().GetText("GI_Sys_AppTitle")));
  setWindowModified(main.IsModified());
}

void cuiMainWindow::SetBusyCursor(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void cuiMainWindow::SheetShown(indSheetMaker::Sheet* sheet) {
  sheet_->SetModel(sheet ? sheet->model.get() : nullptr);
  cuiBankSheetHeader::Attach(*sheet_, sheet);
  // The panes follow the new sheet's conditions at once rather than at the next pass.
  QTimer::singleShot(0, this, &cuiMainWindow::RunIdle);
}

cuiMchWin* cuiMainWindow::MchWin() const { return mchWin_; }

void cuiMainWindow::OpenMchWin() {
  if (mchWin_ || !dockSite_) return;
  mchWin_ = new cuiMchWin({s_.program, *dockSite_, *panes_->Pane(indPaneLayout::kMch), [this] { mchWin_ = nullptr; }});
}

void cuiMainWindow::TreeChanged() {
  if (tree_) tree_->Refresh();
}

void cuiMainWindow::ShowCloneInfo(const std::string& sheet, const std::string& caption) {
  if (clone_) clone_->ShowCloneInfo(sheet, caption);
}

bool cuiMainWindow::SheetFocused() {
  const QWidget* focus = QApplication::focusWidget();
  return focus && sheet_->isAncestorOf(focus);
}

void cuiMainWindow::Focus(bool sheet) {
  if (sheet)
    sheet_->Grid()->setFocus();
  else if (tree_)
    tree_->setFocus();
}

// ---- closing ----

void cuiMainWindow::closeEvent(QCloseEvent* event) {
  // A clone or adjustment exchange (or a box over the window) locks it: it may not close then.
  if (!isEnabled() || (clone_ && clone_->Locked()) || s_.program.Main().AskSaveChanges() == indMain::kAnswerCancel) {
    event->ignore();
    return;
  }
  indEnviron& environ = s_.program.Environ();
  // pos() and size() are what move() and resize() take back at the next start.
  QRect normal(pos(), size());
  if (isMaximized() || isMinimized() || isFullScreen()) normal = normalGeometry();
  environ.winLeft = normal.left();
  environ.winTop = normal.top();
  environ.winWidth = normal.width();
  environ.winHeight = normal.height();
  if (left_) environ.splitterV = left_->width();
  environ.closing = true;
  // The sub-windows close here (the memory channel, popup help and A/D windows).
  if (mchWin_ && mchWin_->Model()) mchWin_->Model()->Close();
  environ.closing = false;
  event->accept();
  Shutdown();
}

void cuiMainWindow::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  host_.Stop();
  host_.CloseSheet();
  host_.SetMainWindowShown(false);
}

// ---- file drop ----

void cuiMainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void cuiMainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls())
    paths.push_back(url.isLocalFile() ? url.toLocalFile().toStdString() : url.toString().toStdString());
  event->acceptProposedAction();
  activateWindow();
  raise();
  indFileDrop(s_.program.Main(), s_.program.Overlay(), s_.prompts).Drop(paths);
}
