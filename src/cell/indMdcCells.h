#pragma once
// The MDC settings (CL_Mdc_): the five MDC systems, one 29-byte record each at
// cmcImageMap::kMdcSystems (a sheet row is a system), with their name, the features
// each system offers and the settings of those features; and the aliases (record kind
// 20), where typing on the new alias row first adds an alias. Alias columns 2-5 draw
// nothing.
class indCellHandlers;

class indMdcCells {
 public:
  static void Register(indCellHandlers& table);
};
