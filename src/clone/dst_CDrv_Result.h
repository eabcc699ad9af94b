#pragma once
// `dst_CDrv_Result`: the outcome of one clone exchange. The driver creates it when an
// operation starts, fills it while the exchange runs and hands it to the completion
// callback, which may read or copy it; it is destroyed right after the callback returns.
#include <cstdint>

#include "image/cmcBuff.h"
#include "image/cmcEeprom.h"

struct dst_CDrv_Result {
  // Operations.
  static constexpr uint8_t kInformation = 1;
  static constexpr uint8_t kRead = 2;
  static constexpr uint8_t kWrite = 3;

  // Result codes set by the protocol driver; the clone manager's hooks add 11 and 14 to 16.
  static constexpr uint8_t kSuccess = 0;
  static constexpr uint8_t kCancelled = 1;      // the caller cancelled or destroyed the driver
  static constexpr uint8_t kOpenFailed = 2;     // also the initial value
  static constexpr uint8_t kEchoFailed = 4;     // echo differs from the sent bytes or is missing
  static constexpr uint8_t kTimeOut = 5;        // no progress within the state's time limit
  static constexpr uint8_t kBadFrame = 6;       // malformed frame, unexpected answer, FA, too long
  static constexpr uint8_t kBadCounter = 7;     // read end frame with a different frame count
  static constexpr uint8_t kMissing = 8;        // read: required addresses missing
  static constexpr uint8_t kOutside = 9;        // read: data outside the image or the ranges
  static constexpr uint8_t kBadEndAnswer = 10;  // write: the answer to E5 is not E6 00
  static constexpr uint8_t kPortWriteFailed = 17;

  uint8_t operation = 0;
  uint8_t code = kOpenFailed;
  int modelCode = 0;
  int subCode = 0;
  // Information bytes of the E1 answer (after the model code and sub-code).
  cmcBuff information;
  // Read: the received data over a zero-filled image; write: the image being written.
  cmcEeprom image;
  // Read: bit (a mod 8) of byte a / 8 is set for every address a received.
  cmcBuff loaded;

  bool IsLoaded(int address) const {
    const int index = address >> 3;
    return address >= 0 && index < loaded.GetLength() && (loaded.Data()[index] >> (address & 7) & 1) != 0;
  }
};
