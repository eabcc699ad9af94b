#include "sheet/cmcFixedMeasure.h"

int cmcFixedMeasure::LineWidth(std::string_view line, const cmcCellFont&) const {
  return static_cast<int>(line.size()) * charWidth_;
}

int cmcFixedMeasure::LineHeight(const cmcCellFont&) const { return lineHeight_; }
