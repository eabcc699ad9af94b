#include "shell/ui/cuiMainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "shell/cmcWorkArea.h"
#include "shell/indEnviron.h"

namespace {
constexpr int kMinWidth = 400;
constexpr int kMinHeight = 380;
}  // namespace

cuiMainWindow::cuiMainWindow(indEnviron& env, indMain& main) : environ_(env), main_(main) {
  setObjectName("MainWindow");
  setMinimumSize(kMinWidth, kMinHeight);
  setCentralWidget(new QWidget(this));

  indEnviron::Rect work{0, 0, 1024, 768};
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect a = screen->availableGeometry();
    work = {a.left(), a.top(), a.width(), a.height()};
  }
  const indEnviron::Rect b =
      KeepOnWorkArea({environ_.winLeft, environ_.winTop, environ_.winWidth, environ_.winHeight}, work);
  resize(std::max(b.width, kMinWidth), std::max(b.height, kMinHeight));
  move(b.left, b.top);
}

void cuiMainWindow::AskForAttention() { QApplication::alert(this, 0); }

void cuiMainWindow::RefreshCaption() {
  const QString caption = QString::fromStdString(main_.Caption());
  setWindowTitle(caption);
}

void cuiMainWindow::SetBusyCursor(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void cuiMainWindow::closeEvent(QCloseEvent* event) {
  if (main_.AskSaveChanges() == indMain::kAnswerCancel) {
    event->ignore();
    return;
  }
  // pos() and size() are what move() and resize() take back at the next start.
  QRect normal(pos(), size());
  if (isMaximized() || isMinimized() || isFullScreen()) normal = normalGeometry();
  environ_.winLeft = normal.left();
  environ_.winTop = normal.top();
  environ_.winWidth = normal.width();
  environ_.winHeight = normal.height();
  event->accept();
}
