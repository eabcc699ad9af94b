#pragma once
// The sheets of a clone file's tree as the command line shows them, rendered as the
// dump renders them: the tree's sheet references with their captions, the bound cells
// of a sheet with their captions and texts, and where the tree's sheets bind a label
// (its category and the indexes bound), which is how a label given without its
// category is resolved. Rendering draws only; it works on the session it is given.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cell/cmcCellObj.h"
#include "shell/indSheetRender.h"

class indCliSession;

class indCliSheets {
 public:
  struct Cell {
    cmcCellObj cell;
    std::string caption;  // the row's or else the column's heading; empty when it has none
    std::string shown;
  };
  // The indexes the tree's sheets bind a label at, under the first category seen.
  struct Binding {
    uint32_t category = kNoCategory;
    int low = 0;
    int high = 0;
  };

  // On the session's opened file.
  explicit indCliSheets(indCliSession& session);

  // The sheets the tree offers for the file's model type and modes, in tree order.
  const std::vector<indSheetRender::TreeSheet>& Tree();
  // True for a reference the tree lists, or another reference to a sheet it lists
  // (another form or bank of it); such a sheet can be rendered.
  bool Knows(std::string_view ref);
  // The bound cells of the sheet, row by row.
  std::vector<Cell> Cells(std::string_view ref);
  // Where the tree's sheets bind the label, under its first category in tree order
  // (or under category when one is given); none when no sheet binds it.
  std::optional<Binding> Find(uint32_t label, std::optional<uint32_t> category = std::nullopt);

  // A cell's binding as the command line writes it: CATEGORY.LABEL[INDEX], without
  // "CATEGORY." for a cell without a category.
  static std::string BindingText(const cmcCellObj& cell);

 private:
  void IndexBindings();

  indCliSession& session_;
  indSheetRender render_;
  std::optional<std::vector<indSheetRender::TreeSheet>> tree_;
  bool indexed_ = false;
  std::vector<std::pair<uint32_t, uint32_t>> order_;  // (label, category) in tree order
  std::map<std::pair<uint32_t, uint32_t>, Binding> bindings_;
};
