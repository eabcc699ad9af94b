#include "sheet/cmcSheetDef.h"

#include <algorithm>

#include "cell/cmcCellNumber.h"
#include "overlay/cmcGTexBase.h"
#include "runtime/cmcFatal.h"

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The text after the first "=", empty without one.
std::string_view ValueOf(std::string_view option) {
  const size_t eq = option.find('=');
  return eq == std::string_view::npos ? std::string_view() : option.substr(eq + 1);
}

// Calls apply with the text of every "(...)" group; text outside them is ignored.
template <typename Apply>
void ForEachGroup(std::string_view text, Apply apply) {
  for (size_t open = text.find('('); open != std::string_view::npos; open = text.find('(', open)) {
    const size_t close = text.find(')', open + 1);
    if (close == std::string_view::npos) return;
    apply(text.substr(open + 1, close - open - 1));
    open = close + 1;
  }
}

// The number after the directive's name and a blank, if there is one.
std::optional<int32_t> DirectiveNumber(std::string_view directive) {
  const size_t blank = directive.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  int32_t n = 0;
  if (!ParseCellDecimal(directive.substr(blank + 1), n)) return std::nullopt;
  return n;
}

}  // namespace

cmcSheetDef::cmcSheetDef(cmcGTexBase& overlay, std::string name, cmcSheetRef::Kind kind, const Model& model)
    : overlay_(overlay), models_(&overlay), name_(std::move(name)), kind_(kind), model_(model) {}

void cmcSheetDef::Build(std::string_view basicCellSuffix) {
  ReadStyle();
  BuildBasicCell(basicCellSuffix);
  CountRows();
  BuildCells();
}

void cmcSheetDef::ReadStyle() {
  style_ = Style();
  ForEachGroup(overlay_.GetLine(name_ + "_Style", 0), [this](std::string_view o) { ApplyStyleOption(o); });
}

void cmcSheetDef::ApplyStyleOption(std::string_view option) {
  const std::string_view value = ValueOf(option);
  int32_t n = 0;
  if (StartsWith(option, "TitleString")) {
    style_.title = value;
  } else if (StartsWith(option, "TitleColor")) {
    if (const auto colour = ColourByName(value)) style_.titleColour = *colour;
  } else if (StartsWith(option, "TitleFont")) {
    style_.titleFont.emplace();
    style_.titleFont->ApplyFields(value);
  } else if (StartsWith(option, "FixedCols")) {
    if (ParseCellDecimal(value, n)) style_.fixedCols = n;
  } else if (StartsWith(option, "FixedRows")) {
    if (ParseCellDecimal(value, n)) style_.fixedRows = n;
  } else if (option == "NoPrint") {
    style_.noPrint = true;
  } else if (StartsWith(option, "PrintFontRatio")) {
    if (ParseCellDecimal(value, n)) style_.printFontRatio = n;
  } else if (StartsWith(option, "MultiSelect")) {
    style_.multiSelect = value == "Cell" ? 1 : value == "Line" ? 2 : 0;
  } else if (StartsWith(option, "ColSizing")) {
    style_.colSizing = true;
  } else if (StartsWith(option, "ColorSelectLine")) {
    style_.colorSelectLine = true;
  }
}

int cmcSheetDef::FixedCols() const { return std::clamp(style_.fixedCols, 0, std::max(colCount_ - 1, 0)); }
int cmcSheetDef::FixedRows() const { return std::clamp(style_.fixedRows, 0, std::max(RowCount() - 1, 0)); }

void cmcSheetDef::BuildBasicCell(std::string_view suffix) {
  const std::string text = overlay_.GetLine(name_ + "_BasicCell", 0) + std::string(suffix);
  basicCell_ = cmcCellObj();
  basicCell_.ParseCell(text, nullptr, nullptr, models_);
}

std::optional<bool> cmcSheetDef::Condition(std::string_view name) const {
  const int family = model_.family >= 0 && model_.family <= 3 ? model_.family : 0;
  if (kind_ == cmcSheetRef::Kind::kCommon) {
    struct ModelCondition {
      const char* name;
      bool holds;
    };
    const ModelCondition conditions[] = {
        {"Only_Pmr", family == 1 || family == 2},
        {"Only_Lmr", family == 0},
        {"Only_QARN", family == 2},
        {"Only_notQARN", family != 2},
        {"Only_notDPmr446", family != 3},
        {"Only_Dealer", model_.extendedMode},
        {"Only_User", !model_.extendedMode},
        {"Only_SACC", (model_.accessByte & 0x08) != 0},
        {"Only_EACC", (model_.accessByte & 0x10) != 0},
        {"Only_Maker", model_.makerReserveMode},
        {"Never", false},
    };
    for (const auto& c : conditions)
      if (StartsWith(name, c.name)) return c.holds;
  }
  const std::string_view word = name.substr(0, name.find(' '));
  if (word == "Only_DPmr446") return family == 3;
  if (word == "Only_notDPmr446") return family != 3;
  if (word == "Only_EEDIT") return false;  // the edit flag it tests is never on
  if (word == "Only_notEEDIT") return true;
  return std::nullopt;
}

void cmcSheetDef::ApplyDirective(std::string_view directive, int line) {
  const std::string_view word = directive.substr(0, directive.find(' '));
  const std::optional<int32_t> n = DirectiveNumber(directive);
  if (word == "LoopFrom") {
    if (!n) return;
    loopStart_ = line;
    loopCount_ = std::max(*n, 1);
  } else if (word == "LoopTo") {
    loopEnd_ = line;
  } else if (word == "SelectON") {
    selectFlag_ = true;
  } else if (word == "SelectOFF") {
    selectFlag_ = false;
  } else if (const std::optional<bool> holds = Condition(directive)) {
    if (!*holds && n) skipCount_ = *n;
  }
}

void cmcSheetDef::CountRows() {
  rows_.clear();
  colCount_ = 0;
  skipCount_ = 0;
  selectFlag_ = true;
  loopStart_ = loopEnd_ = loopCount_ = -1;
  loopBodyRows_ = 0;
  const std::string key = CellsKey();
  for (int i = 0;; ++i) {
    const std::string line = overlay_.GetLine(key, i);
    if (!line.empty() && line[0] == '#') break;
    if (skipCount_ > 0) {
      --skipCount_;
      continue;
    }
    if (!line.empty() && line[0] == ':') {
      ForEachGroup(std::string_view(line).substr(1), [&](std::string_view d) { ApplyDirective(d, i); });
      if (loopStart_ >= 0 && loopEnd_ >= 0 && loopCount_ >= 0) {
        if (int64_t{loopCount_ - 1} * loopBodyRows_ > kMaxRows - RowCount()) cmcFatal(cmcCellObj::kIllegalAssign);
        for (int pass = 1; pass < loopCount_; ++pass)
          for (int k = 1; k <= loopBodyRows_; ++k) rows_.push_back({loopStart_ + k, selectFlag_});
        loopStart_ = loopEnd_ = loopCount_ = -1;
        loopBodyRows_ = 0;
      }
      continue;
    }
    int cells = 0;
    cmcCellObj scratch;
    for (std::string_view rest = line; !rest.empty(); ++cells)
      rest = scratch.ParseCell(rest, nullptr, nullptr, nullptr, true);
    colCount_ = std::max(colCount_, cells);
    if (RowCount() == kMaxRows) cmcFatal(cmcCellObj::kIllegalAssign);
    rows_.push_back({i, selectFlag_});
    loopBodyRows_ = loopStart_ >= 0 && loopEnd_ < 0 ? loopBodyRows_ + 1 : 0;
  }
  if (colCount_ == 0 || rows_.empty()) cmcFatal(cmcCellObj::kIllegalAssign);
  if (kind_ == cmcSheetRef::Kind::kBank || kind_ == cmcSheetRef::Kind::kMemory)
    while (RowCount() < kExtendedRows) rows_.push_back(rows_.back());
  if (int64_t{colCount_} * RowCount() > kMaxCells) cmcFatal(cmcCellObj::kIllegalAssign);
}

void cmcSheetDef::BuildCells() {
  records_.assign(static_cast<size_t>(colCount_) * rows_.size(), Record());
  minSelCol_ = colCount_;
  minSelRow_ = RowCount();
  const std::string key = CellsKey();
  int previousCells = 0;
  for (int r = 0; r < RowCount(); ++r) {
    const Row& row = rows_[static_cast<size_t>(r)];
    const bool copied = r > 0 && rows_[static_cast<size_t>(r) - 1].sourceLine == row.sourceLine;
    const std::string line = copied ? std::string() : overlay_.GetLine(key, row.sourceLine);
    std::string_view rest = line;
    int k = 0;
    for (; copied ? k < previousCells : !rest.empty(); ++k) {
      Record& record = records_[RecordIndex(k, r)];
      if (copied) {
        record.cell.CopyCell(records_[RecordIndex(k, r - 1)].cell);
        ++record.cell.index;
      } else {
        rest = record.cell.ParseCell(rest, &counters_, &basicCell_, models_);
      }
      if (record.cell.index > cmcCellObj::kMaxIndex || record.cell.index < -cmcCellObj::kMaxIndex)
        cmcFatal(cmcCellObj::kIllegalAssign);
      if (record.cell.Selectable()) {
        minSelCol_ = std::min(minSelCol_, k);
        minSelRow_ = std::min(minSelRow_, r);
      }
      record.multiSelect = style_.multiSelect != 0 && row.select;
    }
    previousCells = k;
  }
}

size_t cmcSheetDef::RecordIndex(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount_ || row >= RowCount() || records_.empty())
    cmcFatal("Illegal Cell selection");
  return static_cast<size_t>(col) + static_cast<size_t>(row) * static_cast<size_t>(colCount_);
}

cmcCellObj& cmcSheetDef::CellAt(int col, int row) { return records_[RecordIndex(col, row)].cell; }
const cmcCellObj& cmcSheetDef::CellAt(int col, int row) const { return records_[RecordIndex(col, row)].cell; }
bool cmcSheetDef::MultiSelectable(int col, int row) const { return records_[RecordIndex(col, row)].multiSelect; }
