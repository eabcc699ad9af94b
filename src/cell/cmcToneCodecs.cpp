#include "cell/cmcToneCodecs.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

#include "cell/cmcCellGrid.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcChoiceList.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcItemLists.h"
#include "channel/datCh.h"
#include "channel/datChTone.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcTextUtil.h"

namespace {

constexpr const char* kCtcssItems = "GI_AppItem_Ctcss";
constexpr const char* kDtcsItems = "GI_AppItem_Dtcs";
constexpr const char* kToneList = "GI_Sheet_Sel_Mch_CTone";
constexpr const char* kToneListExUser = "GI_Sheet_Sel_Mch_CTone_ExUser";
constexpr const char* kDtcsList = "GI_Sheet_Sel_Mch_Dtcs";
constexpr const char* kPolarityList = "GI_Sheet_Sel_Mch_DtcsInv";
constexpr const char* kSetModeList = "GI_Sheet_Sel_SetMode_CTone";
// The CTCSS item the PMR form never takes from typing, and the one set mode never
// takes besides off.
constexpr int kItemNotTyped = 51;
// The last CTCSS item that is a frequency.
constexpr int kLastCtcssTone = 49;

// How one form of the channel tone codec behaves.
struct ToneRules {
  const char* list;       // the CTCSS choice list (key label Flex0)
  bool polarity;          // DTCS codes carry "I"/"N" and the polarity chooser follows the code
  bool dtcsFromItems;     // typed DTCS codes must be one of the DTCS items
  bool dtcsTextFromList;  // a DTCS tone shows its entry of the DTCS choice list
  bool dtcsChooser;       // the DTCS answer opens the DTCS chooser, else the editor
  bool editable;
  bool refuseItem51;  // a typed CTCSS text whose first match is item 51 is refused
};

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}

std::string OctalText(int code) {
  return {static_cast<char>('0' + ((code >> 6) & 7)), static_cast<char>('0' + ((code >> 3) & 7)),
          static_cast<char>('0' + (code & 7))};
}

// Exactly three octal digits, read as the 9-bit code they write.
std::optional<int> ParseOctal(std::string_view text) {
  if (text.size() != 3) return std::nullopt;
  int code = 0;
  for (char c : text) {
    if (c < '0' || c > '7') return std::nullopt;
    code = code * 8 + (c - '0');
  }
  return code;
}

bool IsStepKey(int32_t key) { return key == cmcCodecCommon::kKeySpace || key == cmcCodecCommon::kKeyBackspace; }
int StepOf(int32_t key) { return key == cmcCodecCommon::kKeySpace ? 1 : -1; }

// The position of a DTCS code among the DTCS items, -1 when it is none of them.
int DtcsPosition(cmcChannelCodecContext& context, int code) {
  return ItemPosition(*context.overlay, kDtcsItems, OctalText(code));
}

// The code of DTCS item n.
std::optional<int> DtcsCodeAt(cmcChannelCodecContext& context, int n) {
  return ParseOctal(ItemAt(*context.overlay, kDtcsItems, n));
}

// The entry of the DTCS choice list for a code; its octal digits when the code is
// none of the DTCS items.
std::string DtcsListText(cmcChannelCodecContext& context, int code) {
  const int position = DtcsPosition(context, code);
  if (position < 0) return OctalText(code);
  return cmcChoiceList(context, kDtcsList, Flex1).TextOf(position);
}

// The CTCSS index a typed text names by `FindItem`: one match, or several when more than
// one character was typed (the first wins).
std::optional<int> TypedCtcssItem(cmcChannelCodecContext& context, const std::string& typed) {
  if (typed.empty()) return std::nullopt;
  const cmcItemMatch match = FindItem(*context.overlay, kCtcssItems, typed);
  if (match.count == 1 || (match.count > 1 && typed.size() > 1)) return match.first;
  return std::nullopt;
}

bool SameTone(const datChTone& a, const datChTone& b) {
  if (a.on != b.on) return false;
  if (!a.on) return true;
  if (a.dtcs != b.dtcs) return false;
  return a.dtcs ? a.dtcsCode == b.dtcsCode && a.inverted == b.inverted : a.ctcssIndex == b.ctcssIndex;
}

int32_t ChoiceValueOf(const datChTone& t) {
  if (!t.on) return cmcTone::kChoiceOff;
  return t.dtcs ? cmcTone::kChoiceDtcs : t.ctcssIndex;
}

// A value of the CTCSS choice list: off, the DTCS entry (keeping the code), or an index.
void ApplyChoice(datChTone& t, int32_t v) {
  if (v == cmcTone::kChoiceOff) {
    t.on = false;
    t.dtcs = false;
    t.ctcssIndex = 0;
  } else if (v == cmcTone::kChoiceDtcs) {
    t.on = true;
    t.dtcs = true;
  } else {
    t.on = true;
    t.dtcs = false;
    t.ctcssIndex = v;
  }
}

std::string DtcsShown(cmcChannelCodecContext& context, const ToneRules& rules, const datChTone& t) {
  std::string text = rules.dtcsTextFromList ? DtcsListText(context, t.dtcsCode) : OctalText(t.dtcsCode);
  if (rules.polarity) text += t.inverted ? 'I' : 'N';
  return text;
}

// A typed tone: three octal digits (and "I" or "N" where codes have a polarity) for
// DTCS, else the start of a CTCSS item.
bool ApplyTyped(cmcChannelCodecContext& context, const ToneRules& rules, const std::string& input, datChTone& t) {
  const std::string typed = Upper(cmcTrim(input));
  const bool withPolarity = rules.polarity && typed.size() == 4 && (typed[3] == 'I' || typed[3] == 'N');
  if (typed.size() == 3 || withPolarity) {
    const std::optional<int> code = ParseOctal(std::string_view(typed).substr(0, 3));
    if (code && (!rules.dtcsFromItems || DtcsPosition(context, *code) >= 0)) {
      t.on = true;
      t.dtcs = true;
      t.dtcsCode = *code;
      t.inverted = withPolarity && typed[3] == 'I';
      return true;
    }
  }
  const std::optional<int> item = TypedCtcssItem(context, typed);
  if (!item || (rules.refuseItem51 && *item == kItemNotTyped)) return false;
  ApplyChoice(t, *item);
  return true;
}

// What a typed tone must be: off, a CTCSS item or a DTCS code of the form the rules take.
std::string ToneReason(cmcChannelCodecContext& context, bool withOff, bool polarity, bool dtcsFromItems) {
  std::string reason = "tones are ";
  if (withOff) reason += ItemAt(*context.overlay, kCtcssItems, cmcTone::kChoiceOff) + ", ";
  reason += "a CTCSS tone from " + ItemAt(*context.overlay, kCtcssItems, 0) + " to " +
            ItemAt(*context.overlay, kCtcssItems, kLastCtcssTone) + " Hz or a DTCS code of three octal digits";
  if (polarity) reason += " with N or I after them";
  if (dtcsFromItems) reason += ", one of the radio's DTCS codes";
  return reason;
}

void OpenChooser(cmcChannelCodecContext& context, cmcCellCapsule& request, const char* list, int keyLabel, int value) {
  if (!request.grid) return;
  request.grid->OpenChooser(request, list, keyLabel, value, {});
  context.result = cmcCodecCommon::kResultPopup;
}

bool ChannelToneCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel, bool receiveSide,
                      const ToneRules& rules) {
  datChTone& t = receiveSide ? channel.toneR : channel.toneT;
  const bool wasEqual = SameTone(channel.toneR, channel.toneT);
  bool changed = false;
  bool editor = false;

  if (rules.editable) {
    const cmcCellObj* chosen = cmcChannelCodecContext::ChosenCell(request);
    const bool interactive = cmcCodecCommon::IsInteractiveKey(request);
    if (interactive && IsStepKey(request.keyCode) && t.on && t.dtcs) {
      if (rules.polarity) {
        t.inverted = !t.inverted;
      } else {
        const int next =
            cmcChoiceList(context, kDtcsList, Flex1).Step(DtcsPosition(context, t.dtcsCode), StepOf(request.keyCode));
        if (const std::optional<int> code = DtcsCodeAt(context, next)) t.dtcsCode = *code;
      }
      changed = true;
    } else if (chosen && chosen->label == FlexDtcs) {
      if (rules.dtcsChooser) {
        OpenChooser(context, request, kDtcsList, Flex1, std::max(DtcsPosition(context, t.dtcsCode), 0));
      } else {
        std::string text = OctalText(t.dtcsCode);
        if (rules.polarity) text += t.inverted ? 'I' : 'N';
        cmcCodecCommon::ShowText(request, text);
        context.ReopenEditor(request);
        editor = true;
      }
    } else if (chosen && chosen->label == Flex1) {
      if (const std::optional<int> code = DtcsCodeAt(context, chosen->index)) {
        t.on = true;
        t.dtcs = true;
        t.dtcsCode = *code;
        changed = true;
        if (rules.polarity) OpenChooser(context, request, kPolarityList, Flex2, t.inverted ? 1 : 0);
      }
    } else if (chosen && chosen->label == Flex2 && rules.polarity) {
      t.inverted = (chosen->index & 1) != 0;
      changed = true;
    } else if (cmcCodecCommon::ReadsTyped(request)) {
      changed = ApplyTyped(context, rules, request.inputText, t);
      if (!changed) cmcCodecCommon::Refuse(request, ToneReason(context, true, rules.polarity, rules.dtcsFromItems));
    } else if (interactive && cmcCodecCommon::IsPrintableKey(request.keyCode) &&
               request.keyCode != cmcCodecCommon::kKeySpace) {
      context.result = cmcCodecCommon::OpenEditorOnKey(request);
      editor = true;
    } else {
      int32_t v = ChoiceValueOf(t);
      if (ChoiceCodec(context, request, rules.list, Flex0, v)) {
        ApplyChoice(t, v);
        changed = true;
      }
    }
  }

  if (!rules.editable) cmcCodecCommon::Refuse(request, "this tone follows the receive tone and cannot be typed");
  if (changed && receiveSide && wasEqual) channel.toneT = channel.toneR;
  if (editor) return changed;

  if (!receiveSide && t.on && SameTone(channel.toneT, channel.toneR)) {
    cmcCodecCommon::ShowText(request, "<-");
    context.textAlign = cmcChannelCodecContext::kAlignCentre;
    return changed;
  }
  const std::string text = t.on && t.dtcs ? DtcsShown(context, rules, t)
                                          : cmcChoiceList(context, rules.list, Flex0).TextOf(ChoiceValueOf(t));
  cmcCodecCommon::ShowText(request, text);
  context.textAlign = cmcChannelCodecContext::kAlignRight;
  return changed;
}

}  // namespace

bool ToneCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel, bool receiveSide) {
  const bool dpmr = context.Family() == 3;
  const ToneRules rules{dpmr ? kToneListExUser : kToneList, true, dpmr, dpmr, dpmr, !dpmr || receiveSide, false};
  return ChannelToneCodec(context, request, channel, receiveSide, rules);
}

bool PmrToneCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel, bool receiveSide) {
  const bool dpmr = context.Family() == 3;
  const ToneRules rules{kToneList, false, true, true, dpmr, true, true};
  return ChannelToneCodec(context, request, channel, receiveSide, rules);
}

bool Pmr446ToneCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel, bool receiveSide) {
  const bool dpmr = context.Family() == 3;
  const ToneRules rules{kToneListExUser, true, true, true, dpmr, true, false};
  return ChannelToneCodec(context, request, channel, receiveSide, rules);
}

bool SetModeToneCodec(cmcChannelCodecContext& context, cmcCellCapsule& request) {
  cmcEeprom& image = *context.image;
  const uint8_t flags = image.GetByte(cmcImageMap::kSetModeFlags);
  bool dtcs = ((flags >> cmcTone::kSetModeDtcsBit) & 1) != 0;
  int32_t value = image.GetByte(cmcImageMap::kSetModeTone);
  const cmcCellObj* chosen = cmcChannelCodecContext::ChosenCell(request);
  const bool interactive = cmcCodecCommon::IsInteractiveKey(request);
  bool changed = false;

  if (interactive && IsStepKey(request.keyCode) && dtcs) {
    value = cmcChoiceList(context, kDtcsList, Flex1).Step(value, StepOf(request.keyCode));
    changed = true;
  } else if (chosen && chosen->label == FlexDtcs) {
    OpenChooser(context, request, kDtcsList, Flex1, dtcs ? value : 0);
  } else if (chosen && chosen->label == Flex1) {
    value = chosen->index;
    dtcs = true;
    changed = true;
  } else if (cmcCodecCommon::ReadsTyped(request)) {
    const std::string typed = Upper(cmcTrim(request.inputText));
    const int position = ParseOctal(typed) ? ItemPosition(*context.overlay, kDtcsItems, typed) : -1;
    if (position >= 0) {
      value = position;
      dtcs = true;
      changed = true;
    } else if (const std::optional<int> item = TypedCtcssItem(context, typed);
               item && *item != kItemNotTyped && *item != cmcTone::kChoiceOff) {
      value = *item;
      dtcs = false;
      changed = true;
    } else {
      cmcCodecCommon::Refuse(request, ToneReason(context, false, false, true));
    }
  } else if (interactive && cmcCodecCommon::IsPrintableKey(request.keyCode) &&
             request.keyCode != cmcCodecCommon::kKeySpace) {
    context.result = cmcCodecCommon::OpenEditorOnKey(request);
    return false;
  } else {
    int32_t v = dtcs ? cmcTone::kChoiceDtcs : value;
    if (ChoiceCodec(context, request, kSetModeList, Flex0, v)) {
      // The plain list's DTCS entry keeps a DTCS position, else starts at the first code.
      if (v == cmcTone::kChoiceDtcs) {
        if (!dtcs) value = 0;
        dtcs = true;
      } else {
        value = v;
        dtcs = false;
      }
      changed = true;
    }
  }

  if (changed) {
    image.SetByte(cmcImageMap::kSetModeFlags, static_cast<uint8_t>(dtcs ? flags | (1 << cmcTone::kSetModeDtcsBit)
                                                                        : flags & ~(1 << cmcTone::kSetModeDtcsBit)));
    image.SetByte(cmcImageMap::kSetModeTone, static_cast<uint8_t>(value));
  }
  const std::string text = dtcs ? cmcChoiceList(context, kDtcsList, Flex1).TextOf(value)
                                : cmcChoiceList(context, kSetModeList, Flex0).TextOf(value);
  cmcCodecCommon::ShowText(request, text);
  return changed;
}
