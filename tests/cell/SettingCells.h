#pragma once
// Radio-wide setting cells dispatched two ways: on the small dispatch host (zeroed
// image, shipped overlay) for golden checks at bytes and bits, and, for the walk over
// whole label families, in the program over each model type's initial image.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "CellTestHost.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/indActiveCell.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellRequest.h"
#include "image/cmcEeprom.h"
#include "shell/indCellShell.h"
#include "support/CellRequest.h"
#include "support/TestProgram.h"

namespace settingtest {

// What one request answered, with the colours drawn on the canvas.
struct Answer : CellReply {
  std::vector<uint32_t> colours;
};

class SettingCells : public ::testing::Test {
 protected:
  // Dispatches the cell with a key (with a grid unless key is 0), a typed text (input
  // kind 1) or a chooser answer (input kind 2 with the chosen cell's label and index).
  Answer Key(int label, int key, int category = CT_Null, int row = 0) {
    CellRequest r(category, label, row, key);
    if (key != 0) r.grid = &grid_;
    return Send(r);
  }
  Answer Draw(int label, int category = CT_Null, int row = 0) { return Key(label, 0, category, row); }
  Answer Type(int label, const std::string& text, int category = CT_Null, int row = 0) {
    CellRequest r(category, label, row);
    r.inputKind = cmcCellCapsule::kInputText;
    r.text = text;
    r.grid = &grid_;
    return Send(r);
  }
  Answer Choose(int label, int keyLabel, int index, int category = CT_Null, int row = 0) {
    CellRequest r(category, label, row);
    r.chosen = {keyLabel, index};
    r.grid = &grid_;
    return Send(r);
  }

  uint8_t Byte(int address) const { return host_.image.GetByte(address); }
  void SetByte(int address, uint8_t value) { host_.image.SetByte(address, value); }

  celltest::Host host_;
  celltest::Grid grid_;
  celltest::Canvas canvas_;
  bool onCanvas_ = false;  // requests draw on canvas_ (radio texts then show no text)
  indActiveCell active_{host_};

 private:
  Answer Send(CellRequest r) {
    canvas_.colours.clear();
    if (onCanvas_) r.canvas = &canvas_;
    return {SendCellRequest(active_, r), canvas_.colours};
  }
};

// Walks labels first … last on each model type's initial image in the program: key 0
// must not show "*Yet*" (unless the label is listed without a handler) nor "error" (every
// initial value is in its list), and committing the shown text must leave the image as
// it was, but for the bytes a label is listed to normalise; an empty text field that
// was never written (zeros) is stored back padded with spaces.
struct Normalising {
  int label;
  int address;
  uint8_t after;  // the byte after committing the shown text on every initial image
};

inline void WalkLabels(int first, int last, const std::set<int>& withoutHandler, int category = CT_Null,
                       const std::vector<Normalising>& normalising = {}, int rows = 1) {
  for (int model = 0; model <= 3; ++model) {
    ProgramDir dir;
    Program p(dir);
    p.main.ChangeModelType(model, false);
    p.main.Working().Assign(p.main.Initial());
    indActiveCell& active = p.dispatch;
    for (int label = first; label <= last; ++label) {
      for (int row = 0; row < rows; ++row) {
        const std::string where =
            "model " + std::to_string(model) + ", label " + std::to_string(label) + ", row " + std::to_string(row);
        cmcCellObj cell;
        cell.category = static_cast<uint32_t>(category);
        cell.label = static_cast<uint32_t>(label);
        cell.index = row;
        const std::string shown = active.CellText(cell, 0);
        if (withoutHandler.contains(label)) {
          EXPECT_EQ(shown, indCellHandlers::YetText(label)) << where;
          continue;
        }
        EXPECT_EQ(shown.find("*Yet*"), std::string::npos) << where;
        EXPECT_EQ(shown.find("error"), std::string::npos) << where << ": " << shown;

        cmcEeprom before;
        before.Assign(p.main.Working());
        cmcCellCapsule c;
        c.cell = &cell;
        c.inputKind = cmcCellCapsule::kInputText;
        c.inputText = shown;
        active.Dispatch(c, false);
        for (const Normalising& n : normalising) {
          if (n.label != label) continue;
          EXPECT_EQ(p.main.Working().GetByte(n.address), n.after) << where;
          before.SetByte(n.address, n.after);
        }
        for (int a = 0; a < cmcEeprom::kImageSize; ++a) {
          const uint8_t now = p.main.Working().GetByte(a);
          if (shown.empty() && before.GetByte(a) == 0 && now == ' ') continue;
          if (now != before.GetByte(a))
            ADD_FAILURE() << where << " \"" << shown << "\" changed byte " << a << " from " << int{before.GetByte(a)}
                          << " to " << int{now};
        }
        p.main.Working().Assign(before);
      }
    }
  }
}

}  // namespace settingtest
