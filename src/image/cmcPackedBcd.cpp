#include "image/cmcPackedBcd.h"

#include "image/cmcNibble.h"

void cmcPackedBcd::PackInto(uint8_t* destination) const {
  for (int i = 0; i < GetLength(); ++i) SetNibble(destination, i, Data()[i]);
}
