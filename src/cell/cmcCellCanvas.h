#pragma once
// What the cell engine may draw on the surface a cell is being painted on: the text
// colour of the cell and a filled band along its bottom. A request without a canvas
// sets no colour. The desktop sheets implement it over their painter; tests record.
#include <cstdint>

class cmcCellCanvas {
 public:
  virtual ~cmcCellCanvas() = default;
  // The colour the cell's text is drawn in (0x00BBGGRR or a system colour).
  virtual void SetTextColour(uint32_t colour) = 0;
  // Fills the lower percent of the cell's height with the colour.
  virtual void FillBottom(int percent, uint32_t colour) = 0;
};
