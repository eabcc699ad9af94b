#pragma once
// The main window. It takes its bounds from the settings (kept on the work area),
// stores its normal bounds back when it closes, shows the model controller's caption,
// and asks for the user's attention when a second instance of the program alerts it.
#include <QMainWindow>

#include "shell/indMain.h"

class indEnviron;

class cuiMainWindow : public QMainWindow, public indMainView {
  Q_OBJECT
 public:
  cuiMainWindow(indEnviron& env, indMain& main);

  // Makes the task bar entry ask for attention, as when a second instance starts.
  void AskForAttention();

  // The model controller's view of the window.
  void RefreshCaption() override;
  void SetBusyCursor(bool busy) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  indEnviron& environ_;
  indMain& main_;
};
