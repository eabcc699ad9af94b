#pragma once
// Bank arithmetic and channel block moves on the current image: the eight bank
// channel counts, which channels each bank holds, how many are in use, the memory
// budget, and the deletion and insertion of channels with the scan-list reference
// fix-ups. Fresh records come from the default image (the initial image loaded at
// start-up). Bank or channel numbers out of range return 0 or −1 and write nothing.
#include <cstdint>

class cmcEeprom;

// The bank a sheet row shows: its number, first and last channel, and its count.
struct dst_BankContext {
  int bank = 0;
  int first = 0;
  int last = 0;
  int count = 0;
};

class datChBank {
 public:
  // Change mask bits handed back to the dispatch.
  static constexpr int kMaskAttrOrBank = 0x04;
  static constexpr int kMaskRecord = 0x08;
  static constexpr int kMaskLayout = 0x20;

  explicit datChBank(cmcEeprom* image, const cmcEeprom* defaults = nullptr) : image_(image), defaults_(defaults) {}

  int BankCount(int b) const;
  // b 0–7; returns the count written, 0 (and no write) for another bank.
  int SetBankCount(int b, int count);
  int BankFirst(int b) const;
  // first + count − 1, never below 0.
  int BankLast(int b) const;
  int TotalChannels() const;
  // The bank whose running total first reaches k; 0 when none does.
  int BankOfOrdinal(int k) const;
  // The bank holding channel n (0–7), 8 when n lies beyond all banks.
  int BankOfChannel(int n) const;
  int UsedInBank(int b) const;
  int UsedTotal() const;
  // Channels in use among first … last; −1 for a range outside 0–127 or reversed.
  int UsedInRange(int first, int last) const;
  // All zero for a bank outside 0–7.
  dst_BankContext Context(int b) const;

  bool BankFlag(int b) const;
  void SetBankFlag(int b, bool on);
  // Banks are in use when bank 1 holds channels.
  bool BankMode() const { return BankCount(1) > 0; }
  // Resets the counts: all 0, then 4 and 4 in banks 0 and 1 (on) or 128 in bank 0 (off).
  void SetBankMode(bool on);

  // True when k more records of the cell category fit the memory budget.
  bool RoomFor(int category, int k) const;
  // The largest j ≤ k with RoomFor(category, j), counting down; 0 when none.
  int MostThatFit(int category, int k) const;

  // Removes channel n from count slots: scan references fixed, later channels moved down,
  // the last slot reset from the default image. Returns the change mask (bits 3 and 5).
  int DeleteChannel(int kind, int n, int count);
  // Opens slot n: references at or above n move up, channels moved up, slot n reset.
  int InsertChannel(int kind, int n, int count);
  // Copies record n of the default image into the image, keeping the attribute bits.
  void ResetFromDefault(int kind, int n);

  // The range a typed size of bank b is clamped into: the count minus the blank
  // channels at its end … the count plus the channels that still fit.
  void BankSizeRange(int b, int& lo, int& hi) const;
  // Grows or shrinks bank b to the clamped size with blank channels, moving only the
  // channels of the banks; returns the mask (bit 2, with bits 3 and 5 when channels
  // moved); 0 for a bank outside 0–7.
  int ChangeBankSize(int kind, int b, int newCount);

  int MdcAliasCount() const;
  void SetMdcAliasCount(int count);
  // Up to 100 aliases; never below 0.
  void IncMdcAliasCount();
  void DecMdcAliasCount();

  static bool IsChannelCategory(int category) {
    return category == 2 || category == 4 || category == 5 || category == 6;
  }
  static constexpr int kCategoryMdcAlias = 25;

 private:
  bool ChannelInUse(int n) const;
  void MoveChannel(int kind, int from, int to);

  cmcEeprom* image_;
  const cmcEeprom* defaults_;
};
