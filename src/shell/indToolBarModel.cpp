#include "shell/indToolBarModel.h"

#include "cell/cmcCellCapsule.h"
#include "cell/cmcOutline.h"
#include "cell/indActiveCell.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"

namespace {

constexpr int kFlagChecked = 0;
constexpr int kFlagDisabled = 2;

}  // namespace

indToolBarModel::indToolBarModel(cmcGTexBase& overlay, std::string section, indActiveCell& dispatch, cmcEvMan* events)
    : overlay_(overlay), section_(std::move(section)), dispatch_(dispatch), events_(events) {
  if (events_) events_->Listen<&indToolBarModel::OnEvent>(this);
}

indToolBarModel::~indToolBarModel() {
  if (events_) events_->Unlisten<&indToolBarModel::OnEvent>(this);
}

void indToolBarModel::Build() {
  entries_.clear();
  wraps_ = true;
  const cmcOutline outline(overlay_, section_, cmcOutline::Form::kFlat);
  basic_ = outline.SharedBasicCell();
  int row = 0;
  for (const cmcOutline::Item& line : outline.Items()) {
    Entry entry;
    entry.row = row;
    entry.cell = line.cell;
    const std::string& text = entry.cell.CellText();
    if (text == "-") {
      entry.kind = Entry::Kind::kGap;
    } else if (text == "/") {
      entry.kind = Entry::Kind::kRowBreak;
      wraps_ = false;
      ++row;
    } else {
      entry.hint = text;
      entry.icon = entry.cell.imageIndex;
    }
    entries_.push_back(std::move(entry));
  }
}

void indToolBarModel::Refresh() {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].kind != Entry::Kind::kButton) continue;
    cmcCellObj cell;
    cell.CopyCell(entries_[i].cell);
    cell.SetFlag(kFlagChecked, false);
    cell.SetFlag(kFlagDisabled, false);
    cmcCellCapsule c;
    c.owner = this;
    c.cell = &cell;
    dispatch_.Dispatch(c, false);
    if (i >= entries_.size()) return;  // the command rebuilt the tool bar
    Entry& entry = entries_[i];
    entry.checked = cell.Flag(kFlagChecked);
    entry.enabled = !cell.Flag(kFlagDisabled);
    entry.icon = cell.imageIndex;
  }
  if (refreshed_) refreshed_();
}

void indToolBarModel::Click(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  if (entries_[static_cast<size_t>(index)].kind != Entry::Kind::kButton) return;
  cmcCellObj cell;
  cell.CopyCell(entries_[static_cast<size_t>(index)].cell);
  cmcCellCapsule c;
  c.owner = this;
  c.cell = &cell;
  c.keyCode = 13;
  dispatch_.Dispatch(c, false);
}

void indToolBarModel::OnEvent(cmcEvent& event) {
  if (event.code == kEvRefreshToolBars) Refresh();
}
