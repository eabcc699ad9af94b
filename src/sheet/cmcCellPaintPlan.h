#pragma once
// What to paint for one cell, decided in full so that a painter only draws: the
// rectangle it clips to and the joined group's rectangle its text is laid out in,
// background, rules, font and text colour, every text line with its origin, the
// warning or error mark and its place, and what the value layer drew on the cell
// (it draws through this plan as its canvas). Colours are 0x00BBGGRR or system colours.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cell/cmcCellCanvas.h"
#include "cell/cmcCellFont.h"
#include "sheet/cmcSheetLayout.h"

class cmcCellObj;
class cmcTextMeasure;

class cmcCellPaintPlan : public cmcCellCanvas {
 public:
  static constexpr uint32_t kClHighlight = 0xFF00000D;
  static constexpr uint32_t kClHighlightText = 0xFF00000E;
  static constexpr uint32_t kScreenRule = 0x808080;
  static constexpr uint32_t kPrintDark = 0x606060;

  enum class Mark : uint8_t { kNone, kWarning, kError };

  // What the window knows when it paints.
  struct View {
    bool focused = false;            // the grid has the input focus
    uint32_t windowText = 0x000000;  // the system window text colour as 0x00BBGGRR
    uint32_t window = 0xFFFFFF;      // the system window colour as 0x00BBGGRR
    int markWidth = 0;               // the mark images' width; 0: the sheet shows no marks
  };

  // How the cell stands in the sheet when it is painted.
  struct Place {
    cmcSheetRect rect;    // the cell's own
    cmcSheetRect joined;  // the joined group's: the own one extended over the group
    bool nextJoined = false;
    bool highlighted = false;  // selected, line-highlighted or the current cell
    bool lineColour = false;   // a non-fixed cell of the current row with "ColorSelectLine"
    bool editorShown = false;
    bool popup = false;
    bool printing = false;
    int printScale = 1;
  };

  struct Line {
    std::string text;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Line&) const = default;
  };
  // A 1-pixel rule from (x1, y1) to (x2, y2), both ends on it.
  struct Rule {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const Rule&) const = default;
  };
  struct Polygon {
    std::vector<cmcCanvasPoint> points;
    uint32_t colour = 0;
  };
  struct Band {
    int percent = 0;
    uint32_t colour = 0;
  };

  cmcSheetRect rect;    // clip to this
  cmcSheetRect joined;  // lay the text out in this
  uint32_t background = 0;
  uint32_t ruleColour = 0;
  std::vector<Rule> rules;
  cmcCellFont font;
  uint32_t textColour = 0;
  std::vector<Line> lines;
  int textEnd = 0;  // where the drawing position ends after the text
  Mark mark = Mark::kNone;
  cmcSheetRect markRect;          // the mark's square (on screen the image's, printed G by G)
  bool printedMark = false;       // drawn as a shape, not an image
  std::vector<Polygon> polygons;  // drawn by the value layer, over the background
  std::optional<Band> band;

  // The derived colours, per channel of the system colours: the current row's line
  // colour (T + 7W + 4) / 8 and the inactive selection (T + 3W + 2) / 4.
  static uint32_t LineColour(const View& view);
  static uint32_t InactiveColour(const View& view);

  // The steps of making a plan, in order. Start: rectangles, background, rules, font
  // and text colour of the cell drawn (a joined group's first cell), before the value
  // layer draws into the plan.
  void Start(const cmcCellObj& cell, const cmcCellFont& cellFont, const Place& place, const View& view);
  // The text's lines laid out in the joined rectangle by the cell's alignment.
  void LayText(const std::string& text, const cmcCellObj& cell, const Place& place, const cmcTextMeasure& measure);
  // The warning or error mark the value layer's answer asked for (its state bits and
  // mark position), when the view shows marks.
  void PlaceMark(uint8_t answerState, uint8_t markPosition, const cmcCellObj& cell, const Place& place,
                 const View& view);

  // cmcCellCanvas: the value layer draws into the plan.
  uint32_t FontColour() const override { return textColour; }
  void FillPolygon(std::span<const cmcCanvasPoint> points, uint32_t colour) override;
  void SetTextColour(uint32_t colour) override { textColour = colour; }
  void FillBottom(int percent, uint32_t colour) override { band = Band{percent, colour}; }
};
