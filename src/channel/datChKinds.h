#pragma once
// The record kinds of the image's channel and list memory, with each kind's index
// range, its row-change flag and the image regions one record occupies, plus the
// radio-wide addresses the channel records and banks derive from. Addresses are
// image addresses; regions are (base, stride, size): record n starts at base + stride * n.
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

namespace datChAdr {
inline constexpr int kChannelSlots = 128;
inline constexpr int kMain = 0x7F80;  // 22-byte main channel records
inline constexpr int kMainSize = 22;
inline constexpr int kExt = 0x9879;  // 16-byte channel extensions
inline constexpr int kExtSize = 16;
inline constexpr int kPriorityCh = 0x296;   // priority channel number
inline constexpr int kScanBCh = 0x297;      // scan-B channel number
inline constexpr int kPriorityEna = 0x298;  // bit 4: priority on
inline constexpr int kStartCh = 0xA092;     // start channel number
inline constexpr int kEmergencyCh = 0xB67D;
inline constexpr int kEmergencyEna = 0xB67E;  // bit 6: emergency channel on
inline constexpr int kScanMaps = 0x8AA8;      // four 128-bit membership maps, 16 bytes apart
inline constexpr int kScanLists = 0xA2B7;     // 17 scan list records of 18 bytes
inline constexpr int kScanListCount = 17;
inline constexpr int kScanListSize = 18;
inline constexpr int kToneSelMap = 0xA0F6;  // one bit per tone pair, first entry in bit 7
inline constexpr int kBankCounts = 0xA0CB;  // 8 big-endian words
inline constexpr int kBankFlags = 0xA090;   // SmarTrunk flag of bank b in bit 7 - b
inline constexpr int kBanks = 8;
inline constexpr int kUsed1 = 0x210;  // memory budget words kept by the model controller
inline constexpr int kUsed2 = 0x216;
inline constexpr int kCapacity = 15231;
inline constexpr int kQarnBoundary = 0xA70D;   // MSK group boundary word
inline constexpr int kMdcAliasCount = 0xB894;  // big-endian word
inline constexpr int kMdcAliasMax = 100;
inline constexpr uint32_t kMaxFrequency = 799999950;
}  // namespace datChAdr
