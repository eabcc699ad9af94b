#pragma once
// How wide and high text is in a cell font, on the surface a sheet is sized for: the
// screen, the printer or the CLI's fixed cells. Sizes are whole pixels of that surface.
#include <string_view>

#include "cell/cmcCellFont.h"

class cmcTextMeasure {
 public:
  struct Extent {
    int width = 0;
    int height = 0;
    bool operator==(const Extent&) const = default;
  };

  virtual ~cmcTextMeasure() = default;
  // One line, without line breaks.
  virtual int LineWidth(std::string_view line, const cmcCellFont& font) const = 0;
  virtual int LineHeight(const cmcCellFont& font) const = 0;

  // A text split at its line breaks: the widest line by the sum of the line heights.
  // An empty text is one empty line.
  Extent TextExtent(std::string_view text, const cmcCellFont& font) const;
};
