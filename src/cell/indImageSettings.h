#pragma once
// Radio-wide settings held at fixed image addresses (a bit field, a byte, a 16-bit
// big-endian word or a run of characters), one table row each, run through the value
// codec the row names: the handler pattern for the families kept as tables. A change
// is written straight into the image; nothing is announced and no mask bit is added.
#include <cstdint>
#include <span>

class cmcEeprom;
class indCellRequest;
struct cmcChoiceContext;

enum class indCodec : uint8_t {
  Choice,     // ChoiceCodecFlex0 on the field; list is the overlay key
  Timer,      // TimerCodec counting 1/scale seconds, min … max, with the decimals they resolve
  Integer,    // IntegerCodec, min … max
  Nibbles,    // NibbleNumberCodec, width / 4 hexadecimal digits
  RadioText,  // radio text of width characters with the user characters, zero-filled
  FixedText,  // plain text of width characters, zero-filled
};

struct indImageSetting {
  int label;
  int address;  // the image address, or the offset in a record of a table of records
  int bit;      // the lowest bit of a field narrower than a byte
  int width;    // bits: 1-7 inside the byte, 8 the byte, 16 a word; characters for texts
  indCodec codec;
  const char* list = nullptr;  // choice list key
  int scale = 1;               // timers: units per second
  int min = 0;
  int max = 255;
};

class indImageSettings {
 public:
  // Runs the row's codec on its field at base + address; true when it changed.
  static bool Run(indCellRequest& request, const indImageSetting& setting, int base = 0);
  // The row of a table for the label; null when it has none.
  static const indImageSetting* Find(std::span<const indImageSetting> table, int label);

  // The host's codec context for one request; an overlay is required.
  static cmcChoiceContext ContextFor(indCellRequest& request);
  // Hands what a codec answered in the context (result, text colour) to the request.
  static void Answer(indCellRequest& request, const cmcChoiceContext& context);

  // The 16 user-character masks radio texts are drawn with (record kind 5).
  static std::span<const uint8_t> UserCharacters(cmcEeprom& image);
  // Field access: width 1-7 bits from bit, 8 the byte, 16 a big-endian word.
  static int Field(const cmcEeprom& image, int address, int bit, int width);
  static void SetField(cmcEeprom& image, int address, int bit, int width, int value);
};
