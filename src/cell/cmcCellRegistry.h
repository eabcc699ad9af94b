#pragma once
// The cell registry: category and label names to ids through one shared name index
// (each table entered on its first lookup), label ids back to names, and the record
// kind a category's cells index. Unknown names and category ids are fatal.
#include <cstdint>
#include <string_view>

#include "overlay/cmcHash.h"

// The id of a category name; 27 for an empty name.
uint32_t CategoryIdOf(std::string_view name);
// The id of a label name; 1629 for an empty name.
uint32_t LabelIdOf(std::string_view name);
// The name of a label id; empty for ids outside 0-1628.
std::string_view LabelNameOf(int64_t id);
// The record kind (0-20) that cells of the category index under the model family;
// 0 when they index no record. Ids outside 0-27 are fatal.
int RecordKindOf(int64_t categoryId, int modelFamily);

// The shared name index as filled so far.
const cmcHash& CellNameIndex();
