#pragma once
// The sub-audible tone codecs: a channel's receive or transmit tone (`ToneCodec`,
// `PmrToneCodec`, `Pmr446ToneCodec`) and the radio-wide set-mode tone
// (`SetModeToneCodec`). A CTCSS tone shows its choice-list text, a DTCS tone its code;
// the CTCSS list's DTCS entry leads on to the DTCS code (a chooser or the editor), and
// typed text is three octal digits for DTCS or the start of a CTCSS item. They return
// whether the tone changed; the channel codecs change only the record's fields.
#include <cstdint>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcChannelCodecContext.h"

class datCh;

namespace cmcTone {
// Values of the CTCSS choice lists that are no CTCSS index.
inline constexpr int32_t kChoiceOff = 52;
inline constexpr int32_t kChoiceDtcs = 53;
// The set-mode tone (cmcImageMap::kSetModeFlags, kSetModeTone): this bit of the flag
// byte selects DTCS; the tone byte holds the CTCSS index or the position of the DTCS
// code in "GI_AppItem_Dtcs".
inline constexpr int kSetModeDtcsBit = 6;
}  // namespace cmcTone

// The LMR form, also used by QarnPmr and dPMR446 channels: DTCS codes with polarity
// "I"/"N"; on dPMR446 the transmit tone only shows and DTCS codes come from the item list.
bool ToneCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel, bool receiveSide);
// The PMR form: no polarity, DTCS codes only from the item list, stepped with space.
bool PmrToneCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel, bool receiveSide);
// The PMR446 form: `ToneCodec` on the user-tone-free CTCSS list, always editable, DTCS
// codes from the item list and shown through the DTCS choice list.
bool Pmr446ToneCodec(cmcChannelCodecContext& context, cmcCellCapsule& request, datCh& channel, bool receiveSide);
// The set-mode tone in the image (context.image).
bool SetModeToneCodec(cmcChannelCodecContext& context, cmcCellCapsule& request);
