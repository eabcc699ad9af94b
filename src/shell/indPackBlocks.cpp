#include "shell/indPackBlocks.h"

#include "image/cmcImageMap.h"

namespace {

using C = indPackCount;
using F = indInitialFill;
using W = indPackWhen;
using cmcImageMap::kChannelSlots;
using cmcImageMap::kMdcAliasSlots;

// clang-format off
constexpr indPackBlock kBlocks[] = {
  // id  fixed  size  count from   pack  unpack         initial fill             when        group cleared
  {39,    -1,   512, C::Table,      1,    0,            F::None,                 W::Always,  1, false},
  { 2, 32640,    22, C::Channels,   0,    kChannelSlots, F::SixteenThenRepeated, W::Always,  1, false},
  { 5, 35456,    40, C::Table,      1,    1,            F::Single,               W::Always,  1, false},
  {12, 35496,    16, C::Table,     17,   17,            F::Distinct,             W::Always,  1, false},
  {15, 35768,     4, C::Table,     32,   32,            F::Distinct,             W::Always,  1, false},
  {49, 35896,     4, C::Table,     11,   11,            F::Distinct,             W::Always,  1, false},
  {27, 35940,     4, C::Table,     32,   32,            F::FirstRepeated,        W::QarnPmr, 1, false},
  {32, 36068,     8, C::Table,      8,    8,            F::Distinct,             W::QarnPmr, 1, false},
  {40, 36132,     4, C::Table,      1,    1,            F::Single,               W::Always,  1, false},
  {21,   640,    41, C::Table,      1,    0,            F::None,                 W::DPmr446, 2, false},
  {22, 32640,    22, C::Channels,   0,    0,            F::None,                 W::DPmr446, 2, false},
  {23, 35456,    40, C::Table,      1,    0,            F::None,                 W::DPmr446, 2, false},
  { 3, 39033,    16, C::Channels,   0,    kChannelSlots, F::FirstRepeated,       W::Always,  2, false},
  { 6, 41081,   149, C::Table,      1,    1,            F::Single,               W::Always,  2, true },
  { 7, 41230,    32, C::Table,      1,    1,            F::Single,               W::Always,  2, false},
  { 8, 41262,     2, C::Table,     16,   16,            F::FirstRepeated,        W::Always,  2, false},
  { 9, 41294,   137, C::Table,      1,    1,            F::Single,               W::Always,  2, false},
  // Bank names: each bank keeps its own name from the initial file, as when the file is opened.
  {10, 41431,     8, C::Table,      8,    8,            F::Distinct,             W::Always,  2, false},
  {11, 41495,     4, C::Table,     40,   40,            F::FirstRepeated,        W::Always,  2, false},
  {13, 41655,    18, C::Table,     17,   17,            F::Distinct,             W::Always,  2, false},
  {14, 41961,    21, C::Table,      8,    8,            F::Distinct,             W::Always,  2, false},
  {16, 42129,    10, C::Table,     32,   32,            F::Distinct,             W::Always,  2, false},
  {17, 42449,    14, C::Table,     11,   11,            F::Distinct,             W::Always,  2, false},
  {18, 42603,     8, C::Table,      1,    1,            F::Single,               W::Always,  2, false},
  {19, 42611,     8, C::Table,      2,    2,            F::Distinct,             W::Always,  2, false},
  {20, 42627,    10, C::Table,      1,    1,            F::Single,               W::Always,  2, false},
  {28, 42779,    10, C::Table,     32,   32,            F::FirstRepeated,        W::QarnPmr, 2, false},
  {29, 42637,    16, C::Table,      8,    8,            F::Distinct,             W::QarnPmr, 2, false},
  {26, 42765,    14, C::Table,      1,    1,            F::Single,               W::QarnPmr, 2, false},
  {25, 43099,    24, C::Table,      1,    1,            F::Single,               W::QarnPmr, 2, false},
  {24, 43123,    16, C::Table,      1,    1,            F::Single,               W::QarnPmr, 2, false},
  {30, 43139,    12, C::Table,     24,   24,            F::Distinct,             W::QarnPmr, 2, false},
  {31, 43427,    12, C::Table,     24,   24,            F::Distinct,             W::QarnPmr, 2, false},
  {33, 43715,     2, C::Table,      8,    8,            F::Distinct,             W::QarnPmr, 2, false},
  {34, 43731,    20, C::Table,     32,   32,            F::Distinct,             W::DPmr446, 2, false},
  {35, 44371,    20, C::Table,     32,   32,            F::Distinct,             W::DPmr446, 2, false},
  {36, 45011,    16, C::Table,      1,    1,            F::Single,               W::DPmr446, 2, false},
  {37, 45027,     4, C::Table,      1,    1,            F::Single,               W::DPmr446, 2, false},
  {38, 45031,     8, C::Table,     41,   41,            F::Distinct,             W::DPmr446, 2, false},
  {41, 45359,    12, C::Table,      1,    1,            F::Single,               W::Always,  2, false},
  {42, 45371,    29, C::Table,      5,    5,            F::Distinct,             W::Always,  2, false},
  {43, 45516,    12, C::Lists,      0,    kMdcAliasSlots, F::FirstRepeated,      W::Always,  2, false},
  {48, 46716,    36, C::Table,      1,    1,            F::Single,               W::Always,  3, false},
};
// clang-format on

}  // namespace

std::span<const indPackBlock> PackBlocks() { return kBlocks; }

const indPackBlock* FindPackBlock(int id) {
  for (const auto& block : kBlocks)
    if (block.id == id) return &block;
  return nullptr;
}

bool IsPackedFor(const indPackBlock& block, int modelType) {
  switch (block.when) {
    case indPackWhen::QarnPmr:
      return modelType == 2;
    case indPackWhen::DPmr446:
      return modelType == 3;
    case indPackWhen::Always:
      break;
  }
  return true;
}
