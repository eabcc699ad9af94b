#include "channel/datChKinds.h"

#include <cstddef>

#include "image/cmcImageMap.h"

namespace {

using R = datChRegion;
using namespace cmcImageMap;

constexpr R kMainRegion{kChannelMain, kChannelMainSize, kChannelMainSize};
constexpr R kExtRegion{kChannelExt, kChannelExtSize, kChannelExtSize};

// Index range, row-change flag, and the regions of one record.
constexpr std::array<datChKindInfo, datChKind::kCount> kKinds = {{
    {0, -1, 0, 0, {}},
    {0, kChannelSlots - 1, 3, 2, {kMainRegion, kExtRegion}},
    {0, kChannelSlots - 1, 3, 2, {kMainRegion, kExtRegion}},
    {0, kChannelSlots - 1, 3, 2, {kMainRegion, kExtRegion}},
    {0, kChannelSlots - 1, 3, 2, {kMainRegion, kExtRegion}},
    {0, kUserCharCount - 1, 3, 1, {R{kUserChars, kUserCharSize, kUserCharSize}}},
    {0, kDtmfMemoryCount - 1, 2, 1, {R{kDtmfMemories, kDtmfMemorySize, kDtmfMemorySize}}},
    {0, kScanListCount - 1, 2, 1, {R{kScanLists, kScanListSize, kScanListSize}}},
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
    {0, kBanks - 1, 2, 1, {R{kBankNames, kBankNameSize, kBankNameSize}}},
    {0, 7, 2, 1, {R{0xA68D, 16, 15}}},
    {0, 31, 2, 2, {R{0x8C64, 4, 2}, R{0xA71B, 10, 10}}},
    {0, 22, 2, 2, {R{0xA9A3, 12, 12}, R{0xA883, 12, 12}}},
    {0, 7, 2, 2, {R{0x8CE4, 8, 8}, R{0xAAC3, 2, 1}}},
    {0, 31, 2, 2, {R{0xAD53, 20, 20}, R{0xAAD3, 20, 20}}},
    {0, kMdcAliasSlots - 1, 3, 1, {R{kMdcAliases, kMdcAliasSize, kMdcAliasSize}}},
}};

}  // namespace

const datChKindInfo& datChKindOf(int kind) {
  if (kind < 0 || kind >= datChKind::kCount) return kKinds[0];
  return kKinds[static_cast<size_t>(kind)];
}
