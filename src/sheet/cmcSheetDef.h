#pragma once
// The definition of one overlay sheet N read into cells: the style options of
// "N_Style", the basic cell of "N_BasicCell" and the rows of "N_Cells" with their
// loops, selection ranges and model conditions, every cell parsed over the basic cell
// with the sheet's ten counters. No measuring: fit switches stay in the cells. The
// counters keep their values across rebuilds of one object.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cell/cmcCellObj.h"
#include "sheet/cmcSheetRef.h"

class cmcGTexBase;

class cmcSheetDef {
 public:
  // Bank and memory sheets show at least this many rows.
  static constexpr int kExtendedRows = 138;
  // The most rows and cells a sheet holds, loops expanded; more is fatal
  // (cmcCellObj::kIllegalAssign) before anything is allocated for them.
  static constexpr int kMaxRows = 0x4000;
  static constexpr int kMaxCells = 0x40000;

  // What the model conditions test.
  struct Model {
    int family = 0;  // 0 LMR, 1 PMR, 2 QarnPmr, 3 dPMR446; other values count as 0
    bool extendedMode = false;
    bool makerReserveMode = false;
    uint8_t accessByte = 0;  // image byte 0x10B: bit 3 SACC, bit 4 EACC
  };

  // The options of "N_Style" line 0.
  struct Style {
    std::string title = {};                     // empty: no title bar
    uint32_t titleColour = 0xFF000011;          // clGrayText
    std::optional<cmcCellFont> titleFont = {};  // none: the platform default
    int fixedCols = 0;                          // as written; FixedCols() caps it
    int fixedRows = 0;
    bool noPrint = false;
    int printFontRatio = 100;
    int multiSelect = 0;  // 0 none, 1 by cells, 2 by lines
    bool colSizing = false;
    bool colorSelectLine = false;
  };

  // A row of the grid: the "_Cells" line it is built from and whether it takes part
  // in a multi-cell selection.
  struct Row {
    int sourceLine = 0;
    bool select = true;
  };

  // Common sheets add the model conditions; bank and memory sheets extend their rows.
  cmcSheetDef(cmcGTexBase& overlay, std::string name, cmcSheetRef::Kind kind, const Model& model);
  // The cells point at the basic cell as their base.
  cmcSheetDef(const cmcSheetDef&) = delete;
  cmcSheetDef& operator=(const cmcSheetDef&) = delete;

  void SetModel(const Model& model) { model_ = model; }
  // Where cell models are read: the main overlay, when the sheet's own sections come
  // from another store (an editor's in-memory overlay). The sheet's store by default.
  void SetModels(cmcGTexBase& models) { models_ = &models; }

  // Reads the style, the basic cell (line 0 with basicCellSuffix appended, e.g. the
  // display's font height), counts the rows and parses every cell.
  void Build(std::string_view basicCellSuffix = {});

  // The steps of Build, for callers that measure between them.
  void ReadStyle();
  void BuildBasicCell(std::string_view suffix);
  // Fatal "Illegal Cell assign" when the section yields no row or no cell, or more
  // than kMaxRows rows or kMaxCells cells.
  void CountRows();
  // Fatal "Illegal Cell assign" for a cell index beyond cmcCellObj::kMaxIndex, also
  // one a copied row's count reaches.
  void BuildCells();

  // One "_Style" option or one "_Cells" directive, the text between the parentheses.
  void ApplyStyleOption(std::string_view option);
  void ApplyDirective(std::string_view directive, int line);
  // True when the condition named at the start of the directive holds, none when the
  // directive is not a condition of this sheet kind.
  std::optional<bool> Condition(std::string_view name) const;

  const std::string& Name() const { return name_; }
  cmcSheetRef::Kind SheetKind() const { return kind_; }
  const Style& GetStyle() const { return style_; }
  // The style's fixed columns and rows, at most the count minus 1.
  int FixedCols() const;
  int FixedRows() const;

  int ColCount() const { return colCount_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const Row& RowAt(int row) const { return rows_.at(static_cast<size_t>(row)); }
  // Fatal "Illegal Cell selection" outside the grid or before the cells are built.
  cmcCellObj& CellAt(int col, int row);
  const cmcCellObj& CellAt(int col, int row) const;
  // Multi-select mode on and the row in a selection range; a cell its row does not
  // define keeps a fresh record's true.
  bool MultiSelectable(int col, int row) const;
  // The smallest column and row holding a selectable cell; the counts when none does.
  int MinSelectableCol() const { return minSelCol_; }
  int MinSelectableRow() const { return minSelRow_; }

  const cmcCellObj& BasicCell() const { return basicCell_; }
  cmcCellCounters& Counters() { return counters_; }

 private:
  struct Record {
    cmcCellObj cell;
    bool multiSelect = true;
  };
  std::string CellsKey() const { return name_ + "_Cells"; }
  size_t RecordIndex(int col, int row) const;

  cmcGTexBase& overlay_;
  cmcGTexBase* models_;
  std::string name_;
  cmcSheetRef::Kind kind_;
  Model model_;
  Style style_;
  cmcCellObj basicCell_;
  cmcCellCounters counters_{};
  std::vector<Row> rows_;
  std::vector<Record> records_;
  int colCount_ = 0;
  int minSelCol_ = 0;
  int minSelRow_ = 0;

  // State of reading "_Cells".
  int skipCount_ = 0;
  bool selectFlag_ = true;
  int loopStart_ = -1;
  int loopEnd_ = -1;
  int loopCount_ = -1;
  int loopBodyRows_ = 0;
};
