#pragma once
// The font of a cell as a plain value: character set, face, colour, height, size,
// style set and pitch. Height and size are two views of one value, as in the
// platform's font model: size in points is derived from the height at 96 pixels
// per inch, and a negative height is the character height without leading.
#include <cstdint>
#include <string>
#include <string_view>

#include "cell/cmcCellColours.h"

class cmcCellFont {
 public:
  enum Style : uint8_t { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };
  enum Pitch : uint8_t { kPitchDefault = 0, kPitchVariable = 1, kPitchFixed = 2 };
  static constexpr int kPixelsPerInch = 96;

  uint8_t charset = 1;  // DEFAULT_CHARSET
  std::string face = "Segoe UI";
  uint32_t colour = kClWindowText;
  int32_t height = -12;  // 9 points
  uint8_t style = 0;     // Style bits
  uint8_t pitch = kPitchDefault;

  // Sizes beyond this many points, either sign, are fatal (cmcCellObj::kIllegalAssign).
  static constexpr int32_t kMaxPoints = 0x7FFF;

  // The size in points (negative for a positive height, as the platform reports it).
  int32_t Size() const;
  void SetSize(int32_t points);

  // Applies "charset,face,colour,height,size,style,pitch"; empty or unrecognised
  // fields leave their attribute unchanged.
  void ApplyFields(std::string_view fields);

  bool operator==(const cmcCellFont&) const = default;
};
