#pragma once
// The parsing and rounding rules the number codecs share: how a typed number is
// filtered and read (independent of the C locale), rounding to the nearest integer
// with halves away from zero, steps to multiples, stepping with wrap-around, and the
// fixed-point text of a scaled value.
#include <cstdint>
#include <string>
#include <string_view>

class cmcNumberText {
 public:
  // The longest typed number that is read; the rest is ignored.
  static constexpr size_t kMaxTypedLength = 9;

  struct Typed {
    bool entered = false;  // the text held at least one digit
    double real = 0;       // the number read
    int64_t nearest = 0;   // real taken to the nearest integer
    std::string kept;      // the characters read from
  };

  // A typed number: digits, "." and "-" kept, the first nine of them read as a
  // decimal number (its leading number; 0 when none).
  static Typed ParseTyped(std::string_view text);
  // The leading decimal number of a text ("-", digits, one "."), 0 when it has none.
  static double LeadingNumber(std::string_view text);
  // The leading number of text times 10^decimals, the decimal point moved in the text
  // so that a typed half (1.005 at two decimals) is not lost to binary rounding.
  static double ShiftedNumber(std::string_view text, int decimals);
  // The characters of text for which keep holds.
  template <typename Keep>
  static std::string Filter(std::string_view text, Keep keep) {
    std::string kept;
    for (char c : text)
      if (keep(c)) kept += c;
    return kept;
  }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  // x to the nearest integer, halves away from zero; saturates far outside 32 bits.
  static int64_t Nearest(double x);
  // The multiple of step nearest to v, halves away from zero; v itself for steps below 2.
  static int64_t NearestMultiple(int64_t v, int64_t step);
  // v truncated toward zero to a multiple of step; v itself for steps below 2.
  static int64_t TruncatedMultiple(int64_t v, int64_t step);
  // v held in min … max; min wins when the limits cross.
  static int64_t Clamp(int64_t v, int64_t min, int64_t max);
  // The nearest multiple of step, clamped into min … max; a clamped end that is no
  // multiple gives way to the multiple next to it inside the limits, when there is one.
  static int64_t NearestMultipleWithin(int64_t v, int64_t step, int64_t min, int64_t max);
  // v + delta kept in min … max: past one end to the other end, or, when saturating,
  // held at the end it passed.
  static int64_t Step(int64_t v, int64_t delta, int64_t min, int64_t max, bool saturate);

  // "%3d.%0*d" of whole and fraction (digits wide); a negative value whose whole part
  // is 0 shows "-0" so the sign is not lost.
  static std::string FixedPoint(int64_t whole, int64_t fraction, int digits, bool negative);
  // Removes up to count trailing "0" characters, and a "." left at the end with them.
  static void RemoveTrailingZeros(std::string& text, int count);
  // A value held in units of 10^-decimals as a plain decimal number without trailing
  // zeros: 255 at one decimal is "25.5", 60 at none "60".
  static std::string Plain(int64_t scaled, int decimals);
  // What a typed number must be: "numbers run from MIN to MAX" (each at decimals), with
  // " in steps of STEP" when the step is more than one unit; what names the quantity.
  static std::string RangeReason(std::string_view what, int64_t min, int64_t max, int64_t step, int decimals);
};
