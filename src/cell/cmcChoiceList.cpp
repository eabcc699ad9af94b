#include "cell/cmcChoiceList.h"

#include <algorithm>
#include <cctype>

#include "overlay/cmcTextUtil.h"

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

std::optional<int32_t> cmcChoiceList::ValueOfText(std::string_view typed) const {
  const std::string wanted = cmcTrim(typed);
  const auto same = [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); };
  for (const cmcFCache::Record& e : Entries()) {
    const std::string text = cmcTrim(*e.text);
    if (std::equal(text.begin(), text.end(), wanted.begin(), wanted.end(), same)) return e.value;
  }
  return std::nullopt;
}

std::string cmcChoiceList::ChoicesReason() const {
  std::string reason = "the choices are ";
  bool first = true;
  for (const cmcFCache::Record& e : Entries()) {
    const std::string text = cmcTrim(*e.text);
    if (text.empty()) continue;
    reason += (first ? "" : ", ") + text;
    first = false;
  }
  return reason;
}
