#pragma once
// `KeyFunctionCodec`: the programmable keys. Each key has a function code byte in the
// normal key table and in the function-key table (cmcImageMap), chosen from a list that
// depends on the model family (`KeyListFor`). Codes that drive an option output also
// ask for its port and level; "Z", "i" and "^" pair the key's two entries.
#include <cstdint>
#include <string>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcChoiceContext.h"

// Where a key label's byte lives: its position 0-15 and whether it is in the
// function-key table. False for labels that are no programmable key.
bool KeyPositionOf(uint32_t label, int& position, bool& functionTable);

// The choice list for the request's key label under the current model; shifted picks
// the function-key table's list.
std::string KeyListFor(const cmcChoiceContext& context, const cmcCellCapsule& request, bool shifted);

// Works keyByte, the request's entry of the key table, with list listKey; image bytes of
// the option port and level and the key's function-key entry are written directly.
// Changes add bit 5 to changeMask. Returns whether anything changed.
bool KeyFunctionCodec(cmcChoiceContext& context, cmcCellCapsule& request, uint8_t& keyByte, int& changeMask,
                      const std::string& listKey);
