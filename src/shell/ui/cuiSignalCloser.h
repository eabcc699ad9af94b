#pragma once
// Turns SIGTERM and SIGINT into a normal close of a window, so that a desktop
// session ending the program (or Ctrl+C in a terminal) still writes the settings.
// The signal handler only writes a byte to a pipe; the close runs on the GUI thread.
#include <QObject>
#include <QPointer>
#include <QWidget>

class QSocketNotifier;

class cuiSignalCloser : public QObject {
  Q_OBJECT
 public:
  explicit cuiSignalCloser(QWidget* window);
  ~cuiSignalCloser() override;
  // The window a signal closes from now on (the opening window first, then the main one).
  void SetWindow(QWidget* window) { window_ = window; }

 private:
  void OnSignal();
  QPointer<QWidget> window_;
  QSocketNotifier* notifier_ = nullptr;
};
