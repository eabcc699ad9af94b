#include "cell/cmcChoiceCodecs.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "cell/cmcCellGrid.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcChoiceList.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcTextCodecs.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcTextUtil.h"

namespace {

// The longest number typed for a typed choice.
constexpr size_t kTypedChoiceWidth = 10;

bool IsDigit(int32_t c) { return c >= '0' && c <= '9'; }

bool StartsWithOff(std::string_view text) {
  return text.size() >= 2 && (text[0] == 'o' || text[0] == 'O') && (text[1] == 'f' || text[1] == 'F');
}

// The answer's chosen cell when the request is a chooser answer carrying keyLabel.
const cmcCellObj* AnswerWith(const cmcCellCapsule& request, int keyLabel) {
  if (!request.parent || !request.parent->cell) return nullptr;
  const cmcCellObj* chosen = request.parent->cell;
  return chosen->label == static_cast<uint32_t>(keyLabel) ? chosen : nullptr;
}

void OpenChooser(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, int keyLabel,
                 int32_t value, const std::string& extra = {}) {
  request.grid->OpenChooser(request, std::string(listKey), keyLabel, value, extra);
  context.result = cmcCodecCommon::kResultPopup;
}

// The leading decimal number of a text, 0 when it has none.
double LeadingNumber(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// The digits of a text read as a number, saturating far above any list value.
int64_t DigitsValue(std::string_view digits) {
  int64_t n = 0;
  for (char c : digits) n = std::min<int64_t>(n * 10 + (c - '0'), INT32_MAX);
  return n;
}

// The bounds of a number range: low, the value of the first list's last entry, and
// high, the largest value of the second list. Read line by line from the overlay.
struct NumberRange {
  int64_t low = 1;
  int64_t high = 0;  // empty until both lists supply their bound
  bool Holds(int32_t v) const { return v >= low && v <= high; }
};

template <typename Take>
void WalkSection(cmcChoiceContext& context, std::string_view listKey, Take take) {
  const std::string section = std::string(listKey) + "_Cells";
  cmcCellObj cell;
  cmcCellCounters counters{};
  for (int line = 0;; ++line) {
    const std::string row = context.overlay->GetLine(section, line);
    if (row.starts_with('#')) return;
    for (std::string_view rest = row; !rest.empty();) {
      rest = cell.ParseCell(rest, &counters, nullptr, context.overlay);
      take(cell);
    }
  }
}

NumberRange ReadNumberRange(cmcChoiceContext& context, std::string_view firstList, std::string_view secondList) {
  bool haveLow = false;
  bool haveHigh = false;
  int64_t low = 0;
  int64_t high = 0;
  WalkSection(context, firstList, [&](const cmcCellObj& cell) {
    if (cell.label != Flex0) return;
    low = cell.index;
    haveLow = true;
  });
  WalkSection(context, secondList, [&](const cmcCellObj& cell) {
    if (cell.label != Flex1) return;
    high = haveHigh ? std::max<int64_t>(high, cell.index) : cell.index;
    haveHigh = true;
  });
  if (!haveLow || !haveHigh) return {};
  return {low, high};
}

// A typed text (input kind 1) names the entry whose text it is, as the chooser would
// choose it; any other text is refused with the entries. True when v changed: the
// entry already held changes nothing.
bool TakeTypedEntry(cmcCellCapsule& request, const cmcChoiceList& list, int32_t& v) {
  if (!cmcCodecCommon::ReadsTyped(request)) return false;
  if (const std::optional<int32_t> value = list.ValueOfText(request.inputText)) {
    const bool changed = *value != v;
    v = *value;
    return changed;
  }
  cmcCodecCommon::Refuse(request, list.ChoicesReason());
  return false;
}

}  // namespace

bool ChoiceCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, int keyLabel,
                 int32_t& v) {
  bool changed = false;
  if (request.inputKind == cmcCellCapsule::kInputPopupAnswer) {
    if (const cmcCellObj* chosen = AnswerWith(request, keyLabel)) {
      v = chosen->index;
      changed = true;
    }
  }
  const cmcChoiceList list(context, listKey, keyLabel);
  changed = TakeTypedEntry(request, list, v) || changed;
  if (cmcCodecCommon::IsInteractiveKey(request)) {
    switch (request.keyCode) {
      case cmcCodecCommon::kKeySpace:
      case cmcCodecCommon::kKeyBackspace:
        if (!list.Empty()) {
          v = list.Step(v, request.keyCode == cmcCodecCommon::kKeySpace ? 1 : -1);
          changed = true;
        }
        break;
      case cmcCodecCommon::kKeyEnter:
        OpenChooser(context, request, listKey, keyLabel, v);
        break;
      default:
        break;
    }
  }
  cmcCodecCommon::ShowText(request, list.TextOf(v));
  return changed;
}

bool ChoiceCodecFlex0(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, int32_t& v) {
  return ChoiceCodec(context, request, listKey, Flex0, v);
}

bool ChoiceCodecMark(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, int32_t& v) {
  return ChoiceCodec(context, request, listKey, FlexMark, v);
}

bool ChoiceCodecByte(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, uint8_t& b) {
  int32_t v = b;
  const bool changed = ChoiceCodec(context, request, listKey, Flex0, v);
  b = static_cast<uint8_t>(v);
  return changed;
}

bool ChooserOnly(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, int keyLabel, int32_t& v,
                 const std::string& extra) {
  if (request.inputKind == cmcCellCapsule::kInputPopupAnswer) {
    const cmcCellObj* chosen = AnswerWith(request, keyLabel);
    if (!chosen) return false;
    v = chosen->index;
    return true;
  }
  if (cmcCodecCommon::ReadsTyped(request)) return TakeTypedEntry(request, cmcChoiceList(context, listKey, keyLabel), v);
  if (cmcCodecCommon::IsInteractiveKey(request) && request.keyCode == cmcCodecCommon::kKeyEnter)
    OpenChooser(context, request, listKey, keyLabel, v, extra);
  return false;
}

bool TypedChoiceCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, int keyLabel,
                      int32_t& v) {
  if (cmcCodecCommon::ReadsTyped(request)) {
    const cmcChoiceList list(context, listKey, keyLabel);
    std::string typed = cmcTrim(request.inputText);
    std::transform(typed.begin(), typed.end(), typed.begin(), [](unsigned char c) { return std::toupper(c); });
    bool changed = false;
    if (StartsWithOff(typed)) typed = "0";
    // An entry's own text is taken as the chooser would take it.
    if (const std::optional<int32_t> entry = list.ValueOfText(request.inputText)) {
      v = *entry;
      changed = true;
      typed.clear();
    } else if (typed.empty() || typed[0] == 'O' || list.Empty()) {
      cmcCodecCommon::Refuse(request, "type a number, which picks the nearest choice, or off; " + list.ChoicesReason());
    }
    // A lone "O" or an "O" not followed by "F" is no number; nothing typed changes nothing.
    if (!typed.empty() && typed[0] != 'O' && !list.Empty()) {
      const double wanted = LeadingNumber(typed);
      const cmcFCache::Record* best = nullptr;
      double bestDistance = 0;
      for (const cmcFCache::Record& e : list.Entries()) {
        const double distance = std::fabs(LeadingNumber(*e.text) - wanted);
        if (!best || distance < bestDistance) {
          best = &e;
          bestDistance = distance;
        }
      }
      v = best->value;
      changed = true;
    }
    cmcCodecCommon::ShowText(request, list.TextOf(v));
    return changed;
  }
  const int32_t key = request.keyCode;
  if (cmcCodecCommon::IsInteractiveKey(request) && (IsDigit(key) || key == 'o' || key == 'O')) {
    // The number is typed into a small plain text editor; its text comes back as input kind 1.
    std::array<uint8_t, kTypedChoiceWidth> scratch;
    scratch.fill(' ');
    cmcTextCodecs::PlainTextCodec(request, scratch, context.result);
    return false;
  }
  return ChoiceCodec(context, request, listKey, keyLabel, v);
}

bool ChoiceOrNumberCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view firstList,
                         std::string_view secondList, int32_t& v, bool offAllowed) {
  const NumberRange range = ReadNumberRange(context, firstList, secondList);
  const cmcChoiceList first(context, firstList, Flex0);
  const auto show = [&] { cmcCodecCommon::ShowText(request, range.Holds(v) ? std::to_string(v) : first.TextOf(v)); };
  const int32_t key = request.keyCode;
  const bool stepKey = key == cmcCodecCommon::kKeySpace || key == cmcCodecCommon::kKeyBackspace;
  bool changed = false;

  if (cmcCodecCommon::ReadsTyped(request)) {
    std::string typed = request.inputText;
    if (offAllowed && StartsWithOff(typed)) typed = "0";
    std::string digits;
    for (char c : typed)
      if (IsDigit(c)) digits += c;
    const auto refuse = [&] {
      cmcCodecCommon::Refuse(request, first.ChoicesReason() + ", or a number from " + std::to_string(range.low) +
                                          " to " + std::to_string(range.high));
    };
    const std::optional<int32_t> entry = first.ValueOfText(request.inputText);
    if (entry && *entry != range.low) {
      v = *entry;
      changed = true;
    } else if (!digits.empty()) {
      const int64_t n = DigitsValue(digits);
      const bool off = offAllowed && n == 0;
      if (!off && (n < range.low || n > range.high)) refuse();
      v = off ? 0 : static_cast<int32_t>(std::clamp(n, range.low, std::max(range.low, range.high)));
      changed = true;
    } else {
      refuse();
    }
    show();
    return changed;
  }

  if (request.inputKind == cmcCellCapsule::kInputPopupAnswer && request.parent && !stepKey) {
    if (const cmcCellObj* chosen = AnswerWith(request, Flex0)) {
      if (chosen->index == range.low && range.low <= range.high) {
        if (request.grid) OpenChooser(context, request, secondList, Flex1, v);
        cmcCodecCommon::ShowText(request, std::to_string(v));
        return false;
      }
      v = chosen->index;
      changed = true;
    } else if (const cmcCellObj* number = AnswerWith(request, Flex1)) {
      v = number->index;
      changed = true;
    }
    show();
    return changed;
  }

  if (request.grid && stepKey && !first.Empty()) {
    // A number counts as no entry, so the walk starts at the first entry; it never
    // stops on the entry that stands for a number.
    const int step = key == cmcCodecCommon::kKeySpace ? 1 : -1;
    int32_t next = range.Holds(v) ? first.Entries().front().value : first.Step(v, step);
    if (next == range.low) next = first.Step(next, step);
    v = next;
    changed = true;
  } else if (cmcCodecCommon::IsInteractiveKey(request)) {
    if (IsDigit(key) || key == '.' || key == 'o' || key == 'O') {
      show();
      context.result = cmcCodecCommon::OpenEditorOnKey(request);
      return false;
    }
    if (key == cmcCodecCommon::kKeyEnter)
      OpenChooser(context, request, firstList, Flex0, range.Holds(v) ? range.low : v);
  }
  show();
  return changed;
}
