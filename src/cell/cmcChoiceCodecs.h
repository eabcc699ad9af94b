#pragma once
// The choice-list codecs: a value shown as the text of its list entry, stepped with
// space and backspace, chosen in a chooser opened on Enter (result 1) whose answer
// returns as a request of input kind 2. Without a grid nothing is stepped or opened.
// Each returns whether the value changed.
#include <cstdint>
#include <string>
#include <string_view>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcChoiceContext.h"

// The value v of the list listKey whose entries carry keyLabel.
bool ChoiceCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, int keyLabel,
                 int32_t& v);
// `ChoiceCodec` with the key label Flex0, respectively FlexMark.
bool ChoiceCodecFlex0(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, int32_t& v);
bool ChoiceCodecMark(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, int32_t& v);
// `ChoiceCodecFlex0` on one byte.
bool ChoiceCodecByte(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, uint8_t& b);

// Only the chooser (handed extra) on Enter and its answer; no text, no stepping.
bool ChooserOnly(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, int keyLabel, int32_t& v,
                 const std::string& extra);

// A choice that may also be typed: a digit, "o" or "O" opens the editor, and the typed
// number selects the entry whose text is nearest to it ("off" reads as 0).
bool TypedChoiceCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view listKey, int keyLabel,
                      int32_t& v);

// A value that is an entry of the first list (key label Flex0) or a number from low
// (the first list's last entry, which stands for "a number") up to the largest value
// of the second list (key label Flex1), chosen there or typed.
bool ChoiceOrNumberCodec(cmcChoiceContext& context, cmcCellCapsule& request, std::string_view firstList,
                         std::string_view secondList, int32_t& v, bool offAllowed);
