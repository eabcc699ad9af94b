#pragma once
// One sheet without a window: its definition (cmcSheetDef), geometry (cmcSheetLayout)
// and cursor (cmcSheetCursor), built and sized from the overlay, and every rule of
// moving, selecting, editing and painting it. A widget forwards what the user did as
// calls and paints the plans it is given; the model answers through cmcSheetView and
// asks the sheet's kind through cmcSheetHooks. The dump, printing and the desktop run
// the same model, so they show the same cells.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cell/cmcCellCapsule.h"
#include "sheet/cmcCellPaintPlan.h"
#include "sheet/cmcSheetCursor.h"
#include "sheet/cmcSheetDef.h"
#include "sheet/cmcSheetLayout.h"

class cmcCellGrid;
class cmcColumnWidthStore;
class cmcEvMan;
class cmcGTexBase;
class cmcSheetHooks;
class cmcSheetView;
class cmcTextMeasure;
class cmcWaiter;
struct cmcEvent;

class cmcSheetModel : private cmcSheetCursor::Grid {
 public:
  // Asks the value layer about a cell: act false for its display text and marks
  // (painting, fitting), true for a user action. Returns 0 done, 1 a popup editor
  // opened, 2 open the in-place editor on the output text.
  using Answer = std::function<uint8_t(cmcCellCapsule& request, bool act)>;

  // The virtual keys the sheet handles; a cell gets an unhandled one shifted left by 8.
  static constexpr int kVkReturn = 0x0D;
  static constexpr int kVkEscape = 0x1B;
  static constexpr int kVkPrior = 0x21;
  static constexpr int kVkNext = 0x22;
  static constexpr int kVkEnd = 0x23;
  static constexpr int kVkHome = 0x24;
  static constexpr int kVkLeft = 0x25;
  static constexpr int kVkUp = 0x26;
  static constexpr int kVkRight = 0x27;
  static constexpr int kVkDown = 0x28;
  static constexpr int kVkF1 = 0x70;
  static constexpr int kVkF12 = 0x7B;
  enum Modifier : uint8_t { kShift = 1, kCtrl = 2, kAlt = 4 };
  enum class Button : uint8_t { kLeft, kRight, kMiddle };

  // What the model works with; none of it is owned and all of it outlives the model.
  struct Seams {
    cmcGTexBase& overlay;           // the sheet's sections and its popup menus
    cmcGTexBase* models = nullptr;  // the main overlay's cell models; none: the sheet's overlay
    cmcSheetView& view;
    cmcSheetHooks& hooks;
    Answer answer;
    cmcCellGrid* grid = nullptr;            // where the value layer opens its popup editors; none: the view's
    cmcEvMan* events = nullptr;             // none: no application events heard or announced
    cmcColumnWidthStore* widths = nullptr;  // none: no widths kept
    cmcWaiter* waiter = nullptr;            // none: repeats run without waiting
    std::function<bool()> busy = {};        // a batch operation over channels is running
  };

  // What a build is for.
  struct BuildOptions {
    const cmcTextMeasure* measure = nullptr;  // required
    int zoomPercent = 100;                    // the display zoom, "FontSize Percentage"
    int fixedFontHeight = 0;                  // a font height printing gives; 0 for none
    bool printing = false;                    // for the printer or its preview
    int printScale = 1;                       // printer resolution / screen resolution, whole
    // Stored widths scale by points x resolution ratio x 16 / (zoom x 16 / 100) x 0.1
    // when printing.
    int printerFontPoints = 10;
    double printerResolutionRatio = 1.0;
  };

  // A cursor and scroll position to restore; -1 for none.
  struct Position {
    int col = -1;
    int row = -1;
    int leftCol = -1;
    int topRow = -1;
    bool operator==(const Position&) const = default;
  };

  // ref: the sheet reference; its sheet name names the sections, its class tag and
  // option the kind of sheet, its whole text the stored widths.
  cmcSheetModel(const Seams& seams, std::string ref, const cmcSheetDef::Model& model);
  // Stores the column widths unless built for printing or as a popup sheet.
  ~cmcSheetModel() override;
  cmcSheetModel(const cmcSheetModel&) = delete;
  cmcSheetModel& operator=(const cmcSheetModel&) = delete;

  // Before Build.
  void SetModel(const cmcSheetDef::Model& model) { def_.SetModel(model); }
  // A popup sheet: the cursor follows the mouse, Enter or a double click answers the
  // parent capsule with the chosen cell, single steps wrap around.
  void SetPopup(bool popup) { popup_ = popup; }
  // The model sheet variant: a 2.5 row margin everywhere, and cells in columns of
  // width 0 are not selectable.
  void SetModelSheet(bool modelSheet) { modelSheet_ = modelSheet; }
  // The cursor starts on the first selectable cell with this label and index.
  void SetTarget(uint32_t label, int32_t index);
  void SetRememberedPosition(const Position& position) { remembered_ = position; }
  // A copy of the capsule of the cell that opened this sheet.
  void SetParentCapsule(const cmcCellCapsule& parent);
  // A popup editor's own answer instead of the value layer's.
  void SetAnswer(Answer answer) { answer_ = std::move(answer); }
  // What the sheet's cells are answered by; a chooser opened on one answers through it.
  const Answer& ValueLayer() const { return answer_; }
  cmcEvMan* Events() const { return events_; }

  // Reads and sizes the sheet and places the cursor; a rebuild keeps the counters.
  void Build(const BuildOptions& options);
  // Asks the hooks again which rows are shown (rows that grow and shrink).
  void RefreshRows();

  const std::string& Ref() const { return ref_; }
  // Where the sheet's sections and popup menus are read.
  cmcGTexBase& Overlay() const { return overlay_; }
  const cmcSheetDef& Def() const { return def_; }
  cmcSheetDef& Def() { return def_; }
  const cmcSheetLayout& Layout() const { return layout_; }
  const cmcSheetCursor& Cursor() const { return cursor_; }
  int ColCount() const { return def_.ColCount(); }
  int RowCount() const { return def_.RowCount(); }
  bool RowShown(int row) const;
  int Col() const { return cursor_.Col(); }
  int Row() const { return cursor_.Row(); }
  // The title bar's text (the kind may change the style's); empty for none.
  std::string Title() const;
  // False when the cursor found no selectable cell: the grid takes no input.
  bool Enabled() const { return enabled_; }
  bool Popup() const { return popup_; }
  bool Printing() const { return options_.printing; }
  // The display zoom the sheet was built with; a popup sheet opened on it takes it over.
  int ZoomPercent() const { return options_.zoomPercent; }
  int PrintScale() const { return options_.printScale; }
  // The cursor and scroll position, to remember for a rebuild.
  Position CurrentPosition() const;

  // The font a cell is drawn and edited in: its own or the basic cell's.
  const cmcCellFont& FontAt(int col, int row) const { return FontOf(def_.CellAt(col, row)); }
  // The text a cell shows: a bound cell's as the value layer answers it, else its own.
  std::string CellText(int col, int row);
  // Everything a painter needs for the cell, at its place in the grid or, for a
  // printed page, at the rectangle given.
  cmcCellPaintPlan PaintPlan(int col, int row, const cmcCellPaintPlan::View& view);
  cmcCellPaintPlan PaintPlan(int col, int row, const cmcCellPaintPlan::View& view, const cmcSheetRect& rect);

  // Keyboard-style movement.
  void MoveBySteps(int dx, int dy);
  // Moves the cursor there if the cell takes it; true when it did.
  bool MoveTo(int col, int row);
  // Moves to the first selectable cell (rows outer, columns inner) with the binding.
  bool MoveToBinding(uint32_t category, uint32_t label, int32_t index);

  // The user's actions, as the widget saw them. KeyDown returns whether the sheet
  // used the key.
  bool KeyDown(int virtualKey, uint8_t modifiers);
  void KeyUp();
  void KeyPress(int character);
  // Returns true when the popup menu should open at the mouse.
  bool MouseDown(Button button, int x, int y, uint8_t modifiers);
  void MouseUp(Button button);
  void MouseMove(int x, int y);
  void DoubleClick(int x, int y);
  void Wheel(int delta);
  // The mouse drags beyond the grid's edge: -1, 0 or +1 each way.
  void TimedScroll(int dx, int dy);
  // The scroll bars moved the grid.
  void ScrollTo(int leftCol, int topRow);
  void SetClientSize(int width, int height);
  void FocusChanged(bool focused);
  bool Focused() const { return focused_; }
  // The title was clicked, or the grid while the memory channel window marks itself
  // active: the application raises that window (event 59).
  void Clicked();

  // The single entry of every user action on a cell; text is what the in-place editor
  // held. Returns the value layer's last answer.
  uint8_t EditCell(int col, int row, int32_t keyCode, int32_t commandArgument,
                   const std::optional<std::string>& text = std::nullopt);
  // A popup menu item was chosen: its cell's label goes to the current cell.
  void ChooseMenuItem(int32_t label);
  // The popup menu the current cell names (empty for none).
  const std::string& PopupMenuName() const { return menuName_; }

  // The in-place editor.
  bool EditorShown() const { return editorShown_; }
  cmcSheetCoord EditorCell() const { return editorCell_; }
  void OpenEditor(int col, int row, const std::string& text, int selStart, int selLength);
  // Where the editor lies over its cell: the cell's width, one line of the cell's font
  // high placed by the cell's vertical alignment, or the inner height when that is less.
  cmcSheetRect EditorRect() const;
  // The widget reports every change of the editor's text.
  void EditorTextChanged(const std::string& text) { editorText_ = text; }
  // A key in the shown editor; true when the sheet used it.
  bool EditorKey(int virtualKey);
  // Sends the editor's text to its cell and hides it.
  void CommitEditor();

  // Column sizing.
  void ResizeColumn(int col, int width);
  void FitColumn(int col);
  void SaveColumnWidths();

  // Repaints the shown cells that match the probe under the flag set (bits 0-7).
  void RepaintMatching(const cmcCellCapsule& probe, int flags);

 private:
  // cmcSheetCursor::Grid
  int Cols() const override { return def_.ColCount(); }
  int Rows() const override { return def_.RowCount(); }
  int FixedCols() const override { return layout_.FixedCols(); }
  int FixedRows() const override { return layout_.FixedRows(); }
  bool Selectable(int col, int row) const override;
  bool MayJoinMulti(int col, int row) const override;
  int MultiSelectMode() const override { return def_.GetStyle().multiSelect; }

  std::string BasicCellSuffix() const;
  const cmcCellFont& FontOf(const cmcCellObj& cell) const;
  void HideEditor();
  bool MoveToFirst(const std::function<bool(const cmcCellObj&)>& match);
  void CellChanged(int col, int row);
  void SizeCells();
  void LoadColumnWidths();
  void PlaceCursorAfterBuild();
  // The cell that owns a tail cell (the nearest selectable cell on its left).
  cmcSheetCoord OwnerOf(int col, int row) const;
  // The nearest non-joined cell on the left, and the end of its group.
  int GroupStart(int col, int row) const;
  int GroupEnd(int col, int row) const;
  void Select(int col, int row);
  void UpdatePopupMenu(bool force);
  // The main menu's Edit item shows this sheet's popup menu (events 10 and 11, this
  // sheet as sender); without a menu it is only cleared.
  void AnnounceEditMenu();
  void ReportCurrentCell();
  void PrepareCapsule(cmcCellCapsule& c, int col, int row);
  bool Extending() const;
  void OnEvent(cmcEvent& event);
  static void RepaintThunk(void* self, cmcCellCapsule& probe, int flags);
  static void ReopenEditorThunk(void* self, cmcCellCapsule& capsule);
  void Announce(uint8_t code, intptr_t argument = 0);
  // The grid scrolled: the window follows, the application hears of it.
  void Scrolled();

  cmcGTexBase& overlay_;
  cmcSheetView& view_;
  cmcSheetHooks& hooks_;
  Answer answer_;
  cmcCellGrid* grid_;
  cmcEvMan* events_;
  cmcColumnWidthStore* widths_;
  cmcWaiter* waiter_;
  std::function<bool()> busy_;
  std::string ref_;
  cmcSheetDef def_;
  cmcSheetLayout layout_;
  cmcSheetCursor cursor_;
  BuildOptions options_;
  std::unique_ptr<cmcCellCapsule> parent_;
  std::vector<bool> rowShown_;
  std::vector<int> sizedHeights_;  // the heights rows have when shown
  std::array<int32_t, 4> rect_{};  // the rectangle handed to the value layer
  cmcCellFont defaultFont_;
  Position remembered_;
  uint32_t targetLabel_ = 0;
  int32_t targetIndex_ = 0;
  bool built_ = false;
  bool popup_ = false;
  bool modelSheet_ = false;
  bool enabled_ = true;
  bool focused_ = false;
  bool building_ = false;
  bool movingProgrammatically_ = false;
  bool extendingByMouse_ = false;
  uint8_t heldModifiers_ = 0;
  int wheelStep_ = 0;  // 1 up, 2 down, 0 none pending
  cmcSheetCoord lastMouseCell_;
  cmcSheetCoord menuCell_;
  std::string menuName_;
  bool editorShown_ = false;
  cmcSheetCoord editorCell_;
  std::string editorText_;
  cmcCellObj askedCell_;  // the copy answered to the popup menu's ask
};
