#include "cell/cmcItemLists.h"

#include <algorithm>
#include <cctype>

#include "overlay/cmcGTexBase.h"
#include "overlay/cmcTextUtil.h"

namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
  return out;
}

}  // namespace

std::vector<std::string> ReadItems(cmcGTexBase& overlay, std::string_view listKey) {
  std::vector<std::string> items;
  for (int n = 0;; ++n) {
    const std::string line = overlay.GetLine(listKey, n);
    if (line.starts_with('#')) return items;
    // An empty item (a trailing comma) is no item.
    for (size_t from = 0; from <= line.size();) {
      size_t comma = line.find(',', from);
      if (comma == std::string::npos) comma = line.size();
      std::string item = cmcTrim(std::string_view(line).substr(from, comma - from));
      if (!item.empty()) items.push_back(std::move(item));
      from = comma + 1;
    }
  }
}

cmcItemMatch FindItem(cmcGTexBase& overlay, std::string_view listKey, std::string_view text) {
  const std::string wanted = Upper(cmcTrim(text));
  cmcItemMatch match;
  const std::vector<std::string> items = ReadItems(overlay, listKey);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].size() < wanted.size()) continue;
    if (Upper(std::string_view(items[i]).substr(0, wanted.size())) != wanted) continue;
    if (match.count++ == 0) match.first = static_cast<int>(i);
  }
  return match;
}

std::string ItemAt(cmcGTexBase& overlay, std::string_view listKey, int n) {
  const std::vector<std::string> items = ReadItems(overlay, listKey);
  return n >= 0 && static_cast<size_t>(n) < items.size() ? items[static_cast<size_t>(n)] : std::string();
}

int ItemPosition(cmcGTexBase& overlay, std::string_view listKey, std::string_view text) {
  const std::vector<std::string> items = ReadItems(overlay, listKey);
  const auto at = std::find(items.begin(), items.end(), text);
  return at == items.end() ? -1 : static_cast<int>(at - items.begin());
}
