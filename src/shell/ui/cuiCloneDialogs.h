#pragma once
// The windows of the clone commands over the main window: the window lock and the
// progress window the clone manager uses while an exchange runs, the clone password
// dialog the model controller asks through, the information box after a clone
// information, the port chooser of the port commands, and the read/write and
// adjustment password dialogs. Made once the main window is built; taken off the
// clone manager and the model controller again when destroyed.
#include <memory>
#include <optional>
#include <string>

class QMainWindow;
class cmcPortDiscovery;
class cmcPrompts;
class cuiProgressWindow;
class cuiWindowLock;
class indProgram;

class cuiCloneDialogs {
 public:
  struct Seams {
    QMainWindow& window;
    indProgram& program;
    cmcPrompts& prompts;
    cmcPortDiscovery* discovery = nullptr;  // none: the chooser lists no ports
  };

  explicit cuiCloneDialogs(const Seams& seams);
  ~cuiCloneDialogs();
  cuiCloneDialogs(const cuiCloneDialogs&) = delete;
  cuiCloneDialogs& operator=(const cuiCloneDialogs&) = delete;

  // The information box on an overlay sheet, captioned caption.
  void ShowCloneInfo(const std::string& sheet, const std::string& caption);
  // The port chooser in style kind (0, 1 or 2); the number chosen becomes "ComPort".
  void ShowComPortDialog(int kind);
  // The read/write password, asked twice, prefilled with current; nothing on Cancel.
  std::optional<std::string> ShowReadWritePasswordDialog(const std::string& current);
  // True when the adjustment password matched the "AdjustMode" code.
  bool ShowAdjustPasswordDialog();

  // While an exchange runs or a box is open, the main window may not close.
  bool Locked() const;
  cuiProgressWindow* Progress() const { return progress_; }

 private:
  Seams s_;
  std::unique_ptr<cuiWindowLock> lock_;
  cuiProgressWindow* progress_;  // owned: a child window of the main window
};
