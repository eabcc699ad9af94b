#include "cell/cmcFCache.h"

#include <algorithm>

#include "cell/cmcCellObj.h"
#include "overlay/cmcGTexBase.h"

cmcFCache::cmcFCache(cmcGTexBase& overlay) : overlay_(overlay) {}

cmcFCache::~cmcFCache() {
  // Unlink iteratively: a long list must not recurse through the destructors.
  while (head_.next) head_.next = std::move(head_.next->next);
}

std::string cmcFCache::KeyOf(std::string_view sheet, uint32_t label) {
  std::string key(sheet);
  key += '#';
  key += std::to_string(static_cast<int32_t>(label));
  return key;
}

const cmcFCache::Entry* cmcFCache::Find(std::string_view sheet, uint32_t label) const {
  const auto* found = index_.Find(KeyOf(sheet, label));
  return found ? static_cast<const Entry*>(found->value) : nullptr;
}

cmcFCache::Entry* cmcFCache::Build(std::string_view sheet, uint32_t label, const std::string& key) {
  auto owned = std::make_unique<Entry>();
  Entry* entry = owned.get();
  owned->next = std::move(head_.next);
  head_.next = std::move(owned);
  index_.Add(key, entry);

  const std::string section = std::string(sheet) + "_Cells";

  // Calls visit(line, position, cell) for every cell; returns the line count. Each
  // walk parses as a freshly built sheet does: counters from 0 and one scratch cell,
  // so a cell without its own category or index carries those of the cell before it.
  // Restarting for the second walk keeps counter-numbered indices equal to the sheet's.
  auto walk = [&](auto&& visit) {
    cmcCellObj cell;
    cmcCellCounters counters{};
    int32_t line = 0;
    for (;; ++line) {
      const std::string text = overlay_.GetLine(section, line);
      if (!text.empty() && text[0] == '#') break;
      std::string_view rest = text;
      int32_t position = 0;
      while (!rest.empty()) {  // an empty line holds no cells
        rest = cell.ParseCell(rest, &counters, nullptr, &overlay_);
        visit(line, position++, cell);
      }
    }
    return line;
  };

  size_t count = 0;
  entry->lineCount = walk([&](int32_t, int32_t, const cmcCellObj& c) { count += c.label == label; });

  std::vector<Record> records;
  records.reserve(count);
  entry->texts.reserve(count);
  walk([&](int32_t line, int32_t position, const cmcCellObj& c) {
    entry->widestLine = std::max(entry->widestLine, position + 1);
    if (c.label != label) return;
    entry->texts.push_back(c.argument.empty() ? c.text : c.argument);
    records.push_back({line, position, c.index, nullptr});
  });
  for (size_t i = 0; i < records.size(); ++i) records[i].text = &entry->texts[i];

  std::stable_sort(records.begin(), records.end(), [](const Record& a, const Record& b) { return a.value < b.value; });
  entry->byValue = records;
  const int64_t lines = entry->lineCount;
  auto readingKey = [lines](const Record& r) { return r.line + lines * r.position; };
  std::stable_sort(records.begin(), records.end(),
                   [&](const Record& a, const Record& b) { return readingKey(a) < readingKey(b); });
  entry->byReadingOrder = std::move(records);
  return entry;
}

std::string_view cmcFCache::TextOfValue(std::string_view sheet, uint32_t label, int32_t value) {
  const std::string key = KeyOf(sheet, label);
  const auto* found = index_.Find(key);
  const Entry* entry = found ? static_cast<const Entry*>(found->value) : Build(sheet, label, key);
  const auto& byValue = entry->byValue;
  const auto it =
      std::lower_bound(byValue.begin(), byValue.end(), value, [](const Record& r, int32_t v) { return r.value < v; });
  if (it == byValue.end() || it->value != value) return "error";
  return *it->text;
}

bool cmcFCache::StepValue(std::string_view sheet, uint32_t label, int32_t current, int step, int32_t& newValue) const {
  const Entry* entry = Find(sheet, label);
  if (!entry) return false;
  const auto& order = entry->byReadingOrder;
  const int32_t count = entry->Count();
  if (count == 0) {
    newValue = current;
    return true;
  }
  const auto it = std::find_if(order.begin(), order.end(), [current](const Record& r) { return r.value == current; });
  int32_t q = static_cast<int32_t>(it - order.begin()) + step;
  if (q >= count) q = 0;
  if (q < 0) q = count - 1;
  newValue = order[q].value;
  return true;
}
