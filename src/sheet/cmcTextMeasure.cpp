#include "sheet/cmcTextMeasure.h"

#include <algorithm>

cmcTextMeasure::Extent cmcTextMeasure::TextExtent(std::string_view text, const cmcCellFont& font) const {
  Extent extent;
  for (;;) {
    const size_t end = text.find('\n');
    extent.width = std::max(extent.width, LineWidth(text.substr(0, end), font));
    extent.height += LineHeight(font);
    if (end == std::string_view::npos) return extent;
    text.remove_prefix(end + 1);
  }
}
