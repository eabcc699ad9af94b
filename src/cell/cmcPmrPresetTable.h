#pragma once
// The PMR preset table: 98 rows of a receive and a transmit frequency text ("%d.%06d")
// and an end row "#". Rows 1-40 and 41-80 are simplex on two interleaved 25 kHz
// rasters, 81-88 and 91-98 their repeater pairs 750 kHz apart; rows 89 and 90 are empty.
#include <array>

struct cmcPmrPresetRow {
  const char* receive;
  const char* transmit;
};

inline constexpr int kPmrPresetRows = 98;

// Row n (1-98) at index n - 1, then the end row.
extern const std::array<cmcPmrPresetRow, kPmrPresetRows + 1> kPmrPresetTable;
