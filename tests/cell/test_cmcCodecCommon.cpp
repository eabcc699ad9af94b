#include <gtest/gtest.h>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellGrid.h"
#include "cell/cmcCodecCommon.h"

namespace {

class NoEditors : public cmcCellGrid {
 public:
  void OpenChooser(cmcCellCapsule&, const std::string&, int, int, const std::string&) override {}
};

TEST(cmcCodecCommon, ShownTextIsSelectedFromTheStart) {
  cmcCellCapsule request;
  request.selStart = 4;
  cmcCodecCommon::ShowText(request, "abc");
  EXPECT_EQ(request.outputText, "abc");
  EXPECT_EQ(request.selStart, 0);
  EXPECT_EQ(request.selLength, 3);
}

TEST(cmcCodecCommon, OnlyKeysWithAGridAreInteractive) {
  NoEditors grid;
  const struct {
    const char* name;
    bool withGrid;
    uint8_t inputKind;
    bool interactive;
  } cases[] = {
      {"key with grid", true, cmcCellCapsule::kInputKey, true},
      {"key without grid", false, cmcCellCapsule::kInputKey, false},
      {"typed text", true, cmcCellCapsule::kInputText, false},
      {"popup answer", true, cmcCellCapsule::kInputPopupAnswer, false},
  };
  for (const auto& c : cases) {
    cmcCellCapsule request;
    request.grid = c.withGrid ? &grid : nullptr;
    request.inputKind = c.inputKind;
    EXPECT_EQ(cmcCodecCommon::IsInteractiveKey(request), c.interactive) << c.name;
  }
}

TEST(cmcCodecCommon, EditorOpens) {
  cmcCellCapsule request;
  request.outputText = "12.5";
  EXPECT_EQ(cmcCodecCommon::OpenEditorOnText(request), cmcCodecCommon::kResultEditor);
  EXPECT_EQ(request.outputText, "12.5");
  EXPECT_EQ(request.selStart, 0);
  EXPECT_EQ(request.selLength, 4);

  request.outputText = "  2.55 ";
  EXPECT_EQ(cmcCodecCommon::OpenEditorOnTrimmedText(request), cmcCodecCommon::kResultEditor);
  EXPECT_EQ(request.outputText, "2.55");
  EXPECT_EQ(request.selStart, 0);
  EXPECT_EQ(request.selLength, 4);

  request.keyCode = '7';
  EXPECT_EQ(cmcCodecCommon::OpenEditorOnKey(request), cmcCodecCommon::kResultEditor);
  EXPECT_EQ(request.outputText, "7");
  EXPECT_EQ(request.selStart, 1);
  EXPECT_EQ(request.selLength, 0);
}

TEST(cmcCodecCommon, PrintableKeysAreTheAsciiGraphicsAndSpace) {
  EXPECT_FALSE(cmcCodecCommon::IsPrintableKey(31));
  EXPECT_TRUE(cmcCodecCommon::IsPrintableKey(' '));
  EXPECT_TRUE(cmcCodecCommon::IsPrintableKey('~'));
  EXPECT_FALSE(cmcCodecCommon::IsPrintableKey(127));
  EXPECT_FALSE(cmcCodecCommon::IsPrintableKey(cmcCellCapsule::kKeyActivate));
}

}  // namespace
