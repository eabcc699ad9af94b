#include "cell/cmcFrequency.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "cell/cmcNumberText.h"
#include "overlay/cmcGTexBase.h"

namespace {

constexpr std::string_view kBandList = "GI_Sys_FCL";
// A band line is exactly "c:lllllllll-hhhhhhhhh".
constexpr size_t kBandLineLength = 21;
// A typed text longer than eight characters is cut after its ninth.
constexpr size_t kTypedCut = 9;

}  // namespace

uint32_t ClampFrequency(int64_t f) { return static_cast<uint32_t>(std::clamp<int64_t>(f, 0, cmcFreq::kHighest)); }

uint32_t ClampToTypedBand(int64_t f) {
  return static_cast<uint32_t>(std::clamp<int64_t>(f, cmcFreq::kTypedLow, cmcFreq::kTypedHigh));
}

bool InTypedBand(int64_t f) { return f > cmcFreq::kTypedLow && f <= cmcFreq::kTypedHigh; }

std::string FrequencyText(uint32_t hertz) {
  std::array<char, 24> text{};
  std::snprintf(text.data(), text.size(), "%u.%06u", hertz / 1'000'000, hertz % 1'000'000);
  return text.data();
}

int64_t SnapToRaster(int64_t f, bool wide) {
  const int64_t stepA = wide ? 5'000 : 2'500;
  const int64_t stepB = wide ? 6'250 : 3'125;
  const int64_t walk = wide ? 1'250 : 625;
  // d is how far the digits the user left as zeros let the frequency move up.
  int64_t d = 1;
  for (int64_t p = 10; p <= 100'000; p *= 10)
    if (f % p == 0) d = p;
  for (int64_t r = f - f % 100'000; r <= f + d - 1; r += walk)
    if (r >= f && (r % stepA == 0 || r % stepB == 0)) return r;
  return -1;
}

int64_t BandCheck(cmcGTexBase& overlay, int64_t f) {
  for (int n = 0;; ++n) {
    const std::string line = overlay.GetLine(kBandList, n);
    if (line.starts_with('#')) return f;
    if (line.size() != kBandLineLength) continue;
    char kind = 0;
    long low = 0;
    long high = 0;
    if (std::sscanf(line.c_str(), "%c:%ld-%ld", &kind, &low, &high) != 3) continue;
    // Only allowed ("0") and refused ("1") bands decide; other lines are skipped.
    if ((kind != '0' && kind != '1') || f < low || f > high) continue;
    return kind == '0' ? f : -1;
  }
}

std::optional<uint32_t> ParseTypedFrequency(std::string_view text) {
  std::string refusal;
  return ParseTypedFrequency(text, refusal);
}

std::optional<uint32_t> ParseTypedFrequency(std::string_view text, std::string& refusal) {
  std::string kept;
  for (char c : text)
    if ((c >= '0' && c <= '9') || c == '.' || c == '-') kept += c;
  if (kept.find_first_of("0123456789") == std::string::npos) {
    refusal = "frequencies are typed in MHz, such as 476.425";
    if (kept.empty()) return std::nullopt;
  }
  if (kept.size() > kTypedCut - 1) kept.resize(kTypedCut);
  const double hertz = std::clamp(std::strtod(kept.c_str(), nullptr) * 1'000'000 + 0.5, 0.0, 799'999'999.5);
  const int64_t snapped = SnapToRaster(static_cast<int64_t>(hertz));
  if (snapped < 0) {
    refusal = "frequencies lie on the 2.5 kHz or the 3.125 kHz raster";
    return std::nullopt;
  }
  return static_cast<uint32_t>(snapped);
}

std::string TypedBandReason(std::string_view side) {
  return std::string(side) + " " +
         cmcNumberText::RangeReason("frequencies", cmcFreq::kTypedLow + 1, cmcFreq::kTypedHigh, 1, 6) + " MHz";
}
