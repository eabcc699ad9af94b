#pragma once
// The "Cloning" window of clone reads and writes: a tool window over the main window
// holding a sunken bar of 32 segments, each with a one-pixel gap at its right, filled
// in the highlight colour as the data moves. It refuses to close: only the clone
// manager closes it (Close), when the exchange is over.
#include <QWidget>

#include "clone/indCloneProgress.h"

class cuiProgressWindow : public QWidget, public indCloneProgress {
  Q_OBJECT
 public:
  // The bar's bevel and the area painted inside it; the bar's place in the window and
  // the margin the window adds around what it holds.
  static constexpr int kBevel = 1;
  static constexpr int kBoxWidth = 256;
  static constexpr int kBoxHeight = 16 - 2 * kBevel;
  static constexpr int kBarLeft = 16;
  static constexpr int kBarTop = 8;
  static constexpr int kMargin = 32;

  // owner: the main window it is centred over and stays above.
  explicit cuiProgressWindow(QWidget* owner);

  // indCloneProgress
  void Open() override;
  void Update(int transferred, int total, int filled) override;
  void Close() override;

  int Filled() const { return filled_; }
  // The painted area inside the bar's bevel, in the window's coordinates.
  QRect Box() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* owner_;
  int filled_ = 0;
  bool closing_ = false;
};
