#pragma once
// The popup-menu commands a request may carry as its command argument (99 Edit is
// turned into Enter by the dispatch): the block operations on the selected rows,
// help on the cell, the memory channel window, and copying the radio's serial number.
class indCellRequest;

class indPopupCommands {
 public:
  // Runs command 100-109 (others do nothing); the request ends after it.
  static void Run(indCellRequest& request);

 private:
  static void BlockOperation(indCellRequest& request, int command);
  static void MchWin(indCellRequest& request);
  static void WinCopy(indCellRequest& request);
};
