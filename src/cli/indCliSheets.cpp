#include "cli/indCliSheets.h"

#include <algorithm>

#include "cell/cmcCellNames.h"
#include "cell/cmcCellRegistry.h"
#include "channel/datChKinds.h"
#include "cli/indCliSession.h"
#include "image/cmcImageMap.h"
#include "sheet/cmcSheetRef.h"

namespace {

// A cell with its own text and no binding: a heading, a caption or an empty place.
bool IsUnbound(const cmcCellObj& cell) { return cell.category >= kNoCategory && cell.label >= kNoLabel; }

// A bound cell that stands for a setting or a value; CL_Null draws nothing.
bool IsListed(const cmcCellObj& cell) { return cell.label < kNoLabel && cell.label != 0; }

}  // namespace

indCliSheets::indCliSheets(indCliSession& session)
    : session_(session), render_(session.Main(), session.Overlay(), session.Events(), session.Dispatch()) {}

const std::vector<indSheetRender::TreeSheet>& indCliSheets::Tree() {
  if (!tree_) tree_ = render_.TreeSheets();
  return *tree_;
}

bool indCliSheets::Knows(std::string_view ref) {
  const cmcSheetRef wanted(ref);
  if (wanted.SheetKind() == cmcSheetRef::Kind::kBank && (wanted.Bank() < 0 || wanted.Bank() >= cmcImageMap::kBanks))
    return false;
  return std::any_of(Tree().begin(), Tree().end(), [&](const indSheetRender::TreeSheet& sheet) {
    return sheet.ref == ref || cmcSheetRef(sheet.ref).SheetName() == wanted.SheetName();
  });
}

std::vector<indCliSheets::Cell> indCliSheets::Cells(std::string_view ref) {
  std::vector<Cell> grid;
  const indSheetRender::Rows rows = render_.Render(ref, [&](const cmcCellObj& cell, const std::string& shown) {
    grid.push_back({cell, {}, shown});
  });
  // The renderer visits every cell of every row shown, so the rows are equally long.
  if (rows.empty() || grid.empty()) return {};
  const size_t cols = grid.size() / rows.size();
  const auto at = [&](size_t row, size_t col) -> Cell& { return grid[row * cols + col]; };
  const auto heading = [&](const Cell& c) { return IsUnbound(c.cell) && !c.shown.empty(); };
  std::vector<Cell> cells;
  for (size_t row = 0; row < rows.size(); ++row) {
    for (size_t col = 0; col < cols; ++col) {
      Cell cell = at(row, col);
      if (!IsListed(cell.cell)) continue;
      // The nearest heading to the left names the row; else the nearest above names the column.
      for (size_t k = col; k-- > 0 && cell.caption.empty();)
        if (heading(at(row, k))) cell.caption = at(row, k).shown;
      for (size_t r = row; r-- > 0 && cell.caption.empty();)
        if (heading(at(r, col))) cell.caption = at(r, col).shown;
      cells.push_back(std::move(cell));
    }
  }
  return cells;
}

void indCliSheets::IndexBindings() {
  if (indexed_) return;
  indexed_ = true;
  for (const auto& sheet : Tree()) {
    for (const Cell& c : Cells(sheet.ref)) {
      const std::pair key{c.cell.label, c.cell.category};
      const auto [it, added] = bindings_.try_emplace(key, Binding{c.cell.category, c.cell.index, c.cell.index});
      if (added) {
        order_.push_back(key);
      } else {
        it->second.low = std::min(it->second.low, c.cell.index);
        it->second.high = std::max(it->second.high, c.cell.index);
      }
    }
  }
}

std::optional<indCliSheets::Binding> indCliSheets::Find(uint32_t label, std::optional<uint32_t> category) {
  IndexBindings();
  if (category) {
    const auto it = bindings_.find({label, *category});
    if (it == bindings_.end()) return std::nullopt;
    return it->second;
  }
  for (const auto& key : order_)
    if (key.first == label) return bindings_.at(key);
  return std::nullopt;
}

std::string indCliSheets::BindingText(const cmcCellObj& cell) {
  std::string text;
  if (cell.category < kNoCategory) text = std::string(CellCategoryNames()[cell.category]) + ".";
  return text + std::string(LabelNameOf(cell.label)) + "[" + std::to_string(cell.index) + "]";
}
