#pragma once
// The colour names a cell descriptor may use, looked up exactly as spelled (the
// table's own spelling "clHightlightText" included). Colours are 0x00BBGGRR for
// fixed colours and 0xFF0000nn for system colour nn.
#include <cstdint>
#include <optional>
#include <string_view>

inline constexpr uint32_t kClWindow = 0xFF000005;
inline constexpr uint32_t kClWindowText = 0xFF000008;

// The colour of a name, or none for a name not in the table.
std::optional<uint32_t> ColourByName(std::string_view name);
