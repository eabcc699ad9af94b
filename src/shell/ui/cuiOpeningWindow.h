#pragma once
// The opening window: the product picture (600 x 128) over a light grey band with the
// revision label, borderless and centred on the screen. A click on it, or the auto-close
// timer 2.5 s after it was made, accepts it; closed any other way (the window manager,
// Escape) it is rejected, and the program ends without its main window.
#include <QDialog>
#include <QTimer>

class QLabel;

class cuiOpeningWindow : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kWidth = 600;
  static constexpr int kPictureHeight = 128;
  static constexpr int kHeight = 163;
  static constexpr int kAutoCloseMs = 2500;

  // caption: the application title; revision: as the environment shows it.
  cuiOpeningWindow(QWidget* owner, const QString& caption, const QString& revision);

  const QTimer& AutoClose() const { return autoClose_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QLabel* revision_;
  QTimer autoClose_;
};
