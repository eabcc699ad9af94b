#include "cell/cmcCellColours.h"

#include <iterator>

#include "overlay/cmcHash.h"

namespace {

struct NamedColour {
  const char* name;
  uint32_t value;
};

constexpr NamedColour kColours[] = {
    {"clAqua", 0xFFFF00},
    {"clBlack", 0x000000},
    {"clBlue", 0xFF0000},
    {"clDkGray", 0x808080},
    {"clFuchsia", 0xFF00FF},
    {"clGray", 0x808080},
    {"clGreen", 0x008000},
    {"clLime", 0x00FF00},
    {"clLtGray", 0xC0C0C0},
    {"clMaroon", 0x000080},
    {"clNavy", 0x800000},
    {"clOlive", 0x008080},
    {"clPurple", 0x800080},
    {"clRed", 0x0000FF},
    {"clSilver", 0xC0C0C0},
    {"clTeal", 0x808000},
    {"clWhite", 0xFFFFFF},
    {"clYellow", 0x00FFFF},
    {"clBackground", 0xFF000001},
    {"clActiveCaption", 0xFF000002},
    {"clInactiveCaption", 0xFF000003},
    {"clMenu", 0xFF000004},
    {"clWindow", kClWindow},
    {"clWindowFrame", 0xFF000006},
    {"clMenuText", 0xFF000007},
    {"clWindowText", kClWindowText},
    {"clCaptionText", 0xFF000009},
    {"clActiveBorder", 0xFF00000A},
    {"clInactiveBorder", 0xFF00000B},
    {"clAppWorkSpace", 0xFF00000C},
    {"clHighlight", 0xFF00000D},
    {"clHightlightText", 0xFF00000E},
    {"clBtnFace", 0xFF00000F},
    {"clBtnShadow", 0xFF000010},
    {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012},
    {"clInactiveCaptionText", 0xFF000013},
    {"clBtnHighlight", 0xFF000014},
};
static_assert(std::size(kColours) == 38);

// Filled on the first lookup; the values are stored as their 32-bit patterns.
const cmcHash& ColourIndex() {
  static cmcHash index(101);
  static const bool filled = [] {
    for (const NamedColour& c : kColours) index.Add(c.name, static_cast<int32_t>(c.value));
    return true;
  }();
  (void)filled;
  return index;
}

}  // namespace

std::optional<uint32_t> ColourByName(std::string_view name) {
  if (const auto* entry = ColourIndex().Find(name)) return static_cast<uint32_t>(entry->value);
  return std::nullopt;
}
