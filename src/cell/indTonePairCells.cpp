#include "cell/indTonePairCells.h"

#include "cell/cmcCellIds.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcToneCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellRequest.h"
#include "cell/indCodecScope.h"

namespace {

// Label          Data (kind 8, pair n)                    Codec, list key
// CL_CTone_RX    tone word at 0xA217 + 4n                 tone codec, receive side
// CL_CTone_TX    tone word at 0xA219 + 4n                 tone codec, transmit side ("<-" when equal)
// CL_CTone_Sel   0xA0F6 + n / 8, bit 7 - n % 8            choice "GI_Sheet_Sel_Misc_OnOff2_I"

void Tone(indCellRequest& r) {
  if (r.kind != datChKind::kTonePair) return;
  indCodecScope codec(r);
  if (ToneCodec(codec.context, r.capsule, r.record, r.label == CL_CTone_RX)) r.record.Store();
}

void Selected(indCellRequest& r) {
  if (r.kind != datChKind::kTonePair) return;
  indCodecScope codec(r);
  int32_t v = r.record.toneSel ? 1 : 0;
  if (!ChoiceCodecFlex0(codec.context, r.capsule, "GI_Sheet_Sel_Misc_OnOff2_I", v)) return;
  r.record.toneSel = v != 0;
  r.record.Store();
}

}  // namespace

void indTonePairCells::Register(indCellHandlers& t) {
  t.Set(CL_CTone_RX, Tone);
  t.Set(CL_CTone_TX, Tone);
  t.Set(CL_CTone_Sel, Selected);
}
