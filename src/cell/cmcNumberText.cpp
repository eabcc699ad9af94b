#include "cell/cmcNumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Beyond every value a codec stores, and exactly representable as a double.
constexpr double kSaturation = 4611686018427387904.0;  // 2^62

// The largest multiple of step not above v.
int64_t FloorMultiple(int64_t v, int64_t step) {
  int64_t q = v / step;
  if (v % step != 0 && v < 0) --q;
  return q * step;
}

}  // namespace

cmcNumberText::Typed cmcNumberText::ParseTyped(std::string_view text) {
  std::string kept = Filter(text, [](char c) { return IsDigit(c) || c == '.' || c == '-'; });
  if (kept.size() > kMaxTypedLength) kept.resize(kMaxTypedLength);
  Typed typed;
  typed.kept = kept;
  typed.entered = kept.find_first_of("0123456789") != std::string::npos;
  typed.real = LeadingNumber(kept);
  typed.nearest = Nearest(typed.real);
  return typed;
}

double cmcNumberText::LeadingNumber(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  return error == std::errc() ? value : 0;
}

double cmcNumberText::ShiftedNumber(std::string_view text, int decimals) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc()) return 0;
  std::string number(text.data(), end);
  size_t dot = number.find('.');
  if (dot == std::string::npos)
    dot = number.size();
  else
    number.erase(dot, 1);
  const size_t shifted = dot + static_cast<size_t>(std::max(decimals, 0));
  if (number.size() < shifted) number.append(shifted - number.size(), '0');
  number.insert(shifted, 1, '.');
  return LeadingNumber(number);
}

int64_t cmcNumberText::Nearest(double x) {
  if (std::isnan(x)) return 0;
  const double rounded = x < 0 ? x - 0.5 : x + 0.5;
  if (rounded >= kSaturation) return static_cast<int64_t>(kSaturation);
  if (rounded <= -kSaturation) return -static_cast<int64_t>(kSaturation);
  return static_cast<int64_t>(rounded);
}

int64_t cmcNumberText::NearestMultiple(int64_t v, int64_t step) {
  if (step < 2) return v;
  const int64_t below = v / step * step;  // toward zero
  const int64_t rest = v - below;
  if (2 * std::llabs(rest) >= step) return below + (v < 0 ? -step : step);
  return below;
}

int64_t cmcNumberText::TruncatedMultiple(int64_t v, int64_t step) { return step < 2 ? v : v / step * step; }

int64_t cmcNumberText::Clamp(int64_t v, int64_t min, int64_t max) { return std::max(min, std::min(v, max)); }

int64_t cmcNumberText::NearestMultipleWithin(int64_t v, int64_t step, int64_t min, int64_t max) {
  const int64_t m = Clamp(NearestMultiple(v, step), min, max);
  if (step < 2 || m % step == 0) return m;
  if (m == max && FloorMultiple(max, step) >= min) return FloorMultiple(max, step);
  if (m == min && FloorMultiple(min, step) + step <= max) return FloorMultiple(min, step) + step;
  return m;
}

int64_t cmcNumberText::Step(int64_t v, int64_t delta, int64_t min, int64_t max, bool saturate) {
  const int64_t next = v + delta;
  if (next > max) return saturate ? max : min;
  if (next < min) return saturate ? min : max;
  return next;
}

std::string cmcNumberText::FixedPoint(int64_t whole, int64_t fraction, int digits, bool negative) {
  char buffer[64];
  const long long shownFraction = std::llabs(fraction);
  if (negative && whole == 0)
    std::snprintf(buffer, sizeof buffer, "%3s.%0*lld", "-0", digits, shownFraction);
  else
    std::snprintf(buffer, sizeof buffer, "%3lld.%0*lld", static_cast<long long>(whole), digits, shownFraction);
  return buffer;
}

void cmcNumberText::RemoveTrailingZeros(std::string& text, int count) {
  for (; count > 0 && !text.empty() && text.back() == '0'; --count) text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
}

std::string cmcNumberText::Plain(int64_t scaled, int decimals) {
  int64_t unit = 1;
  for (int i = 0; i < decimals; ++i) unit *= 10;
  std::string text = FixedPoint(scaled / unit, scaled % unit, decimals, scaled < 0);
  text.erase(0, text.find_first_not_of(' '));
  if (decimals > 0) RemoveTrailingZeros(text, decimals);
  return text;
}

std::string cmcNumberText::RangeReason(std::string_view what, int64_t min, int64_t max, int64_t step, int decimals) {
  std::string text = std::string(what) + " run from " + Plain(min, decimals) + " to " + Plain(max, decimals);
  if (step > 1) text += " in steps of " + Plain(step, decimals);
  return text;
}
