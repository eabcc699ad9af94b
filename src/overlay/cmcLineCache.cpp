#include "overlay/cmcLineCache.h"

#include <iterator>

const cmcLineCache::Entry* cmcLineCache::Find(std::int64_t start) {
  const auto it = byStart_.find(start);
  if (it == byStart_.end()) return nullptr;
  lines_.splice(lines_.begin(), lines_, it->second);
  return &*it->second;
}

void cmcLineCache::Add(std::int64_t start, std::int64_t length, const std::string& text) {
  if (const auto it = byStart_.find(start); it != byStart_.end()) {
    lines_.erase(it->second);
    byStart_.erase(it);
  }
  if (lines_.size() >= kCapacity) {
    // Reuse the least recently used entry, and its text's storage, for the new line.
    byStart_.erase(lines_.back().start);
    lines_.splice(lines_.begin(), lines_, std::prev(lines_.end()));
    Entry& e = lines_.front();
    e.start = start;
    e.length = length;
    e.text.assign(text);
  } else {
    lines_.push_front(Entry{start, length, text});
  }
  byStart_[start] = lines_.begin();
}

void cmcLineCache::Clear() {
  lines_.clear();
  byStart_.clear();
}
