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
#include "cell/indActiveCell.h"
#include "overlay/cmcTextUtil.h"
#include "support/CellRequest.h"

namespace celltest {

// What a request answered; the text trimmed.
using Sent = CellReply;

class SettingCells : public ::testing::Test {
 protected:
  enum class How { Draw, Key, Type, Answer };

  Sent Send(int category, int label, int row, How how, int key = 0, const std::string& text = {}, int answerLabel = 0,
            int answerIndex = 0) {
    CellRequest r(category, label, row);
    r.canvas = &canvas_;
    if (how != How::Draw) r.grid = &grid_;
    if (how == How::Key) r.key = key;
    if (how == How::Type) {
      r.inputKind = cmcCellCapsule::kInputText;
      r.text = text;
    }
    if (how == How::Answer) r.chosen = {answerLabel, answerIndex};
    Sent s = SendCellRequest(active_, r);
    s.text = cmcTrim(s.text);
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
  int Word(int address) const { return host_.image.GetWord(address); }
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
