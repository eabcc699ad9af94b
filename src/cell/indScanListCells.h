#pragma once
// The scan lists (record kind 7: a name, flag and type bytes 8-13, four channel
// references) and the radio-wide scan settings. While a list's scan type is 0 its
// settings other than the type and the name show "----" in silver and take no keys.
// The power-save bit of scan list 0 is copied into lists 1-16 after every request on it.
class indCellHandlers;

class indScanListCells {
 public:
  static void Register(indCellHandlers& table);
};
