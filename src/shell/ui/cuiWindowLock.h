#pragma once
// Keeps the user out of the main window while an exchange runs or a box over it is
// open: its menus, tool bars, panels, status bar and the side windows docked to it are
// disabled, while the windows it owns (the progress window, message boxes, dialogs)
// stay usable. Qt disables a window's child windows with it, so the window itself stays
// enabled and its close is refused through Locked().
#include <QPointer>

#include "clone/indCloneWindows.h"

class QMainWindow;

class cuiWindowLock : public indCloneWindows {
 public:
  explicit cuiWindowLock(QMainWindow& window) : window_(&window) {}

  // Locks and unlocks are counted: the window opens once each lock is undone.
  void SetWindowsEnabled(bool enabled) override;
  void FocusMainWindow() override;
  bool Locked() const { return locks_ > 0; }

 private:
  void Apply(bool enabled);

  QPointer<QMainWindow> window_;
  int locks_ = 0;
};
