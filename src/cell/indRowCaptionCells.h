#pragma once
// Row captions of the channel sheets and the memory channel window: the new-channel
// title on the new row, else bank and channel ("%d-%3d") while the tree shows bank
// operations, or the channel number from 1; plain row numbers from 0 and from 1; and
// the quarter pillar, a grey band over the lower 30 % of the cell.
class indCellHandlers;

class indRowCaptionCells {
 public:
  static void Register(indCellHandlers& table);
};
