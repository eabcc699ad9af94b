#pragma once
// Stored settings described by table rows: where the value lies (an image address or a
// byte of the loaded record), which of its bits, and the codec with its list key and
// limits. Running a row takes the value, works it with the codec and, when it changed,
// puts the bits back and stores the record; everything else in the byte stays.
#include <cstdint>
#include <span>

class indCellRequest;

enum class indAt : uint8_t {
  Image,     // where: an image address
  Settings,  // where: a byte of the record's setting bytes (datCh::settings)
  ScanSet,   // where: a byte of a scan list's bytes 8-13 (datCh::scanSet)
};

enum class indCodec : uint8_t {
  Choice,        // list, key label Flex0
  Timer,         // scale units per second, min … max, off
  Integer,       // min … max
  Decimal,       // scale stored decimals, shown decimals, min … max in steps of step
  Padded,        // zero-filled to four digits, min … max
  MinuteSecond,  // scale seconds per unit, min … max seconds, off
  Nibbles,       // shown hexadecimal digits, the first in the highest nibble
  SingleDigit,   // one digit 0-9 or A-E
  FlagSet,       // flags min … max in plain style, the first in bit 7; max 0: up to the 5-tone capacity
};

struct indSettingRow {
  int label;
  indAt at;
  int where;
  uint8_t low;   // the lowest bit of the value
  uint8_t bits;  // 1-8 bits of the byte, or 16: the big-endian word from where
  indCodec codec;
  const char* list = nullptr;
  double min = 0;
  double max = 255;
  int scale = 1;
  int shown = 0;
  double step = 0;
  bool off = false;
};

// The row of a label, null when the table has none.
const indSettingRow* indFindRow(std::span<const indSettingRow> table, int label);
// The value a row names, read from the image or the loaded record.
int32_t indReadRow(const indCellRequest& r, const indSettingRow& row);
// Puts the value back (the record is changed, not stored).
void indWriteRow(indCellRequest& r, const indSettingRow& row, int32_t v);
// Works the value with the row's codec; returns whether it changed.
bool indCodecRow(indCellRequest& r, const indSettingRow& row, int32_t& v);
// The whole pattern: read, codec, and on a change write back and store the record. A
// record row outside its kind's index range is shown but takes no keys.
bool indRunRow(indCellRequest& r, const indSettingRow& row);

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
void indRunCommitGuarded(indCellRequest& r, void (*handler)(indCellRequest&));
template <void (*H)(indCellRequest&)>
void indGuarded(indCellRequest& r) {
  indRunCommitGuarded(r, H);
}

// A cell that does not apply: its text drawn in colour with keys taken as nothing.
// A typed printable key is reported as edit restricted when report is set.
void indRefuseKeys(indCellRequest& r, bool report);
