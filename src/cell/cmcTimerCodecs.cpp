#include "cell/cmcTimerCodecs.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "cell/cmcCodecCommon.h"
#include "cell/cmcNumberText.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcTextUtil.h"

namespace {

using N = cmcNumberText;
using C = cmcCodecCommon;

// Added before scaling so that a typed value a hair below a unit still reaches it.
constexpr double kTimerRounding = 0.0005;
// The longest minute-and-second text, "mmm:ss".
constexpr size_t kMinuteSecondLength = 6;

bool IsTyped(cmcCellCapsule& request) { return cmcCodecCommon::ReadsTyped(request); }
bool IsStepKey(int32_t key) { return key == C::kKeySpace || key == C::kKeyBackspace; }
int StepSign(int32_t key) { return key == C::kKeySpace ? 1 : -1; }

bool StartsWithOff(std::string_view text) {
  return text.size() >= 2 && (text[0] == 'o' || text[0] == 'O') && (text[1] == 'f' || text[1] == 'F');
}

// The off text stands for 0 only while drawing or after typing, so the editor and a
// stepped value show the number.
bool ShowsOff(const cmcCellCapsule& request, bool offAllowed, int32_t v) {
  return offAllowed && request.keyCode == 0 && v == 0;
}

// The leading digits of a text as a number, 0 when it has none.
int64_t LeadingDigits(std::string_view text) {
  int64_t n = 0;
  for (size_t i = 0; i < text.size() && N::IsDigit(text[i]); ++i) n = n * 10 + (text[i] - '0');
  return n;
}

// "%2d:%02d" of a number of seconds.
std::string MinutesText(int64_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%2lld:%02lld", static_cast<long long>(seconds / 60),
                static_cast<long long>(seconds % 60));
  return text;
}

void Refuse(cmcChoiceContext& context, cmcCellCapsule& request, const cmcTimerRule& rule) {
  // In thousandths of a second, as the text shows them.
  const int64_t scale = std::max(rule.scale, 1);
  std::string reason =
      N::RangeReason("times", rule.min * int64_t{1000} / scale, rule.max * int64_t{1000} / scale, 1000 / scale, 3);
  if (rule.offAllowed) reason += ", or " + context.overlay->GetText(kTimerOffKey);
  C::Refuse(request, reason);
}

}  // namespace

bool TimerCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, const cmcTimerRule& rule) {
  const int64_t scale = std::max(rule.scale, 1);
  bool changed = false;
  if (IsTyped(request)) {
    const std::string typed = cmcTrim(request.inputText);
    const std::string kept = N::Filter(typed, [](char c) { return N::IsDigit(c) || c == '.'; });
    if (rule.offAllowed && StartsWithOff(typed)) {
      v = 0;
      changed = true;
    } else if (kept.find_first_of("0123456789") != std::string::npos) {
      const double units = (N::LeadingNumber(kept) + kTimerRounding) * static_cast<double>(scale);
      if (units < rule.min || units >= rule.max + 1.0) Refuse(context, request, rule);
      v = static_cast<int32_t>(std::clamp(units, static_cast<double>(rule.min), static_cast<double>(rule.max)));
      changed = true;
    } else {
      Refuse(context, request, rule);
    }
  }
  const int32_t key = request.keyCode;
  const bool interactive = C::IsInteractiveKey(request);
  if (interactive && IsStepKey(key)) {
    v = static_cast<int32_t>(N::Step(v, StepSign(key), rule.min, rule.max, false));
    changed = true;
  }

  if (ShowsOff(request, rule.offAllowed, v)) {
    C::ShowText(request, context.overlay->GetText(kTimerOffKey));
  } else {
    std::string text = N::FixedPoint(v / scale, v * int64_t{1000} / scale % 1000, 3, v < 0);
    N::RemoveTrailingZeros(text, rule.zerosToRemove);
    C::ShowText(request, text);
  }

  if (!interactive) return changed;
  if (key == C::kKeyEnter)
    context.result = C::OpenEditorOnTrimmedText(request);
  else if (C::IsDigitKey(key) || key == '.' || (rule.offAllowed && (key == 'o' || key == 'O')))
    context.result = C::OpenEditorOnKey(request);
  return changed;
}

bool MinuteSecondCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v,
                       const cmcMinuteSecondRule& rule) {
  const int64_t r = std::max(rule.resolution, 1);
  const int64_t min = rule.minSeconds / r;
  const int64_t max = rule.maxSeconds / r;
  bool changed = false;
  if (IsTyped(request)) {
    const std::string kept = N::Filter(request.inputText, [](char c) { return N::IsDigit(c) || c == ':'; });
    const bool hasDigit = kept.find_first_of("0123456789") != std::string::npos;
    bool taken = false;
    if (hasDigit && kept.size() <= kMinuteSecondLength) {
      const size_t colon = kept.find(':');
      const int64_t minutes = LeadingDigits(kept);
      const int64_t seconds = colon == std::string::npos ? 0 : LeadingDigits(std::string_view(kept).substr(colon + 1));
      int64_t units = seconds / r + minutes * (60 / r);
      if (2 * (seconds % r) >= r) ++units;  // at least half a unit
      taken = units >= min && units <= max;
      v = static_cast<int32_t>(N::Clamp(units, min, max));
      changed = true;
    } else if (rule.offAllowed && StartsWithOff(cmcTrim(request.inputText))) {
      // The text shown for 0 is taken back as 0.
      v = 0;
      changed = taken = true;
    }
    if (!taken) {
      std::string reason = "times run from " + cmcTrim(MinutesText(min * r)) + " to " + cmcTrim(MinutesText(max * r)) +
                           " (minutes:seconds)";
      if (r > 1) reason += " in steps of " + std::to_string(r) + " seconds";
      if (rule.offAllowed) reason += ", or " + context.overlay->GetText(kTimerOffKey);
      C::Refuse(request, reason);
    }
  }
  const int32_t key = request.keyCode;
  const bool interactive = C::IsInteractiveKey(request);
  if (interactive && IsStepKey(key)) {
    v = static_cast<int32_t>(N::Step(v, StepSign(key), min, max, false));
    changed = true;
  }

  if (ShowsOff(request, rule.offAllowed, v))
    C::ShowText(request, context.overlay->GetText(kTimerOffKey));
  else
    C::ShowText(request, MinutesText(v * r));

  if (!interactive) return changed;
  if (key == C::kKeyEnter)
    context.result = C::OpenEditorOnTrimmedText(request);
  else if (C::IsDigitKey(key) || key == ':')
    context.result = C::OpenEditorOnKey(request);
  return changed;
}
