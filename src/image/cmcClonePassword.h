#pragma once
// The clone password as a frame carries it: its length, a checksum byte and its
// characters, raw. A checksum byte of FD (a frame's end) or FE (a frame's start) would
// break that frame, so such a password cannot be sent and is refused where it is set.
#include <cstdint>
#include <string_view>

class cmcClonePassword {
 public:
  // The frame checksum: the two's complement of the bytes' 8-bit sum, so that the
  // bytes and it add up to 0.
  static uint8_t Checksum(const uint8_t* bytes, int count);
  // False when the password's checksum byte is FD or FE.
  static bool FitsFrame(std::string_view password);
  // The overlay key of the text that asks for another password.
  static constexpr const char* kRefusedKey = "GI_Mess_ClonePassword_Checksum";
};
