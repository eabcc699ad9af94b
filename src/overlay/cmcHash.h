#pragma once
// Small chained string hash tables that only grow. `cmcHash` maps a key to a
// 32-bit integer, `cmcHash2` to a pointer owned elsewhere. Adding a key twice is a
// fatal error: every table is filled from fixed name lists or unique cache keys.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/cmcFatal.h"

// The bucket of a key for a table of n buckets (n > 0). Bytes count as signed.
uint32_t cmcHashBucket(std::string_view key, uint32_t n);

template <typename Value, const char* DuplicateText>
class cmcHashTable {
 public:
  struct Entry {
    std::string key;
    Value value;
    std::unique_ptr<Entry> next;
  };

  // A table of n buckets; 0 means 1031.
  explicit cmcHashTable(uint32_t n = 0) : heads_(n == 0 ? 1031 : n) {}
  ~cmcHashTable() {
    // Unlink chains iteratively so long chains cannot exhaust the stack.
    for (auto& head : heads_)
      while (head) head = std::move(head->next);
  }
  cmcHashTable(const cmcHashTable&) = delete;
  cmcHashTable& operator=(const cmcHashTable&) = delete;

  uint32_t BucketCount() const { return static_cast<uint32_t>(heads_.size()); }

  // Inserts the key at the head of its chain; a key already present is fatal.
  void Add(std::string_view key, Value value) {
    if (Find(key)) cmcFatal(DuplicateText);
    auto& head = heads_[cmcHashBucket(key, BucketCount())];
    auto entry = std::make_unique<Entry>(Entry{std::string(key), value, std::move(head)});
    head = std::move(entry);
  }

  // The entry whose key equals the given key byte for byte, or nullptr.
  const Entry* Find(std::string_view key) const {
    for (const Entry* e = heads_[cmcHashBucket(key, BucketCount())].get(); e; e = e->next.get())
      if (e->key == key) return e;
    return nullptr;
  }

 private:
  std::vector<std::unique_ptr<Entry>> heads_;
};

inline constexpr char kHashDuplicateText[] = "Overlapped Hash table.";
inline constexpr char kHash2DuplicateText[] = "Overlapped Hash2 table.";

using cmcHash = cmcHashTable<int32_t, kHashDuplicateText>;
using cmcHash2 = cmcHashTable<void*, kHash2DuplicateText>;
