#pragma once
// Stored settings described by table rows, and the one runner for them. A row names
// where the value lives (up to three weighted bit fields of image bytes, of a table
// record at a base its handler gives, or of the loaded record's setting or scan-list
// bytes; or a field of the loaded channel), the codec that shows and edits it with its
// list key and limits, and what a change does. Running a row follows the handler
// pattern: read, run the codec, and put back only what the codec changed (storing the
// record it came from); committing the very text the cell shows changes nothing.
#include <cstdint>
#include <span>

#include "cell/cmcCellIds.h"

class datCh;
class indCellHandlers;
class indCellRequest;

// Bits shift … shift + width - 1 of the byte at address, worth weight each; width 16
// is the big-endian word at address. For the text and digit codecs: width bytes (or
// digits) from address.
struct indBitField {
  int address = -1;
  int shift = 0;
  int width = 0;
  int weight = 1;
};

constexpr indBitField Bits(int address, int shift, int width, int weight = 1) {
  return {address, shift, width, weight};
}
constexpr indBitField Bit(int address, int bit, int weight = 1) { return {address, bit, 1, weight}; }
constexpr indBitField Byte(int address) { return {address, 0, 8, 1}; }
constexpr indBitField Word(int address) { return {address, 0, 16, 1}; }
constexpr indBitField Run(int address, int length) { return {address, 0, length, 1}; }

// What the addresses of a place count from.
enum class indIn : uint8_t {
  kImage,     // image addresses
  kTable,     // offsets from the base address the handler hands the runner
  kSettings,  // offsets in the loaded record's setting bytes (datCh::settings)
  kScanSet,   // offsets in the loaded scan list's bytes 8-13 (datCh::scanSet)
  kChannel,   // a field of the loaded channel record, read and put back through field
};

// A field of the channel record: how its value is read and put back.
struct indChannelField {
  int (*get)(const datCh&) = nullptr;
  void (*put)(datCh&, int) = nullptr;
};

// Where a value lives: value = sum of field × weight. Stored back from the heaviest
// field down, each taking value / weight within its width; other bits are kept.
struct indPlace {
  constexpr indPlace(indBitField a, indBitField b = {}, indBitField c = {}) : parts{a, b, c} {}
  constexpr indPlace(indChannelField f) : in(indIn::kChannel), field(f) {}
  indBitField parts[3];
  indIn in = indIn::kImage;
  indChannelField field{};
};

constexpr indPlace InPlace(indIn in, indBitField f) {
  indPlace p(f);
  p.in = in;
  return p;
}
constexpr indPlace InTable(indBitField f) { return InPlace(indIn::kTable, f); }
constexpr indPlace InSettings(indBitField f) { return InPlace(indIn::kSettings, f); }
constexpr indPlace InScanSet(indBitField f) { return InPlace(indIn::kScanSet, f); }

enum class indCodecKind : uint8_t {
  kChoice,          // the list's entry of the value, key label Flex0
  kChoiceMark,      // the same, its entries marked where the channel or model refuses them
  kByteChoice,      // the list's entry on the whole byte
  kTypedChoice,     // a choice that may be typed as a number, with its key label
  kFirstEntry,      // always the entry of value 0; nothing is stored
  kFixedText,       // the list field is the text; nothing is stored
  kInteger,         // min … max
  kTimer,           // 1/scale units, min … max
  kMinuteSecond,    // scale-second units, min … max seconds
  kDecimal,         // scale stored and shown decimals, min … max in steps of step, in stored units
  kPadded,          // four digits with leading zeros, min … max
  kNibbles,         // shown hexadecimal digits (none: width / 4), the first in the highest nibble
  kSingleDigit,     // one digit 0-9 and A-E, or A-F with upToF
  kFlagSet,         // flags min … max in plain style, the first in bit 7; max 0: the 5-tone capacity
  kRadioText,       // width characters in the radio's codes with the user characters
  kPlainText,       // width plain characters, space-padded
  kZeroFilledText,  // width plain characters, zero-filled
  kDigits,          // width decimal digits, one per nibble, the first in a high nibble
};

struct indCodecRule {
  indCodecKind kind = indCodecKind::kChoice;
  const char* list = nullptr;
  int32_t min = 0;
  int32_t max = 255;
  int32_t scale = 1;
  int32_t shown = 0;  // kDecimal: decimals shown; kNibbles: digits
  int32_t step = 1;   // kDecimal, in stored units
  bool offAllowed = false;
  bool stepping = true;  // kDecimal: space and backspace step
  int keyLabel = Flex0;  // kTypedChoice
  bool variant = false;  // kRadioText: zero-filled; kSingleDigit: up to F
};

constexpr indCodecRule Choice(const char* list) { return {.kind = indCodecKind::kChoice, .list = list}; }
constexpr indCodecRule ChoiceMark(const char* list) { return {.kind = indCodecKind::kChoiceMark, .list = list}; }
constexpr indCodecRule ByteChoice(const char* list) { return {.kind = indCodecKind::kByteChoice, .list = list}; }
constexpr indCodecRule TypedChoice(const char* list, int keyLabel = Flex1) {
  return {.kind = indCodecKind::kTypedChoice, .list = list, .keyLabel = keyLabel};
}
constexpr indCodecRule FirstEntry(const char* list) { return {.kind = indCodecKind::kFirstEntry, .list = list}; }
constexpr indCodecRule FixedText(const char* text) { return {.kind = indCodecKind::kFixedText, .list = text}; }
constexpr indCodecRule Integer(int32_t min, int32_t max) {
  return {.kind = indCodecKind::kInteger, .min = min, .max = max};
}
// A byte timer unless min and max are given.
constexpr indCodecRule Timer(int32_t scale, bool off = false, int32_t min = 0, int32_t max = 255) {
  return {.kind = indCodecKind::kTimer, .min = min, .max = max, .scale = scale, .offAllowed = off};
}
constexpr indCodecRule MinuteSecond(int32_t maxSeconds, int32_t resolution, bool off = false) {
  return {.kind = indCodecKind::kMinuteSecond, .max = maxSeconds, .scale = resolution, .offAllowed = off};
}
constexpr indCodecRule Decimal(int32_t stored, int32_t shown, int32_t min, int32_t max, bool stepping,
                               int32_t step = 1) {
  return {.kind = indCodecKind::kDecimal,
          .min = min,
          .max = max,
          .scale = stored,
          .shown = shown,
          .step = step,
          .stepping = stepping};
}
constexpr indCodecRule Padded(int32_t min, int32_t max) {
  return {.kind = indCodecKind::kPadded, .min = min, .max = max};
}
constexpr indCodecRule Nibbles(int32_t digits = 0) { return {.kind = indCodecKind::kNibbles, .shown = digits}; }
constexpr indCodecRule SingleDigit(bool upToF = false) {
  return {.kind = indCodecKind::kSingleDigit, .variant = upToF};
}
constexpr indCodecRule FlagSet(int32_t first, int32_t last) {
  return {.kind = indCodecKind::kFlagSet, .min = first, .max = last};
}
constexpr indCodecRule RadioText(bool zeroFilled = false) {
  return {.kind = indCodecKind::kRadioText, .variant = zeroFilled};
}
constexpr indCodecRule PlainText() { return {.kind = indCodecKind::kPlainText}; }
constexpr indCodecRule ZeroFilledText() { return {.kind = indCodecKind::kZeroFilledText}; }
constexpr indCodecRule Digits() { return {.kind = indCodecKind::kDigits}; }

// What a row does besides storing its value.
enum indSettingEffect : uint16_t {
  kLayoutChange = 0x01,     // a change sets change mask bit 5
  kRefreshCells = 0x02,     // a change posts event 13: the sheet refreshes its cells
  kDigitalTimers = 0x04,    // empty and inert unless the model has the digital timer sheet
  kInfiniteAtZero = 0x08,   // a redraw of 0 shows "GI_AppInd_CounterInfinite"
  kOffAtZero = 0x10,        // a redraw of 0 shows "GI_AppInd_TimerOff"
  kSilverUnlessSet = 0x20,  // drawn in silver (still editable) while the condition bit is clear
};

struct indSettingRow {
  int label;
  indPlace at;
  indCodecRule codec;
  uint16_t effects = 0;
  indBitField condition{};  // the image bit kSilverUnlessSet looks at
  int32_t divisor = 1;      // the image holds the value times this
};

// How the runner takes a commit of the very text the cell shows.
enum class indShownText : uint8_t {
  kIgnored,     // changes nothing: an editor closed without an edit rewrites no value
  kNormalised,  // goes through the codec, which brings a value outside its limits into them
};

// The row of a label, null when the table has none.
const indSettingRow* indFindRow(std::span<const indSettingRow> table, int label);
// The value a row names (before the divisor), from the image, the table record at base
// or the loaded record.
int32_t indReadRow(const indCellRequest& r, const indSettingRow& row, int base = 0);
// The one runner: the whole handler pattern for a row, the table record at base. A
// record row outside its kind's index range is shown but takes no keys. True when the
// value changed.
bool indRunRow(indCellRequest& r, const indSettingRow& row, int base = 0, indShownText shown = indShownText::kIgnored);
// Registers every row of a table; the handler finds its row by the request's label.
void indRegisterRows(indCellHandlers& table, std::span<const indSettingRow> rows,
                     indShownText shown = indShownText::kIgnored);

// A radio text of the loaded record (a name) with the image's user characters; the
// record is stored when the text changed.
bool indRecordText(indCellRequest& r, std::span<uint8_t> field);
// A radio text straight in the image at address, length characters.
bool indImageText(indCellRequest& r, int address, int length);

// The number of tones in a 5-tone code (image byte 0xA081), held in 1-8.
int indFiveToneCapacity(const indCellRequest& r);
// Whether the loaded record's index lies in its kind's range (records outside it are
// cleared stand-ins that must never be stored).
bool indRecordInRange(const indCellRequest& r);
// True when the request's cell indexes records of kind (or kind is 0, a radio-wide
// setting); otherwise the cell shows nothing.
bool indOnItsRecord(indCellRequest& r, int kind);

// Runs a handler so that committing the very text the cell shows changes nothing: an
// editor closed without an edit must not rewrite a value the codec would normalise.
// The runner does this for the rows it runs so; handlers that are not rows use it
// themselves.
void indRunCommitGuarded(indCellRequest& r, void (*handler)(indCellRequest&));
template <void (*H)(indCellRequest&)>
void indGuarded(indCellRequest& r) {
  indRunCommitGuarded(r, H);
}

// A cell that does not apply: its text drawn in colour with keys taken as nothing.
// A typed printable key is reported as edit restricted when report is set.
void indRefuseKeys(indCellRequest& r, bool report);
