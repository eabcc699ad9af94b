#pragma once
// The codecs of timers: a count of 1/scale units shown as a decimal number of
// seconds (`TimerCodec`) and a count of r-second units shown as minutes and seconds
// (`MinuteSecondCodec`). Where off is allowed, 0 is shown as the overlay's "off"
// text. Each answers the dispatch result in the context and returns whether the value
// changed; without a grid no key is acted on.
#include <cstdint>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcChoiceContext.h"

struct cmcTimerRule {
  int32_t scale = 10;  // units per second
  int32_t min = 0;
  int32_t max = 255;
  bool offAllowed = false;
  int zerosToRemove = 0;  // trailing "0" removed from the text at most
};
bool TimerCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, const cmcTimerRule& rule);

struct cmcMinuteSecondRule {
  int32_t minSeconds = 0;
  int32_t maxSeconds = 0;
  int32_t resolution = 1;  // seconds per unit
  bool offAllowed = false;
};
// Typed as "mmm:ss" (at most six characters); seconds are rounded to the resolution.
bool MinuteSecondCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, const cmcMinuteSecondRule& rule);

// The overlay key of the text shown for a timer that is off.
inline constexpr const char* kTimerOffKey = "GI_AppInd_TimerOff";
