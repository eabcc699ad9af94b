#pragma once
// The channel attribute codecs: the letters of the attribute bits a channel carries
// (priority, scan-B, emergency, SmarTrunk, start channel), set from the chooser
// "GI_Sheet_Sel_Mch_Atr" opened on Enter. A change is announced to the bank list and
// the bank sheet's header through context.events (events 35 and 29, posted).
#include <cstdint>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcChannelCodecContext.h"

class datCh;

namespace cmcAttr {
// Chooser answers.
inline constexpr int kSetPriority = 1;
inline constexpr int kSetScanB = 2;
inline constexpr int kSetEmergency = 3;
inline constexpr int kClearEmergency = 4;
inline constexpr int kToggleSmarTrunk = 5;
inline constexpr int kClearPriority = 6;
inline constexpr int kSetStart = 7;
}  // namespace cmcAttr

// LMR: "A" priority, "B" scan-B, "E" emergency in force; attr holds datCh::kAttr* bits.
bool AttributeCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, uint8_t& attr);
// PMR: "S" start channel, "P" priority in force, "E" emergency in force; what a
// channel not in use may not take is refused.
bool PmrAttributeCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel);
