#include "shell/indImagePacking.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "image/cmcImageMap.h"
#include "shell/indPackBlocks.h"

using namespace cmcImageMap;

namespace {

constexpr int kListBlock = 43;

struct DirEntry {
  int size;
  int count;
  int address;
};

// Loaded data only ever fills the exchanged range; a source outside it is not copied, so
// a damaged directory cannot pull program-side bytes into the fixed layout.
bool InExchangedRange(int address, int count) {
  return address >= 0 && count >= 0 && address <= cmcEeprom::kEepromSize - count;
}

void CopyIn(cmcEeprom& image, int source, int destination, int count) {
  if (count <= 0 || !InExchangedRange(source, count)) return;
  std::memmove(image.Data() + destination, image.Data() + source, static_cast<size_t>(count));
}

// Copies the packed directory into the fixed table; the entry count, or nothing when the
// image has no directory.
std::optional<int> ReadDirectory(cmcEeprom& image) {
  if (image.GetWord(kDirHeader) != 1) return std::nullopt;
  const int entrySize = std::min(image.GetWord(kDirHeader + 2), kDirEntrySize);
  const int count = std::min(image.GetWord(kDirHeader + 4), kDirSlots);
  const int address = image.GetWord(kDirHeader + 6);
  for (int i = 0; i < count; ++i)
    CopyIn(image, address + i * entrySize, kFixedDirectory + i * kDirEntrySize, entrySize);
  return count;
}

std::optional<DirEntry> FindEntry(const cmcEeprom& image, int entries, int id) {
  for (int i = 0; i < entries; ++i) {
    const int at = kFixedDirectory + i * kDirEntrySize;
    if (image.GetWord(at) == id) return DirEntry{image.GetWord(at + 2), image.GetWord(at + 4), image.GetWord(at + 6)};
  }
  return std::nullopt;
}

void ClearIfFirst(cmcEeprom& image, const indPackBlock& block) {
  if (block.clearedFirst) std::memset(image.Data() + block.fixed, 0, static_cast<size_t>(block.elementSize));
}

void UnpackLoadedBlock(cmcEeprom& image, const indPackBlock& block, const DirEntry& entry, int base) {
  const int source = entry.address - base + kPackStart;
  ClearIfFirst(image, block);
  if (block.initial == indInitialFill::Single) {
    CopyIn(image, source, block.fixed, std::min(entry.size, block.elementSize));
    return;
  }
  const int count = std::min(entry.count, block.unpackCount);
  const int size = std::min(entry.size, block.elementSize);
  for (int k = 0; k < count; ++k) CopyIn(image, source + k * entry.size, block.fixed + k * block.elementSize, size);
  if (block.id == kListBlock) image.SetWord(kMdcAliasCount, count);
}

void UnpackInitialBlock(cmcEeprom& image, const indPackBlock& block, const DirEntry& entry) {
  const int source = entry.address;
  const int size = block.elementSize;
  ClearIfFirst(image, block);
  for (int k = 0; k < block.unpackCount; ++k) {
    int element = k;
    switch (block.initial) {
      case indInitialFill::FirstRepeated:
        element = 0;
        break;
      case indInitialFill::SixteenThenRepeated:
        element = std::min(k, 15);
        break;
      case indInitialFill::Single:
      case indInitialFill::Distinct:
      case indInitialFill::None:
        break;
    }
    CopyIn(image, source + element * size, block.fixed + k * size, size);
  }
  // The slots are all filled from the template, but only the aliases the initial image's
  // directory lists are in use.
  if (block.id == kListBlock) image.SetWord(kMdcAliasCount, std::min(entry.count, kMdcAliasSlots));
}

template <typename UnpackBlock>
void UnpackBlocks(cmcEeprom& image, UnpackBlock unpack) {
  if (image.GetSize() != cmcEeprom::kImageSize) return;
  const std::optional<int> entries = ReadDirectory(image);
  if (!entries) return;
  for (const auto& block : PackBlocks()) {
    if (block.unpackCount == 0) continue;
    if (const auto entry = FindEntry(image, *entries, block.id)) unpack(block, *entry);
  }
}

int PackCount(const cmcEeprom& image, const indPackBlock& block) {
  switch (block.countFrom) {
    case indPackCount::Channels: {
      int channels = 0;
      for (int b = 0; b < kBanks; ++b) channels += image.GetWord(kBankCounts + 2 * b);
      return std::min(channels, kChannelSlots);
    }
    case indPackCount::Lists:
      return std::min(image.GetWord(kMdcAliasCount), kMdcAliasSlots);
    case indPackCount::Table:
      break;
  }
  return block.packCount;
}

class Packer {
 public:
  Packer(cmcEeprom& image, int modelType) : image_(image), modelType_(modelType) {}

  // Writes every block of a group that fits below limit; the first that does not stops
  // all later blocks of groups 1 and 2.
  void PackGroup(int group, int limit) {
    for (const auto& block : PackBlocks()) {
      if (block.group != group || !IsPackedFor(block, modelType_)) continue;
      if (overflow_ && group != 3) return;
      const int count = PackCount(image_, block);
      const int bytes = count * block.elementSize;
      if (position_ + bytes - 1 > limit) {
        if (group != 3) overflow_ = true;
        continue;
      }
      if (block.fixed >= 0) image_.WriteBlock(position_, image_.Data() + block.fixed, bytes);
      AddEntry(block.id, block.elementSize, count);
      position_ += bytes;
    }
  }

  void AddEntry(int id, int size, int count) {
    const int at = kFixedDirectory + entries_ * kDirEntrySize;
    image_.SetWord(at, id);
    image_.SetWord(at + 2, size);
    image_.SetWord(at + 4, count);
    image_.SetWord(at + 6, position_);
    ++entries_;
  }

  bool Run() {
    std::memset(image_.Data() + kPackStart, 0, static_cast<size_t>(cmcEeprom::kEepromSize - kPackStart));
    image_.SetWord(kPackBase, kPackStart);
    std::memset(image_.Data() + cmcEeprom::kEepromSize, 0, 512);
    position_ = kPackStart;
    PackGroup(1, kGroupOneLimit);
    image_.SetWord(kBudgetWord1, position_);
    PackGroup(2, kGroupTwoLimit);
    if (!overflow_) {
      const int budget = position_ + kMarkerSize + kDirEntrySize * entries_;
      image_.SetWord(kBudgetWord2, budget);
      overflow_ = budget > kGroupOneLimit;
    }
    PackGroup(3, kGroupTwoLimit);
    if (!overflow_) WriteDirectory();
    return overflow_;
  }

  void WriteDirectory() {
    const int bytes = entries_ * kDirEntrySize;
    image_.WriteBlock(position_, image_.Data() + kFixedDirectory, bytes);
    image_.SetWord(kDirHeader, 1);
    image_.SetWord(kDirHeader + 2, kDirEntrySize);
    image_.SetWord(kDirHeader + 4, entries_);
    image_.SetWord(kDirHeader + 6, position_);
    const int marker = position_ + bytes;
    image_.WriteBlock(marker, reinterpret_cast<const uint8_t*>(kMarker), kMarkerSize);
    image_.SetWord(kPackedEnd, marker + kMarkerSize);
  }

 private:
  cmcEeprom& image_;
  int modelType_;
  int position_ = kPackStart;
  int entries_ = 0;
  bool overflow_ = false;
};

}  // namespace

void UnpackImage(cmcEeprom& image) {
  UnpackBlocks(image, [&](const indPackBlock& block, const DirEntry& entry) {
    UnpackLoadedBlock(image, block, entry, image.GetWord(kPackBase));
  });
}

void UnpackInitialImage(cmcEeprom& image) {
  UnpackBlocks(image,
               [&](const indPackBlock& block, const DirEntry& entry) { UnpackInitialBlock(image, block, entry); });
}

bool PackImage(cmcEeprom& image, int modelType) {
  if (image.GetSize() != cmcEeprom::kImageSize) return true;
  return Packer(image, modelType).Run();
}
