#include "cell/indChannelRules.h"

#include <cstdio>
#include <span>
#include <string>

#include "cell/cmcCellIds.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcChoiceList.h"
#include "cell/cmcFlagCodecs.h"
#include "cell/cmcTextCodecs.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indChannelCells.h"
#include "cell/indCodecScope.h"
#include "image/cmcImageMap.h"

namespace {

constexpr uint32_t kSimplexTop = 520000000;  // above it a channel has no duplex choice
constexpr int kNameLength = 8;
constexpr int kPresetNameLength = 6;
constexpr int kCtcssUnusable = 51;  // the CTCSS item a PMR receive tone may not take for the tone edit
constexpr int kMskRptSpecial = 255;
constexpr const char* kMskRpt2nd = "GI_Sheet_Sel_Mch_Msk_Rpt_2nd";
constexpr int kPlainStyle = 0;

const char* List(int label) { return indChannelCells::ListOf(label); }

// On a QarnPmr radio a channel without the MSK signal flag has no MSK settings.
bool NoMskSignal(const indCellRequest& r) { return r.qarnPmr && !r.record.mskSig; }

void NoMskCell(indCellRequest& r) { indChannelRules::NoSignalCell(r); }

// A value other settings decide: drawn in the restricted colour, every key and commit
// refused and reported.
void Derived(indCellRequest& r) {
  indCellSteps::Restrict(r);
  if (r.capsule.keyCode != 0 || r.capsule.inputKind != 0) r.editRestricted = true;
}

bool Choice(indCellRequest& r, int32_t& v) {
  indCodecScope codec(r);
  return ChoiceCodecFlex0(codec.context, r.capsule, List(r.label), v);
}

}  // namespace

void indChannelRules::MarkEntry(indCellRequest& r, int v) {
  switch (r.label) {
    case CL_Mch_WNM:
    case CL_Mch_WNM_Pmr:
      if ((v == 2 || v == 3) && !indCellSteps::ImageBit(r, cmcImageMap::kWidthOptions, 4)) r.SetWarning();
      return;
    default:
      break;
  }
  if (!r.qarnPmr || !r.digital) return;
  switch (r.label) {
    case CL_Mch_CH_Mute:
      if (v == 0) r.SetWarning();
      break;
    case CL_Mch_CH_Mute_Pmr:
      if (v == 0) r.SetError();
      break;
    case CL_Mch_Moni_Pmr:
      if (v != 6 && v != 7) r.SetWarning();
      break;
    case CL_Mch_Sel_Pmr:
      if (v != 1) r.SetError();
      break;
    case CL_Mch_Call_Pmr:
    case CL_Mch_PTT_Pmr:
      if (v != 0) r.SetError();
      break;
    default:
      break;
  }
}

void indChannelRules::Text(indCellRequest& r) {
  const size_t length = r.record.preset ? kPresetNameLength : kNameLength;
  indCodecScope codec(r);
  const auto table = indCellSteps::UserTable(r);
  if (cmcTextCodecs::RadioTextCodec(r.capsule, std::span<uint8_t>(r.record.chName.data(), length), table, false,
                                    codec.context.result))
    indCellSteps::StoreChannel(r);
}

void indChannelRules::Wnm(indCellRequest& r) {
  int32_t v = r.record.width;
  bool changed;
  {
    indCodecScope codec(r);
    changed = ChoiceCodecMark(codec.context, r.capsule, List(r.label), v);
  }
  MarkEntry(r, v);
  if (!changed) return;
  r.record.width = v;
  indCellSteps::StoreChannel(r);
  r.mask |= indCellRequest::kMaskLayout;
}

void indChannelRules::WnmPmr(indCellRequest& r) {
  if (r.record.preset) indCellSteps::Restrict(r);
  int32_t v = r.record.width;
  const bool changed = Choice(r, v);
  MarkEntry(r, v);
  if (!changed || r.record.preset) return;
  r.record.width = v;
  indCellSteps::StoreChannel(r);
  r.mask |= indCellRequest::kMaskLayout;
}

void indChannelRules::Scan(indCellRequest& r) {
  // Lists 0-3 are flags 14-17: the memberships' bits 3-0, unshifted.
  uint32_t bits = static_cast<uint32_t>(r.record.scan);
  indCodecScope codec(r);
  if (!FlagSetCodec(codec.context, r.capsule, bits, 1, 17, 4)) return;
  r.record.scan = static_cast<int>(bits & 0x0F);
  indCellSteps::StoreChannel(r);
}

void indChannelRules::ScanPmr(indCellRequest& r) {
  // Lists 0-3 are flags 1-4 (the memberships shifted into the top nibble); list 3 is
  // offered only on the repeater presets.
  const datCh& c = r.record;
  const int last = c.preset && c.presetNo >= 81 && c.presetNo != 85 ? 4 : 3;
  uint32_t bits = static_cast<uint32_t>(c.scan) << 4;
  indCodecScope codec(r);
  if (!FlagSetCodec(codec.context, r.capsule, bits, 1, last, 6)) return;
  r.record.scan = static_cast<int>((bits >> 4) & 0x0F);
  indCellSteps::StoreChannel(r);
}

void indChannelRules::CallButton(indCellRequest& r) {
  Derived(r);
  const datCh& c = r.record;
  indCodecScope codec(r);
  const cmcChoiceList list(codec.context, List(r.label), Flex0);
  std::string text = list.TextOf(c.preset ? 1 : (c.inhT ? 0 : 2));
  if (c.preset) {
    int n = c.presetNo;
    if (n > 80) {
      text += list.TextOf(3);
      n -= n <= 88 ? 80 : 50;
    }
    char number[16];
    std::snprintf(number, sizeof number, "-%02d", n);
    text += number;
  }
  r.SetText(text);
}

void indChannelRules::Dup(indCellRequest& r) {
  datCh& c = r.record;
  const bool simplex = c.freqR == c.freqT;
  if (simplex || c.freqR > kSimplexTop) {
    // The frequencies decide: the flag follows them at once, even on a redraw.
    if (c.dup != simplex) {
      c.dup = simplex;
      indCellSteps::StoreChannel(r);
    }
    indCellSteps::Centred(r, "---");
    return;
  }
  int32_t v = c.dup ? 1 : 0;
  if (!Choice(r, v)) return;
  c.dup = v != 0;
  indCellSteps::StoreChannel(r);
}

void indChannelRules::DupEna(indCellRequest& r) {
  datCh& c = r.record;
  if (c.freqR == c.freqT || c.freqR > kSimplexTop) {
    if (!c.dupEna) {
      c.dupEna = true;
      indCellSteps::StoreChannel(r);
    }
    indCellSteps::Centred(r, "---");
    return;
  }
  int32_t v = c.dupEna ? 1 : 0;
  if (!Choice(r, v)) return;
  c.dupEna = v != 0;
  indCellSteps::StoreChannel(r);
}

void indChannelRules::CToneSel(indCellRequest& r) {
  datCh& c = r.record;
  if (c.IsPmrEmergencyPreset()) return indCellSteps::Centred(r, "---");
  int32_t v = c.ctoneSel ? 1 : 0;
  if (!Choice(r, v)) return;
  const bool turnedOn = v != 0 && !c.ctoneSel;
  c.ctoneSel = v != 0;
  if (turnedOn && c.ctoneEdit) c.toneT = c.toneR;
  indCellSteps::StoreChannel(r);
}

void indChannelRules::CToneEdit(indCellRequest& r) {
  datCh& c = r.record;
  if (c.IsPmrEmergencyPreset()) return indCellSteps::Centred(r, "---");
  if (!c.ctoneSel) indCellSteps::Silver(r);
  if (c.toneR.on && !c.toneR.dtcs && c.toneR.ctcssIndex == kCtcssUnusable) indCellSteps::Restrict(r);
  int32_t v = c.ctoneEdit ? 1 : 0;
  if (!Choice(r, v)) return;
  const bool turnedOn = v != 0 && !c.ctoneEdit;
  c.ctoneEdit = v != 0;
  if (turnedOn && c.ctoneSel) c.toneT = c.toneR;
  indCellSteps::StoreChannel(r);
}

void indChannelRules::MskSig(indCellRequest& r) {
  int32_t v = r.record.mskSig ? 1 : 0;
  if (!Choice(r, v)) return;
  r.record.mskSig = v != 0;
  indCellSteps::StoreChannel(r);
  r.mask |= indCellRequest::kMaskLayout;
}

void indChannelRules::MskSendStatus(indCellRequest& r) {
  if (NoMskSignal(r)) indCellSteps::Silver(r);
  int32_t v = r.record.mskSendStatus ? 1 : 0;
  {
    indCodecScope codec(r);
    if (!ChoiceCodecMark(codec.context, r.capsule, List(r.label), v)) return;
  }
  r.record.mskSendStatus = v != 0;
  indCellSteps::StoreChannel(r);
  r.mask |= indCellRequest::kMaskLayout;
}

void indChannelRules::MskRpt(indCellRequest& r) {
  if (NoMskSignal(r)) return NoMskCell(r);
  datCh& c = r.record;
  int32_t v = c.mskRptSpecial ? kMskRptSpecial : c.rptNo;
  bool changed;
  {
    indCodecScope codec(r);
    changed = ChoiceOrNumberCodec(codec.context, r.capsule, List(r.label), kMskRpt2nd, v, true);
  }
  indCellSteps::Align(r, indCellSteps::kAlignRight);
  if (!changed) return;
  c.mskRptSpecial = v == kMskRptSpecial;
  if (!c.mskRptSpecial) c.rptNo = v & 0x7F;
  indCellSteps::StoreChannel(r);
}

void indChannelRules::MskStn(indCellRequest& r) {
  if (NoMskSignal(r)) return NoMskCell(r);
  int32_t v = r.record.stnCode;
  bool changed;
  {
    indCodecScope codec(r);
    changed = TypedChoiceCodec(codec.context, r.capsule, List(r.label), Flex0, v);
  }
  indCellSteps::Align(r, indCellSteps::kAlignRight);
  if (!changed) return;
  r.record.stnCode = v & 0x7F;
  indCellSteps::StoreChannel(r);
}

void indChannelRules::NoSignalCell(indCellRequest& r) {
  indCellSteps::Centred(r, "----");
  indCellSteps::Silver(r);
}

void indChannelRules::MskRxCNo(indCellRequest& r) {
  if (NoMskSignal(r)) return NoMskCell(r);
  // Digit k is X 11 bit 7 - k: the flag codec's flag k is bit 8 - k, one place up.
  datCh& c = r.record;
  uint32_t bits = static_cast<uint32_t>(c.rxCode & 0x7F) << 1;
  indCodecScope codec(r);
  if (!FlagSetCodec(codec.context, r.capsule, bits, 1, 7, kPlainStyle)) return;
  c.rxCode = (c.rxCode & 0x80) | static_cast<int>((bits >> 1) & 0x7F);
  indCellSteps::StoreChannel(r);
}

void indChannelRules::Mute(indCellRequest& r) {
  // Saving sets the mute whenever a receive code is selected and clears it otherwise, so
  // a choice made here could not reach the radio: the receive code decides it.
  Derived(r);
  const int v = r.record.HasReceiveCode() ? 1 : 0;
  {
    indCodecScope codec(r);
    r.SetText(cmcChoiceList(codec.context, List(r.label), FlexMark).TextOf(v));
  }
  MarkEntry(r, v);
}

void indChannelRules::DigSig(indCellRequest& r) {
  indCodecScope codec(r);
  r.SetText(cmcChoiceList(codec.context, List(r.label), Flex0).TextOf(r.record.chMode));
}
