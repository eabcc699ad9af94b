#include "shell/ui/cuiWindowLock.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

void cuiWindowLock::SetWindowsEnabled(bool enabled) {
  if (enabled) {
    if (locks_ == 0) return;
    if (--locks_ == 0) Apply(true);
  } else if (locks_++ == 0) {
    Apply(false);
  }
}

void cuiWindowLock::Apply(bool enabled) {
  if (!window_) return;
  QList<QWidget*> parts = {window_->centralWidget(), window_->menuWidget()};
  if (window_->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly)) parts << window_->statusBar();
  for (QToolBar* bar : window_->findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly)) parts << bar;
  // The side windows, docked or floating.
  for (QDockWidget* dock : window_->findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly)) parts << dock;
  for (QWidget* part : parts)
    if (part) part->setEnabled(enabled);
}

void cuiWindowLock::FocusMainWindow() {
  if (!window_ || !window_->isVisible()) return;
  window_->activateWindow();
  window_->raise();
}
