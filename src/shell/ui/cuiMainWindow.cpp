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

cuiMainWindow::cuiMainWindow(indEnviron& env, const QString& title) : environ_(env) {
  setObjectName("MainWindow");
  setWindowTitle(title);
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

void cuiMainWindow::closeEvent(QCloseEvent* event) {
  // pos() and size() are what move() and resize() take back at the next start.
  QRect normal(pos(), size());
  if (isMaximized() || isMinimized() || isFullScreen()) normal = normalGeometry();
  environ_.winLeft = normal.left();
  environ_.winTop = normal.top();
  environ_.winWidth = normal.width();
  environ_.winHeight = normal.height();
  event->accept();
}
