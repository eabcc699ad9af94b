#include "cell/cmcDigitCodecs.h"

#include <algorithm>
#include <string>
#include <vector>

#include "cell/cmcCodecCommon.h"
#include "cell/cmcNumberText.h"
#include "overlay/cmcTextUtil.h"

namespace {

using C = cmcCodecCommon;

constexpr char kAlphabet[] = "0123456789ABCDEF";
constexpr int kMaxNibbles = 8;

// The value of a digit or hexadecimal letter (either case), -1 for any other code.
int HexValue(int32_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A digit, or a hexadecimal letter when hexadecimal.
bool IsDigitOf(int32_t c, bool hexadecimal) { return hexadecimal ? HexValue(c) >= 0 : C::IsDigitKey(c); }

bool IsCommitted(cmcCellCapsule& request) {
  return cmcCodecCommon::ReadsTyped(request) || request.inputKind == cmcCellCapsule::kInputPopupAnswer;
}

}  // namespace

bool DigitStringCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::span<uint8_t> digits, bool hexadecimal) {
  bool changed = false;
  if (cmcCodecCommon::ReadsTyped(request)) {
    const std::string typed = cmcTrim(request.inputText);
    std::string kept = cmcNumberText::Filter(typed, [hexadecimal](char c) { return IsDigitOf(c, hexadecimal); });
    if (kept.empty() || kept.size() != typed.size() || kept.size() > digits.size())
      C::Refuse(request, "takes up to " + std::to_string(digits.size()) +
                             (hexadecimal ? " hexadecimal digits (0-9, A-F)" : " digits"));
    if (!kept.empty()) {
      if (kept.size() < digits.size()) kept.insert(0, digits.size() - kept.size(), '0');
      for (size_t i = 0; i < digits.size(); ++i) digits[i] = static_cast<uint8_t>(HexValue(kept[i]));
      changed = true;
    }
  }
  std::string text;
  for (const uint8_t d : digits) text += kAlphabet[d & 0x0F];
  C::ShowText(request, text);

  if (!C::IsInteractiveKey(request)) return changed;
  const int32_t key = request.keyCode;
  if (key == C::kKeyEnter || key == C::kKeySpace || key == C::kKeyBackspace)
    context.result = C::OpenEditorOnText(request);
  else if (IsDigitOf(key, hexadecimal))
    context.result = C::OpenEditorOnKey(request);
  return changed;
}

bool NibbleNumberCodec(cmcChoiceContext& context, cmcCellCapsule& request, uint32_t& v, int n) {
  n = std::clamp(n, 0, kMaxNibbles);
  std::vector<uint8_t> digits(n);
  for (int i = 0; i < n; ++i) digits[i] = static_cast<uint8_t>(v >> (4 * (n - 1 - i)) & 0x0F);
  const bool changed = DigitStringCodec(context, request, digits, true);
  if (changed) {
    v = 0;
    for (const uint8_t d : digits) v = v << 4 | d;
  }
  return changed;
}

bool SingleDigitCodec(cmcChoiceContext& context, cmcCellCapsule& request, int32_t& v, bool upToF) {
  const int highest = upToF ? 15 : 14;
  const auto valueOf = [highest](int32_t c) {
    const int value = HexValue(c);
    return value <= highest ? value : -1;
  };
  bool changed = false;
  if (cmcCodecCommon::ReadsTyped(request)) {
    const std::string typed = cmcTrim(request.inputText);
    if (typed.size() != 1 || valueOf(static_cast<unsigned char>(typed[0])) < 0)
      C::Refuse(request, upToF ? "takes one digit 0-9 or a letter A-F" : "takes one digit 0-9 or a letter A-E");
    if (!typed.empty() && valueOf(static_cast<unsigned char>(typed[0])) >= 0) {
      v = valueOf(static_cast<unsigned char>(typed[0]));
      changed = true;
    }
  }
  C::ShowText(request, std::string(1, kAlphabet[v & 0x0F]));

  if (!C::IsInteractiveKey(request)) return changed;
  const int32_t key = request.keyCode;
  if (key == C::kKeyEnter)
    context.result = C::OpenEditorOnText(request);
  else if (valueOf(key) >= 0)
    context.result = C::OpenEditorOnKey(request);
  return changed;
}

bool FixedTextCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::span<uint8_t> field) {
  bool changed = false;
  const std::string& input = request.inputText;
  const bool refused = cmcCodecCommon::ReadsTyped(request) &&
                       (input.size() > field.size() || std::any_of(input.begin(), input.end(), [](char c) {
                          return c == ' ' || !C::IsPrintableKey(static_cast<unsigned char>(c));
                        }));
  if (refused)
    C::Refuse(request,
              "texts here take up to " + std::to_string(field.size()) + " ASCII letters, digits and signs, no blanks");
  if (IsCommitted(request) && !refused) {
    for (size_t i = 0; i < field.size(); ++i) {
      const uint8_t b = i < input.size() ? static_cast<uint8_t>(input[i]) : 0;
      field[i] = b > ' ' && C::IsPrintableKey(b) ? b : 0;
    }
    changed = true;
  }
  const auto end = std::find(field.begin(), field.end(), 0);
  C::ShowText(request, std::string(field.begin(), end));

  if (!C::IsInteractiveKey(request)) return changed;
  const int32_t key = request.keyCode;
  if (key == C::kKeyEnter || key == C::kKeySpace || key == C::kKeyBackspace)
    context.result = C::OpenEditorOnText(request);
  else if (C::IsPrintableKey(key))
    context.result = C::OpenEditorOnKey(request);
  return changed;
}
