#pragma once
// Keyed access to one overlay (a file or an in-memory array of lines): line n of a
// key is the n-th physical line after the key line. Keys are indexed lazily and only
// as far as the wanted key, keys found deep in the list move to its front, each key
// keeps a cursor so walking a list reads one line per step, and the 64 most recently
// read file lines are served from memory. A failed lookup is a fatal error.
// The overlay stores derive from this class and choose which sources they accept.
#include <cstdint>
#include <list>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "overlay/cmcLineCache.h"
#include "overlay/cmcTextModeFile.h"

class cmcGTexBase {
 public:
  // A piece of a physical line holds at most this many bytes, line end included.
  static constexpr std::size_t kMaxLineBytes = 8191;

  // Work done so far, for tests and benchmarks.
  struct Counters {
    std::uint64_t lineReads = 0;    // lines read for lookups, cache hits included
    std::uint64_t sourceReads = 0;  // lines taken from the source itself (scan and cache misses)
  };

  cmcGTexBase() = default;
  cmcGTexBase(const cmcGTexBase&) = delete;
  cmcGTexBase& operator=(const cmcGTexBase&) = delete;

  // Line n after the key line, without its line end; fatal when it cannot be read.
  std::string GetLine(std::string_view key, int n);

  // The names of the indexed keys, head of the key list first.
  std::vector<std::string> KeyOrder() const;
  const Counters& Stats() const { return counters_; }

 protected:
  ~cmcGTexBase() = default;

  bool HasSource() const { return kind_ != Kind::kNone; }
  // Forgets every key, cursor and cached line, then takes the file as the source.
  void ResetToFile(const std::string& path);
  // Takes the caller's lines as the source; they must outlive the store.
  void UseLines(std::span<const std::string> lines);

 private:
  enum class Kind { kNone, kLines, kFile };

  struct KeyEntry {
    std::string name;
    std::int64_t start;  // position of line 0
    int cursorLine = 0;
    std::int64_t cursorPos;
  };
  using KeyList = std::list<KeyEntry>;

  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };

  [[noreturn]] static void Fail(std::string_view key);
  bool Open();
  KeyEntry* FindKey(std::string_view key);
  // Indexes one more line; returns the new entry when that line was a key line.
  KeyEntry* ScanOneLine();
  // One line from the source at the current position, bypassing the cache.
  bool ReadSource(std::string& line);
  // One line at the current position, through the cache for files.
  bool ReadCached(std::string& line);

  Kind kind_ = Kind::kNone;
  bool open_ = false;
  std::string fileName_;
  cmcTextModeFile file_;
  std::span<const std::string> lines_;
  std::int64_t pos_ = 0;
  std::int64_t scanPos_ = 0;
  bool scanActive_ = true;
  KeyList keys_;  // discovery order, found-deep keys moved to the front
  std::unordered_map<std::string, KeyList::iterator, NameHash, std::equal_to<>> firstByName_;
  cmcLineCache cache_;
  std::string line_;
  Counters counters_;
};
