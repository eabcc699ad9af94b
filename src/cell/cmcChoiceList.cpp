#include "cell/cmcChoiceList.h"

#include <algorithm>

cmcChoiceList::cmcChoiceList(cmcChoiceContext& context, std::string_view listKey, int keyLabel)
    : cache_(*context.cache), listKey_(listKey), keyLabel_(static_cast<uint32_t>(keyLabel)) {
  cache_.TextOfValue(listKey_, keyLabel_, 0);  // builds the entry on first use
  entry_ = cache_.Find(listKey_, keyLabel_);
}

std::string cmcChoiceList::TextOf(int32_t value) const {
  return std::string(cache_.TextOfValue(listKey_, keyLabel_, value));
}

bool cmcChoiceList::Contains(int32_t value) const {
  const auto& byValue = entry_->byValue;
  const auto at = std::lower_bound(byValue.begin(), byValue.end(), value,
                                   [](const cmcFCache::Record& r, int32_t v) { return r.value < v; });
  return at != byValue.end() && at->value == value;
}

int32_t cmcChoiceList::Step(int32_t value, int step) const {
  if (Empty()) return value;
  if (!Contains(value)) return Entries().front().value;
  int32_t next = value;
  cache_.StepValue(listKey_, keyLabel_, value, step, next);
  return next;
}
