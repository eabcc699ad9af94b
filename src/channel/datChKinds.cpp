#include "channel/datChKinds.h"

#include <cstddef>

namespace {

using R = datChRegion;

// Index range, row-change flag, and the regions of one record.
constexpr std::array<datChKindInfo, datChKind::kCount> kKinds = {{
    {0, -1, 0, 0, {}},
    {0, 127, 3, 2, {R{0x7F80, 22, 22}, R{0x9879, 16, 16}}},
    {0, 127, 3, 2, {R{0x7F80, 22, 22}, R{0x9879, 16, 16}}},
    {0, 127, 3, 2, {R{0x7F80, 22, 22}, R{0x9879, 16, 16}}},
    {0, 127, 3, 2, {R{0x7F80, 22, 22}, R{0x9879, 16, 16}}},
    {0, 15, 3, 1, {R{0xA12E, 2, 2}}},
    {0, 7, 2, 1, {R{0xA3E9, 21, 21}}},
    {0, 16, 2, 1, {R{0xA2B7, 18, 18}}},
    {0, 39, 2, 1, {R{0xA217, 4, 4}}},
    {1, 8, 2, 2, {R{0x8C38, 4, 4}, R{0xA5D1, 14, 14}}},
    {0, 31, 2, 2, {R{0x8BB8, 4, 4}, R{0xA491, 10, 10}}},
    {0, 14, 0, 2, {R{0xA14E, 2, 2}, R{0xA16C, 4, 4}}},
    {1,
     10,
     2,
     6,
     {R{0x8C38, 4, 4}, R{0xA5D1, 14, 14}, R{0xA146, 8, 8}, R{0xA1B0, 2, 2}, R{0x8BB4, 4, 2}, R{0xA487, 10, 2}}},
    {0, 9, 2, 0, {}},
    {0, 7, 2, 1, {R{0xA1D7, 8, 8}}},
    {0, 7, 2, 1, {R{0xA68D, 16, 15}}},
    {0, 31, 2, 2, {R{0x8C64, 4, 2}, R{0xA71B, 10, 10}}},
    {0, 22, 2, 2, {R{0xA9A3, 12, 12}, R{0xA883, 12, 12}}},
    {0, 7, 2, 2, {R{0x8CE4, 8, 8}, R{0xAAC3, 2, 1}}},
    {0, 31, 2, 2, {R{0xAD53, 20, 20}, R{0xAAD3, 20, 20}}},
    {0, 99, 3, 1, {R{0xB1CC, 12, 12}}},
}};

}  // namespace

const datChKindInfo& datChKindOf(int kind) {
  if (kind < 0 || kind >= datChKind::kCount) return kKinds[0];
  return kKinds[static_cast<size_t>(kind)];
}
