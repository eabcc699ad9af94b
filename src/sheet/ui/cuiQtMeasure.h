#pragma once
// Text sizes on a Qt paint device (the screen when none is given) in whole logical
// pixels, rounded up, for cell fonts converted by cuiCellStyle. The metrics of each
// font are kept, so sizing a sheet measures fast.
#include <QFontMetricsF>
#include <string>
#include <unordered_map>

#include "sheet/cmcTextMeasure.h"

class QPaintDevice;

class cuiQtMeasure : public cmcTextMeasure {
 public:
  explicit cuiQtMeasure(QPaintDevice* device = nullptr) : device_(device) {}

  int LineWidth(std::string_view line, const cmcCellFont& font) const override;
  int LineHeight(const cmcCellFont& font) const override;
  // The distance from a line's top to its base line.
  double Ascent(const cmcCellFont& font) const;

 private:
  const QFontMetricsF& Metrics(const cmcCellFont& font) const;

  QPaintDevice* device_;
  mutable std::unordered_map<std::string, QFontMetricsF> metrics_;
};
