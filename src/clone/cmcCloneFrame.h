#pragma once
// Byte-level pieces of the clone wire protocol shared by the driver and the simulated
// radio: addresses, command codes, the maker text, checksums and the ASCII hexadecimal
// text that carries a data frame's bytes.
#include <cstdint>
#include <string_view>

#include "image/cmcBuff.h"

class cmcCloneFrame {
 public:
  static constexpr uint8_t kStart = 0xFE;
  static constexpr uint8_t kEnd = 0xFD;
  static constexpr uint8_t kRadio = 0xEE;
  static constexpr uint8_t kController = 0xEF;
  // Single raw bytes from the radio during a write.
  static constexpr uint8_t kReady = 0xFB;
  static constexpr uint8_t kRefused = 0xFA;

  static constexpr uint8_t kInfoRequest = 0xE0;
  static constexpr uint8_t kInfoAnswer = 0xE1;
  static constexpr uint8_t kReadRequest = 0xE2;
  static constexpr uint8_t kWriteRequest = 0xE3;
  static constexpr uint8_t kData = 0xE4;
  static constexpr uint8_t kEndOfData = 0xE5;
  static constexpr uint8_t kEndAnswer = 0xE6;
  static constexpr uint8_t kService = 0xE8;

  // The maker text that opens every E5 payload.
  static constexpr std::string_view kMakerText = "Zelk Inc.";

  // The two's complement of the 8-bit sum, so that the bytes and it add up to 0.
  static uint8_t Checksum(const uint8_t* bytes, int count);
  // Appends value as two upper-case hexadecimal ASCII digits.
  static void AppendHexByte(cmcBuff& out, uint8_t value);
  // Appends a data frame's payload text for count bytes at address: "%04X%02X", the
  // bytes, the checksum, each byte as two upper-case digits.
  static void AppendDataText(cmcBuff& out, int address, const uint8_t* bytes, int count);
  // Decodes a data frame's payload text: an even number of digits "0"-"9" or "A"-"F"
  // (upper case only) into bytes; false for anything else.
  static bool DecodeHexText(const uint8_t* text, int length, cmcBuff& bytes);
  // Whether both nibbles of every byte are decimal digits.
  static bool IsPackedBcd(const uint8_t* bytes, int count);
};
