#include "overlay/cmcTextUtil.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

}  // namespace

std::string cmcField(std::string_view text, int n, char sep) {
  if (n < 0) return {};
  std::size_t begin = 0;
  for (int i = 0; i < n; ++i) {
    const std::size_t at = text.find(sep, begin);
    if (at == std::string_view::npos) return {};
    begin = at + 1;
  }
  const std::size_t end = text.find(sep, begin);
  return std::string(text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
}

std::string cmcTrim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

std::vector<std::uint8_t> cmcHexToBytes(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() / 2 + 1);
  int high = -1;
  for (const char c : text) {
    const int v = HexValue(c);
    if (v < 0) continue;
    if (high < 0) {
      high = v;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high << 4 | v));
      high = -1;
    }
  }
  if (high >= 0) bytes.push_back(static_cast<std::uint8_t>(high << 4));
  return bytes;
}

std::string cmcBytesToHex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const std::uint8_t b : bytes) {
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 0x0F]);
  }
  return hex;
}

std::string cmcDoubleAmpersand(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 4);
  for (const char c : text) {
    out.push_back(c);
    if (c == '&') out.push_back('&');
  }
  return out;
}
