#pragma once
// Byte-string helpers shared by the overlays and the code that reads them.
// Texts are UTF-8 byte strings; separators are ASCII bytes, which never occur
// inside a multi-byte sequence, so splitting at them never cuts a character.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Field n (0-based) of text split at sep; empty when the text has fewer fields.
std::string cmcField(std::string_view text, int n, char sep = '\t');

// The text without leading and trailing ASCII white space (blank, tab, CR, LF, FF, VT).
std::string cmcTrim(std::string_view text);

// Pairs of hexadecimal digits to bytes; other characters are skipped, and an odd
// final digit becomes the high nibble of a last byte.
std::vector<std::uint8_t> cmcHexToBytes(std::string_view text);

// Two upper-case hexadecimal digits per byte, no separators.
std::string cmcBytesToHex(std::span<const std::uint8_t> bytes);

// Every "&" doubled, so a menu caption shows it instead of taking it as a mnemonic.
std::string cmcDoubleAmpersand(std::string_view text);
