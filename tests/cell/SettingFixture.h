#pragma once
// Requests on stored-setting cells through the whole dispatch, over the test host
// (zeroed radio-wide bytes, the shipped overlay): a key with or without a grid, or a
// committed text; each answers the result, the text shown and the change mask.
#include <gtest/gtest.h>

#include <string>

#include "CellTestHost.h"
#include "cell/ChooserGrid.h"
#include "cell/indActiveCell.h"
#include "support/CellRequest.h"

class SettingFixture : public ::testing::Test {
 protected:
  using Reply = CellReply;

  Reply Key(int label, int key, int row = 0, int category = 0) { return Send(label, row, category, key, nullptr); }
  Reply Draw(int label, int row = 0, int category = 0) { return Key(label, 0, row, category); }
  Reply Commit(int label, const std::string& text, int row = 0, int category = 0) {
    return Send(label, row, category, 0, &text);
  }

  int Byte(int address) { return host_.image.GetByte(address); }
  void SetByte(int address, int value) { host_.image.SetByte(address, static_cast<uint8_t>(value)); }

  celltest::Host host_;
  ChooserGrid grid_;
  indActiveCell active_{host_};

 private:
  Reply Send(int label, int row, int category, int key, const std::string* text) {
    CellRequest r(category, label, row, key);
    if (text) {
      r.inputKind = cmcCellCapsule::kInputText;
      r.text = *text;
    }
    r.grid = &grid_;
    return SendCellRequest(active_, r);
  }
};
