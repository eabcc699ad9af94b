#pragma once
// The character editor's logic: a display character as segments that are on or off
// (segment s is bit segment count - s - 1 of the value), drawn scaled into a 200 x
// 200 area with a margin of 10, and a click that toggles the first drawn segment
// holding the point. Segments given with a negative count are neither drawn nor
// toggled.
#include <array>
#include <cstdint>
#include <vector>

#include "cell/cmcCellCanvas.h"
#include "cell/cmcSegmentModel.h"

class cmcCharacterEditor {
 public:
  static constexpr int kArea = 200;
  static constexpr int kMargin = 10;

  // One triangle to paint: filled and outlined black when its segment is on, white off.
  struct Shape {
    std::array<cmcCanvasPoint, 3> points;
    bool on = false;
  };

  cmcCharacterEditor(const cmcSegmentModel& model, uint32_t value);

  uint32_t Value() const { return value_; }
  bool On(int segment) const;
  // The drawing scale: the smaller of 180 / box width and 180 / box height.
  double Scale() const { return scale_; }
  cmcCanvasPoint ToArea(const cmcSegmentModel::Point& p) const;
  cmcSegmentModel::Point ToModel(int x, int y) const;
  // Toggles the first drawn segment with a triangle holding the point of the area;
  // false when none holds it.
  bool Click(int x, int y);
  std::vector<Shape> Shapes() const;

  // Whether p lies in the triangle: the three triangles p forms with its sides have
  // at most its own area (plus 0.01).
  static bool Inside(const cmcSegmentModel::Triangle& t, const cmcSegmentModel::Point& p);

 private:
  const cmcSegmentModel& model_;
  uint32_t value_;
  double scale_ = 1;
};
