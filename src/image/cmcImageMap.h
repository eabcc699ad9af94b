#pragma once
// Where the radio memory image keeps what more than one part of the program reads: the
// header words, the packing layout, the fixed-layout areas of records and lists, the
// radio-wide bytes, and the capacities. Every name is an image address unless it says
// otherwise; words are big-endian (cmcEeprom::GetWord). An address that one source
// file alone reads is named in that file.
namespace cmcImageMap {

// ---- Header: the start of the exchanged area --------------------------------------

inline constexpr int kModelCode = 256;           // word: the family's main model code
inline constexpr int kHeaderVersion = 258;       // 1
inline constexpr int kSheetAccess = 267;         // sheet switches: bit 3 SACC; bit 4 EACC, the digital timers
inline constexpr int kMakerMarker = 512;         // kMarker (strict header check)
inline constexpr int kHeaderDataRevision = 520;  // below 2; a clone write puts the radio's revision here
inline constexpr int kModelCode2 = 522;          // word: a model code of the family (strict header check)
// The maker marker, also written just after the packed directory; not an address.
inline constexpr char kMarker[] = "ZELK Inc";
inline constexpr int kMarkerSize = 8;

// ---- Packing layout ---------------------------------------------------------------
// Packing writes two words that the memory budget of the channel and alias rows
// compares against kGroupOneLimit: where the first block group ended (U1), and where
// the packed blocks with their directory end (U2).

inline constexpr int kBudgetWord1 = 528;
inline constexpr int kPackedEnd = 530;  // word: the address just after the end marker
inline constexpr int kPackBase = 532;   // word: kPackStart in every image this program packs
inline constexpr int kBudgetWord2 = 534;
inline constexpr int kDirHeader = 544;         // words: version, entry size, entry count, directory address
inline constexpr int kPackStart = 768;         // the first packed block
inline constexpr int kGroupOneLimit = 15231;   // the last address group 1 may use; the budget's ceiling
inline constexpr int kGroupTwoLimit = 15743;   // the last address groups 2 and 3 may use
inline constexpr int kFixedDirectory = 46752;  // the directory in the fixed layout
inline constexpr int kDirSlots = 50;
inline constexpr int kDirEntrySize = 10;

// ---- Capacities -------------------------------------------------------------------

inline constexpr int kChannelSlots = 128;  // channel records, counted across all banks
inline constexpr int kBanks = 8;
inline constexpr int kMdcAliasSlots = 100;  // the MDC alias list, the one list packed by its count

// ---- Records and lists of the fixed layout: base, element size, count -------------

inline constexpr int kChannelMain = 0x7F80;  // kChannelSlots main channel records
inline constexpr int kChannelMainSize = 22;
inline constexpr int kKeyTable = 0x8A80;          // 16 key function codes
inline constexpr int kFunctionKeyTable = 0x8A90;  // 16 more, for the keys pressed with the function key
inline constexpr int kScanMaps = 0x8AA8;          // four 128-bit channel membership maps, 16 bytes apart
inline constexpr int kChannelExt = 0x9879;        // kChannelSlots channel extensions
inline constexpr int kChannelExtSize = 16;
inline constexpr int kBankCounts = 0xA0CB;     // kBanks words: the channels of each bank
inline constexpr int kCloneComments = 0xA10E;  // two texts saved into clone files
inline constexpr int kCloneCommentSize = 16;
inline constexpr int kUserChars = 0xA12E;  // user display characters: segment masks
inline constexpr int kUserCharSize = 2;
inline constexpr int kUserCharCount = 16;
inline constexpr int kBankNames = 0xA1D7;  // kBanks names
inline constexpr int kBankNameSize = 8;
inline constexpr int kScanLists = 0xA2B7;
inline constexpr int kScanListSize = 18;
inline constexpr int kScanListCount = 17;
inline constexpr int kDtmfMemories = 0xA3E9;
inline constexpr int kDtmfMemorySize = 21;
inline constexpr int kDtmfMemoryCount = 8;
inline constexpr int kDataRevision = 0xA66B;  // the newer-data lockout's revision: 1 once prepared here
inline constexpr int kQarnBoundary = 0xA70D;  // word: the first MSK group address
inline constexpr int kMdcSystems = 0xB13B;
inline constexpr int kMdcSystemSize = 29;
inline constexpr int kMdcSystemCount = 5;
inline constexpr int kMdcAliases = 0xB1CC;  // kMdcAliasSlots aliases
inline constexpr int kMdcAliasSize = 12;
inline constexpr int kMdcAliasCount = 0xB894;  // word: the aliases in use

// ---- Radio-wide bytes -------------------------------------------------------------

inline constexpr int kSetModeFlags = 0x28A;       // bit 6: the set-mode tone is a DTCS code
inline constexpr int kSetModeTone = 0x28B;        // CTCSS index or DTCS position
inline constexpr int kPriorityChannel = 0x296;    // channel number
inline constexpr int kScanBChannel = 0x297;       // channel number
inline constexpr int kPriorityFlags = 0x298;      // bit 4: priority on
inline constexpr int kFiveToneCapacity = 0xA081;  // the tones of a 5-tone code
inline constexpr int kBankFlags = 0xA090;         // SmarTrunk flag of bank b in bit 7 - b
inline constexpr int kStartChannel = 0xA092;      // channel number of the start-up channel
inline constexpr int kGroupTone = 0xA097;         // the 5-tone group-tone digit
inline constexpr int kOptionLevels = 0xA0A0;      // bits 5, 6, 7: high level of option ports 11, 12, 13
inline constexpr int kScramblerPort = 0xA0CA;     // bits 0-1: option port 1, 2 or 3 as 0, 1, 2
inline constexpr int kModelTypeFlags = 0xA0DB;    // bit 0 type 0, bit 1 type 1, bit 2 type 2, bit 5 type 3
inline constexpr int kWidthOptions = 0xA0EE;      // bit 4: the wide and middle widths are allowed
inline constexpr int kToneSelMap = 0xA0F6;        // one bit per tone pair, the first in bit 7
inline constexpr int kClonePassword = 0xA0FC;     // not 0 when the image carries a clone password
inline constexpr int kEmergencyChannel = 0xB67D;  // channel number
// The emergency and man-down flags: bit 3 the emergency code is sent, bit 4 man-down
// on, bit 5 the siren of both, bit 6 the emergency channel is on.
inline constexpr int kEmergencyFlags = 0xB67E;

}  // namespace cmcImageMap
