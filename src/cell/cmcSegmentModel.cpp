#include "cell/cmcSegmentModel.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "overlay/cmcGTexBase.h"
#include "overlay/cmcTextUtil.h"

namespace {

// Reads a decimal number at pos and moves past it; 0 when there is none.
double ReadNumber(const std::string& text, size_t& pos) {
  const char* start = text.c_str() + pos;
  char* end = nullptr;
  const double value = std::strtod(start, &end);
  pos += static_cast<size_t>(end - start);
  return value;
}

// "(x,y)" from pos on; missing parts read as 0.
cmcSegmentModel::Point ReadPoint(const std::string& text, size_t& pos) {
  cmcSegmentModel::Point p;
  pos = std::min(text.find('(', pos), text.size());
  if (pos < text.size()) ++pos;
  p.x = ReadNumber(text, pos);
  const size_t comma = text.find_first_of(",)", pos);
  if (comma != std::string::npos && text[comma] == ',') {
    pos = comma + 1;
    p.y = ReadNumber(text, pos);
  }
  pos = std::min(text.find(')', pos), text.size());
  if (pos < text.size()) ++pos;
  return p;
}

cmcSegmentModel::Segment ReadSegment(const std::string& line) {
  cmcSegmentModel::Segment segment;
  size_t pos = 0;
  const long count = std::strtol(line.c_str(), nullptr, 10);
  segment.drawn = count >= 0;
  for (long i = 0; i < std::labs(count); ++i) {
    pos = line.find('|', pos);
    if (pos == std::string::npos) break;
    ++pos;
    cmcSegmentModel::Triangle t;
    for (auto& p : t) p = ReadPoint(line, pos);
    segment.triangles.push_back(t);
  }
  return segment;
}

bool IsFiller(std::string_view line) { return line.starts_with("//") || line == "0"; }

}  // namespace

cmcSegmentModel cmcSegmentModel::FromLines(std::span<const std::string> lines) {
  std::vector<std::string> trimmed;
  size_t count = 0;
  for (const std::string& raw : lines) {
    std::string line(cmcTrim(raw));
    if (line.starts_with('#')) break;
    if (!IsFiller(line)) ++count;
    trimmed.push_back(std::move(line));
  }
  cmcSegmentModel model;
  bool first = true;
  for (size_t s = 0; s < count; ++s) {
    model.segments_.push_back(ReadSegment(trimmed[s]));
    for (const Triangle& t : model.segments_.back().triangles) {
      for (const Point& p : t) {
        model.left_ = first ? p.x : std::min(model.left_, p.x);
        model.right_ = first ? p.x : std::max(model.right_, p.x);
        model.top_ = first ? p.y : std::min(model.top_, p.y);
        model.bottom_ = first ? p.y : std::max(model.bottom_, p.y);
        first = false;
      }
    }
  }
  return model;
}

cmcSegmentModel cmcSegmentModel::FromOverlay(cmcGTexBase& overlay) {
  std::vector<std::string> lines;
  for (int n = 0;; ++n) {
    lines.push_back(overlay.GetLine("GI_PCG_Seg_Data", n));
    if (lines.back().starts_with('#')) break;
  }
  return FromLines(lines);
}
