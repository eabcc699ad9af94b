#pragma once
// The codecs of numbered flags: a set of flags for the digits first … last shown one
// character each, "_" when off (`FlagSetCodec`, edited in the flag-bits editor), the
// same flags set by digit keys (`DigitFlagCodec`), and a user-set enable bit worked
// as a choice (`UserSetEnableBit`). With n flags, flag first + i is bit 7 - i of the
// value when n ≤ 8 and bit n - 1 - i otherwise; the value's other bits are kept.
#include <cstdint>
#include <span>
#include <string_view>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcChoiceContext.h"

// The most flags a set holds.
inline constexpr int kMaxFlags = 25;
// The choice list the user-set enable bits are worked with.
inline constexpr const char* kUserSetEnableList = "GI_Sheet_Sel_UserSetEnable";

// Style 4: flags as their number in hexadecimal-like digits (A for 10), 17 as "Z".
// Style 6: the first four as "O", "G", "P", "R". Others: the number's last digit
// (10 as "0"), 17 as "Z". A key toggles the flag shown by it (either case); space sets
// all flags or, when one is on, clears all; backspace inverts them; Enter opens the
// flag-bits editor (result 1), whose answer comes back as input kind 2.
bool FlagSetCodec(cmcChoiceContext& context, cmcCellCapsule& request, uint32_t& bits, int first, int last, int style,
                  std::string_view sheetKey = {});
// The flags as their number's last digit or "_", then a line break; a digit key of a
// flag sets it to flag.
bool DigitFlagCodec(cmcChoiceContext& context, cmcCellCapsule& request, uint32_t& bits, int first, int last, bool flag);
// Bit n of bytes (bit 7 - n % 8 of byte n / 8) as a choice of kUserSetEnableList.
bool UserSetEnableBit(cmcChoiceContext& context, cmcCellCapsule& request, std::span<uint8_t> bytes, int n);
