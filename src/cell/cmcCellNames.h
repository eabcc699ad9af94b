#pragma once
// The fixed name tables of the cell registry: the category names ("CT_") and the
// label names (mostly "CL_"), each name's id being its position. The counts double
// as the "none" ids that a fresh cell carries.
#include <cstdint>
#include <span>

inline constexpr uint32_t kCategoryCount = 27;
inline constexpr uint32_t kLabelCount = 1629;
inline constexpr uint32_t kNoCategory = kCategoryCount;
inline constexpr uint32_t kNoLabel = kLabelCount;

// The category names in id order.
std::span<const char* const, kCategoryCount> CellCategoryNames();
// The label names in id order.
std::span<const char* const, kLabelCount> CellLabelNames();
