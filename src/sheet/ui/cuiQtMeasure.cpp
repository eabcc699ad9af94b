#include "sheet/ui/cuiQtMeasure.h"

#include <cmath>

#include "sheet/ui/cuiCellStyle.h"

const QFontMetricsF& cuiQtMeasure::Metrics(const cmcCellFont& font) const {
  const std::string key = cuiCellStyle::FontKey(font);
  const auto found = metrics_.find(key);
  if (found != metrics_.end()) return found->second;
  const QFont qfont = cuiCellStyle::Font(font);
  return metrics_.emplace(key, device_ ? QFontMetricsF(qfont, device_) : QFontMetricsF(qfont)).first->second;
}

int cuiQtMeasure::LineWidth(std::string_view line, const cmcCellFont& font) const {
  if (line.empty()) return 0;
  return static_cast<int>(std::ceil(Metrics(font).horizontalAdvance(cuiCellStyle::Text(line))));
}

int cuiQtMeasure::LineHeight(const cmcCellFont& font) const {
  return static_cast<int>(std::ceil(Metrics(font).height()));
}

double cuiQtMeasure::Ascent(const cmcCellFont& font) const { return Metrics(font).ascent(); }
