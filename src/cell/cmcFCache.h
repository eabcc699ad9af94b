#pragma once
// The value-to-text tables of selection sheets, read once per (sheet, label) from
// the sheet's "_Cells" section of the main overlay and kept for the cache's life:
// sorted by value for lookup and in reading order (down each column) for stepping.
// Entries are never refreshed, so texts stay in the language they were read in.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "overlay/cmcHash.h"

class cmcGTexBase;

class cmcFCache {
 public:
  // One cell of the sheet bound to the entry's label.
  struct Record {
    int32_t line = 0;      // line of the "_Cells" section
    int32_t position = 0;  // cell position in the line, from 0
    int32_t value = 0;     // the cell's index
    const std::string* text = nullptr;
  };

  struct Entry {
    int32_t lineCount = 0;   // lines before the line that ends the section
    int32_t widestLine = 0;  // most cells in one line
    std::vector<Record> byValue;
    std::vector<Record> byReadingOrder;
    std::vector<std::string> texts;  // owned; the records point into it
    std::unique_ptr<Entry> next;

    int32_t Count() const { return static_cast<int32_t>(byValue.size()); }
  };

  // Reads sheets from the given main overlay, which must outlive the cache.
  explicit cmcFCache(cmcGTexBase& overlay);
  ~cmcFCache();
  cmcFCache(const cmcFCache&) = delete;
  cmcFCache& operator=(const cmcFCache&) = delete;

  // "sheet#label", the key an entry is filed under.
  static std::string KeyOf(std::string_view sheet, uint32_t label);

  // The text of the cell with this value, building the entry on first use; "error"
  // when no cell of the entry has the value. A missing "_Cells" section is fatal.
  std::string_view TextOfValue(std::string_view sheet, uint32_t label, int32_t value);
  // The value one step (+1 or -1) away from current in reading order, wrapping at
  // both ends; an unknown current value steps to the first cell (+1) or the last (-1).
  // Builds nothing: false when the entry does not exist yet. Without cells: current.
  bool StepValue(std::string_view sheet, uint32_t label, int32_t current, int step, int32_t& newValue) const;
  // The entry already built for (sheet, label), or nullptr.
  const Entry* Find(std::string_view sheet, uint32_t label) const;

 private:
  Entry* Build(std::string_view sheet, uint32_t label, const std::string& key);

  cmcGTexBase& overlay_;
  cmcHash2 index_{1031};
  Entry head_;  // sentinel; the entries follow it, newest first
};
