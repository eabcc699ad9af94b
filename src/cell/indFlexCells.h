#pragma once
// The Flex labels (1-16) that key the entries of choice lists: they show the cell's
// own text, or a row number, the new-alias title, or "-" for unconfirmed PMR presets;
// `FlexMark`, asked once per chooser entry with the edited cell as parent capsule,
// marks the entries the model or the channel does not allow.
class indCellHandlers;

class indFlexCells {
 public:
  static void Register(indCellHandlers& table);
};
