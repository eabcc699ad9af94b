#pragma once
// A canvas that records the polygons drawn on it and a grid that records the
// editors opened on it, answering the password dialog from a script.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cell/cmcCellCanvas.h"
#include "cell/cmcCellGrid.h"

class RecordingCanvas : public cmcCellCanvas {
 public:
  struct Polygon {
    std::vector<cmcCanvasPoint> points;
    uint32_t colour;
  };
  uint32_t fontColour = 0x00123456;
  std::vector<Polygon> polygons;

  uint32_t FontColour() const override { return fontColour; }
  void FillPolygon(std::span<const cmcCanvasPoint> points, uint32_t colour) override {
    polygons.push_back({{points.begin(), points.end()}, colour});
  }
};

class RecordingGrid : public cmcCellGrid {
 public:
  struct SegmentText {
    std::vector<uint8_t> codes;
    bool selectAll;
    int fieldLength;
    std::vector<uint8_t> userTable;
  };
  struct CharacterEditor {
    int keyLabel;
    uint16_t mask;
  };
  struct FlagEditor {
    uint32_t pattern;
    int first;
    int last;
    int headerStyle;
    std::string sheetKey;
  };
  std::vector<SegmentText> segmentTexts;
  std::vector<CharacterEditor> characterEditors;
  std::vector<FlagEditor> flagEditors;
  std::vector<std::string> passwordPrompts;  // the current password each dialog opened with
  std::optional<std::string> passwordAnswer;

  void OpenChooser(cmcCellCapsule&, const std::string&, int, int, const std::string&) override {}
  void OpenSegmentText(cmcCellCapsule&, std::span<const uint8_t> codes, bool selectAll, int fieldLength,
                       std::span<const uint8_t> userTable) override {
    segmentTexts.push_back(
        {{codes.begin(), codes.end()}, selectAll, fieldLength, {userTable.begin(), userTable.end()}});
  }
  void OpenCharacterEditor(cmcCellCapsule&, int keyLabel, uint16_t mask) override {
    characterEditors.push_back({keyLabel, mask});
  }
  void OpenFlagEditor(cmcCellCapsule&, uint32_t pattern, int first, int last, int headerStyle,
                      const std::string& sheetKey) override {
    flagEditors.push_back({pattern, first, last, headerStyle, sheetKey});
  }
  std::optional<std::string> AskReadWritePassword(const std::string& current) override {
    passwordPrompts.push_back(current);
    return passwordAnswer;
  }
};
