#include <gtest/gtest.h>

#include "cell/cmcCellColours.h"

namespace {

struct ColourCase {
  const char* name;
  std::optional<uint32_t> value;
};

TEST(cmcCellColours, NamesAsTheTableSpellsThem) {
  const ColourCase cases[] = {
      {"clAqua", 0xFFFF00},
      {"clBlack", 0x000000},
      {"clMaroon", 0x000080},
      {"clNavy", 0x800000},
      {"clRed", 0x0000FF},
      {"clYellow", 0x00FFFF},
      {"clDkGray", 0x808080},
      {"clGray", 0x808080},
      {"clBackground", 0xFF000001},
      {"clWindow", 0xFF000005},
      {"clWindowText", 0xFF000008},
      {"clHighlight", 0xFF00000D},
      {"clHightlightText", 0xFF00000E},  // the table's own spelling
      {"clInactiveCaptionText", 0xFF000013},
      {"clBtnHighlight", 0xFF000014},
      {"clHighlightText", std::nullopt},  // the usual spelling is not in the table
      {"clred", std::nullopt},
      {"clRed ", std::nullopt},
      {" clRed", std::nullopt},
      {"", std::nullopt},
      {"clNone", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ColourByName(c.name), c.value) << '"' << c.name << '"';
}

}  // namespace
