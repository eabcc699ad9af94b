#pragma once
// The codecs of signalling codes typed as strings of symbols: DTMF codes and 5-tone
// codes. Digits are held one symbol value (0-15) per element, as the channel and list
// records unpack them. Each returns whether the code changed.
#include <cstdint>
#include <span>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcChoiceContext.h"

// A DTMF code of up to capacity symbols shown through "0123456789ABCD*#": typed text
// keeps hexadecimal digits, "*" (14) and "#" (15); unused digits are zeroed and the
// length set to the number of symbols kept.
bool DtmfCodeCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::span<uint8_t> digits, uint8_t& length,
                   int capacity);

// A 5-tone code of eight digits and a marker byte (bit 7 for the first symbol, then
// downwards, each showing a repeat "+"). The group-tone digit (cmcImageMap::kGroupTone) shows
// as "*"; a stored code holds capacity symbols, then F.
bool FiveToneCodeCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::span<uint8_t> digits, uint8_t& marker,
                       int capacity, bool receive);
