#pragma once
// The words of an initial image description: a line split into words and quoted texts,
// numbers, switches, radio texts, and the channel fields with their values (frequencies
// in megahertz, tones, names, presets and the record's numbers and switches).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class datCh;

class indDescriptionSyntax {
 public:
  using Tokens = std::vector<std::string>;

  // Splits a line into words and quoted texts; ";" outside a text starts a comment. A
  // quoted text keeps its opening quote so that it cannot be mistaken for a word.
  // Nothing, with the reason in error, for an unclosed text or a quote inside a word.
  static std::optional<Tokens> Tokenize(std::string_view line, std::string& error);
  static bool IsQuoted(const std::string& token);
  static std::string Unquoted(const std::string& token);

  // Decimal, or hexadecimal after "0x"; no sign, at most 8 digits.
  static bool ParseNumber(const std::string& token, long& value);
  // The value of a hexadecimal digit, -1 for another character.
  static int HexDigit(char c);
  // "on" or "off".
  static bool ParseSwitch(const std::string& token, bool& on);
  // Printable characters only: the radio shows the codes 32-126 as themselves.
  static bool IsRadioText(const std::string& text);

  // Whether the field pairs of tokens, from first on, name the field.
  static bool HasField(const Tokens& tokens, size_t first, const char* field);
  static bool IsChannelField(const std::string& name);
  // Sets a channel field from its value: empty when done, else what the value should be.
  static std::string SetChannelField(datCh& ch, const std::string& name, const std::string& value);
};
