#pragma once
// Frequencies as the codecs handle them: hertz clamped to what a channel record holds,
// shown as "%d.%06d" megahertz, typed text read as megahertz and moved onto the
// 2.5 kHz or 3.125 kHz raster (`SnapToRaster`), and the overlay's band list
// "GI_Sys_FCL" that refuses ranges (`BandCheck`).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class cmcGTexBase;

namespace cmcFreq {
inline constexpr int64_t kHighest = 799'999'950;    // the highest frequency a record holds
inline constexpr int64_t kTypedLow = 450'000'000;   // typed receive frequencies lie above this …
inline constexpr int64_t kTypedHigh = 520'000'000;  // … and up to this
}  // namespace cmcFreq

// f clamped into 0 … 799 999 950.
uint32_t ClampFrequency(int64_t f);
// f clamped into the typed band 450 … 520 MHz, the range of derived transmit frequencies.
uint32_t ClampToTypedBand(int64_t f);
// True when 450 MHz < f ≤ 520 MHz.
bool InTypedBand(int64_t f);

// "%d.%06d": whole megahertz, a dot, six digits of hertz.
std::string FrequencyText(uint32_t hertz);

// The first raster point at or above f that the digits typed (f's trailing zeros) can
// still reach; -1 when none can. wide doubles the raster.
int64_t SnapToRaster(int64_t f, bool wide = false);

// f, or -1 when the first band of "GI_Sys_FCL" that holds it is a refused one.
int64_t BandCheck(cmcGTexBase& overlay, int64_t f);

// A typed frequency: only digits, "." and "-" count, at most nine of them, read as
// megahertz and moved onto the raster. Nothing for an empty text or a point off the raster.
std::optional<uint32_t> ParseTypedFrequency(std::string_view text);
// As above; refusal receives why nothing was read (no number, or off the raster).
std::optional<uint32_t> ParseTypedFrequency(std::string_view text, std::string& refusal);

// What a typed frequency outside the typed band is refused with; side names the
// frequency ("receive", "transmit").
std::string TypedBandReason(std::string_view side);
// What a frequency in a band "GI_Sys_FCL" refuses is refused with.
inline constexpr const char* kRefusedBandReason = "the frequency lies in a band this radio may not use";
