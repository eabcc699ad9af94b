#include "clone/cmcCloneFrame.h"

#include "image/cmcClonePassword.h"

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";

int UpperHexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

uint8_t cmcCloneFrame::Checksum(const uint8_t* bytes, int count) { return cmcClonePassword::Checksum(bytes, count); }

void cmcCloneFrame::AppendHexByte(cmcBuff& out, uint8_t value) {
  out.AppendByte(static_cast<uint8_t>(kDigits[value >> 4]));
  out.AppendByte(static_cast<uint8_t>(kDigits[value & 15]));
}

void cmcCloneFrame::AppendDataText(cmcBuff& out, int address, const uint8_t* bytes, int count) {
  const uint8_t head[3] = {static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
                           static_cast<uint8_t>(count)};
  uint8_t sum = 0;
  for (uint8_t b : head) {
    AppendHexByte(out, b);
    sum = static_cast<uint8_t>(sum + b);
  }
  for (int i = 0; i < count; ++i) {
    AppendHexByte(out, bytes[i]);
    sum = static_cast<uint8_t>(sum + bytes[i]);
  }
  AppendHexByte(out, static_cast<uint8_t>(0x100 - sum));
}

bool cmcCloneFrame::DecodeHexText(const uint8_t* text, int length, cmcBuff& bytes) {
  bytes.Clear();
  if (length % 2 != 0) return false;
  for (int i = 0; i < length; i += 2) {
    const int high = UpperHexValue(text[i]);
    const int low = UpperHexValue(text[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes.AppendByte(static_cast<uint8_t>(high << 4 | low));
  }
  return true;
}

bool cmcCloneFrame::IsPackedBcd(const uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i)
    if ((bytes[i] >> 4) > 9 || (bytes[i] & 15) > 9) return false;
  return true;
}
