#include "cli/indCliStorage.h"

#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "shell/indImagePacking.h"

namespace {

constexpr int kModelTypes = 4;

bool IsPackedArea(int address) { return address >= cmcImageMap::kPackStart && address < cmcEeprom::kEepromSize; }

}  // namespace

std::vector<int> indCliStorage::ModelTypesKeeping(const cmcEeprom& before, const cmcEeprom& after) {
  std::vector<int> changed;
  for (int a = 0; a < after.GetSize() && a < before.GetSize(); ++a)
    if (!IsPackedArea(a) && before.GetByte(a) != after.GetByte(a)) changed.push_back(a);
  std::vector<int> keeping;
  for (int type = 0; type < kModelTypes; ++type) {
    cmcEeprom saved;
    saved.Assign(after);
    PackImage(saved, type);
    // Opening the file: its radio area over the image, then unpacked.
    cmcEeprom opened;
    opened.Assign(before);
    opened.WriteBlock(0, saved.Data(), cmcEeprom::kEepromSize);
    UnpackImage(opened);
    bool kept = true;
    for (const int a : changed) kept = kept && opened.GetByte(a) == after.GetByte(a);
    if (kept) keeping.push_back(type);
  }
  return keeping;
}
