#pragma once
// The most recently read lines of an overlay file, keyed by the position where
// each line starts. Holds at most 64 lines; adding one more drops the least
// recently used. A hit makes the line the most recently used.
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

class cmcLineCache {
 public:
  static constexpr std::size_t kCapacity = 64;

  struct Entry {
    std::int64_t start;   // position of the line's first byte
    std::int64_t length;  // position after the line minus start
    std::string text;     // as read, line end included
  };

  // The line starting at start, made most recently used; nullptr on a miss.
  const Entry* Find(std::int64_t start);
  // Stores a line as the most recently used one.
  void Add(std::int64_t start, std::int64_t length, const std::string& text);
  void Clear();
  std::size_t Count() const { return lines_.size(); }

 private:
  std::list<Entry> lines_;  // most recently used first
  std::unordered_map<std::int64_t, std::list<Entry>::iterator> byStart_;
};
