#pragma once
// The codecs of plain numbers: counts and levels (`IntegerCodec`), zero-filled
// addresses (`PaddedIntegerCodec`), scaled decimal quantities (`DecimalCodec`), the
// adjustment values (`AdjustCodec`) and their bars (`BarText`). Each shows the value
// with the whole text selected, reacts to keys only with a grid, reads typed text,
// answers the dispatch result in the context and returns whether the value changed.
#include <cstdint>
#include <string>
#include <string_view>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcChoiceContext.h"

struct cmcIntegerRule {
  int32_t min = 0;
  int32_t max = 255;
  int32_t offset = 0;               // added for display, taken off typed numbers
  int32_t step = 1;                 // space and backspace step by it; values are its multiples
  std::string_view fixedText = {};  // shown instead of the number when not empty
  bool clamp = false;               // pull a value outside min … max in (a change)
  bool saturate = false;            // stepping stops at the ends instead of wrapping
};
bool IntegerCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, const cmcIntegerRule& rule);

struct cmcPaddedRule {
  int width = 4;
  int32_t min = 0;
  int32_t max = 4095;
  bool noFill = false;  // no "0" fill to the width
};
// Typed numbers outside min … max are refused.
bool PaddedIntegerCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, const cmcPaddedRule& rule);

struct cmcDecimalRule {
  int storedDecimals = 1;  // v holds the quantity times 10^storedDecimals
  int shownDecimals = 1;
  double min = 0;
  double max = 0;
  double step = 0;  // in the quantity's units; taken to stored units, at least one
  bool stepping = true;
  int zerosToRemove = 0;  // trailing "0" removed from the text at most
};
bool DecimalCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, const cmcDecimalRule& rule);

struct cmcAdjustRule {
  int32_t min = 0;
  int32_t max = 255;
  int32_t step = 1;       // the arrow keys' step: the caller passes 5 while Shift is held
  bool noEditor = false;  // Enter does nothing
};
// Right arrow adds the step, left arrow subtracts it, held in min … max.
bool AdjustCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, const cmcAdjustRule& rule);

// The arrow keys as the sheet passes them: the virtual key shifted left by 8.
inline constexpr int32_t kKeyArrowLeft = 0x25 << 8;
inline constexpr int32_t kKeyArrowRight = 0x27 << 8;

// "[", then (v - min) × 20 / (max - min) "#" (held in 0 … 20), the rest of 20 "-", "]".
std::string BarText(int32_t v, int32_t min, int32_t max);
