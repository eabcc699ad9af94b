// The frequency, tone and attribute cells of the memory channels (indChannelRules.h).
#include "cell/cmcAttributeCodecs.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcFrequencyCodecs.h"
#include "cell/cmcPmrPresets.h"
#include "cell/cmcPresetConfirmations.h"
#include "cell/cmcToneCodecs.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indChannelRules.h"
#include "cell/indCodecScope.h"
#include "channel/datChBits.h"
#include "overlay/cmcGTex.h"

namespace {

constexpr int kDigitalMode = 3;
constexpr int kFreeFrequencyByte = 20;  // M 20 bit 3: a PMR446 channel on a frequency of its own
constexpr int kFreeFrequencyBit = 3;

void StoreWithMask(indCellRequest& r, int mask) {
  indCellSteps::StoreChannel(r);
  r.mask |= mask;
}

}  // namespace

void indChannelRules::FreqR(indCellRequest& r) {
  indCodecScope codec(r);
  if (!FrequencyCodec(codec.context, r.capsule, r.record, true)) return;
  r.record.chMode = r.dpmr446 ? kDigitalMode : 0;
  indCellSteps::StoreChannel(r);
}

void indChannelRules::FreqT(indCellRequest& r) {
  indCodecScope codec(r);
  if (FrequencyCodec(codec.context, r.capsule, r.record, false)) indCellSteps::StoreChannel(r);
}

void indChannelRules::FreqRPmr(indCellRequest& r) {
  // A channel the dispatch has just opened on the new-channel row is already fresh from
  // the default image (the add raises mask bit 2); any other unused row is made so.
  const bool justAdded = (r.mask & indCellRequest::kMaskAttrOrBank) != 0;
  if (r.TypingKey() && !r.record.inUse && !justAdded) {
    RestoreChannelRow(r.record, r.host.DefaultImage());
    r.record.inUse = false;
  }
  indCodecScope codec(r);
  int preset = 0;
  if (!PmrFrequencyCodec(codec.context, r.capsule, r.record, preset)) return;
  if (preset == 0) {
    indCellSteps::StoreChannel(r);
    return;
  }
  cmcPresetConfirmations* confirmations = r.host.PresetConfirmations();
  cmcPresetConfirmations asking(r.host.Prompts(), *codec.context.overlay);
  ApplyPmrPreset(r.record, preset, r.host.DefaultImage(), confirmations ? *confirmations : asking);
  r.host.AnnounceRow(r.category, r.row);
  r.mask |= indCellRequest::kMaskLayout;
}

void indChannelRules::FreqRPmr446(indCellRequest& r) {
  indCodecScope codec(r);
  uint8_t& flags = r.record.raw[0][kFreeFrequencyByte];
  bool free = datGetBit(flags, kFreeFrequencyBit);
  if (!Pmr446FrequencyCodec(codec.context, r.capsule, r.record, free)) return;
  datSetBit(flags, kFreeFrequencyBit, free);
  indCellSteps::StoreChannel(r);
}

namespace {

void Tone(indCellRequest& r, bool receive) {
  const int l = r.label;
  indCodecScope codec(r);
  bool changed = false;
  if (l == CL_Mch_CTone_R_Pmr || l == CL_Mch_CTone_T_Pmr) {
    if (!receive && !r.record.ctoneSel) indCellSteps::Silver(r);
    changed = PmrToneCodec(codec.context, r.capsule, r.record, receive);
  } else if (l == CL_Mch_CTone_R_Pmr446 || l == CL_Mch_CTone_T_Pmr446) {
    changed = Pmr446ToneCodec(codec.context, r.capsule, r.record, receive);
  } else {
    if (r.record.chMode == kDigitalMode) indCellSteps::Silver(r);
    changed = ToneCodec(codec.context, r.capsule, r.record, receive);
  }
  if (changed) indCellSteps::StoreChannel(r);
}

}  // namespace

void indChannelRules::ToneR(indCellRequest& r) { Tone(r, true); }
void indChannelRules::ToneT(indCellRequest& r) { Tone(r, false); }

void indChannelRules::Attribute(indCellRequest& r) {
  indCodecScope codec(r);
  uint8_t attr = r.record.attr;
  if (!AttributeCodec(codec.context, r.capsule, attr)) return;
  r.record.attr = attr;
  StoreWithMask(r, indCellRequest::kMaskAttrOrBank);
}

void indChannelRules::AttributePmr(indCellRequest& r) {
  indCodecScope codec(r);
  if (PmrAttributeCodec(codec.context, r.capsule, r.record)) StoreWithMask(r, indCellRequest::kMaskAttrOrBank);
}
