#include "sheet/cmcCellPaintPlan.h"

#include <algorithm>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "sheet/cmcTextMeasure.h"

namespace {

constexpr uint32_t kClBtnFace = 0xFF00000F;
constexpr uint32_t kClGrayText = 0xFF000011;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// Mixes the colours channel by channel: (a x wa + b x wb + round) / (wa + wb).
uint32_t Mix(uint32_t a, uint32_t b, uint32_t wa, uint32_t wb) {
  uint32_t mixed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    mixed |= ((ca * wa + cb * wb + (wa + wb) / 2) / (wa + wb)) << shift;
  }
  return mixed;
}

bool Light(uint32_t colour) { return colour == kClWindow || colour == kWhite; }

}  // namespace

uint32_t cmcCellPaintPlan::LineColour(const View& view) { return Mix(view.windowText, view.window, 1, 7); }
uint32_t cmcCellPaintPlan::InactiveColour(const View& view) { return Mix(view.windowText, view.window, 1, 3); }

void cmcCellPaintPlan::Start(const cmcCellObj& cell, const cmcCellFont& cellFont, const Place& place,
                             const View& view) {
  rect = place.rect;
  joined = place.joined;
  font = cellFont;
  textColour = font.colour;
  const bool light = Light(cell.colour);
  if (place.printing) {
    background = light ? kWhite : kPrintDark;
    if (!light) textColour = kWhite;
    ruleColour = light ? kBlack : kWhite;
  } else {
    const bool onHighlight = place.highlighted && !place.editorShown;
    if (onHighlight && (view.focused || place.popup)) {
      background = kClHighlight;
      textColour = kClHighlightText;
    } else if (onHighlight) {
      background = InactiveColour(view);
      if (textColour == kClBtnFace || textColour == 0xC0C0C0 || textColour == kClGrayText) textColour = kClWindow;
    } else {
      background = place.lineColour ? LineColour(view) : cell.colour;
    }
    ruleColour = light ? kScreenRule : kWhite;
  }

  // Rules lie on the joined rectangle; each cell of a group shows its part of them.
  const cmcSheetRect& r = joined;
  rules.clear();
  if (cell.layout & cmcCellObj::kBottomRule) rules.push_back({r.left, r.bottom - 1, r.right - 1, r.bottom - 1});
  if (cell.rule & cmcCellObj::kTopRule) rules.push_back({r.left, r.top, r.right - 1, r.top});
  if (!place.nextJoined) {
    const int x = r.right - 1;
    switch (cell.RightRule()) {
      case 1:
        rules.push_back({x, r.top, x, r.bottom - 1});
        break;
      case 2:
        rules.push_back({x, r.bottom - r.Height() * 3 / 10, x, r.bottom - 1});
        break;
      case 3:
        rules.push_back({x, r.top + 1, x, r.bottom - 1});
        break;
      default:
        break;
    }
  }
}

void cmcCellPaintPlan::LayText(const std::string& text, const cmcCellObj& cell, const Place& place,
                               const cmcTextMeasure& measure) {
  lines.clear();
  const cmcSheetRect& r = joined;
  const int scale = place.printScale;
  std::vector<std::string> parts;
  for (size_t start = 0;;) {
    const size_t end = text.find('\n', start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  const int textHeight = static_cast<int>(parts.size()) * measure.LineHeight(font);
  int y = cell.VAlign() == 1   ? r.top + (r.bottom + 1 - r.top - textHeight) / 2
          : cell.VAlign() == 2 ? r.bottom - textHeight - scale
                               : r.top + scale;
  if (cell.layout & cmcCellObj::kBottomRule) --y;
  textEnd = r.left;
  for (std::string& part : parts) {
    const int width = measure.LineWidth(part, font);
    const int height = measure.LineHeight(font);
    int x = cell.HAlign() == 1   ? r.left + (r.right + 1 - r.left - width) / 2
            : cell.HAlign() == 2 ? r.right + 1 - width - 4 * scale
                                 : r.left + 4 * scale;
    x = std::max(x, r.left);
    lines.push_back({std::move(part), x, y, width, height});
    textEnd = std::min(x + width, r.right);
    y += height;
  }
}

void cmcCellPaintPlan::PlaceMark(uint8_t answerState, uint8_t markPosition, const cmcCellObj& cell, const Place& place,
                                 const View& view) {
  mark = answerState & cmcCellCapsule::kErrorMark     ? Mark::kError
         : answerState & cmcCellCapsule::kWarningMark ? Mark::kWarning
                                                      : Mark::kNone;
  if (view.markWidth <= 0) mark = Mark::kNone;
  if (mark == Mark::kNone) return;
  const cmcSheetRect& r = joined;
  const int size = place.printing ? r.Height() / 2 : view.markWidth;
  const int position = markPosition != 0 ? markPosition : cell.HAlign() == 2 ? 1 : 3;
  int x = r.left + size / 8;
  if (position != 1) {
    x = std::max(r.right - size - 1, r.left);
    if (position == 3) x = std::min(x, textEnd);
  }
  printedMark = place.printing;
  const int bottom = place.printing ? r.bottom - size / 8 : r.bottom - 1;
  markRect = {x, bottom - size, x + size, bottom};
}

void cmcCellPaintPlan::FillPolygon(std::span<const cmcCanvasPoint> points, uint32_t colour) {
  polygons.push_back({{points.begin(), points.end()}, colour});
}
