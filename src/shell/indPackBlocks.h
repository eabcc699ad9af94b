#pragma once
// The packed blocks of the radio's memory, one row each: where a block lives in the
// fixed layout, its element size and counts, how the initial image fills it, for which
// model types it is packed, and its packing group. Rows are in packing order.
#include <span>

// How an element count is chosen when a block is packed.
enum class indPackCount { Table, Channels, Lists };

// How `UnpackInitialImage` takes a block's elements from the initial image.
enum class indInitialFill {
  None,                 // not unpacked
  Single,               // one element of the table's size
  Distinct,             // consecutive source elements
  FirstRepeated,        // the first source element in every element
  SixteenThenRepeated,  // source elements 0-15, then element 15 in the rest
};

// The model types for which a block is packed; unpacking takes whatever the directory holds.
enum class indPackWhen { Always, QarnPmr, DPmr446 };

struct indPackBlock {
  int id;
  int fixed;  // address in the fixed layout; -1 packs zeros
  int elementSize;
  indPackCount countFrom;
  int packCount;    // the element count when countFrom is Table
  int unpackCount;  // the most elements unpacked (each at most elementSize bytes); 0: not unpacked
  indInitialFill initial;
  indPackWhen when;
  int group;
  bool clearedFirst;  // the fixed bytes are cleared before the block is unpacked
};

// Every block, in packing order.
std::span<const indPackBlock> PackBlocks();

// The row of a block id, or nullptr.
const indPackBlock* FindPackBlock(int id);

// Whether a block is packed for a model type (4 and 5 behave as 0).
bool IsPackedFor(const indPackBlock& block, int modelType);
