#pragma once
// The flag-bits editor's logic: a grid of check boxes over the bits first … last of a
// 32-bit pattern (bit number b is the pattern's bit 26 - b; the sheet's bit cell k,
// from 1, shows bit number first + k - 1), shown as the sheet
// "GI_Sheet_FBitsR" of an overlay it builds in memory (headed in one of its header
// styles) or as a sheet of the main overlay. Its sheet asks it, not the value layer,
// about the bit cells: Space or an activation toggles a bit, a set bit shows "o" or a
// check mark, and in the NMEA sentence style more than three sentences are an error
// that disables OK. Confirming answers the pattern in decimal.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "overlay/cmcGTex.h"
#include "sheet/cmcCellEditorSession.h"
#include "sheet/cmcSheetHooks.h"
#include "sheet/cmcSheetModel.h"

class cmcEvMan;
class cmcSheetView;

class cmcFlagBitsEditor {
 public:
  static constexpr int kNmeaStyle = 7;
  static constexpr int kMostNmeaSentences = 3;

  struct Params {
    uint32_t pattern = 0;
    int first = 1;
    int last = 1;
    int headerStyle = 0;
    int markStyle = 0;           // 0 the text "o", 1 a check mark
    std::string sheetName = {};  // a sheet of the main overlay instead of the built-in one
  };

  // The editor's own overlay, line by line.
  static std::vector<std::string> OverlayLines(int first, int last, int headerStyle);
  // The header row's piece for bit number b.
  static std::string HeaderPiece(int headerStyle, int b, int last);

  // origin: the capsule of the cell edited; mainOverlay: the cell models (and the
  // sheet named in params); valueLayer: what the other cells and the answer go to.
  cmcFlagBitsEditor(const cmcCellCapsule& origin, cmcGTexBase& mainOverlay, const Params& params,
                    cmcSheetModel::Answer valueLayer, cmcSheetView& view, std::function<void()> close = {},
                    cmcEvMan* events = nullptr);

  cmcSheetModel& Sheet() { return *sheet_; }
  cmcCellEditorSession& Session() { return session_; }
  uint32_t Pattern() const { return pattern_; }
  // Bit number b (first … last).
  bool Bit(int b) const { return (pattern_ >> Shift(b)) & 1u; }
  // False while the NMEA style has more than three sentences set.
  bool OkEnabled() const { return okEnabled_; }

  // The sheet's answer for its cells.
  uint8_t Answer(cmcCellCapsule& request, bool act);

 private:
  static int Shift(int b) { return b < 26 - 31 ? 31 : b > 26 ? 0 : 26 - b; }
  int SetCount() const;
  void DrawBit(cmcCellCapsule& request, int b) const;

  Params params_;
  uint32_t pattern_;
  bool okEnabled_ = true;
  std::vector<std::string> lines_;
  cmcGTex overlay_;
  cmcSheetModel::Answer valueLayer_;
  cmcEvMan* events_;
  cmcSheetHooks hooks_;
  cmcCellEditorSession session_;
  std::unique_ptr<cmcSheetModel> sheet_;
};
