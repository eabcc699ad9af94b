#include <gtest/gtest.h>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"

namespace {

void Repaint(void*, cmcCellCapsule&, int) {}
void Reopen(void*, cmcCellCapsule&) {}

// Every field but the bank index set away from its cleared value.
void Fill(cmcCellCapsule& c, cmcCellCapsule& parent, cmcCellObj& cell, std::array<int32_t, 4>& rect, int& context) {
  c.parent = &parent;
  c.owner = &context;
  c.grid = reinterpret_cast<cmcCellGrid*>(&context);
  c.cell = &cell;
  c.canvas = reinterpret_cast<cmcCellCanvas*>(&rect);
  c.imageList = &parent;
  c.rect = &rect;
  c.selStart = 1;
  c.selLength = 2;
  c.keyCode = cmcCellCapsule::kKeyActivate;
  c.commandArgument = 99;
  c.inputText = "typed";
  c.outputText = "shown";
  c.state = cmcCellCapsule::kCurrent | cmcCellCapsule::kErrorMark;
  c.markPosition = 3;
  c.inputKind = cmcCellCapsule::kInputPopupAnswer;
  c.jump = {1, 2, 3, 4};
  c.repeatKey = 5;
  c.sheet = reinterpret_cast<cmcSheetModel*>(&parent);
  c.multiSelection = cmcCellCapsule::kMultiActive;
  c.rangeLow = 6;
  c.rangeHigh = 7;
  c.repaint = Repaint;
  c.repaintContext = &context;
  c.reopenEditor = Reopen;
  c.reopenEditorContext = &rect;
}

void ExpectSame(const cmcCellCapsule& a, const cmcCellCapsule& b) {
  EXPECT_EQ(a.parent, b.parent);
  EXPECT_EQ(a.owner, b.owner);
  EXPECT_EQ(a.grid, b.grid);
  EXPECT_EQ(a.cell, b.cell);
  EXPECT_EQ(a.canvas, b.canvas);
  EXPECT_EQ(a.imageList, b.imageList);
  EXPECT_EQ(a.rect, b.rect);
  EXPECT_EQ(a.selStart, b.selStart);
  EXPECT_EQ(a.selLength, b.selLength);
  EXPECT_EQ(a.keyCode, b.keyCode);
  EXPECT_EQ(a.commandArgument, b.commandArgument);
  EXPECT_EQ(a.inputText, b.inputText);
  EXPECT_EQ(a.outputText, b.outputText);
  EXPECT_EQ(a.state, b.state);
  EXPECT_EQ(a.markPosition, b.markPosition);
  EXPECT_EQ(a.inputKind, b.inputKind);
  EXPECT_EQ(a.jump.set, b.jump.set);
  EXPECT_EQ(a.jump.category, b.jump.category);
  EXPECT_EQ(a.jump.label, b.jump.label);
  EXPECT_EQ(a.jump.index, b.jump.index);
  EXPECT_EQ(a.repeatKey, b.repeatKey);
  EXPECT_EQ(a.sheet, b.sheet);
  EXPECT_EQ(a.multiSelection, b.multiSelection);
  EXPECT_EQ(a.rangeLow, b.rangeLow);
  EXPECT_EQ(a.rangeHigh, b.rangeHigh);
  EXPECT_EQ(a.repaint, b.repaint);
  EXPECT_EQ(a.repaintContext, b.repaintContext);
  EXPECT_EQ(a.reopenEditor, b.reopenEditor);
  EXPECT_EQ(a.reopenEditorContext, b.reopenEditorContext);
}

TEST(cmcCellCapsule, CopyAndResetLeaveTheBankIndexAlone) {
  cmcCellCapsule parent;
  cmcCellObj cell;
  std::array<int32_t, 4> rect{};
  int context = 0;
  cmcCellCapsule source;
  Fill(source, parent, cell, rect, context);
  source.bankIndex = 3;

  cmcCellCapsule copy;
  copy.bankIndex = 5;
  copy.CopyFrom(source);
  ExpectSame(copy, source);
  EXPECT_EQ(copy.bankIndex, 5);

  copy.Reset();
  const cmcCellCapsule cleared;
  ExpectSame(copy, cleared);
  EXPECT_EQ(copy.bankIndex, 5);
}

}  // namespace
