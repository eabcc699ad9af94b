#pragma once
// `ScanChannelCodec`: a scan list's priority-1, priority-2 or talk-back channel. The
// reference kind is a choice; kind 5 (a specific channel) is picked through a chain of
// choosers, bank then channel in the bank form, the channel alone in the plain form.
// The priority references apply only to scan type 3, the talk-back one to any type but
// 0; otherwise the cell shows "----" in silver and takes no keys.
#include <cstdint>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcChoiceContext.h"

class datCh;

namespace cmcScanRef {
inline constexpr int kPrio1 = 0;
inline constexpr int kPrio2 = 1;
inline constexpr int kTalkBack = 2;
inline constexpr int kSpecificChannel = 5;  // the reference kind naming a channel
inline constexpr uint32_t kSilver = 12632256;
}  // namespace cmcScanRef

// Works reference which (cmcScanRef) of the loaded scan list record; returns whether
// the record changed (the caller stores it).
bool ScanChannelCodec(cmcChoiceContext& context, cmcCellCapsule& request, datCh& list, int which, bool bankForm);
