#pragma once
// The record kinds of the image's channel and list memory, with each kind's index
// range, its row-change flag and the image regions one record occupies. Addresses are
// image addresses (cmcImageMap); regions are (base, stride, size): record n starts at
// base + stride * n.
#include <array>
#include <cstdint>

namespace datChKind {
inline constexpr int kNone = 0;
inline constexpr int kLmr = 1;        // LMR memory channel
inline constexpr int kPmr = 2;        // PMR memory channel
inline constexpr int kQarnPmr = 3;    // QarnPmr memory channel
inline constexpr int kDPmr446 = 4;    // dPMR446 memory channel
inline constexpr int kUserChar = 5;   // user display character (segment mask)
inline constexpr int kDtmf = 6;       // DTMF memory
inline constexpr int kScanList = 7;   // scan list
inline constexpr int kTonePair = 8;   // receive/transmit tone pair
inline constexpr int kRx5Tone = 9;    // 5-tone receive code
inline constexpr int kTx5Tone = 10;   // 5-tone transmit code
inline constexpr int kUserTone = 11;  // user tone
inline constexpr int k2Tone = 12;     // 2-tone code
inline constexpr int k2ToneTxCommon = 13;
inline constexpr int kBank = 14;          // bank name
inline constexpr int kMskIdGroup = 15;    // MSK ID group
inline constexpr int kMskCallList = 16;   // MSK call list entry
inline constexpr int kMskStatus = 17;     // MSK status message
inline constexpr int kMskShortText = 18;  // MSK short text message
inline constexpr int kDigStatus = 19;     // digital status message
inline constexpr int kMdcAlias = 20;      // MDC alias
inline constexpr int kCount = 21;

inline constexpr bool IsChannel(int kind) { return kind >= kLmr && kind <= kDPmr446; }
}  // namespace datChKind

struct datChRegion {
  int base;
  int stride;
  int size;
};

struct datChKindInfo {
  int first;  // index range first … last; last < first for kind 0
  int last;
  uint8_t flag;  // bit 0: rows may be deleted, inserted and cleared
  int regionCount;
  std::array<datChRegion, 6> regions;
};

// The kind table; an unknown kind reads as kind 0.
const datChKindInfo& datChKindOf(int kind);
inline bool datChKindAllowsRowChange(int kind) { return (datChKindOf(kind).flag & 1) != 0; }
