#include "sheet/cmcSheetModel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "cell/cmcCellIds.h"
#include "cell/cmcCodecCommon.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcWaiter.h"
#include "sheet/cmcColumnWidthStore.h"
#include "sheet/cmcSheetHooks.h"
#include "sheet/cmcSheetView.h"
#include "sheet/cmcTextMeasure.h"

namespace {

constexpr uint32_t kClWindowTextColour = 0xFF000008;
constexpr uint32_t kClBtnFace = 0xFF00000F;
// The one sheet whose fitted rows get half a pixel of margin instead of two and a half.
constexpr char kTopPage[] = "GI_Sheet_TopPage";
// The repeat loop's first wait and how much each repeat waits less.
constexpr int kFirstRepeatDelayMs = 30;
constexpr int kRepeatDelayStepMs = 6;

bool HasLabel(uint32_t label) { return label != kNoLabel; }

}  // namespace

cmcSheetModel::cmcSheetModel(const Seams& seams, std::string ref, const cmcSheetDef::Model& model)
    : overlay_(seams.overlay),
      view_(seams.view),
      hooks_(seams.hooks),
      answer_(seams.answer),
      grid_(seams.grid ? seams.grid : seams.view.CellGrid()),
      events_(seams.events),
      widths_(seams.widths),
      waiter_(seams.waiter),
      busy_(seams.busy),
      ref_(std::move(ref)),
      def_(seams.overlay, cmcSheetRef(ref_).SheetName(), cmcSheetRef(ref_).SheetKind(), model),
      cursor_(*this, [this](int col, int row) { CellChanged(col, row); }) {
  if (seams.models) def_.SetModels(*seams.models);
  if (events_) events_->Listen<&cmcSheetModel::OnEvent>(this);
}

cmcSheetModel::~cmcSheetModel() {
  if (events_) events_->Unlisten<&cmcSheetModel::OnEvent>(this);
  if (!menuName_.empty()) {
    menuName_.clear();
    AnnounceEditMenu();
  }
  SaveColumnWidths();
}

void cmcSheetModel::SetTarget(uint32_t label, int32_t index) {
  targetLabel_ = label;
  targetIndex_ = index;
}

void cmcSheetModel::SetParentCapsule(const cmcCellCapsule& parent) {
  parent_ = std::make_unique<cmcCellCapsule>();
  parent_->CopyFrom(parent);
}

// ---- building ----

std::string cmcSheetModel::BasicCellSuffix() const {
  char text[64];
  if (options_.fixedFontHeight != 0)
    std::snprintf(text, sizeof text, "{(Font=,,,%d,,,)}", options_.fixedFontHeight);
  else
    std::snprintf(text, sizeof text, "{(Font=,,,%%%d,,,)}", options_.zoomPercent);
  std::string suffix = text;
  if (options_.printing && def_.GetStyle().printFontRatio != 100) {
    std::snprintf(text, sizeof text, "{(Font=,,,%%%d,,,)}", def_.GetStyle().printFontRatio);
    suffix += text;
  }
  return suffix;
}

const cmcCellFont& cmcSheetModel::FontOf(const cmcCellObj& cell) const {
  if (cell.font) return *cell.font;
  if (def_.BasicCell().font) return *def_.BasicCell().font;
  return defaultFont_;
}

void cmcSheetModel::Build(const BuildOptions& options) {
  options_ = options;
  options_.printScale = std::max(options_.printScale, 1);
  building_ = true;
  HideEditor();
  def_.ReadStyle();
  def_.BuildBasicCell(BasicCellSuffix());
  def_.CountRows();
  def_.BuildCells();
  for (int r = 0; r < RowCount(); ++r)
    for (int k = 0; k < ColCount(); ++k) hooks_.BeforeCell(def_.CellAt(k, r), k, r);

  layout_.Reset(ColCount(), RowCount(), options_.printScale, options_.printScale);
  SizeCells();
  layout_.SetFixed(def_.FixedCols(), def_.FixedRows());
  const int firstRow = std::min(layout_.FixedRows(), RowCount() - 1);
  for (int k = 0; k < ColCount(); ++k) layout_.SetLimited(k, def_.CellAt(k, firstRow).Selectable());
  built_ = true;
  if (options_.printing) {
    LoadColumnWidths();
  } else if (!popup_) {
    if (widths_ && widths_->TakeResetRequest())
      widths_->DeleteAll();
    else
      LoadColumnWidths();
    SaveColumnWidths();
  }
  if (modelSheet_)
    for (int k = 0; k < ColCount(); ++k)
      if (layout_.ColWidth(k) == 0)
        for (int r = 0; r < RowCount(); ++r) def_.CellAt(k, r).rule &= static_cast<uint8_t>(~cmcCellObj::kSelectable);
  sizedHeights_.resize(static_cast<size_t>(RowCount()));
  for (int r = 0; r < RowCount(); ++r) sizedHeights_[static_cast<size_t>(r)] = layout_.RowHeight(r);
  rowShown_.assign(static_cast<size_t>(RowCount()), true);
  for (int r = 0; r < RowCount(); ++r) {
    rowShown_[static_cast<size_t>(r)] = hooks_.RowShown(def_, r);
    if (!RowShown(r)) layout_.SetRowHeight(r, 0);
  }

  PlaceCursorAfterBuild();
  building_ = false;
  view_.LayoutChanged();
  UpdatePopupMenu(false);
  if (!options_.printing) ReportCurrentCell();
}

void cmcSheetModel::SizeCells() {
  const cmcTextMeasure& measure = *options_.measure;
  const int scale = options_.printScale;
  const double margin = !modelSheet_ && def_.Name() == kTopPage ? 0.5 : 2.5;
  for (int r = 0; r < RowCount(); ++r) {
    if (r > 0 && def_.RowAt(r).sourceLine == def_.RowAt(r - 1).sourceLine) {
      layout_.SetRowHeight(r, layout_.RowHeight(r - 1));
      continue;
    }
    for (int k = 0; k < ColCount(); ++k) {
      const cmcCellObj& cell = def_.CellAt(k, r);
      if (!(cell.layout & (cmcCellObj::kFitWidth | cmcCellObj::kFitHeight))) continue;
      const cmcTextMeasure::Extent extent = measure.TextExtent(cell.CellText(), FontOf(cell));
      if (cell.layout & cmcCellObj::kFitWidth)
        layout_.SetColWidth(k, std::max(layout_.ColWidth(k), cmcSheetLayout::FitWidth(extent.width, scale)));
      if (cell.layout & cmcCellObj::kFitHeight)
        layout_.SetRowHeight(r,
                             std::max(layout_.RowHeight(r), cmcSheetLayout::FitHeight(extent.height, scale, margin)));
    }
  }
}

void cmcSheetModel::LoadColumnWidths() {
  if (!widths_) return;
  const std::string sub = widths_->SubName(ref_);
  if (sub.empty()) return;
  const int row = std::min(layout_.FixedRows(), RowCount() - 1);
  const int zoom = options_.zoomPercent * 16 / 100;
  bool loaded = false;
  for (int k = 0; k < ColCount(); ++k) {
    if (!def_.CellAt(k, row).Selectable()) continue;
    const std::optional<int> stored = widths_->Load(sub, k);
    if (!stored) continue;
    if (!options_.printing) {
      layout_.SetColWidth(k, *stored);
      loaded = true;
    } else if (zoom > 0) {
      const double factor =
          options_.printerFontPoints * options_.printerResolutionRatio * 16.0 / static_cast<double>(zoom) * 0.1;
      const int width = static_cast<int>(*stored * factor + 0.5);
      if (width < layout_.ColWidth(k)) layout_.SetColWidth(k, width);
    }
  }
  // A width set by code is kept in the limits as one the user sets.
  if (loaded) layout_.ApplyWidthLimits(true);
}

void cmcSheetModel::SaveColumnWidths() {
  if (!widths_ || !built_ || options_.printing || popup_) return;
  const std::string sub = widths_->SubName(ref_);
  if (sub.empty()) return;
  const int row = layout_.FixedRows();
  for (int k = 0; k < ColCount(); ++k)
    if (def_.CellAt(k, row).Selectable()) widths_->Save(sub, k, layout_.ColWidth(k));
}

void cmcSheetModel::PlaceCursorAfterBuild() {
  cursor_.Reset();
  cursor_.Place(0, 0);
  const int steps[][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}, {0, -1}};
  for (const auto& step : steps) {
    const cmcSheetCoord to = cursor_.Step(step[0], step[1], popup_, false);
    cursor_.Place(to.col, to.row);
  }
  layout_.SetLeftCol(layout_.FixedCols());
  layout_.SetTopRow(layout_.FixedRows());

  Position& p = remembered_;
  if (p.col >= ColCount() || p.row >= RowCount() || p.leftCol >= ColCount() || p.topRow >= RowCount()) p = Position();
  if (p.col >= 0 && p.row >= 0 && Selectable(p.col, p.row)) {
    if (layout_.GridWidth() > layout_.ClientWidth() && p.leftCol >= 0) layout_.SetLeftCol(p.leftCol);
    if (layout_.GridHeight() > layout_.ClientHeight() && p.topRow >= 0) layout_.SetTopRow(p.topRow);
    MoveTo(p.col, p.row);
  } else if (targetLabel_ != 0) {
    MoveToFirst([&](const cmcCellObj& c) { return c.label == targetLabel_ && c.index == targetIndex_; });
  }
  enabled_ = Selectable(Col(), Row());
}

void cmcSheetModel::RefreshRows() {
  for (int r = 0; r < RowCount(); ++r) {
    const bool shown = hooks_.RowShown(def_, r);
    rowShown_[static_cast<size_t>(r)] = shown;
    layout_.SetRowHeight(r, shown ? sizedHeights_[static_cast<size_t>(r)] : 0);
  }
  view_.LayoutChanged();
}

bool cmcSheetModel::RowShown(int row) const {
  return row >= 0 && row < static_cast<int>(rowShown_.size()) && rowShown_[static_cast<size_t>(row)];
}

std::string cmcSheetModel::Title() const { return hooks_.Title(def_.GetStyle().title); }

cmcSheetModel::Position cmcSheetModel::CurrentPosition() const {
  return {Col(), Row(), layout_.LeftCol(), layout_.TopRow()};
}

// ---- cells ----

bool cmcSheetModel::Selectable(int col, int row) const {
  return built_ && RowShown(row) && col >= 0 && col < ColCount() && def_.CellAt(col, row).Selectable();
}

bool cmcSheetModel::MayJoinMulti(int col, int row) const {
  return built_ && col >= 0 && row >= 0 && col < ColCount() && row < RowCount() && def_.MultiSelectable(col, row);
}

cmcSheetCoord cmcSheetModel::OwnerOf(int col, int row) const {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return {};
  while (col > 0 && (def_.CellAt(col, row).rule & cmcCellObj::kTail) && !def_.CellAt(col, row).Selectable()) --col;
  return {col, row};
}

int cmcSheetModel::GroupStart(int col, int row) const {
  while (col > 0 && (def_.CellAt(col, row).layout & cmcCellObj::kJoined)) --col;
  return col;
}

int cmcSheetModel::GroupEnd(int col, int row) const {
  while (col + 1 < ColCount() && (def_.CellAt(col + 1, row).layout & cmcCellObj::kJoined)) ++col;
  return col;
}

std::string cmcSheetModel::CellText(int col, int row) {
  cmcCellObj& cell = def_.CellAt(col, row);
  if (!HasLabel(cell.label)) return cell.CellText();
  cmcCellCapsule c;
  c.grid = grid_;
  c.cell = &cell;
  c.sheet = this;
  if (options_.printing) c.state |= cmcCellCapsule::kPrinting;
  return answer_(c, false) == 0 ? c.outputText : std::string();
}

cmcCellPaintPlan cmcSheetModel::PaintPlan(int col, int row, const cmcCellPaintPlan::View& view) {
  return PaintPlan(col, row, view, layout_.CellRect(col, row));
}

cmcCellPaintPlan cmcSheetModel::PaintPlan(int col, int row, const cmcCellPaintPlan::View& view,
                                          const cmcSheetRect& rect) {
  cmcCellPaintPlan plan;
  if (!built_ || building_ || col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return plan;
  if (layout_.ColWidth(col) == 0 || layout_.RowHeight(row) == 0) return plan;

  const int first = GroupStart(col, row), last = GroupEnd(col, row);
  cmcCellObj& cell = def_.CellAt(first, row);
  cmcCellPaintPlan::Place place;
  place.rect = rect;
  place.joined = rect;
  for (int k = first; k < col; ++k) place.joined.left -= layout_.ColWidth(k);
  for (int k = col + 1; k <= last; ++k) place.joined.right += layout_.ColWidth(k);
  place.nextJoined = col + 1 < ColCount() && (def_.CellAt(col + 1, row).layout & cmcCellObj::kJoined);
  const bool current = first == Col() && row == Row();
  const bool marked =
      (cursor_.Selected(first, row) || cursor_.LineHighlighted(first, row)) && def_.MultiSelectable(first, row);
  const bool tailOfCurrent =
      (cell.rule & cmcCellObj::kTail) && row == Row() && OwnerOf(first, row).col == Col() && Selectable(Col(), Row());
  place.highlighted = marked || current || tailOfCurrent;
  place.lineColour = def_.GetStyle().colorSelectLine && !popup_ && row == Row() && col >= layout_.FixedCols();
  place.editorShown = editorShown_;
  place.popup = popup_;
  place.printing = options_.printing;
  place.printScale = options_.printScale;

  plan.Start(cell, FontOf(cell), place, view);
  std::string text = cell.CellText();
  uint8_t answerState = 0, markPosition = 0;
  if (HasLabel(cell.label)) {
    cmcCellCapsule c;
    c.grid = grid_;
    c.cell = &cell;
    c.canvas = &plan;
    rect_ = {place.joined.left, place.joined.top, place.joined.right, place.joined.bottom};
    c.rect = &rect_;
    c.parent = parent_.get();
    c.sheet = this;
    c.state = static_cast<uint8_t>((place.highlighted ? cmcCellCapsule::kCurrent : 0) |
                                   (options_.printing ? cmcCellCapsule::kPrinting : 0));
    answer_(c, false);
    text = c.outputText;
    answerState = c.state;
    markPosition = c.markPosition;
  }
  plan.LayText(text, cell, place, *options_.measure);
  plan.PlaceMark(answerState, markPosition, cell, place, view);
  return plan;
}

void cmcSheetModel::CellChanged(int col, int row) {
  if (building_) return;
  view_.Repaint(col, row);
  // A tail shows its owner's highlight.
  for (int k = col + 1; k < ColCount() && (def_.CellAt(k, row).rule & cmcCellObj::kTail); ++k) view_.Repaint(k, row);
}

void cmcSheetModel::RepaintMatching(const cmcCellCapsule& probe, int flags) {
  if (!built_ || building_ || !probe.cell) return;
  const cmcCellObj& p = *probe.cell;
  const auto on = [flags](int bit) { return (flags >> bit) & 1; };
  const int lastRow = std::min(RowCount() - 1, layout_.TopRow() + layout_.VisibleRowCount());
  const int lastCol = std::min(ColCount() - 1, layout_.LeftCol() + layout_.VisibleColCount());
  for (int r = 0; r <= lastRow; ++r) {
    uint32_t carried = kNoLabel;
    for (int k = 0; k <= lastCol; ++k) {
      const cmcCellObj& c = def_.CellAt(k, r);
      if (!(c.layout & cmcCellObj::kJoined)) carried = c.label;
      const uint32_t label = carried;
      const bool labelled = HasLabel(label);
      const bool probeBound = p.category != kNoCategory;
      const bool match = (on(1) && c.category == p.category) || (on(2) && label == p.label) ||
                         (on(0) && label == p.label && c.index == p.index) ||
                         (on(3) && probeBound && labelled && c.index == p.index) ||
                         (on(7) && probeBound && labelled && p.index >= c.index) ||
                         (on(6) && probeBound && labelled && c.index >= p.index) ||
                         (on(4) && c.category == p.category && labelled && std::abs(c.index - p.index) <= 1) ||
                         (on(5) && labelled);
      if (match) view_.Repaint(k, r);
    }
  }
}

// ---- the cursor ----

void cmcSheetModel::MoveBySteps(int dx, int dy) {
  const cmcSheetCoord to = cursor_.Step(dx, dy, popup_, extendingByMouse_);
  MoveTo(to.col, to.row);
  bool scrolled = false;
  if (to.col <= def_.MinSelectableCol()) scrolled = layout_.SetLeftCol(layout_.FixedCols()) || scrolled;
  if (to.row <= def_.MinSelectableRow()) scrolled = layout_.SetTopRow(layout_.FixedRows()) || scrolled;
  if (scrolled) Scrolled();
}

bool cmcSheetModel::MoveTo(int col, int row) {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return false;
  if (building_) {
    cursor_.Place(col, row);
    return true;
  }
  const bool allowed = cursor_.MayMoveTo(col, row);
  const int oldCol = Col(), oldRow = Row();
  if (col != oldCol || row != oldRow) {
    const cmcCellObj& target = def_.CellAt(col, row);
    const int32_t notice[3] = {static_cast<int32_t>(target.category), static_cast<int32_t>(target.label), target.index};
    if (events_) events_->PostData(kEvSheetNotify, notice, sizeof notice);
  }
  if (!allowed) {
    const int wheel = wheelStep_;
    wheelStep_ = 0;
    if (wheel != 0) MoveBySteps(0, wheel == 1 ? -1 : 1);
    return false;
  }
  wheelStep_ = 0;
  if (row != oldRow && !popup_)
    for (const int r : {oldRow, row})
      for (int k = layout_.FixedCols(); k < ColCount(); ++k) view_.Repaint(k, r);
  const bool busy = busy_ && busy_();
  if (busy) extendingByMouse_ = false;
  cursor_.MoveTo(col, row, Extending(), busy);
  if (layout_.ScrollIntoView(col, row)) Scrolled();
  UpdatePopupMenu(false);
  if (editorShown_) CommitEditor();
  hooks_.CellSelected(def_.CellAt(col, row), col, row);
  return true;
}

bool cmcSheetModel::MoveToFirst(const std::function<bool(const cmcCellObj&)>& match) {
  for (int r = 0; r < RowCount(); ++r)
    for (int k = 0; k < ColCount(); ++k)
      if (Selectable(k, r) && match(def_.CellAt(k, r))) return MoveTo(k, r);
  return false;
}

bool cmcSheetModel::MoveToBinding(uint32_t category, uint32_t label, int32_t index) {
  return MoveToFirst(
      [&](const cmcCellObj& c) { return c.category == category && c.label == label && c.index == index; });
}

bool cmcSheetModel::Extending() const { return (heldModifiers_ & kShift) != 0 || extendingByMouse_; }

// ---- the user's actions ----

bool cmcSheetModel::KeyDown(int virtualKey, uint8_t modifiers) {
  heldModifiers_ = modifiers;
  HideEditor();
  if (events_) events_->SendText(kEvStatusText, kClWindowTextColour, kClBtnFace, "");
  const bool function = virtualKey >= kVkF1 && virtualKey <= kVkF12;
  if (!function && (virtualKey < kVkPrior || virtualKey > kVkDown)) return false;
  if (function) {
    EditCell(Col(), Row(), virtualKey << 8, 0);
    return true;
  }
  switch (virtualKey) {
    case kVkPrior:
      MoveBySteps(0, -10);
      break;
    case kVkNext:
      MoveBySteps(0, 10);
      break;
    case kVkEnd:
      MoveBySteps(0, RowCount());
      break;
    case kVkHome:
      MoveBySteps(0, -RowCount());
      break;
    case kVkLeft:
    case kVkRight: {
      const int col = Col(), row = Row();
      MoveBySteps(virtualKey == kVkLeft ? -1 : 1, 0);
      if (Col() == col && Row() == row) EditCell(col, row, virtualKey << 8, 0);
      break;
    }
    default:  // Up and Down
      if (modifiers != kCtrl) MoveBySteps(0, virtualKey == kVkUp ? -1 : 1);
      break;
  }
  return true;
}

void cmcSheetModel::KeyUp() { ReportCurrentCell(); }

void cmcSheetModel::KeyPress(int character) { EditCell(Col(), Row(), character, 0); }

bool cmcSheetModel::MouseDown(Button button, int x, int y, uint8_t modifiers) {
  heldModifiers_ = modifiers;
  const cmcSheetCoord at = OwnerOf(layout_.MouseCoord(x, y).col, layout_.MouseCoord(x, y).row);
  if (button != Button::kRight) {
    // The click moves the cursor first; dragging on from it extends the selection.
    if (at.col >= 0) MoveTo(at.col, at.row);
    extendingByMouse_ = true;
    return false;
  }
  if (cursor_.MultiActive()) return true;
  if (at.col < 0 || !MoveTo(at.col, at.row)) return false;
  UpdatePopupMenu(false);
  return true;
}

void cmcSheetModel::MouseUp(Button button) {
  ReportCurrentCell();
  extendingByMouse_ = false;
  if (popup_ && button == Button::kLeft) EditCell(Col(), Row(), cmcCellCapsule::kKeyActivate, 0);
}

void cmcSheetModel::MouseMove(int x, int y) {
  if (!popup_ && !extendingByMouse_) return;
  const cmcSheetCoord at = layout_.MouseCoord(x, y);
  if (at == lastMouseCell_) return;
  lastMouseCell_ = at;
  const cmcSheetCoord owner = OwnerOf(at.col, at.row);
  if (!editorShown_ && owner.col >= 0) MoveTo(owner.col, owner.row);
}

void cmcSheetModel::DoubleClick(int x, int y) {
  const cmcSheetCoord at = layout_.MouseCoord(x, y);
  const int fixedCols = layout_.FixedCols(), fixedRows = layout_.FixedRows();
  if (def_.GetStyle().colSizing) {
    if (at.col >= fixedCols && at.row >= 0 && at.row < fixedRows) {
      const cmcSheetRect r = layout_.CellRect(at.col, at.row);
      if (x - r.left <= 4) {
        for (int k = at.col - 1; k >= fixedCols; --k)
          if (layout_.ColWidth(k) > 0) {
            FitColumn(k);
            break;
          }
      } else if (r.right - 1 - x <= 4) {
        FitColumn(at.col);
      }
    } else if (at.col < 0 && fixedRows > 0) {
      int lastCol = ColCount() - 1;
      while (lastCol >= 0 && layout_.ColWidth(lastCol) == 0) --lastCol;
      const cmcSheetRect r = layout_.CellRect(lastCol, fixedRows - 1);
      if (!r.Empty() && y >= r.top && y < r.bottom && x >= r.right - 1 && x - (r.right - 1) <= 4) FitColumn(lastCol);
    }
  }
  const cmcSheetCoord owner = OwnerOf(at.col, at.row);
  if (owner.col == Col() && owner.row == Row()) EditCell(Col(), Row(), cmcCellCapsule::kKeyActivate, 0);
}

void cmcSheetModel::Wheel(int delta) {
  wheelStep_ = delta <= 0 ? 2 : 1;
  const int row = Row() + (wheelStep_ == 2 ? 1 : -1);
  if (row >= 0 && row < RowCount()) MoveTo(Col(), row);
  if (wheelStep_ != 0) {
    wheelStep_ = 0;
    ReportCurrentCell();
  }
}

void cmcSheetModel::TimedScroll(int dx, int dy) { MoveBySteps(dx, dy); }

void cmcSheetModel::ScrollTo(int leftCol, int topRow) {
  const bool moved = layout_.SetLeftCol(leftCol) | layout_.SetTopRow(topRow);
  if (moved) Scrolled();
}

void cmcSheetModel::Scrolled() {
  view_.Scrolled();
  if (events_ && !building_) events_->SendText(kEvMchWinRaise, "");
}

void cmcSheetModel::SetClientSize(int width, int height) {
  layout_.SetClientSize(width, height);
  view_.Scrolled();
}

void cmcSheetModel::FocusChanged(bool focused) {
  focused_ = focused;
  if (focused) {
    UpdatePopupMenu(true);
  } else {
    menuName_.clear();
    menuCell_ = {};
    view_.SetPopupMenu("");
    AnnounceEditMenu();
    Announce(kEvRefreshMenus);
  }
  for (int r = 0; r < RowCount(); ++r)
    for (int k = 0; k < ColCount(); ++k)
      if (cursor_.Selected(k, r) || cursor_.LineHighlighted(k, r)) view_.Repaint(k, r);
}

void cmcSheetModel::Clicked() {
  if (events_) events_->SendText(kEvMchWinRaise, "");
}

// ---- editing ----

void cmcSheetModel::PrepareCapsule(cmcCellCapsule& c, int col, int row) {
  c.Reset();
  c.grid = grid_;
  c.cell = &def_.CellAt(col, row);
  const cmcSheetRect r = layout_.CellRect(col, row);
  rect_ = {r.left, r.top, r.right, r.bottom};
  c.rect = &rect_;
  c.parent = parent_.get();
  c.repaint = &cmcSheetModel::RepaintThunk;
  c.repaintContext = this;
  c.reopenEditor = &cmcSheetModel::ReopenEditorThunk;
  c.reopenEditorContext = this;
  c.state = static_cast<uint8_t>((col == Col() && row == Row() ? cmcCellCapsule::kCurrent : 0) |
                                 (options_.printing ? cmcCellCapsule::kPrinting : 0));
  c.sheet = this;
  if (cursor_.MultiActive()) {
    c.multiSelection = cmcCellCapsule::kMultiActive;
    const int k = std::min(layout_.FixedCols(), ColCount() - 1);
    const int32_t a = def_.CellAt(k, std::max(cursor_.SelectionAnchor().row, 0)).index;
    const int32_t b = def_.CellAt(k, Row()).index;
    c.rangeLow = std::min(a, b);
    c.rangeHigh = std::max(a, b);
  }
}

uint8_t cmcSheetModel::EditCell(int col, int row, int32_t keyCode, int32_t commandArgument,
                                const std::optional<std::string>& text) {
  if (!built_ || col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return 0;
  cmcCellCapsule c;
  PrepareCapsule(c, col, row);
  c.keyCode = keyCode;
  c.commandArgument = commandArgument;
  if (text) {
    c.inputKind = cmcCellCapsule::kInputText;
    c.keyCode = 0;
    c.inputText = *text;
  }

  if (popup_) {
    if (keyCode != cmcCodecCommon::kKeyEnter && keyCode != cmcCellCapsule::kKeyActivate) return 0;
    cmcCellCapsule reply;
    if (parent_) reply.CopyFrom(*parent_);
    reply.parent = &c;
    reply.inputKind = cmcCellCapsule::kInputPopupAnswer;
    const uint8_t result = answer_(reply, true);
    view_.HidePopup();
    return result;
  }

  uint8_t result = 0;
  for (int delay = kFirstRepeatDelayMs;; delay -= kRepeatDelayStepMs) {
    result = answer_(c, true);
    if (c.jump.set && MoveToBinding(c.jump.category, c.jump.label, c.jump.index)) {
      col = Col();
      row = Row();
    }
    if (result == cmcCodecCommon::kResultPopup) cursor_.ClearMulti();
    if (result == cmcCodecCommon::kResultEditor) OpenEditor(col, row, c.outputText, c.selStart, c.selLength);
    if (c.repeatKey == 0) break;
    const int32_t repeatKey = c.repeatKey;
    if (delay >= 1) {
      view_.RepaintNow();
      if (waiter_) waiter_->Wait(static_cast<uint32_t>(delay));
    }
    const uint8_t multi = c.multiSelection;
    PrepareCapsule(c, col, row);
    c.multiSelection = multi;
    c.keyCode = repeatKey;
  }

  if (MultiSelectMode() != 0 && (c.multiSelection & cmcCellCapsule::kMultiApplyRange)) {
    const cmcCellObj& current = def_.CellAt(Col(), Row());
    const uint32_t label = current.label;
    const int32_t low = c.rangeLow, high = c.rangeHigh;
    const int32_t anchorIndex = current.index == low ? high : low;
    int anchorRow = Row();
    for (int r = 0; r < RowCount(); ++r)
      if (def_.CellAt(Col(), r).label == label && def_.CellAt(Col(), r).index == anchorIndex) {
        anchorRow = r;
        break;
      }
    cursor_.SelectWhere(
        [&](int k, int r) {
          const cmcCellObj& cell = def_.CellAt(k, r);
          return cell.label == label && cell.index >= low && cell.index <= high;
        },
        anchorRow);
  } else {
    cursor_.SelectCurrent();
  }
  Announce(kEvRefreshMenus);
  return result;
}

void cmcSheetModel::ChooseMenuItem(int32_t label) { EditCell(Col(), Row(), 0, label); }

void cmcSheetModel::OpenEditor(int col, int row, const std::string& text, int selStart, int selLength) {
  cursor_.ClearMulti();
  MoveTo(col, row);
  editorCell_ = {col, row};
  if (EditorRect().Empty()) return;
  editorShown_ = true;
  editorText_ = text;
  view_.OpenEditor(col, row, text, selStart, selLength);
}

cmcSheetRect cmcSheetModel::EditorRect() const {
  if (editorCell_.col < 0) return {};
  const cmcSheetRect cell = layout_.CellRect(editorCell_.col, editorCell_.row);
  const int inner = cell.bottom - cell.top - 1;
  if (cell.Width() < 1 || inner <= 0) return {};
  const cmcCellObj& c = def_.CellAt(editorCell_.col, editorCell_.row);
  const int line = options_.measure ? options_.measure->LineHeight(FontOf(c)) : inner;
  if (line >= inner) return {cell.left, cell.top, cell.right, cell.top + inner};
  const int top = c.VAlign() == 1 ? cell.top + (inner - line) / 2 : c.VAlign() == 2 ? cell.bottom - 1 - line : cell.top;
  return {cell.left, top, cell.right, top + line};
}

void cmcSheetModel::HideEditor() {
  if (!editorShown_) return;
  editorShown_ = false;
  view_.HideEditor();
}

bool cmcSheetModel::EditorKey(int virtualKey) {
  if (!editorShown_) return false;
  switch (virtualKey) {
    case kVkReturn:
    case kVkUp:
    case kVkDown:
    case kVkPrior:
    case kVkNext:
    case kVkEscape:
      break;
    default:
      return false;
  }
  if (events_) events_->SendText(kEvStatusText, kClWindowTextColour, kClBtnFace, "");
  if (virtualKey == kVkEscape) {
    HideEditor();
    return true;
  }
  CommitEditor();
  if (virtualKey == kVkUp || virtualKey == kVkDown) MoveBySteps(0, virtualKey == kVkUp ? -1 : 1);
  if (virtualKey == kVkPrior || virtualKey == kVkNext) KeyDown(virtualKey, heldModifiers_);
  return true;
}

void cmcSheetModel::CommitEditor() {
  if (!editorShown_) return;
  const cmcSheetCoord at = editorCell_;
  const std::string text = editorText_;
  HideEditor();
  EditCell(at.col, at.row, cmcCodecCommon::kKeyEnter, 0, text);
}

// ---- columns ----

void cmcSheetModel::ResizeColumn(int col, int width) {
  layout_.SetColWidth(col, width);
  layout_.ApplyWidthLimits();
  view_.LayoutChanged();
}

void cmcSheetModel::FitColumn(int col) {
  if (col < 0 || col >= ColCount()) return;
  std::vector<cmcSheetLayout::FitText> texts;
  for (int r = 0; r < RowCount(); ++r) {
    const cmcCellObj& cell = def_.CellAt(col, r);
    if (r < layout_.FixedRows()) {
      const bool nextJoined = col + 1 < ColCount() && (def_.CellAt(col + 1, r).layout & cmcCellObj::kJoined);
      if (!nextJoined) texts.push_back({cell.CellText(), &FontOf(cell)});
    } else if (RowShown(r)) {
      texts.push_back({CellText(col, r), &FontOf(cell)});
    }
  }
  layout_.FitColumn(col, texts, *options_.measure, options_.printScale);
  layout_.ApplyWidthLimits();
  view_.LayoutChanged();
}

// ---- the window and the application ----

void cmcSheetModel::UpdatePopupMenu(bool force) {
  if (options_.printing || !focused_ || building_) return;
  const cmcSheetCoord at{Col(), Row()};
  if (!force && at == menuCell_) return;
  menuCell_ = at;
  const std::string name(def_.CellAt(at.col, at.row).PopupMenuName());
  if (force || (!name.empty() && name != menuName_)) {
    menuName_ = name;
    view_.SetPopupMenu(name);
    AnnounceEditMenu();
  }
  Announce(kEvRefreshMenus);
}

void cmcSheetModel::AnnounceEditMenu() {
  if (!events_) return;
  const auto self = reinterpret_cast<intptr_t>(this);
  events_->Send(kEvClearSubmenu, self, CL_Menu_Edit_Top);
  if (!menuName_.empty()) events_->SendText(kEvFillSubmenu, self, CL_Menu_Edit_Top, menuName_);
}

void cmcSheetModel::ReportCurrentCell() {
  if (!built_ || building_) return;
  cmcCellCapsule c;
  PrepareCapsule(c, Col(), Row());
  view_.ReportCurrentCell(c);
}

void cmcSheetModel::Announce(uint8_t code, intptr_t argument) {
  if (events_) events_->Send(code, 0, argument);
}

void cmcSheetModel::RepaintThunk(void* self, cmcCellCapsule& probe, int flags) {
  static_cast<cmcSheetModel*>(self)->RepaintMatching(probe, flags);
}

void cmcSheetModel::ReopenEditorThunk(void* self, cmcCellCapsule& capsule) {
  auto* model = static_cast<cmcSheetModel*>(self);
  model->OpenEditor(model->Col(), model->Row(), capsule.outputText, capsule.selStart, capsule.selLength);
}

void cmcSheetModel::OnEvent(cmcEvent& event) {
  if (event.code == kEvCommitEdit) {
    CommitEditor();
    return;
  }
  if (event.code == kEvAskPopupCell) {
    if (event.mode != cmcEvMode::Asked || event.sender != reinterpret_cast<intptr_t>(this) || !built_) return;
    askedCell_.CopyCell(def_.CellAt(Col(), Row()));
    events_->Answer(reinterpret_cast<intptr_t>(&askedCell_), 0);
    return;
  }
  cmcCellObj probeCell;
  probeCell.category = 0;
  probeCell.label = 0;
  int flag = -1;
  switch (event.code) {
    case kEvRefreshLiveCells:
      flag = 5;
      break;
    case kEvRefreshCategory:
      probeCell.category = static_cast<uint32_t>(event.argument);
      flag = 1;
      break;
    case kEvRefreshLabel:
      probeCell.label = static_cast<uint32_t>(event.argument);
      flag = 2;
      break;
    case kEvRefreshRow:
    case kEvRefreshRowsUpTo:
    case kEvRefreshRowsFrom:
      probeCell.index = static_cast<int32_t>(event.argument);
      flag = event.code == kEvRefreshRow ? 3 : event.code == kEvRefreshRowsUpTo ? 7 : 6;
      break;
    default:
      return;
  }
  cmcCellCapsule probe;
  probe.cell = &probeCell;
  RepaintMatching(probe, 1 << flag);
}
