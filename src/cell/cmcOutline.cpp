#include "cell/cmcOutline.h"

#include "overlay/cmcGTexBase.h"

namespace {

bool IsEnd(const std::string& line) { return !line.empty() && line[0] == '#'; }

}  // namespace

cmcOutline::cmcOutline(cmcGTexBase& overlay, std::string_view name, Form form)
    : overlay_(overlay), bodyKey_(std::string(name) + "_Body"), basic_(std::make_shared<cmcCellObj>()) {
  basic_->ParseCell(overlay_.GetLine(std::string(name) + "_BasicCell", 0), nullptr, nullptr, &overlay_);
  for (int i = 0;; ++i) {
    std::string line = overlay_.GetLine(bodyKey_, i);
    if (IsEnd(line)) break;
    lines_.push_back(std::move(line));
  }
  if (form == Form::kFlat) {
    for (size_t i = 0; i < lines_.size(); ++i) Add(static_cast<int>(i), 0, -1, lines_[i]);
  } else {
    ReadRun(0, 0, -1);
  }
  lines_.clear();
}

int cmcOutline::ReadRun(int line, int level, int parent) {
  const int count = static_cast<int>(lines_.size());
  if (line >= count) return line;
  const int runIndent = IndentOf(lines_[static_cast<size_t>(line)]);
  // A deeper line starts sub-items of the item this run made last.
  int last = static_cast<int>(items_.size());
  Add(line, level, parent, DescriptorOf(lines_[static_cast<size_t>(line)]));
  ++line;
  while (line < count) {
    const std::string& text = lines_[static_cast<size_t>(line)];
    const int indent = IndentOf(text);
    if (indent < runIndent) break;
    if (indent > runIndent) {
      line = ReadRun(line, level + 1, last);
      continue;
    }
    last = static_cast<int>(items_.size());
    Add(line, level, parent, DescriptorOf(text));
    ++line;
  }
  return line;
}

void cmcOutline::Add(int line, int level, int parent, std::string_view descriptor) {
  Item item;
  item.level = level;
  item.parent = parent;
  item.line = line;
  item.descriptor = descriptor;
  item.cell = ParseItem(descriptor, *basic_, overlay_);
  items_.push_back(std::move(item));
}

std::vector<int> cmcOutline::Children(int parent) const {
  std::vector<int> children;
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].parent == parent) children.push_back(static_cast<int>(i));
  return children;
}

int cmcOutline::IndentOf(std::string_view line) {
  const size_t plus = line.find('+');
  return static_cast<int>(plus == std::string_view::npos ? line.size() : plus);
}

std::string_view cmcOutline::DescriptorOf(std::string_view line) {
  const size_t plus = line.find('+');
  return plus == std::string_view::npos ? std::string_view() : line.substr(plus + 1);
}

cmcCellObj cmcOutline::ParseItem(std::string_view descriptor, const cmcCellObj& basic, cmcGTexBase& overlay) {
  cmcCellObj cell;
  cell.ParseCell(descriptor, nullptr, &basic, &overlay);
  return cell;
}
