#pragma once
// One request on one cell through the active cell dispatch, built as a sheet builds
// it: the cell's binding, a key, an input kind with its text or a chooser's answer,
// and the grid and canvas the request offers. The reply keeps what the dispatch left:
// the result, the text, the marks, the change mask, the cell's alignment, a jump, a
// repeat key and why typed text was refused.
#include <cstdint>
#include <optional>
#include <string>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "cell/indActiveCell.h"

struct CellRequest {
  CellRequest(int category, int label, int row, int key = 0) : category(category), label(label), row(row), key(key) {}

  int category;
  int label;
  int row;
  int key;
  uint8_t inputKind = cmcCellCapsule::kInputKey;
  std::string text;
  // The chosen cell (label, index) of a chooser's answer; makes the input kind an answer.
  std::optional<std::pair<int, int>> chosen;
  cmcCellGrid* grid = nullptr;
  cmcCellCanvas* canvas = nullptr;
  bool fromSheet = true;
};

struct CellReply {
  uint8_t result = 0;
  std::string text;
  uint8_t state = 0;
  uint8_t markPosition = 0;
  int mask = 0;
  int align = 0;
  cmcCellCapsule::JumpRequest jump;
  int repeatKey = 0;
  std::string refusal;

  bool Error() const { return state & cmcCellCapsule::kErrorMark; }
};

inline CellReply SendCellRequest(indActiveCell& dispatch, const CellRequest& r) {
  cmcCellObj cell;
  cell.category = static_cast<uint32_t>(r.category);
  cell.label = static_cast<uint32_t>(r.label);
  cell.index = r.row;
  cmcCellObj chosen;
  cmcCellCapsule answer;
  cmcCellCapsule c;
  c.cell = &cell;
  c.keyCode = r.key;
  c.inputKind = r.inputKind;
  c.inputText = r.text;
  c.grid = r.grid;
  c.canvas = r.canvas;
  if (r.chosen) {
    chosen.label = static_cast<uint32_t>(r.chosen->first);
    chosen.index = r.chosen->second;
    answer.cell = &chosen;
    c.parent = &answer;
    c.inputKind = cmcCellCapsule::kInputPopupAnswer;
  }
  CellReply reply;
  c.repaint = [](void* context, cmcCellCapsule&, int mask) { static_cast<CellReply*>(context)->mask = mask; };
  c.repaintContext = &reply;
  reply.result = dispatch.Dispatch(c, r.fromSheet);
  reply.text = c.outputText;
  reply.state = c.state;
  reply.markPosition = c.markPosition;
  reply.align = cell.HAlign();
  reply.jump = c.jump;
  reply.repeatKey = c.repeatKey;
  reply.refusal = c.refusal;
  return reply;
}
