#pragma once
// A digit string, one digit value (0..15) per byte, that packs two digits to a
// byte with the first digit in the high nibble.
#include "image/cmcBuff.h"

class cmcPackedBcd : public cmcBuff {
 public:
  // Writes digit i into nibble i of the destination for every digit.
  void PackInto(uint8_t* destination) const;
};
