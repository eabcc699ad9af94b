#include "clone/cmcLineSettings.h"

#include <algorithm>
#include <charconv>

#include "overlay/cmcTextUtil.h"

namespace {

// A decimal number filling the whole (trimmed) field; nothing for anything else.
std::optional<int> Decimal(std::string_view field) {
  const std::string text = cmcTrim(field);
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < 0) return std::nullopt;
  return value;
}

cmcLineSettings::Parity ParityOf(std::string_view field) {
  switch (field.empty() ? '\0' : field.front()) {
    case 'O':
    case 'o':
      return cmcLineSettings::Parity::Odd;
    case 'E':
    case 'e':
      return cmcLineSettings::Parity::Even;
    case 'M':
    case 'm':
      return cmcLineSettings::Parity::Mark;
    case 'S':
    case 's':
      return cmcLineSettings::Parity::Space;
    default:
      return cmcLineSettings::Parity::None;
  }
}

}  // namespace

std::optional<cmcLineSettings> cmcLineSettings::Parse(std::string_view text) {
  if (std::count(text.begin(), text.end(), ',') < 3) return std::nullopt;
  const auto baud = Decimal(cmcField(text, 0, ','));
  const auto dataBits = Decimal(cmcField(text, 2, ','));
  if (!baud || *baud == 0 || !dataBits) return std::nullopt;

  cmcLineSettings settings;
  settings.baud = *baud;
  settings.parity = ParityOf(cmcField(text, 1, ','));
  settings.dataBits = *dataBits > 7 ? 8 : std::max(*dataBits, 4);
  const std::string stop = cmcTrim(cmcField(text, 3, ','));
  settings.stopBits = stop == "1.5" ? StopBits::OneAndHalf : stop == "2" ? StopBits::Two : StopBits::One;
  return settings;
}
