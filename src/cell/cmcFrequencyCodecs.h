#pragma once
// The frequency codecs of channel rows: a receive or transmit frequency shown as
// "%d.%06d" and typed in megahertz onto the raster (`FrequencyCodec`), the PMR receive
// frequency chosen from the preset table or typed (`PmrFrequencyCodec`), and the PMR446
// frequency chosen from its 24 channels (`Pmr446FrequencyCodec`). They change only the
// record's fields and return whether anything changed; the caller stores the record.
#include <array>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcChannelCodecContext.h"

class datCh;

// The preset results of `PmrFrequencyCodec` besides 0 (no change) and 1-98 (that row).
inline constexpr int kPmrPresetTyped = 100;

// The PMR446 channel frequencies and an end "#".
inline constexpr int kPmr446Channels = 24;
extern const std::array<const char*, kPmr446Channels + 1> kPmr446Frequencies;

// The receive (receiveSide) or transmit frequency of an LMR, QarnPmr or dPMR446
// channel, or the transmit frequency of a PMR channel. A typed receive frequency must
// pass `BandCheck` and lie in the typed band; a transmit frequency equal to the
// receive one follows it and is shown as "<-".
bool FrequencyCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel, bool receiveSide);

// The receive frequency of a PMR channel. presetResult answers what the caller then
// applies (`ApplyPmrPreset`): 0 nothing, 1-98 the preset row chosen, kPmrPresetTyped a
// typed frequency.
bool PmrFrequencyCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel, int& presetResult);

// The receive frequency of a PMR446 channel. freeFrequency is the channel's
// free-frequency flag: set when the user picks typing a frequency of their own in the
// chooser, cleared when a listed frequency is chosen.
bool Pmr446FrequencyCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel,
                          bool& freeFrequency);
