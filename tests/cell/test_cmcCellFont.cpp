#include <gtest/gtest.h>

#include <functional>

#include "cell/cmcCellFont.h"

// Found by the test framework's printer through the font's namespace.
void PrintTo(const cmcCellFont& f, std::ostream* os) {
  *os << "{charset " << int(f.charset) << ", face '" << f.face << "', colour " << std::hex << f.colour << std::dec
      << ", height " << f.height << ", style " << int(f.style) << ", pitch " << int(f.pitch) << "}";
}

namespace {

struct FieldsCase {
  const char* name;
  int32_t startHeight;
  const char* fields;
  std::function<void(cmcCellFont&)> change;  // applied to the starting font to give the expected one
};

TEST(cmcCellFont, EachOfTheSevenFields) {
  const FieldsCase cases[] = {
      {"percentage of the height", 12, ",,,%150", [](cmcCellFont& f) { f.height = 18; }},
      {"negative height is taken as it is", 12, ",,,-17", [](cmcCellFont& f) { f.height = -17; }},
      {"percentage of a character height", -12, ",,,%50", [](cmcCellFont& f) { f.height = -6; }},
      {"a height percentage that truncates to 0 gives 1", 12, ",,,%5", [](cmcCellFont& f) { f.height = 1; }},
      {"height 0 changes nothing", 12, ",,,0", [](cmcCellFont&) {}},
      {"unreadable height changes nothing", 12, ",,,12px", [](cmcCellFont&) {}},
      {"size in points", -12, ",,,,10", [](cmcCellFont& f) { f.height = -13; }},
      {"percentage of the size", -12, ",,,,%200", [](cmcCellFont& f) { f.height = -24; }},
      {"size percentage 0 gives 1 point", -12, ",,,,%0", [](cmcCellFont& f) { f.height = -1; }},
      {"size 0 changes nothing", -12, ",,,,0", [](cmcCellFont&) {}},
      {"character set with blanks around", -12, "  SHIFTJIS_CHARSET  ", [](cmcCellFont& f) { f.charset = 128; }},
      {"last character set", -12, "OEM_CHARSET", [](cmcCellFont& f) { f.charset = 255; }},
      {"character set followed by more than blanks", -12, "ANSI_CHARSETX", [](cmcCellFont&) {}},
      {"face with leading blanks", -12, ",  Courier New", [](cmcCellFont& f) { f.face = "Courier New"; }},
      {"empty face changes nothing", -12, ",", [](cmcCellFont&) {}},
      {"colour name", -12, ",,clRed", [](cmcCellFont& f) { f.colour = 0x0000FF; }},
      {"misspelt colour name changes nothing", -12, ",,clHighlightText", [](cmcCellFont&) {}},
      {"styles joined", -12, ",,,,,fsBold+fsItalic",
       [](cmcCellFont& f) { f.style = cmcCellFont::kBold | cmcCellFont::kItalic; }},
      {"first recognised style replaces the set", -12, ",,,,,fsBogus+fsStrikeOut+fsUnderline",
       [](cmcCellFont& f) { f.style = cmcCellFont::kStrikeOut | cmcCellFont::kUnderline; }},
      {"unknown style changes nothing", -12, ",,,,,fsHeavy", [](cmcCellFont&) {}},
      {"fixed pitch", -12, ",,,,,,fpFixed", [](cmcCellFont& f) { f.pitch = cmcCellFont::kPitchFixed; }},
      {"variable pitch", -12, ",,,,,,fpVariable", [](cmcCellFont& f) { f.pitch = cmcCellFont::kPitchVariable; }},
      {"unknown pitch changes nothing", -12, ",,,,,,fpWide", [](cmcCellFont&) {}},
      {"all seven fields", -12, "ANSI_CHARSET,Arial,clBlue,-20,,fsUnderline,fpFixed",
       [](cmcCellFont& f) {
         f.charset = 0;
         f.face = "Arial";
         f.colour = 0xFF0000;
         f.height = -20;
         f.style = cmcCellFont::kUnderline;
         f.pitch = cmcCellFont::kPitchFixed;
       }},
  };
  for (const auto& c : cases) {
    cmcCellFont start;
    start.height = c.startHeight;
    start.style = cmcCellFont::kBold;
    cmcCellFont expected = start;
    c.change(expected);
    cmcCellFont font = start;
    font.ApplyFields(c.fields);
    EXPECT_EQ(font, expected) << c.name;
  }
}

TEST(cmcCellFont, SizeIsTheHeightInPointsAt96PixelsPerInch) {
  const int32_t heightToSize[][2] = {{-12, 9}, {-13, 10}, {-16, 12}, {-11, 8}, {18, -14}, {0, 0}};
  for (const auto& [height, size] : heightToSize) {
    cmcCellFont f;
    f.height = height;
    EXPECT_EQ(f.Size(), size) << height;
  }
}

}  // namespace
