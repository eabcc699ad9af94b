#include "sheet/cmcCharacterEditor.h"

#include <algorithm>
#include <cmath>

namespace {

double Area(const cmcSegmentModel::Point& a, const cmcSegmentModel::Point& b, const cmcSegmentModel::Point& c) {
  return std::abs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
}

}  // namespace

cmcCharacterEditor::cmcCharacterEditor(const cmcSegmentModel& model, uint32_t value) : model_(model), value_(value) {
  const double drawn = kArea - 2 * kMargin;
  if (model.Width() > 0 && model.Height() > 0) scale_ = std::min(drawn / model.Width(), drawn / model.Height());
}

bool cmcCharacterEditor::On(int segment) const {
  const int bit = model_.BitOf(segment);
  return bit >= 0 && bit < 32 && ((value_ >> bit) & 1u);
}

cmcCanvasPoint cmcCharacterEditor::ToArea(const cmcSegmentModel::Point& p) const {
  return {static_cast<int32_t>((p.x - model_.Left()) * scale_ + kMargin),
          static_cast<int32_t>((p.y - model_.Top()) * scale_ + kMargin)};
}

cmcSegmentModel::Point cmcCharacterEditor::ToModel(int x, int y) const {
  return {static_cast<double>(static_cast<int>((x - kMargin) / scale_ + model_.Left())),
          static_cast<double>(static_cast<int>((y - kMargin) / scale_ + model_.Top()))};
}

bool cmcCharacterEditor::Inside(const cmcSegmentModel::Triangle& t, const cmcSegmentModel::Point& p) {
  return Area(p, t[0], t[1]) + Area(p, t[1], t[2]) + Area(p, t[2], t[0]) <= Area(t[0], t[1], t[2]) + 0.01;
}

bool cmcCharacterEditor::Click(int x, int y) {
  const cmcSegmentModel::Point p = ToModel(x, y);
  for (int s = 0; s < model_.SegmentCount(); ++s) {
    const cmcSegmentModel::Segment& segment = model_.SegmentAt(s);
    if (!segment.drawn) continue;
    for (const auto& t : segment.triangles)
      if (Inside(t, p)) {
        const int bit = model_.BitOf(s);
        if (bit >= 0 && bit < 32) value_ ^= 1u << bit;
        return true;
      }
  }
  return false;
}

std::vector<cmcCharacterEditor::Shape> cmcCharacterEditor::Shapes() const {
  std::vector<Shape> shapes;
  for (int s = 0; s < model_.SegmentCount(); ++s) {
    const cmcSegmentModel::Segment& segment = model_.SegmentAt(s);
    if (!segment.drawn) continue;
    for (const auto& t : segment.triangles) shapes.push_back({{ToArea(t[0]), ToArea(t[1]), ToArea(t[2])}, On(s)});
  }
  return shapes;
}
