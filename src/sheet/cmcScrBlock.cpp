#include "sheet/cmcScrBlock.h"

namespace {

std::string_view TrimBlanks(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

cmcScrBlock::cmcScrBlock(std::string_view text) {
  const std::string_view whole = TrimBlanks(text);
  const size_t blank = whole.find(' ');
  name_ = TrimBlanks(whole.substr(0, blank));
  if (blank == std::string_view::npos) return;
  std::string_view rest = TrimBlanks(whole.substr(blank + 1));
  if (rest.empty()) return;
  for (;;) {
    const size_t comma = rest.find(',');
    items_.emplace_back(TrimBlanks(rest.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
}

std::string cmcScrBlock::Item(int i) const {
  if (i < 0 || i >= Count()) return {};
  return items_[static_cast<size_t>(i)];
}
