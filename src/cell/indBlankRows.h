#pragma once
// Empty rows of the channel and MDC alias sheets. Typing anywhere on a channel that
// is not in use, or on the new-channel row, starts at the row's receive frequency (a
// jump that replays the key there); a new alias starts at its name. The new-channel
// row shows only its caption until a key that starts an entry on its receive
// frequency has added a channel there.
class indCellRequest;

class indBlankRows {
 public:
  // The blank-row jump; true when the label switch is to be skipped.
  static bool Jump(indCellRequest& request);
  // The receive-frequency label of the request's sheet and family.
  static int FreqRLabel(const indCellRequest& request);
  static bool IsFreqRLabel(int label);
  // On the new-channel row: opens a channel for space, backspace, ".", a digit or
  // Enter, or shows the overflow error. False when no channel was added (nothing
  // entered, or the key dropped): the cell stays empty.
  static bool AddChannel(indCellRequest& request);
};
