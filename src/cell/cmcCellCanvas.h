#pragma once
// The surface a cell is being painted on, as far as the cell engine draws on it
// itself: the radio display characters, the colour the cell's text is drawn in, and
// a band along the cell's bottom. Coordinates are device pixels, colours plain
// values. A request without a canvas sets no colour. The desktop sheets implement
// it over their painter; tests record.
#include <cstdint>
#include <span>

struct cmcCanvasPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const cmcCanvasPoint&) const = default;
};

class cmcCellCanvas {
 public:
  virtual ~cmcCellCanvas() = default;
  // The colour of the font the cell is drawn in.
  virtual uint32_t FontColour() const = 0;
  // Fills and outlines the polygon in the colour; the surface's own brush and pen
  // are as before afterwards.
  virtual void FillPolygon(std::span<const cmcCanvasPoint> points, uint32_t colour) = 0;
  // Draws the cell's text in this colour (0x00BBGGRR or a system colour).
  virtual void SetTextColour(uint32_t /*colour*/) {}
  // Fills the lower percent of the cell's height with the colour.
  virtual void FillBottom(int /*percent*/, uint32_t /*colour*/) {}
};
