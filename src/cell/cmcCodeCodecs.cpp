#include "cell/cmcCodeCodecs.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "cell/cmcCellGrid.h"
#include "cell/cmcCodecCommon.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"

namespace {

constexpr std::string_view kDtmfAlphabet = "0123456789ABCD*#";
constexpr std::string_view kFiveToneAlphabet = "0123456789ABCDE*";
constexpr int kFiveToneDigits = 8;

bool IsOneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

std::string Keep(std::string_view text, std::string_view letters) {
  std::string kept;
  for (char c : text)
    if (IsDigit(c) || IsOneOf(c, letters)) kept += c;
  return kept;
}

int HexValue(char c) {
  const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return IsDigit(u) ? u - '0' : u - 'A' + 10;
}

// Codes show their text whatever the request; with a grid, space and backspace act as
// Enter, which opens the editor on the text, and the symbol keys open it with the key.
void WorkCodeKey(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view symbolKeys) {
  if (!cmcCodecCommon::IsInteractiveKey(request)) return;
  const int32_t key = request.keyCode;
  if (key == cmcCodecCommon::kKeySpace || key == cmcCodecCommon::kKeyBackspace || key == cmcCodecCommon::kKeyEnter) {
    context.result = cmcCodecCommon::OpenEditorOnText(request);
  } else if (key > 0 && key < 128 &&
             (IsHexDigit(static_cast<char>(key)) || IsOneOf(static_cast<char>(key), symbolKeys))) {
    context.result = cmcCodecCommon::OpenEditorOnKey(request);
  }
}

}  // namespace

bool DtmfCodeCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::span<uint8_t> digits, uint8_t& length,
                   int capacity) {
  const int n = std::clamp(capacity, 0, static_cast<int>(digits.size()));
  bool changed = false;
  if (cmcCodecCommon::ReadsTyped(request)) {
    const std::string kept = Keep(request.inputText, "abcdefABCDEF*#");
    if (kept.size() != request.inputText.size() || static_cast<int>(kept.size()) > n)
      cmcCodecCommon::Refuse(request, "DTMF codes take up to " + std::to_string(n) + " of 0-9, A-D, * and #");
    int count = 0;
    for (char c : kept) {
      if (count == n) break;
      digits[static_cast<size_t>(count++)] = static_cast<uint8_t>(c == '*' ? 14 : c == '#' ? 15 : HexValue(c));
    }
    std::fill(digits.begin() + count, digits.end(), uint8_t{0});
    length = static_cast<uint8_t>(count);
    changed = true;
  }
  std::string text;
  const int shown = std::min<int>(length, n);
  for (int i = 0; i < shown; ++i) text += kDtmfAlphabet[digits[static_cast<size_t>(i)] & 0x0F];
  cmcCodecCommon::ShowText(request, std::move(text));
  WorkCodeKey(context, request, "*#");
  return changed;
}

bool FiveToneCodeCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::span<uint8_t> digits, uint8_t& marker,
                       int capacity, bool receive) {
  const int size = std::min<int>(kFiveToneDigits, static_cast<int>(digits.size()));
  const int n = std::clamp(capacity, 0, size);
  const uint8_t group = context.image->GetByte(cmcImageMap::kGroupTone) & 0x0F;
  bool changed = false;
  if (cmcCodecCommon::ReadsTyped(request)) {
    std::string kept = Keep(request.inputText, receive ? "abcdefgABCDEFG*+" : "abcdefgABCDEFG*");
    // An F (either case) ends the code.
    kept = kept.substr(0, std::min(kept.find('F'), kept.find('f')));
    kept = Keep(kept, "abcdegABCDEG*+");
    if (kept.empty() || kept.size() != request.inputText.size() || static_cast<int>(kept.size()) > n)
      cmcCodecCommon::Refuse(request, "5-tone codes take up to " + std::to_string(n) + " of 0-9, A-E, * or G" +
                                          (receive ? ", + for a repeat" : ""));
    if (!kept.empty()) {
      uint8_t marks = 0;
      int count = 0;
      for (char c : kept) {
        if (count == n) break;
        uint8_t value = group;
        if (c == '+') {
          value = 0;
          marks |= static_cast<uint8_t>(0x80 >> count);
        } else if (c != '*' && c != 'g' && c != 'G') {
          value = static_cast<uint8_t>(HexValue(c));
        }
        digits[static_cast<size_t>(count++)] = value;
      }
      for (int i = count; i < size; ++i) digits[static_cast<size_t>(i)] = i < n ? 0 : 0x0F;
      marker = marks;
      changed = true;
    }
  }
  std::string text;
  for (int i = 0; i < size && digits[static_cast<size_t>(i)] < 0x0F; ++i) {
    const uint8_t d = digits[static_cast<size_t>(i)];
    if (marker & (0x80 >> i)) {
      text += '+';
    } else if (d == group) {
      text += '*';
    } else {
      text += kFiveToneAlphabet[d];
    }
  }
  cmcCodecCommon::ShowText(request, std::move(text));
  WorkCodeKey(context, request, "*Gg#+");
  return changed;
}
