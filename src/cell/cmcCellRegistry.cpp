#include "cell/cmcCellRegistry.h"

#include <cstdio>
#include <string>

#include "cell/cmcCellNames.h"
#include "runtime/cmcFatal.h"

namespace {

// Created empty with the program; each table is entered once, on its first lookup.
struct NameIndex {
  cmcHash index;
  bool categoriesEntered = false;
  bool labelsEntered = false;
};

NameIndex gNames;

template <std::size_t N>
void Enter(std::span<const char* const, N> names) {
  for (std::size_t i = 0; i < N; ++i) gNames.index.Add(names[i], static_cast<int32_t>(i));
}

// The shared index holds both tables, so a hit counts only when it is a name of the
// table asked: a category name is no label, and a label name no category.
template <std::size_t N>
uint32_t Lookup(std::span<const char* const, N> names, std::string_view name, const char* unknownText) {
  if (name.empty()) return N;
  if (const auto* entry = gNames.index.Find(name)) {
    const auto id = static_cast<std::size_t>(entry->value);
    if (id < N && name == names[id]) return static_cast<uint32_t>(id);
  }
  cmcFatal(std::string(unknownText) + "\n'" + std::string(name) + "'");
}

// Record kinds by category id; the channel categories 2-6 follow the model family.
constexpr uint8_t kRecordKinds[kCategoryCount + 1] = {0,  0,  0,  0, 0,  0,  0,  5,  6, 7, 8,  9,  10, 12,
                                                      13, 11, 14, 0, 15, 16, 17, 18, 0, 0, 19, 20, 0,  0};

// The channel record kind of a model family; families 4 and 5 are run as LMR.
int ChannelKindOf(int modelFamily) {
  switch (modelFamily) {
    case 0:
    case 4:
    case 5:
      return 1;
    case 1:
      return 2;
    case 2:
      return 3;
    case 3:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

uint32_t CategoryIdOf(std::string_view name) {
  if (!gNames.categoriesEntered) {
    Enter(CellCategoryNames());
    gNames.categoriesEntered = true;
  }
  return Lookup(CellCategoryNames(), name, "Cannot use the specified category.");
}

uint32_t LabelIdOf(std::string_view name) {
  if (!gNames.labelsEntered) {
    Enter(CellLabelNames());
    gNames.labelsEntered = true;
  }
  return Lookup(CellLabelNames(), name, "Cannot use the specified cell.");
}

std::string_view LabelNameOf(int64_t id) {
  if (id < 0 || id >= kLabelCount) return {};
  return CellLabelNames()[static_cast<std::size_t>(id)];
}

int RecordKindOf(int64_t categoryId, int modelFamily) {
  if (categoryId < 0 || categoryId > kCategoryCount) {
    char text[64];
    std::snprintf(text, sizeof text, "Unknown Cell Category. (%lld)", static_cast<long long>(categoryId));
    cmcFatal(text);
  }
  if (categoryId >= 2 && categoryId <= 6) return ChannelKindOf(modelFamily);
  return kRecordKinds[categoryId];
}

const cmcHash& CellNameIndex() { return gNames.index; }
