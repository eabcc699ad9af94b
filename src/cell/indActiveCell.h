#pragma once
// The active cell dispatch: the one place that knows what every cell means. A
// request (a capsule holding a cell) is answered by loading the record the cell
// indexes, running a popup-menu command or the label's handler, and reporting the
// change mask to the sheet. The object keeps nothing between requests.
#include <cstdint>
#include <string>

#include "cell/indCellHandlers.h"

class cmcCellCapsule;
class cmcCellObj;
class indCellHost;

class indActiveCell {
 public:
  explicit indActiveCell(indCellHost& host, const indCellHandlers& handlers = indCellHandlers::Default())
      : host_(host), handlers_(handlers) {}

  // The one operation: returns 0 (done), 1 (a popup editor was opened) or 2 (the caller
  // opens the in-place editor with the request's output text and selection).
  uint8_t Dispatch(cmcCellCapsule& request, bool fromSheet);

  // The cell's text for this key without a grid; empty unless the result was 0.
  std::string CellText(cmcCellObj& cell, int keyCode);
  // The same, for a command bound to a cell; returns the result.
  uint8_t RunCell(cmcCellObj& cell, int keyCode);
  // The marks of a cell probed with key 0 within the bank holding the channel index.
  bool WarningMarkOf(int category, int label, int index);
  bool ErrorMarkOf(int category, int label, int index);

  indCellHost& Host() const { return host_; }

 private:
  uint8_t Probe(int category, int label, int index);
  // The text the request's cell shows now, drawn in the request's sheet without a grid.
  std::string ShownText(const cmcCellCapsule& request);

  indCellHost& host_;
  const indCellHandlers& handlers_;
};
