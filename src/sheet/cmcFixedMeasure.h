#pragma once
// A text measure with a fixed cell per character, whatever the font: for tests and
// the command line, where sizes only need to be the same on every machine.
#include "sheet/cmcTextMeasure.h"

class cmcFixedMeasure : public cmcTextMeasure {
 public:
  explicit cmcFixedMeasure(int charWidth = 8, int lineHeight = 16) : charWidth_(charWidth), lineHeight_(lineHeight) {}

  int LineWidth(std::string_view line, const cmcCellFont& font) const override;
  int LineHeight(const cmcCellFont& font) const override;

 private:
  int charWidth_;
  int lineHeight_;
};
