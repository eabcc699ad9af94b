#include "sheet/cmcFlagBitsEditor.h"

#include <algorithm>
#include <cstdio>

#include "cell/cmcCellCanvas.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCodecCommon.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"

namespace {

constexpr char kBuiltInSheet[] = "GI_Sheet_FBitsR";

std::string Format(const char* format, int value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The piece's shown text for bit number b.
std::string HeaderText(int style, int b, int last) {
  static const char* const kPositions[] = {"O", "G", "P", "R"};
  static const char* const kSentences[] = {"RMC", "GGA", "GLL", "GSA", "VTG"};
  switch (style) {
    case 1:
      return Format("%X", b);
    case 2:
    case 3:
      if (style == 3 && b == 17) return "Z";
      return Format("%d", b == 10 ? 0 : b);
    case 4:
      if (b <= 9) return Format("%d", b);
      if (b == 17) return "Z";
      return std::string(1, static_cast<char>(b + 55));
    case 5:
      return std::string(1, static_cast<char>(b + 64));
    case 6:
      if (b >= 1 && b <= 4) return kPositions[b - 1];
      break;
    case 7:
      if (b >= 1 && b <= 5) return kSentences[b - 1];
      break;
    case 8:
      return Format("B%d", last - b);
    default:
      break;
  }
  return Format("%d", b);
}

}  // namespace

std::string cmcFlagBitsEditor::HeaderPiece(int headerStyle, int b, int last) {
  return "|{($iChI)}" + HeaderText(headerStyle, b, last) + "|";
}

std::vector<std::string> cmcFlagBitsEditor::OverlayLines(int first, int last, int headerStyle) {
  std::string header, bits;
  for (int b = first; b <= last; ++b) header += HeaderPiece(headerStyle, b, last);
  for (int k = 1; k <= last - first + 1; ++k) {
    if (k > 1) bits += "{($iQp)}";
    bits += "|{($eWh)^(%CL_FBits" + Format("[%d])}9|", k);
  }
  const std::string sheet = std::string("#") + kBuiltInSheet;
  return {sheet + "_Style",
          "(FixedCols=1)(FixedRows=1)",
          sheet + "_BasicCell",
          "{($Basic)(PopupMenu=GI_PMenu_NoItem)}",
          sheet + "_Cells",
          "",
          header,
          "",
          bits,
          "",
          "",
          "#",
          "#CellModel_iChI",
          "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)",
          "#CellModel_eWh",
          "S<_WHB",
          "#CellModel_iQp",
          "(%CT_Null.CL_Misc_QuarterPillar)",
          "#CellModel_Basic",
          "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
          "#GI_PMenu_NoItem_BasicCell",
          "{($Basic)}",
          "#GI_PMenu_NoItem_Body",
          "+No item\t{(%CT_PopupMenu.CL_PMenu_NoItem)}",
          "#",
          "#GI_PMenu_Edit_BasicCell",
          "{($Basic)(%CT_PopupMenu.)}",
          "#GI_PMenu_Edit_Body",
          "+Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}",
          "#",
          "#End_Of_Ovl",
          ""};
}

cmcFlagBitsEditor::cmcFlagBitsEditor(const cmcCellCapsule& origin, cmcGTexBase& mainOverlay, const Params& params,
                                     cmcSheetModel::Answer valueLayer, cmcSheetView& view, std::function<void()> close,
                                     cmcEvMan* events)
    : params_(params),
      pattern_(params.pattern),
      valueLayer_(valueLayer),
      events_(events),
      session_(
          origin, valueLayer, [this] { return std::to_string(pattern_); }, std::move(close), events) {
  const bool builtIn = params_.sheetName.empty();
  if (builtIn) {
    lines_ = OverlayLines(params_.first, params_.last, params_.headerStyle);
    overlay_.SetLines(lines_);
  }
  cmcSheetModel::Seams seams{.overlay = builtIn ? static_cast<cmcGTexBase&>(overlay_) : mainOverlay,
                             .view = view,
                             .hooks = hooks_,
                             .answer = [this](cmcCellCapsule& c, bool act) { return Answer(c, act); }};
  seams.models = &mainOverlay;
  seams.grid = origin.grid;
  seams.events = events;
  sheet_ = std::make_unique<cmcSheetModel>(seams, builtIn ? kBuiltInSheet : params_.sheetName, cmcSheetDef::Model{});
  okEnabled_ = params_.headerStyle != kNmeaStyle || SetCount() <= kMostNmeaSentences;
}

int cmcFlagBitsEditor::SetCount() const {
  int count = 0;
  for (int b = params_.first; b <= params_.last; ++b) count += Bit(b);
  return count;
}

uint8_t cmcFlagBitsEditor::Answer(cmcCellCapsule& c, bool act) {
  if (!c.cell || c.cell->label != CL_FBits) return valueLayer_ ? valueLayer_(c, act) : 0;
  const int b = params_.first + c.cell->index - 1;
  c.outputText.clear();
  if (act && (c.keyCode == cmcCodecCommon::kKeySpace || c.keyCode == cmcCellCapsule::kKeyActivate)) {
    pattern_ ^= 1u << Shift(b);
    if (params_.headerStyle == kNmeaStyle) {
      okEnabled_ = SetCount() <= kMostNmeaSentences;
      if (events_) events_->Post(kEvRefreshLiveCells);
    }
    if (c.repaint) c.repaint(c.repaintContext, c, 1);  // the cell itself: label and index
  }
  if (!act) DrawBit(c, b);
  return 0;
}

void cmcFlagBitsEditor::DrawBit(cmcCellCapsule& c, int b) const {
  if (params_.headerStyle == kNmeaStyle && SetCount() > kMostNmeaSentences) c.state |= cmcCellCapsule::kErrorMark;
  if (!Bit(b)) return;
  if (params_.markStyle == 0) {
    c.outputText = "o";
    return;
  }
  if (!c.canvas || !c.rect) return;
  // A check mark in a square of the cell's smaller side, centred.
  const auto& r = *c.rect;
  const int d = std::min(r[2] - r[0], r[3] - r[1]);
  const int x = r[0] + (r[2] - r[0] - d) / 2, y = r[1] + (r[3] - r[1] - d) / 2;
  const auto at = [&](double fx, double fy) {
    return cmcCanvasPoint{x + static_cast<int32_t>(fx * d), y + static_cast<int32_t>(fy * d)};
  };
  const cmcCanvasPoint tick[] = {at(0.3, 0.6), at(0.4, 0.7), at(0.7, 0.35), at(0.6, 0.3), at(0.4, 0.6)};
  c.canvas->FillPolygon(tick, c.canvas->FontColour());
}
