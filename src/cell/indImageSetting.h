#pragma once
// Radio-wide settings bound straight to image bits. A row names where a label's value
// lives (up to three weighted bit fields, a big-endian word, or a run of bytes), the
// codec that shows and edits it with its list key and limits, and what a change does.
// RunImageSetting follows the handler pattern: read, run the codec, write back only
// what the codec changed, without an announcement.
#include <cstdint>

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

// Where a value lives: value = sum of field × weight. Stored back from the heaviest
// field down, each taking value / weight within its width; other bits are kept.
struct indPlace {
  constexpr indPlace(indBitField a, indBitField b = {}, indBitField c = {}) : parts{a, b, c} {}
  indBitField parts[3];
};

enum class indCodecKind : uint8_t {
  kChoice,        // the list's entry of the value, key label Flex0
  kByteChoice,    // the same on the whole byte
  kTypedChoice,   // a choice that may be typed as a number, key label Flex1
  kFirstEntry,    // always the entry of value 0; nothing is stored
  kFixedText,     // the list field is the text; nothing is stored
  kInteger,       // min … max
  kTimer,         // 1/scale units, min … max
  kMinuteSecond,  // scale-second units, min … max seconds
  kDecimal,       // scale stored and shown decimals, min … max in the quantity's units
  kRadioText,     // width characters in the radio's codes, with the user characters
  kPlainText,     // width plain characters, space-padded
  kDigits,        // width decimal digits, one per nibble, the first in a high nibble
  kHexNumber,     // width hexadecimal digits of the value
};

struct indCodecRule {
  indCodecKind kind = indCodecKind::kChoice;
  const char* list = nullptr;
  int32_t min = 0;
  int32_t max = 255;
  int32_t scale = 1;
  int32_t shown = 0;  // decimals shown (kDecimal)
  bool offAllowed = false;
  bool stepping = true;  // kDecimal: space and backspace step
};

constexpr indCodecRule Choice(const char* list) { return {indCodecKind::kChoice, list}; }
constexpr indCodecRule ByteChoice(const char* list) { return {indCodecKind::kByteChoice, list}; }
constexpr indCodecRule TypedChoice(const char* list) { return {indCodecKind::kTypedChoice, list}; }
constexpr indCodecRule FirstEntry(const char* list) { return {indCodecKind::kFirstEntry, list}; }
constexpr indCodecRule FixedText(const char* text) { return {indCodecKind::kFixedText, text}; }
constexpr indCodecRule Integer(int32_t min, int32_t max) { return {indCodecKind::kInteger, nullptr, min, max}; }
// A byte timer unless min and max are given.
constexpr indCodecRule Timer(int32_t scale, bool off = false, int32_t min = 0, int32_t max = 255) {
  return {indCodecKind::kTimer, nullptr, min, max, scale, 0, off};
}
constexpr indCodecRule MinuteSecond(int32_t maxSeconds, int32_t resolution, bool off = false) {
  return {indCodecKind::kMinuteSecond, nullptr, 0, maxSeconds, resolution, 0, off};
}
constexpr indCodecRule Decimal(int32_t stored, int32_t shown, int32_t min, int32_t max, bool stepping) {
  return {indCodecKind::kDecimal, nullptr, min, max, stored, shown, false, stepping};
}
constexpr indCodecRule RadioText() { return {indCodecKind::kRadioText}; }
constexpr indCodecRule PlainText() { return {indCodecKind::kPlainText}; }
constexpr indCodecRule Digits() { return {indCodecKind::kDigits}; }
constexpr indCodecRule HexNumber() { return {indCodecKind::kHexNumber}; }

// What a row does besides storing its value.
enum indSettingEffect : uint16_t {
  kLayoutChange = 0x01,     // a change sets change mask bit 5
  kRefreshCells = 0x02,     // a change posts event 13: the sheet refreshes its cells
  kDigitalTimers = 0x04,    // empty and inert unless the model has the digital timer sheet
  kInfiniteAtZero = 0x08,   // a redraw of 0 shows "GI_AppInd_CounterInfinite"
  kOffAtZero = 0x10,        // a redraw of 0 shows "GI_AppInd_TimerOff"
  kSilverUnlessSet = 0x20,  // drawn in silver (still editable) while the condition bit is clear
};

struct indImageSetting {
  int label;
  indPlace at;
  indCodecRule codec;
  uint16_t effects = 0;
  indBitField condition{};  // the bit kSilverUnlessSet looks at
  int32_t divisor = 1;      // the image holds the value times this
};

// The model has the digital timer sheet: bit 4 of this byte.
inline constexpr int kDigitalTimerFlags = 0x10B;
// The 16 user characters, 2 bytes each.
inline constexpr int kUserCharacters = 0xA12E;
inline constexpr int kUserCharactersSize = 32;

// The value of a place in the request's image, and storing one.
int32_t ReadPlace(const indCellRequest& r, const indPlace& at);
void WritePlace(indCellRequest& r, const indPlace& at, int32_t value);

void RunImageSetting(indCellRequest& r, const indImageSetting& row);

// Registers every row of a table; the handler finds its row by the request's label.
void RegisterImageSettings(indCellHandlers& table, const indImageSetting* rows, int count);
