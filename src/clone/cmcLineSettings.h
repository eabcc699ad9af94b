#pragma once
// Line settings of a serial port and the parser of settings strings such as
// "9600,n,8,1": baud rate, parity letter, data bits, stop bits. A string that lacks a
// field or whose numbers are not decimal is unusable; the parser then gives nothing.
#include <cstdint>
#include <optional>
#include <string_view>

struct cmcLineSettings {
  enum class Parity { None, Odd, Even, Mark, Space };
  enum class StopBits { One, OneAndHalf, Two };

  // The fixed share of the write time-out.
  static constexpr int kWriteTimeoutConstantMs = 3000;

  int baud = 9600;
  Parity parity = Parity::None;
  int dataBits = 8;  // 4..8
  StopBits stopBits = StopBits::One;

  // Parses "baud,parity,data,stop". Data bits above 7 become 8, 4 or less become 4;
  // stop bits "1.5" and "2" are one and a half and two, anything else one; the parity
  // letter O, E, M or S (either case) selects that parity, anything else none.
  static std::optional<cmcLineSettings> Parse(std::string_view text);

  // Write time-out per byte: 100000 / baud ms (10 at 9600 baud, 2 at 38400).
  int WriteMsPerByte() const { return baud > 0 ? 100000 / baud : 0; }
  // The longest a write of count bytes may wait.
  int64_t WriteTimeoutMs(int count) const {
    return static_cast<int64_t>(WriteMsPerByte()) * count + kWriteTimeoutConstantMs;
  }

  bool operator==(const cmcLineSettings&) const = default;
};
