#pragma once
// The codecs of digits: strings of decimal or hexadecimal digits held one value per
// element (`DigitStringCodec`) or one nibble each in a number (`NibbleNumberCodec`),
// a single digit (`SingleDigitCodec`), and fixed-length zero-filled plain text
// (`FixedTextCodec`). Each answers the dispatch result in the context and returns
// whether the value changed; without a grid no key is acted on.
#include <cstdint>
#include <span>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcChoiceContext.h"

// One digit 0-15 per element; typed text is right-aligned (left-filled with "0") and
// cut to the number of elements.
bool DigitStringCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::span<uint8_t> digits, bool hexadecimal);
// n hexadecimal digits (at most 8), the first in the highest nibble of v.
bool NibbleNumberCodec(cmcChoiceContext& context, cmcCellCapsule& request, uint32_t& v, int n);
// One digit 0-9 or letter A-E, A-F when upToF; the first typed character decides.
bool SingleDigitCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, bool upToF);
// Characters up to the first 0; spaces and non-printable bytes are stored as 0.
bool FixedTextCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::span<uint8_t> field);
