#pragma once
// The label switch of the active cell dispatch: one handler per label id (0-1629).
// Each handler group registers its labels from its own file; Default() is the table
// with every group in. A label without a handler draws "%d *Yet*" with its id.
// Registering a label twice is a programming error and fatal.
#include <array>
#include <cstdint>
#include <string>

#include "cell/cmcCellNames.h"

class indCellRequest;

using indCellHandler = void (*)(indCellRequest&);

class indCellHandlers {
 public:
  static constexpr int kSlots = static_cast<int>(kNoLabel) + 1;

  // The program's table, built on first use.
  static const indCellHandlers& Default();

  void Set(int label, indCellHandler handler);
  void SetRange(int first, int last, indCellHandler handler);
  // Puts a handler in place of whatever the label has (tests stand in for groups).
  void Replace(int label, indCellHandler handler);
  // The label's handler; null for none and for ids outside the table.
  indCellHandler Find(int64_t label) const;
  bool Has(int64_t label) const { return Find(label) != nullptr; }

  // What a label without a handler shows.
  static std::string YetText(int64_t label);

 private:
  std::array<indCellHandler, kSlots> handlers_{};
};
