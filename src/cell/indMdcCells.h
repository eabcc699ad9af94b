#pragma once
// The MDC settings (CL_Mdc_): the five MDC systems, one 29-byte record each from
// 0xB13B (a sheet row is a system), with their name, the features each system offers
// and the settings of those features; and the aliases (record kind 20), where typing on
// the new alias row first adds an alias. Alias columns 2-5 draw nothing.
class indCellHandlers;

class indMdcCells {
 public:
  static constexpr int kSystems = 0xB13B;
  static constexpr int kSystemSize = 29;
  static constexpr int kSystemCount = 5;

  static void Register(indCellHandlers& table);
};
