#include "shell/indTreeModel.h"

#include <algorithm>
#include <cstring>

#include "image/cmcImageMap.h"
#include "overlay/cmcGTexBase.h"
#include "sheet/cmcSheetRef.h"
#include "shell/indMain.h"

namespace {

constexpr int kClassOrder[] = {0, 6, 7, 5, 2, 1, 3, 4};

int NormalType(int modelType) { return modelType >= 0 && modelType <= 3 ? modelType : 0; }

}  // namespace

indTreeModel::Filter indTreeModel::FilterFor(const indMain& main) {
  Filter f;
  f.modelType = main.ModelType();
  f.makerReserveMode = main.makerReserveMode;
  f.adjustDataPresent = main.adjustDataPresent;
  f.extendedMode = main.extendedMode;
  f.digitalByte = main.Working().GetByte(cmcImageMap::kSheetAccess);
  const uint8_t* names = main.Working().Data() + cmcImageMap::kBankNames;
  for (size_t b = 0; b < f.bankNames.size(); ++b)
    f.bankNames[b].assign(reinterpret_cast<const char*>(names + 8 * b), 8);
  return f;
}

void indTreeModel::Build() {
  nodes_.clear();
  selected_ = -1;
  body_ = std::make_unique<cmcOutline>(overlay_, "GI_Tree_Main");
  for (const cmcOutline::Item& item : body_->Items()) {
    Node node;
    node.depth = item.level;
    node.cell = item.cell;
    node.caption = node.cell.CellText();
    node.icon = node.cell.imageIndex;
    nodes_.push_back(std::move(node));
  }
  if (!nodes_.empty()) nodes_.front().expanded = true;
}

indTreeModel::Node indTreeModel::MakeNode(int depth, std::string_view descriptor) const {
  Node node;
  node.depth = depth;
  node.cell = cmcOutline::ParseItem(descriptor, BasicCell(), overlay_);
  node.caption = node.cell.CellText();
  node.icon = node.cell.imageIndex;
  return node;
}

int indTreeModel::FindByTarget(std::string_view ref) const {
  for (size_t i = 0; i < nodes_.size(); ++i)
    if (nodes_[i].Target() == ref) return static_cast<int>(i);
  return -1;
}

int indTreeModel::SubtreeEnd(int node) const {
  int end = node + 1;
  while (end < static_cast<int>(nodes_.size()) &&
         nodes_[static_cast<size_t>(end)].depth > nodes_[static_cast<size_t>(node)].depth)
    ++end;
  return end;
}

bool indTreeModel::Kept(int n, const Filter& f) {
  const int type = NormalType(f.modelType);
  switch (n) {
    case 0:
      return f.makerReserveMode;
    case 1:
      return type == 0;
    case 2:
      return type == 1 || type == 2;
    case 3:
      return type == 2;
    case 4:
      return type != 3;
    case 5:
      return (f.digitalByte & 0x10) != 0;
    case 6:
      return f.adjustDataPresent;
    case 7:
      return f.extendedMode;
    default:
      return true;
  }
}

int indTreeModel::Parent(int node) const {
  const int depth = nodes_[static_cast<size_t>(node)].depth;
  for (int i = node - 1; i >= 0; --i)
    if (nodes_[static_cast<size_t>(i)].depth < depth) return i;
  return -1;
}

bool indTreeModel::Visible(int node) const {
  for (int p = Parent(node); p >= 0; p = Parent(p))
    if (!nodes_[static_cast<size_t>(p)].expanded) return false;
  return true;
}

void indTreeModel::Select(int node) { selected_ = node >= 0 && node < static_cast<int>(nodes_.size()) ? node : -1; }

void indTreeModel::SetExpanded(int node, bool expanded) { nodes_.at(static_cast<size_t>(node)).expanded = expanded; }

void indTreeModel::Erase(int first, int end) {
  nodes_.erase(nodes_.begin() + first, nodes_.begin() + end);
  if (selected_ >= end)
    selected_ -= end - first;
  else if (selected_ >= first)
    selected_ = first > 0 ? first - 1 : (nodes_.empty() ? -1 : 0);
}

void indTreeModel::RemoveClass(int n) {
  for (int i = 0; i < static_cast<int>(nodes_.size());) {
    if (nodes_[static_cast<size_t>(i)].cell.Flag(n))
      Erase(i, SubtreeEnd(i));
    else
      ++i;
  }
}

int indTreeModel::AddChild(int parent, std::string_view descriptor) {
  const int at = SubtreeEnd(parent);
  nodes_.insert(nodes_.begin() + at, MakeNode(nodes_[static_cast<size_t>(parent)].depth + 1, descriptor));
  if (selected_ >= at) ++selected_;
  return at;
}

void indTreeModel::AddDigitalTimerNode() {
  const int progMes = FindByTarget("GI_Sheet_Dig_ProgMes");
  if (progMes <= 0) return;  // no node, or none before it to take the timer node
  for (const cmcOutline::Item& item : body_->Items()) {
    if (item.descriptor.find("GI_Sheet_Dig_Tim") == std::string::npos) continue;
    if (FindByTarget(item.cell.argument) < 0) AddChild(progMes - 1, item.descriptor);
    return;
  }
}

void indTreeModel::BuildBankBranch(const Filter& f, int modelType) {
  const int top = FindByTarget("GI_Sheet_Memory_CH_Top");
  if (top < 0) return;
  Erase(top + 1, SubtreeEnd(top));
  const std::string operation = overlay_.GetLine("GI_Tree_Branch_Mch_BankOperation", 0);
  const std::string format = overlay_.GetLine("GI_Tree_Branch_Mch_Bank", 0);
  const char* suffix = indMain::NameSuffixOf(modelType);
  if (operation == "None") {
    AddChild(top, FillFormat(format, suffix, 0));
    return;
  }
  AddChild(top, operation);
  const int banks = indMain::BankCountOf(modelType);
  for (int b = 0; b < banks; ++b) AddChild(top, FillFormat(format, suffix, b));
  for (int b = 0; b < banks; ++b) RelabelBank(b, BankLabel(b, f.bankNames[static_cast<size_t>(b)]));
}

void indTreeModel::ApplyFilter(const Filter& f) {
  const std::string selectedTarget = selected_ >= 0 ? nodes_[static_cast<size_t>(selected_)].Target() : "";
  for (const int n : kClassOrder) {
    if (Kept(n, f)) {
      if (n == 5) AddDigitalTimerNode();
    } else {
      RemoveClass(n);
    }
  }
  BuildBankBranch(f, NormalType(f.modelType));
  if (selected_ >= 0 && nodes_[static_cast<size_t>(selected_)].Target() != selectedTarget &&
      selected_ + 1 < static_cast<int>(nodes_.size()))
    ++selected_;
}

void indTreeModel::ClearMarks() {
  for (Node& node : nodes_) node.mark = kNoMark;
}

int indTreeModel::Mark(int node, const std::vector<std::string>& targets, int mark) {
  Node& n = nodes_.at(static_cast<size_t>(node));
  int marked = 0;
  for (int child = node + 1; child < SubtreeEnd(node); child = SubtreeEnd(child)) marked += Mark(child, targets, mark);
  const bool listed = std::find(targets.begin(), targets.end(), n.Target()) != targets.end();
  if (listed || (!n.expanded && marked > 0)) {
    n.mark = mark;
    ++marked;
  }
  return marked;
}

void indTreeModel::ApplyMarks(const std::vector<std::string>& errors, const std::vector<std::string>& warnings) {
  ClearMarks();
  std::vector<int> tops;
  for (int i = 0; i < static_cast<int>(nodes_.size()); i = SubtreeEnd(i)) tops.push_back(i);
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    Mark(*it, warnings, kWarningMark);
    Mark(*it, errors, kErrorMark);
  }
}

void indTreeModel::SetBankIcons(const std::array<bool, 8>& enabled, const std::array<bool, 8>& holdsChannels) {
  for (Node& node : nodes_) {
    const int bank = BankOfNode(node);
    if (bank < 0 || bank >= 8) continue;
    node.icon = 4 + (enabled[static_cast<size_t>(bank)] ? 2 : 0) + (holdsChannels[static_cast<size_t>(bank)] ? 1 : 0);
  }
}

void indTreeModel::AppendModelName(int modelType) {
  if (nodes_.empty()) return;
  nodes_.front().caption += overlay_.GetLine("GI_AppInd_Model", modelType);
}

void indTreeModel::RelabelBank(int bank, std::string_view label) {
  for (Node& node : nodes_)
    if (BankOfNode(node) == bank) node.caption = label;
}

std::string indTreeModel::BankLabel(int bank, std::string_view name) {
  name = name.substr(0, 8);
  name = name.substr(0, std::min(name.size(), strnlen(name.data(), name.size())));
  std::string label = std::to_string(bank + 1) + ": " + std::string(name);
  while (!label.empty() && label.back() == ' ') label.pop_back();
  return label;
}

int indTreeModel::BankOfNode(const Node& node) { return cmcSheetRef(node.Target()).Bank(); }

std::string indTreeModel::FillFormat(std::string_view format, std::string_view suffix, int number) {
  std::string text;
  for (size_t i = 0; i < format.size(); ++i) {
    const char next = i + 1 < format.size() ? format[i + 1] : '\0';
    if (format[i] == '%' && (next == 's' || next == 'd' || next == '%')) {
      text += next == 's' ? std::string(suffix) : next == 'd' ? std::to_string(number) : std::string("%");
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}
