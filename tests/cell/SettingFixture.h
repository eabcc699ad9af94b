#pragma once
// Requests on stored-setting cells through the whole dispatch, over the test host
// (zeroed radio-wide bytes, the shipped overlay): a key with or without a grid, or a
// committed text; each answers the result, the text shown and the change mask.
#include <gtest/gtest.h>

#include <string>

#include "CellTestHost.h"
#include "cell/ChooserGrid.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "cell/indActiveCell.h"

class SettingFixture : public ::testing::Test {
 protected:
  struct Reply {
    uint8_t result = 0;
    std::string text;
    int mask = 0;
  };

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
  static void Repaint(void* self, cmcCellCapsule&, int mask) { static_cast<Reply*>(self)->mask = mask; }

  Reply Send(int label, int row, int category, int key, const std::string* text) {
    cmcCellObj cell;
    cell.category = static_cast<uint32_t>(category);
    cell.label = static_cast<uint32_t>(label);
    cell.index = row;
    cmcCellCapsule c;
    c.cell = &cell;
    c.grid = &grid_;
    c.keyCode = key;
    if (text) {
      c.inputKind = cmcCellCapsule::kInputText;
      c.inputText = *text;
    }
    Reply reply;
    c.repaint = &SettingFixture::Repaint;
    c.repaintContext = &reply;
    reply.result = active_.Dispatch(c, true);
    reply.text = c.outputText;
    return reply;
  }
};
