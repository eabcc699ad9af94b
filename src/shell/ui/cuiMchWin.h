#pragma once
// The memory channel window on screen: its sheet, shown in the main window's memory
// channel pane, and its small dockable window holding only the close, next-channel and
// previous-channel buttons and the "always on top" check box. The window model
// (indMchWin) decides; this shows the sheets it makes, forwards the buttons, docks at
// the remembered side of the dock site (the sheet pane) or floats, and keeps the
// placement per sheet name in the environment's window records.
#include <QDockWidget>
#include <QPointer>
#include <functional>
#include <memory>

#include "channel/sheets/indMchWin.h"

class QCheckBox;
class QMainWindow;
class QPushButton;
class cuiSheet;
class indProgram;

class cuiMchWin : public QDockWidget, public indMchWin::Frame {
  Q_OBJECT
 public:
  // Bit 0 of the option flags ("DockFloatCheck"): the check box.
  static constexpr int kOnTopBit = 1;
  static constexpr int kSpacing = 5;

  // None of it is owned; all of it outlives the window.
  struct Seams {
    indProgram& program;         // its sheet maker, environment, events and sheet host
    QMainWindow& dockSite;       // the sheet pane's dock site
    QWidget& pane;               // the memory channel pane: the sheet goes into its layout
    std::function<void()> gone;  // the window is closed and about to be destroyed
  };

  // Shows the bank of the bank sheet shown, on its current channel (the bank's first
  // when the cursor is not on a channel); without a bank sheet, no bank and channel 0.
  explicit cuiMchWin(const Seams& seams);
  ~cuiMchWin() override;

  indMchWin* Model() const { return model_.get(); }
  cuiSheet* Sheet() const { return sheet_; }
  // The side code of a dock area (1 top, 2 bottom, 3 left, 4 right) and back; any
  // other code is the bottom.
  static int SideOf(Qt::DockWidgetArea area);
  static Qt::DockWidgetArea AreaOf(int side);

  // indMchWin::Frame
  void SheetGoing() override;
  void SheetChanged(cmcSheetModel& sheet) override;
  cmcSheetModel::Position SavedPosition(const std::string& sheetName) override;
  void SavePosition(const std::string& sheetName, const cmcSheetModel::Position& at) override;
  void ShowPane(bool shown) override;
  void Undock() override;
  void Raise() override;
  void Close() override;

 private:
  // The buttons: a floating window and the main window come to the front first.
  void Step(bool next);
  // The user's close: the window is no longer wanted ("MCH View" off).
  void CloseByUser();
  void ApplyOnTop();
  void PlaceFloating(const std::string& sheetName);

  Seams s_;
  QPointer<cuiSheet> sheet_;
  QCheckBox* onTop_;
  std::unique_ptr<indMchWin> model_;
  bool closed_ = false;
};
