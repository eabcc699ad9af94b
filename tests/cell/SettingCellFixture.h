#pragma once
// Requests on stored-setting cells over the cell test host (a zeroed image and the
// shipped overlay): a redraw, a key with a grid, a committed text, a chooser answer;
// each answer keeps the text, the marks, the result and the change mask, and the
// canvas records the colours drawn.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "CellTestHost.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "cell/indActiveCell.h"
#include "overlay/cmcTextUtil.h"

namespace celltest {

struct Sent {
  uint8_t result = 0;
  std::string text;  // trimmed
  uint8_t state = 0;
  uint8_t markPosition = 0;
  int mask = 0;
  bool Error() const { return state & cmcCellCapsule::kErrorMark; }
};

class SettingCells : public ::testing::Test {
 protected:
  enum class How { Draw, Key, Type, Answer };

  Sent Send(int category, int label, int row, How how, int key = 0, const std::string& text = {}, int answerLabel = 0,
            int answerIndex = 0) {
    cmcCellObj cell;
    cell.category = static_cast<uint32_t>(category);
    cell.label = static_cast<uint32_t>(label);
    cell.index = row;
    cmcCellObj chosen;
    cmcCellCapsule answer;
    cmcCellCapsule c;
    c.cell = &cell;
    c.canvas = &canvas_;
    if (how != How::Draw) c.grid = &grid_;
    if (how == How::Key) c.keyCode = key;
    if (how == How::Type) {
      c.inputKind = cmcCellCapsule::kInputText;
      c.inputText = text;
    }
    if (how == How::Answer) {
      chosen.label = static_cast<uint32_t>(answerLabel);
      chosen.index = answerIndex;
      answer.cell = &chosen;
      c.inputKind = cmcCellCapsule::kInputPopupAnswer;
      c.parent = &answer;
    }
    Sent s;
    c.repaint = [](void* context, cmcCellCapsule&, int mask) { static_cast<Sent*>(context)->mask = mask; };
    c.repaintContext = &s;
    s.result = active_.Dispatch(c, true);
    s.text = cmcTrim(c.outputText);
    s.state = c.state;
    s.markPosition = c.markPosition;
    return s;
  }
  Sent Draw(int category, int label, int row = 0) { return Send(category, label, row, How::Draw); }
  Sent Key(int category, int label, int row, int key) { return Send(category, label, row, How::Key, key); }
  Sent Type(int category, int label, int row, const std::string& text) {
    return Send(category, label, row, How::Type, 0, text);
  }
  Sent Choose(int category, int label, int row, int keyLabel, int index) {
    return Send(category, label, row, How::Answer, 0, {}, keyLabel, index);
  }

  uint8_t At(int address) const { return host_.image.GetByte(address); }
  void Poke(int address, uint8_t value) { host_.image.SetByte(address, value); }
  void PokeWord(int address, int value) { host_.SetWord(address, value); }
  int Word(int address) const { return (At(address) << 8) | At(address + 1); }
  bool DrewIn(uint32_t colour) const {
    for (const uint32_t c : canvas_.colours)
      if (c == colour) return true;
    return false;
  }

  Host host_;
  Grid grid_;
  Canvas canvas_;
  indActiveCell active_{host_};
};

}  // namespace celltest
