#pragma once
// The radio's display character set: byte codes (bits 0-6 the character, bit 7 a
// dot after it), their 16-bit segment masks (built-in or from the user-character
// table), the editable form a user types, and drawing a radio text in segments.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class cmcCellCapsule;
class cmcSegmentModel;

class cmcRadioText {
 public:
  static constexpr uint16_t kDotMask = 0x4000;
  static constexpr uint8_t kDotBit = 0x80;
  static constexpr uint8_t kLoneDot = 160;  // a space with the dot
  static constexpr size_t kMaxConverted = 255;

  // The mask of a code (bit 7 ignored): 32-127 built-in, 16-31 user character
  // code - 16 from the table (2 bytes each, high byte first; 0 past its end), else 0.
  static uint16_t MaskOf(uint8_t code, std::span<const uint8_t> userTable);
  // Whether a dot is ever shown at this position of a field of this length.
  static bool DotAllowed(int position, int fieldLength);

  // The editable form of radio bytes: "%%" for "%", "%XX" for codes 16-31 and 127
  // and for the character "." (a typed "." is the lone dot), "." after a dotted
  // character, " ." for a dotted code 0, "%XX" of the byte for dotted codes 1-15;
  // a code 0-15 without a dot ends the text. Every byte but 0x80 reads back as itself.
  static std::string RadioTextToEditable(std::span<const uint8_t> bytes);
  // Radio bytes from the editable form (its first 255 characters).
  static std::vector<uint8_t> EditableToRadioText(std::string_view text);
  // The first character of an editable form that the radio cannot show (a control
  // character, or a byte above 126 typed as it is rather than as "%XX", with the rest of
  // its UTF-8 sequence); empty when every character can be shown.
  static std::string FirstUnshowable(std::string_view text);
  // What a typed radio text must be, for a field of length characters.
  static std::string TypedTextReason(int length);

  // The segment model that drawing uses; set once at start. Without one nothing is drawn.
  static void SetSegmentModel(const cmcSegmentModel* model);
  // Draws the first fieldLength bytes (fewer when bytes is shorter) into the
  // request's rectangle on its canvas, charsPerLine characters on each of lines lines.
  static void DrawRadioText(cmcCellCapsule& request, std::span<const uint8_t> bytes, int fieldLength, int charsPerLine,
                            int lines, std::span<const uint8_t> userTable);
};
