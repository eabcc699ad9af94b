#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cell/CellTestDoubles.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcRadioText.h"
#include "cell/cmcSegmentModel.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(cmcRadioText, Masks) {
  const uint8_t user[] = {0x12, 0x34, 0xAB, 0xCD};
  const struct {
    const char* name;
    uint8_t code;
    uint16_t mask;
  } cases[] = {
      {"space", 0x20, 0x0000},
      {"first row", 0x21, 0x0042},
      {"digit 0", 0x30, 0x3F24},
      {"A", 0x41, 0x3B18},
      {"last built-in", 0x7F, 0x0405},
      {"dot bit ignored", 0xC1, 0x3B18},
      {"user 0", 16, 0x1234},
      {"user 1", 17, 0xABCD},
      {"user past the table", 18, 0},
      {"control draws nothing", 5, 0},
      {"user code with its dot", 0x91, 0xABCD},
  };
  for (const auto& c : cases) EXPECT_EQ(cmcRadioText::MaskOf(c.code, user), c.mask) << c.name;
}

TEST(cmcRadioText, DotPositions) {
  std::string shown;
  for (int i = 0; i < 8; ++i) shown += cmcRadioText::DotAllowed(i, 8) ? 'y' : '-';
  EXPECT_EQ(shown, "-yyy--y-");
  EXPECT_TRUE(cmcRadioText::DotAllowed(0, 1)) << "a one-character field keeps its dot";
  EXPECT_TRUE(cmcRadioText::DotAllowed(9, 16));
}

struct Conversion {
  const char* name;
  Bytes bytes;
  std::string text;
};

TEST(cmcRadioText, BytesToEditable) {
  const Conversion cases[] = {
      {"dotted character", {0x41, 0xC2, 0x44}, "AB.D"},
      {"user character", {0x1F}, "%1F"},
      {"percent doubled", {'%'}, "%%"},
      {"code 127", {0x7F}, "%7F"},
      {"escaped code with its dot", {0x9F, 0xFF}, "%1F.%7F."},
      {"lone dot", {0xA0}, " ."},
      {"dot on code 0", {0x80, 'A'}, " .A"},
      {"the dot character", {'.', '.' | 0x80}, "%2E%2E."},
      {"dotted control code", {0x85, 'A'}, "%85A"},
      {"control code ends", {'A', 0x05, 'B'}, "A"},
      {"zero ends", {'A', 0x00, 'B'}, "A"},
      {"trailing spaces kept", {'A', ' ', ' '}, "A  "},
      {"255 bytes at most", Bytes(300, 'A'), std::string(255, 'A')},
  };
  for (const auto& c : cases) EXPECT_EQ(cmcRadioText::RadioTextToEditable(c.bytes), c.text) << c.name;
}

TEST(cmcRadioText, EditableToBytes) {
  const Conversion cases[] = {
      {"dot joins the character before", {0x41, 0xC2, 0x44}, "AB.D"},
      {"escaped user character", {0x1F}, "%1F"},
      {"lower-case hexadecimal", {0x1F}, "%1f"},
      {"doubled percent", {'%'}, "%%"},
      {"not hexadecimal", {'%', 'G', '1'}, "%G1"},
      {"control codes cannot be escaped", {'%', '0', 'A'}, "%0A"},
      {"printable escape", {'A'}, "%41"},
      {"dotted escape", {0xC2}, "%C2"},
      {"percent at the end", {'%', '4'}, "%4"},
      {"lone dot", {0xA0}, "."},
      {"second dot stands alone", {0xC1, 0xA0}, "A.."},
      {"escape takes the dot", {0x9F, 0xA5}, "%1F.%%."},
      {"control character becomes a space", {' ', 'x'}, "\tx"},
      {"high byte stays", {0xE9}, "\xE9"},
      {"255 characters at most", Bytes(255, 'A'), std::string(300, 'A')},
  };
  for (const auto& c : cases) EXPECT_EQ(cmcRadioText::EditableToRadioText(c.text), c.bytes) << c.name;
}

TEST(cmcRadioText, EveryCodeSurvivesTheEditableForm) {
  for (int b = 16; b < 256; ++b) {
    if (b == 0x80) continue;  // code 0 with the dot comes back as the lone dot
    const Bytes one = {static_cast<uint8_t>(b)};
    EXPECT_EQ(cmcRadioText::EditableToRadioText(cmcRadioText::RadioTextToEditable(one)), one) << b;
  }
}

// Segment s is one triangle at height s, so a polygon's y tells its segment.
class DrawTest : public ::testing::Test {
 protected:
  static std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (int s = 0; s < 16; ++s) {
      lines.push_back("1|(0," + std::to_string(s) + ")(1," + std::to_string(s) + ")(0," + std::to_string(s + 1) + ")");
    }
    lines.push_back("#");
    return lines;
  }
  void SetUp() override {
    cmcRadioText::SetSegmentModel(&model);
    request.canvas = &canvas;
    request.rect = &rect;
  }
  void TearDown() override { cmcRadioText::SetSegmentModel(nullptr); }

  // (character position, segment) of every polygon drawn. Box 1 x 16 in a 50 x 200
  // character cell: scale 10, step 12.5, offsets 1.25 and 20.
  std::set<std::pair<int, int>> Drawn() const {
    std::set<std::pair<int, int>> drawn;
    for (const auto& p : canvas.polygons) {
      EXPECT_EQ(p.colour, canvas.fontColour);
      drawn.insert({p.points[0].x == 1 ? 0 : p.points[0].x == 13 ? 1 : -1, (p.points[0].y - 20) / 10});
    }
    return drawn;
  }

  cmcSegmentModel model = cmcSegmentModel::FromLines(Lines());
  RecordingCanvas canvas;
  std::array<int32_t, 4> rect{0, 0, 100, 200};
  cmcCellCapsule request;
};

TEST_F(DrawTest, TriangleGeometry) {
  const Bytes one = {'1', '1'};  // mask 0x1800: bits 12 and 11, segments 3 and 4
  cmcRadioText::DrawRadioText(request, one, 2, 2, 1, {});
  ASSERT_EQ(canvas.polygons.size(), 4u);
  EXPECT_EQ(canvas.polygons[2].points, (std::vector<cmcCanvasPoint>{{13, 50}, {23, 50}, {13, 60}}));
}

TEST_F(DrawTest, SegmentsLitByCode) {
  const uint8_t user[] = {0x80, 0x01};
  const struct {
    const char* name;
    Bytes bytes;
    int fieldLength;
    std::set<std::pair<int, int>> drawn;
  } cases[] = {
      {"built-in", {'1'}, 2, {{0, 3}, {0, 4}}},
      {"dot suppressed at position 0", {'1' | 0x80}, 8, {{0, 3}, {0, 4}}},
      {"dot at position 1", {' ', '1' | 0x80}, 8, {{1, 1}, {1, 3}, {1, 4}}},
      {"dot of a one-character field", {'1' | 0x80}, 1, {{0, 1}, {0, 3}, {0, 4}}},
      {"user character", {16}, 2, {{0, 0}, {0, 15}}},
      {"spaces and control codes", {' ', 3}, 2, {}},
      {"no more than the field", {'1', '1'}, 1, {{0, 3}, {0, 4}}},
  };
  for (const auto& c : cases) {
    canvas.polygons.clear();
    cmcRadioText::DrawRadioText(request, c.bytes, c.fieldLength, 2, 1, user);
    EXPECT_EQ(Drawn(), c.drawn) << c.name;
  }
}

TEST_F(DrawTest, SecondLine) {
  rect = {0, 0, 100, 400};  // two lines of 200
  const Bytes text = {' ', ' ', '1'};
  cmcRadioText::DrawRadioText(request, text, 8, 2, 2, {});
  ASSERT_FALSE(canvas.polygons.empty());
  EXPECT_EQ(canvas.polygons[0].points[0], (cmcCanvasPoint{1, 200 + 20 + 30}));
}

TEST_F(DrawTest, NothingWithoutModelOrCanvas) {
  const Bytes one = {'1'};
  cmcRadioText::SetSegmentModel(nullptr);
  cmcRadioText::DrawRadioText(request, one, 1, 1, 1, {});
  cmcRadioText::SetSegmentModel(&model);
  request.canvas = nullptr;
  cmcRadioText::DrawRadioText(request, one, 1, 1, 1, {});
  EXPECT_TRUE(canvas.polygons.empty());
}

}  // namespace
