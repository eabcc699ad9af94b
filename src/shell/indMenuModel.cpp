#include "shell/indMenuModel.h"

#include <algorithm>
#include <array>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcOutline.h"
#include "cell/indActiveCell.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcSheetModel.h"

namespace {

// The menu flags the dispatch sets on a command's cell.
constexpr int kFlagChecked = 0;
constexpr int kFlagHidden = 1;
constexpr int kFlagDisabled = 2;
constexpr int kFlagCaption = 3;

constexpr std::array<std::string_view, 18> kKeyNames = {"Enter", "Esc",  "Tab",   "Space",  "BkSp",     "Del",
                                                        "Ins",   "Home", "End",   "PgUp",   "PgDn",     "Up",
                                                        "Down",  "Left", "Right", "PageUp", "PageDown", "Backspace"};

bool IsKeyName(std::string_view key) {
  if (key.size() == 1) return (key[0] >= 'A' && key[0] <= 'Z') || (key[0] >= '0' && key[0] <= '9');
  if (key.size() >= 2 && key.size() <= 3 && key[0] == 'F') {
    const int n = key.size() == 2 ? key[1] - '0' : (key[1] - '0') * 10 + (key[2] - '0');
    return key.find_first_not_of("0123456789", 1) == std::string_view::npos && n >= 1 && n <= 12;
  }
  return std::find(kKeyNames.begin(), kKeyNames.end(), key) != kKeyNames.end();
}

}  // namespace

indMenuModel::indMenuModel(cmcGTexBase& overlay, std::string section, indActiveCell& dispatch, cmcEvMan* events)
    : overlay_(overlay), section_(std::move(section)), dispatch_(dispatch), events_(events) {
  items_[kRoot].id = kRoot;
  if (events_) events_->Listen<&indMenuModel::OnEvent>(this);
}

indMenuModel::~indMenuModel() {
  if (events_) events_->Unlisten<&indMenuModel::OnEvent>(this);
}

indMenuModel::Item* indMenuModel::Get(int id) {
  const auto it = items_.find(id);
  return it == items_.end() ? nullptr : &it->second;
}

const indMenuModel::Item* indMenuModel::Find(int id) const {
  const auto it = items_.find(id);
  return it == items_.end() ? nullptr : &it->second;
}

void indMenuModel::Rebuilt(int id) {
  if (listener_.rebuilt) listener_.rebuilt(id);
}

void indMenuModel::Build() {
  RemoveChildren(kRoot);
  AddItems(kRoot, section_, owner_);
  Rebuilt(kRoot);
}

void indMenuModel::RemoveChildren(int id) {
  Item* item = Get(id);
  if (!item) return;
  const std::vector<int> children = std::move(item->children);
  item->children.clear();
  for (const int child : children) {
    RemoveChildren(child);
    items_.erase(child);
  }
}

void indMenuModel::AddItems(int parent, const std::string& section, cmcSheetModel* owner) {
  const cmcOutline outline(overlay_, section);
  std::vector<int> ids(outline.Items().size());
  for (size_t i = 0; i < outline.Items().size(); ++i) {
    const cmcOutline::Item& line = outline.Items()[i];
    const int id = nextId_++;
    ids[i] = id;
    Item& item = items_[id];
    item.id = id;
    item.parent = line.parent < 0 ? parent : ids[static_cast<size_t>(line.parent)];
    item.cell = line.cell;
    item.basic = outline.SharedBasicCell();
    item.caption = item.cell.CellText();
    if (item.cell.label != CallSheet) item.shortcut = ShortcutOf(item.cell.argument);
    item.icon = item.cell.imageIndex;
    item.owner = owner;
    items_[item.parent].children.push_back(id);
  }
}

void indMenuModel::Fill(int id, const std::string& section, cmcSheetModel* owner) {
  Item* item = Get(id);
  if (!item) return;
  if (!owner && !item->children.empty()) {
    const Item* first = Find(item->children.front());
    if (first && first->owner) return;  // a sheet's items stay until that sheet clears them
  }
  RemoveChildren(id);
  AddItems(id, section, owner);
  Rebuilt(id);
}

void indMenuModel::Clear(int id, cmcSheetModel* owner) {
  const Item* item = Find(id);
  if (!item || item->children.empty()) return;
  if (owner && Find(item->children.front())->owner != owner) return;
  RemoveChildren(id);
  Rebuilt(id);
}

int indMenuModel::FindByLabel(int label) const {
  std::vector<int> stack{kRoot};
  while (!stack.empty()) {
    const int id = stack.back();
    stack.pop_back();
    const Item* item = Find(id);
    if (!item) continue;
    if (id != kRoot && item->cell.label == static_cast<uint32_t>(label)) return id;
    stack.insert(stack.end(), item->children.rbegin(), item->children.rend());
  }
  return kNone;
}

std::vector<std::string> indMenuModel::Captions(int id) const {
  std::vector<std::string> captions;
  if (const Item* item = Find(id))
    for (const int child : item->children) captions.push_back(Find(child)->caption);
  return captions;
}

void indMenuModel::Refresh() {
  asked_ = nullptr;
  hasContext_ = false;
  std::vector<int> stack{kRoot};
  while (!stack.empty()) {
    const int id = stack.back();
    stack.pop_back();
    if (id != kRoot) RefreshItem(id);
    if (const Item* item = Find(id)) stack.insert(stack.end(), item->children.rbegin(), item->children.rend());
  }
  if (listener_.refreshed) listener_.refreshed();
}

void indMenuModel::RefreshItem(int id) {
  Item* item = Get(id);
  if (!item) return;
  if (item->owner != asked_) {
    asked_ = item->owner;
    hasContext_ = false;
    if (asked_ && events_) {
      const auto answer = events_->Ask(kEvAskPopupCell, reinterpret_cast<intptr_t>(asked_));
      if (answer && answer->data) {
        context_.CopyCell(*reinterpret_cast<const cmcCellObj*>(answer->data));
        hasContext_ = true;
      }
    }
  }
  // The command may change the menu: it runs on a copy.
  cmcCellObj cell;
  cell.CopyCell(item->cell);
  for (const int flag : {kFlagChecked, kFlagHidden, kFlagDisabled, kFlagCaption}) cell.SetFlag(flag, false);
  cmcCellCapsule context;
  context.cell = &context_;
  cmcCellCapsule c;
  c.owner = this;
  c.cell = &cell;
  if (hasContext_) c.parent = &context;
  dispatch_.Dispatch(c, false);

  item = Get(id);
  if (!item) return;
  item->checked = cell.Flag(kFlagChecked);
  item->visible = !cell.Flag(kFlagHidden);
  item->enabled = !cell.Flag(kFlagDisabled);
  if (cell.Flag(kFlagCaption) && cell.CellText() != item->caption) item->caption = cell.CellText();
  item->icon = cell.imageIndex;
}

void indMenuModel::Click(int id) {
  const Item* item = Find(id);
  if (!item || id == kRoot) return;
  if (item->owner) {
    // The sheet runs its own popup command, if it is still there to answer for itself.
    cmcSheetModel* sheet = item->owner;
    const int label = static_cast<int>(item->cell.label);
    if (!events_ || !events_->Ask(kEvAskPopupCell, reinterpret_cast<intptr_t>(sheet))) return;
    sheet->ChooseMenuItem(label);
  } else {
    cmcCellObj cell;
    cell.CopyCell(item->cell);
    cmcCellCapsule c;
    c.owner = this;
    c.cell = &cell;
    c.keyCode = 13;
    dispatch_.Dispatch(c, false);
  }
  Refresh();
}

void indMenuModel::OnEvent(cmcEvent& event) {
  switch (event.code) {
    case kEvRefreshMenus:
      Refresh();
      break;
    case kEvClearSubmenu:
      Clear(FindByLabel(static_cast<int>(event.argument)), reinterpret_cast<cmcSheetModel*>(event.sender));
      break;
    case kEvFillSubmenu:
      Fill(FindByLabel(static_cast<int>(event.argument)), event.Text(), reinterpret_cast<cmcSheetModel*>(event.sender));
      break;
    default:
      break;
  }
}

std::string indMenuModel::ShortcutOf(std::string_view argument) {
  std::string_view rest = argument;
  for (;;) {
    const size_t plus = rest.find('+');
    if (plus == std::string_view::npos || plus + 1 == rest.size()) break;
    const std::string_view modifier = rest.substr(0, plus);
    if (modifier != "Ctrl" && modifier != "Shift" && modifier != "Alt") return {};
    rest = rest.substr(plus + 1);
  }
  return IsKeyName(rest) ? std::string(argument) : std::string();
}
