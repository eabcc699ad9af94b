#pragma once
// The segment display character: its segments as triangles in the overlay's own
// coordinates, read from the lines of "GI_PCG_Seg_Data", and their bounding box.
// Segment s lights with bit (segment count - s - 1) of a mask; a segment given with
// a negative triangle count is never drawn but still counts for the box.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class cmcGTexBase;

class cmcSegmentModel {
 public:
  struct Point {
    double x = 0;
    double y = 0;
  };
  using Triangle = std::array<Point, 3>;
  struct Segment {
    bool drawn = true;
    std::vector<Triangle> triangles;
  };

  cmcSegmentModel() = default;
  // Segment lines as the overlay holds them, up to the first line beginning with "#".
  // Lines beginning with "//" and lines that are exactly "0" do not count as
  // segments; they belong after the segment lines.
  static cmcSegmentModel FromLines(std::span<const std::string> lines);
  // The main overlay's "GI_PCG_Seg_Data".
  static cmcSegmentModel FromOverlay(cmcGTexBase& overlay);

  int SegmentCount() const { return static_cast<int>(segments_.size()); }
  const Segment& SegmentAt(int s) const { return segments_[s]; }
  // The mask bit of segment s.
  int BitOf(int s) const { return SegmentCount() - s - 1; }
  // Bounding box of all triangle points; all 0 without points.
  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return right_ - left_; }
  double Height() const { return bottom_ - top_; }

 private:
  std::vector<Segment> segments_;
  double left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};
