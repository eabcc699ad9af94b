#pragma once
// The main window. It takes its bounds from the settings (kept on the work area),
// stores its normal bounds back when it closes, and asks for the user's attention
// when a second instance of the program alerts it.
#include <QMainWindow>

class indEnviron;

class cuiMainWindow : public QMainWindow {
  Q_OBJECT
 public:
  cuiMainWindow(indEnviron& env, const QString& title);

  // Makes the task bar entry ask for attention, as when a second instance starts.
  void AskForAttention();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  indEnviron& environ_;
};
