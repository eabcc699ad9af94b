#include "cell/cmcNumberCodecs.h"

#include <algorithm>
#include <cstdio>

#include "cell/cmcCodecCommon.h"
#include "cell/cmcNumberText.h"

namespace {

using N = cmcNumberText;
using C = cmcCodecCommon;

// Typed numbers are limited to this, so scaled quantities stay inside 32 bits.
constexpr double kDecimalLimit = (1 << 30) - 2;

bool IsTyped(cmcCellCapsule& request) { return cmcCodecCommon::ReadsTyped(request); }
bool IsStepKey(int32_t key) { return key == C::kKeySpace || key == C::kKeyBackspace; }
int StepSign(int32_t key) { return key == C::kKeySpace ? 1 : -1; }

// A digit, or "-" when negative numbers are allowed, opens the editor with that character.
bool StartsANumber(int32_t key, bool negativeAllowed) { return C::IsDigitKey(key) || (key == '-' && negativeAllowed); }

int64_t Pow10(int exponent) {
  int64_t p = 1;
  for (int i = 0; i < exponent; ++i) p *= 10;
  return p;
}

// The editor for a number: with the typed character, or on the trimmed text for Enter.
void OpenNumberEditor(cmcChoiceContext& context, cmcCellCapsule& request, bool negativeAllowed, bool enterOpens) {
  const int32_t key = request.keyCode;
  if (StartsANumber(key, negativeAllowed))
    context.result = C::OpenEditorOnKey(request);
  else if (key == C::kKeyEnter && enterOpens)
    context.result = C::OpenEditorOnTrimmedText(request);
}

}  // namespace

bool IntegerCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, const cmcIntegerRule& rule) {
  const int64_t step = std::max(rule.step, 1);
  bool changed = false;
  if (IsTyped(request)) {
    const N::Typed typed = N::ParseTyped(request.inputText);
    const int64_t wanted = typed.nearest - rule.offset;
    if (!typed.entered || wanted < rule.min || wanted > rule.max)
      C::Refuse(request,
                N::RangeReason("numbers", int64_t{rule.min} + rule.offset, int64_t{rule.max} + rule.offset, step, 0));
    if (typed.entered) {
      v = static_cast<int32_t>(N::NearestMultipleWithin(wanted, step, rule.min, rule.max));
      changed = true;
    }
  }
  if (rule.clamp && (v < rule.min || v > rule.max)) {
    v = static_cast<int32_t>(N::Clamp(v, rule.min, rule.max));
    changed = true;
  }
  const bool interactive = C::IsInteractiveKey(request);
  if (interactive && IsStepKey(request.keyCode)) {
    const int64_t next = N::Step(v, StepSign(request.keyCode) * step, rule.min, rule.max, rule.saturate);
    v = static_cast<int32_t>(N::NearestMultipleWithin(next, step, rule.min, rule.max));
    changed = true;
  }
  if (rule.fixedText.empty())
    C::ShowText(request, std::to_string(static_cast<int64_t>(v) + rule.offset));
  else
    C::ShowText(request, rule.fixedText);
  if (interactive) OpenNumberEditor(context, request, rule.min < 0, true);
  return changed;
}

bool PaddedIntegerCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, const cmcPaddedRule& rule) {
  bool changed = false;
  if (IsTyped(request)) {
    const N::Typed typed = N::ParseTyped(request.inputText);
    if (typed.entered && typed.nearest >= rule.min && typed.nearest <= rule.max) {
      v = static_cast<int32_t>(typed.nearest);
      changed = true;
    } else {
      C::Refuse(request, N::RangeReason("numbers", rule.min, rule.max, 1, 0));
    }
  }
  const bool interactive = C::IsInteractiveKey(request);
  if (interactive && IsStepKey(request.keyCode)) {
    v = static_cast<int32_t>(N::Step(v, StepSign(request.keyCode), rule.min, rule.max, false));
    changed = true;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%0*d", rule.noFill ? 0 : rule.width, v);
  C::ShowText(request, text);
  if (interactive) OpenNumberEditor(context, request, rule.min < 0, true);
  return changed;
}

bool DecimalCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, const cmcDecimalRule& rule) {
  const int64_t unit = Pow10(rule.storedDecimals);
  const int64_t min = N::Nearest(rule.min * static_cast<double>(unit));
  const int64_t max = N::Nearest(rule.max * static_cast<double>(unit));
  const int64_t step = std::max<int64_t>(N::Nearest(rule.step * static_cast<double>(unit)), 1);
  bool changed = false;
  if (IsTyped(request)) {
    const N::Typed typed = N::ParseTyped(request.inputText);
    int64_t wanted = 0;
    if (typed.entered) {
      const double scaled =
          std::clamp(N::ShiftedNumber(typed.kept, rule.storedDecimals), -kDecimalLimit, kDecimalLimit);
      wanted = N::TruncatedMultiple(N::Nearest(scaled), step);
      v = static_cast<int32_t>(N::Clamp(wanted, min, max));
      changed = true;
    }
    if (!typed.entered || wanted < min || wanted > max)
      C::Refuse(request, N::RangeReason("numbers", min, max, step, rule.storedDecimals));
  }
  const int32_t key = request.keyCode;
  const bool interactive = C::IsInteractiveKey(request);
  if (interactive && rule.stepping && IsStepKey(key)) {
    v = static_cast<int32_t>(N::Step(v, StepSign(key) * step, min, max, false));
    changed = true;
  }

  const int64_t whole = v / unit;
  int64_t fraction = v % unit;
  if (rule.shownDecimals >= rule.storedDecimals)
    fraction *= Pow10(rule.shownDecimals - rule.storedDecimals);
  else
    fraction /= Pow10(rule.storedDecimals - rule.shownDecimals);
  std::string text = N::FixedPoint(whole, fraction, rule.shownDecimals, v < 0);
  N::RemoveTrailingZeros(text, rule.zerosToRemove);
  C::ShowText(request, text);

  if (!interactive) return changed;
  const size_t dot = request.outputText.find('.');
  if (key == '.' && dot != std::string::npos) {
    // Straight to the fraction: the caret just after the dot.
    request.selStart = static_cast<int32_t>(dot + 1);
    request.selLength = 0;
    context.result = C::kResultEditor;
  } else if (key == C::kKeyEnter || (key == C::kKeySpace && !rule.stepping)) {
    context.result = C::OpenEditorOnTrimmedText(request);
  } else if (StartsANumber(key, true) || key == '.') {
    context.result = C::OpenEditorOnKey(request);
  }
  return changed;
}

bool AdjustCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, const cmcAdjustRule& rule) {
  const int64_t step = std::max(rule.step, 1);
  bool changed = false;
  if (IsTyped(request)) {
    const N::Typed typed = N::ParseTyped(request.inputText);
    if (!typed.entered || typed.nearest < rule.min || typed.nearest > rule.max)
      C::Refuse(request, N::RangeReason("numbers", rule.min, rule.max, step, 0));
    if (typed.entered) {
      v = static_cast<int32_t>(N::NearestMultipleWithin(typed.nearest, step, rule.min, rule.max));
      changed = true;
    }
  }
  const int32_t key = request.keyCode;
  const bool interactive = C::IsInteractiveKey(request);
  if (interactive && (key == kKeyArrowRight || key == kKeyArrowLeft)) {
    const int64_t next = static_cast<int64_t>(v) + (key == kKeyArrowRight ? step : -step);
    v = static_cast<int32_t>(N::NearestMultipleWithin(next, step, rule.min, rule.max));
    changed = true;
  }
  C::ShowText(request, std::to_string(v));
  if (interactive) OpenNumberEditor(context, request, rule.min < 0, !rule.noEditor);
  return changed;
}

std::string BarText(int32_t v, int32_t min, int32_t max) {
  const int64_t span = static_cast<int64_t>(max) - min;
  const int64_t n = span > 0 ? N::Clamp((static_cast<int64_t>(v) - min) * 20 / span, 0, 20) : 0;
  return "[" + std::string(n, '#') + std::string(20 - n, '-') + "]";
}
