#pragma once
// The MSK address ranges, all derived from one stored value: the group boundary G
// (big-endian word at 0xA70D). Individual addresses are 0 … G − 1, group addresses
// G … 4095. Setting G stores the word and derives the ranges again.
#include <array>

class cmcEeprom;

struct dst_AdrRange {
  int lo = 0;
  int hi = 0;
  bool Contains(int a) const { return a >= lo && a <= hi; }
};

class datQarnAdr {
 public:
  static constexpr int kAddressMax = 4095;

  explicit datQarnAdr(cmcEeprom* image);

  int Boundary() const { return boundary_; }
  void SetBoundary(int g);
  // Reads G from the image and derives the ranges.
  void Reload();

  dst_AdrRange whole;                         // 0 … 4095
  dst_AdrRange individual;                    // 0 … G − 1 (empty while G is 0)
  dst_AdrRange group;                         // G … 4095
  std::array<dst_AdrRange, 7> groupRanges{};  // preset to G … 4095
  std::array<dst_AdrRange, 32> callRanges{};  // preset to 0 … 4095

 private:
  void Derive();
  cmcEeprom* image_;
  int boundary_ = 0;
};
