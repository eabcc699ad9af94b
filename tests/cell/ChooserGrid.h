#pragma once
// A grid that records the choosers the choice codecs open instead of showing them.
#include <string>
#include <vector>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellGrid.h"

struct ChooserGrid : cmcCellGrid {
  struct Chooser {
    std::string listKey;
    int keyLabel;
    int value;
    std::string extra;
  };
  std::vector<Chooser> opened;

  void OpenChooser(cmcCellCapsule&, const std::string& listKey, int keyLabel, int value,
                   const std::string& extra) override {
    opened.push_back({listKey, keyLabel, value, extra});
  }
};
