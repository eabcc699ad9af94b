#pragma once
// The model-family menu items `CL_Model_Lmr` ... `CL_Model_DPmr446`: each switches the
// model type to its label id minus 39, asking first, and is ticked while that type
// is the current one.
class indMain;
class indMenuCommandTable;

class indModelMenuCommands {
 public:
  static void Register(indMenuCommandTable& table, indMain& main);
};
