#pragma once
// What the clone manager asks of the main window while an exchange runs: the main
// window and its side windows are disabled from the start of an exchange until its
// completion, and the main window takes the focus back afterwards.
class indCloneWindows {
 public:
  virtual ~indCloneWindows() = default;
  // Enables or disables the main window and the side windows together.
  virtual void SetWindowsEnabled(bool enabled) = 0;
  // Gives the main window the focus when it can take it.
  virtual void FocusMainWindow() = 0;
};
