#pragma once
// The information box: a read-only sheet built from an overlay section in a dialog
// sized exactly to it, framed by a raised and a sunken bevel, with one button that
// closes it (Enter and Escape too). While it is open its lock keeps the user out of
// the main window and the side windows; it frees itself once closed.
#include <QDialog>
#include <memory>
#include <string>

#include "sheet/cmcSheetHooks.h"

class cmcSheetModel;
class cuiSheet;
class indCloneWindows;
class indSheetMaker;
class QPushButton;

class cuiInformation : public QDialog {
  Q_OBJECT
 public:
  // The frame around the sheet: outer and inner bevels and the space between them;
  // the button's distance from the window's right and bottom edges.
  static constexpr int kBevel = 2;
  static constexpr int kBorder = 8;
  static constexpr int kButtonMargin = 5;

  // Builds the sheet of section through maker and shows the box over owner, locking
  // it through lock (may be null) until the box goes.
  static cuiInformation* Open(QWidget* owner, const std::string& caption, const indSheetMaker& maker,
                              const std::string& section, indCloneWindows* lock);
  ~cuiInformation() override;

  cuiSheet* Sheet() const { return sheet_; }
  QPushButton* Button() const { return button_; }

 private:
  cuiInformation(QWidget* owner, indCloneWindows* lock);

  indCloneWindows* lock_;
  cmcSheetHooks hooks_;
  cuiSheet* sheet_ = nullptr;
  QPushButton* button_ = nullptr;
  std::unique_ptr<cmcSheetModel> model_;
};
