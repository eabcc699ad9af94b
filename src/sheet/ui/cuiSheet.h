#pragma once
// A sheet's window: an optional title bar, an optional header, the grid and the
// in-place editor over the current cell, and the current cell's popup menu. It is the
// view of whatever sheet model it shows (cmcSheetView) and the cell grid the value
// layer opens its special editors on (cmcCellGrid); it decides nothing itself.
//
// Use in the main window's sheet pane (one cuiSheet shows each sheet in turn):
//   auto* pane = new cuiSheet(parent);                 // object name "Sheet"
//   indSheetMaker maker({..., .measure = pane->Measure(), ...});
//   indSheetHost host({..., .maker = maker, .view = *pane});
//   // indSheetHost::Window::SheetShown(indSheetMaker::Sheet* sheet):
//   pane->SetModel(sheet ? sheet->model.get() : nullptr);
//   cuiBankSheetHeader::Attach(*pane, sheet);          // a bank sheet's header (channel/ui)
//   pane->SetReport([&](const cmcCellCapsule& current) { ... help and status ... });
// The model must have been made with the pane as its view (the maker does this): the
// model then reaches the pane as its cell grid too. SetModel(nullptr) before the model
// goes; it closes the editors opened on its cells.
#include <QFrame>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cell/cmcCellGrid.h"
#include "sheet/cmcSheetView.h"
#include "sheet/ui/cuiGrid.h"

class QLabel;
class QLineEdit;
class QMenu;
class QVBoxLayout;
class cmcMenuBody;
class cmcSheetModel;

class cuiSheet : public QFrame, public cmcSheetView, public cmcCellGrid {
  Q_OBJECT
 public:
  explicit cuiSheet(QWidget* parent = nullptr);
  ~cuiSheet() override;

  // The sheet shown (not owned); none empties the window.
  void SetModel(cmcSheetModel* model);
  cmcSheetModel* Model() const { return model_; }
  cuiGrid* Grid() const { return grid_; }
  QLineEdit* Editor() const { return editor_; }
  QMenu* PopupMenu() const { return menu_; }
  const cmcTextMeasure& Measure() const { return grid_->Measure(); }
  // A widget shown between the title and the grid (a bank sheet's header); owned, and
  // gone when another model is shown.
  void SetHeader(QWidget* header);
  // Hears the current cell for the main window's help and status line.
  void SetReport(std::function<void(const cmcCellCapsule&)> report) { report_ = std::move(report); }
  // The read/write password dialog the sheet's cells ask through; none: nothing is asked.
  using PasswordDialog = std::function<std::optional<std::string>(const std::string& current)>;
  void SetPasswordDialog(PasswordDialog dialog) { passwordDialog_ = std::move(dialog); }
  // The title bar's and header's height plus what the grid needs to show every cell:
  // the outer size a window sized to the sheet takes.
  QSize RequiredSize() const;

  // cmcSheetView
  void Repaint(int col, int row) override;
  void LayoutChanged() override;
  void OpenEditor(int col, int row, const std::string& text, int selStart, int selLength) override;
  void HideEditor() override;
  void SetPopupMenu(const std::string& name) override;
  void Scrolled() override;
  void RepaintNow() override;
  void ReportCurrentCell(const cmcCellCapsule& current) override;
  void HidePopup() override;
  cmcCellGrid* CellGrid() override { return this; }

  // cmcCellGrid
  void OpenChooser(cmcCellCapsule& request, const std::string& listKey, int keyLabel, int value,
                   const std::string& extra) override;
  void OpenSegmentText(cmcCellCapsule& request, std::span<const uint8_t> codes, bool selectAll, int fieldLength,
                       std::span<const uint8_t> userTable) override;
  void OpenCharacterEditor(cmcCellCapsule& request, int keyLabel, uint16_t mask) override;
  void OpenFlagEditor(cmcCellCapsule& request, uint32_t pattern, int first, int last, int headerStyle,
                      const std::string& sheetKey) override;
  std::optional<std::string> AskReadWritePassword(const std::string& current) override;
  void SetClipboardText(const std::string& text) override;

 signals:
  // A popup sheet answered with its chosen cell.
  void popupAnswered();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowTitle();
  void ShowPopupMenu(const QPoint& globalPos);
  bool MenuShortcut(QKeyEvent* event);
  // Editors opened on this sheet's cells; they close when the sheet goes.
  void Track(QWidget* editor);
  void CloseEditors();

  cmcSheetModel* model_ = nullptr;
  QVBoxLayout* layout_;
  QFrame* titleBar_;
  QLabel* title_;
  QWidget* header_ = nullptr;
  cuiGrid* grid_;
  QLineEdit* editor_;
  QMenu* menu_;
  std::unique_ptr<cmcMenuBody> menuBody_;
  std::function<void(const cmcCellCapsule&)> report_;
  PasswordDialog passwordDialog_;
  std::vector<QPointer<QWidget>> editors_;
};
