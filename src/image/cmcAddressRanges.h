#pragma once
// An address range list as the clone file and the clone protocol take it: inclusive
// (start, end) pairs in order, ended by the first pair whose end is below its start.
// Pairs stored after the terminator are kept but never visited.
#include <cstddef>
#include <initializer_list>
#include <vector>

struct cmcAddressRange {
  int start;
  int end;
};

class cmcAddressRanges {
 public:
  // The pair the program writes to end a list.
  static constexpr cmcAddressRange kTerminator{1, 0};

  cmcAddressRanges() = default;
  // The given pairs; a terminator is implied after the last one.
  cmcAddressRanges(std::initializer_list<cmcAddressRange> pairs);

  // The radio's EEPROM area 0000-7D7F as a one-range list.
  static cmcAddressRanges EepromArea();

  void Add(int start, int end) { pairs_.push_back({start, end}); }
  // Number of pairs before the terminator.
  int Count() const;
  const cmcAddressRange& operator[](int index) const { return pairs_[static_cast<size_t>(index)]; }

 private:
  std::vector<cmcAddressRange> pairs_;
};
