#include "image/cmcClonePassword.h"

uint8_t cmcClonePassword::Checksum(const uint8_t* bytes, int count) {
  uint8_t sum = 0;
  for (int i = 0; i < count; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
  return static_cast<uint8_t>(0x100 - sum);
}

bool cmcClonePassword::FitsFrame(std::string_view password) {
  const uint8_t checksum =
      Checksum(reinterpret_cast<const uint8_t*>(password.data()), static_cast<int>(password.size()));
  return checksum != 0xFD && checksum != 0xFE;
}
