#pragma once
// Decimal numbers as cell descriptors write them.
#include <cstdint>
#include <string_view>

// A whole number with an optional sign, blanks allowed around it; false (value
// unchanged) for anything else or a value outside 32 bits.
bool ParseCellDecimal(std::string_view text, int32_t& value);
