#include "cell/cmcFlagCodecs.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

#include "cell/cmcCellGrid.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcCodecCommon.h"
#include "overlay/cmcTextUtil.h"

namespace {

using C = cmcCodecCommon;

// The flag-bits editor numbers its bits from the top: flag k is bit 26 - k.
constexpr int kEditorTopBit = 26;
constexpr int kZFlag = 17;

// The flags first … last of a value, as the codecs lay them out.
class FlagLayout {
 public:
  FlagLayout(int first, int last) : first_(first), count_(std::clamp(last - first + 1, 0, kMaxFlags)) {}

  int Count() const { return count_; }
  int Number(int i) const { return first_ + i; }
  uint32_t Bit(int i) const { return uint32_t{1} << (count_ <= 8 ? 7 - i : count_ - 1 - i); }
  uint32_t All() const {
    uint32_t mask = 0;
    for (int i = 0; i < count_; ++i) mask |= Bit(i);
    return mask;
  }
  // The flags in the editor's numbering, and back.
  uint32_t ToEditor(uint32_t bits) const {
    uint32_t pattern = 0;
    for (int i = 0; i < count_; ++i)
      if (bits & Bit(i)) pattern |= uint32_t{1} << EditorShift(i);
    return pattern;
  }
  uint32_t FromEditor(uint32_t pattern) const {
    uint32_t bits = 0;
    for (int i = 0; i < count_; ++i)
      if (pattern >> EditorShift(i) & 1) bits |= Bit(i);
    return bits;
  }

 private:
  int EditorShift(int i) const { return std::clamp(kEditorTopBit - Number(i), 0, 31); }

  int first_;
  int count_;
};

// The number's last digit, 17 as "Z".
char DigitOf(int number) { return number == kZFlag ? 'Z' : static_cast<char>('0' + number % 10); }

char FlagChar(const FlagLayout& flags, int i, int style) {
  const int number = flags.Number(i);
  if (style == 4) {
    if (number == kZFlag) return 'Z';
    return static_cast<char>(number <= 9 ? '0' + number : 'A' + number - 10);
  }
  if (style == 6 && i < 4) return "OGPR"[i];
  return DigitOf(number);
}

// The first flag shown by the key (either case), -1 when none is.
template <typename Shown>
int FlagOfKey(const FlagLayout& flags, int32_t key, Shown shown) {
  if (key < 0 || key > 0xFF || !std::isalnum(key)) return -1;
  const char wanted = static_cast<char>(std::toupper(key));
  for (int i = 0; i < flags.Count(); ++i)
    if (shown(i) == wanted) return i;
  return -1;
}

}  // namespace

bool FlagSetCodec(cmcChoiceContext& context, cmcCellCapsule& request, uint32_t& bits, int first, int last, int style,
                  std::string_view sheetKey) {
  const FlagLayout flags(first, last);
  const uint32_t all = flags.All();
  const auto shown = [&](int i) { return FlagChar(flags, i, style); };
  bool changed = false;
  if (request.inputKind == cmcCellCapsule::kInputPopupAnswer) {
    const std::string text = cmcTrim(request.inputText);
    uint32_t pattern = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pattern);
    if (error == std::errc() && end == text.data() + text.size()) {
      bits = (bits & ~all) | flags.FromEditor(pattern);
      changed = true;
    }
  } else if (cmcCodecCommon::ReadsTyped(request)) {
    // Typed as the cell shows the set: each flag's character where it is on, "_" where off.
    const std::string text = cmcTrim(request.inputText);
    uint32_t typed = bits & ~all;
    bool taken = static_cast<int>(text.size()) == flags.Count();
    for (int i = 0; taken && i < flags.Count(); ++i) {
      const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[static_cast<size_t>(i)])));
      if (c == shown(i)) typed |= flags.Bit(i);
      taken = c == shown(i) || c == '_';
    }
    if (taken) {
      changed = typed != bits;
      bits = typed;
    } else {
      std::string example;
      for (int i = 0; i < flags.Count(); ++i) example += shown(i);
      C::Refuse(request, "flag sets are typed as shown: " + example + " with _ for each flag that is off");
    }
  }

  const int32_t key = request.keyCode;
  const bool interactive = C::IsInteractiveKey(request);
  if (interactive) {
    if (key == C::kKeySpace) {
      bits = (bits & all) == 0 ? bits | all : bits & ~all;
      changed = true;
    } else if (key == C::kKeyBackspace) {
      bits ^= all;
      changed = true;
    } else if (const int i = FlagOfKey(flags, key, shown); i >= 0) {
      bits ^= flags.Bit(i);
      changed = true;
    }
  }

  std::string text;
  for (int i = 0; i < flags.Count(); ++i) text += bits & flags.Bit(i) ? shown(i) : '_';
  C::ShowText(request, text);

  if (interactive && key == C::kKeyEnter) {
    request.grid->OpenFlagEditor(request, flags.ToEditor(bits), first, last, style, std::string(sheetKey));
    context.result = C::kResultPopup;
  }
  return changed;
}

bool DigitFlagCodec(cmcChoiceContext&, cmcCellCapsule& request, uint32_t& bits, int first, int last, bool flag) {
  const FlagLayout flags(first, last);
  const auto shown = [&](int i) { return static_cast<char>('0' + flags.Number(i) % 10); };
  bool changed = false;
  if (C::IsInteractiveKey(request) && C::IsDigitKey(request.keyCode)) {
    if (const int i = FlagOfKey(flags, request.keyCode, shown); i >= 0) {
      const uint32_t next = flag ? bits | flags.Bit(i) : bits & ~flags.Bit(i);
      changed = next != bits;
      bits = next;
    }
  }
  std::string text;
  for (int i = 0; i < flags.Count(); ++i) text += bits & flags.Bit(i) ? shown(i) : '_';
  C::ShowText(request, text + "\n");
  return changed;
}

bool UserSetEnableBit(cmcChoiceContext& context, cmcCellCapsule& request, std::span<uint8_t> bytes, int n) {
  if (n < 0 || static_cast<size_t>(n / 8) >= bytes.size()) return false;
  uint8_t& byte = bytes[n / 8];
  const uint8_t bit = static_cast<uint8_t>(0x80 >> n % 8);
  int32_t v = byte & bit ? 1 : 0;
  const bool changed = ChoiceCodecFlex0(context, request, kUserSetEnableList, v);
  if (changed) byte = static_cast<uint8_t>(v ? byte | bit : byte & ~bit);
  return changed;
}
