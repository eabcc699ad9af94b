#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "cell/CellTestDoubles.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcRadioText.h"
#include "cell/cmcSegmentModel.h"
#include "cell/cmcTextCodecs.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Padded(const std::string& text, size_t n, uint8_t pad) {
  Bytes b(text.begin(), text.end());
  b.resize(n, pad);
  return b;
}

// One segment per mask bit, so any lit character draws something.
class TextCodecTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<std::string> lines;
    for (int s = 0; s < 16; ++s) lines.push_back("1|(0,0)(1,0)(0,1)");
    lines.push_back("#");
    model = cmcSegmentModel::FromLines(lines);
    cmcRadioText::SetSegmentModel(&model);
    request.rect = &rect;
  }
  void TearDown() override { cmcRadioText::SetSegmentModel(nullptr); }

  cmcCellCapsule& Commit(uint8_t kind, const std::string& text) {
    request.inputKind = kind;
    request.inputText = text;
    return request;
  }
  cmcCellCapsule& Key(int32_t key, bool withGrid = true) {
    request.inputKind = cmcCellCapsule::kInputKey;
    request.keyCode = key;
    request.grid = withGrid ? &grid : nullptr;
    return request;
  }

  cmcSegmentModel model;
  RecordingCanvas canvas;
  RecordingGrid grid;
  std::array<int32_t, 4> rect{0, 0, 80, 20};
  cmcCellCapsule request;
  uint8_t result = 99;
  const std::array<uint8_t, 32> userTable{0x80, 0x01};
};

// Typed radio text is stored only as typed: a character the radio cannot show, or more
// characters than the field holds, leaves the field alone and says why.
TEST_F(TextCodecTest, TypedRadioTextTheRadioCannotStoreIsRefused) {
  const struct {
    const char* name;
    std::string text;
    std::string why;  // the start of the refusal
  } cases[] = {
      {"an umlaut", "B\xC3\xBCro", "'\xC3\xBC' is not a character the radio can show"},
      {"an emoji", "A\xF0\x9F\x93\xBB", "'\xF0\x9F\x93\xBB' is not a character the radio can show"},
      {"a tab", "A\tB", "'\t' is not a character the radio can show"},
      {"longer than the field", "ABCDEFGHI", "radio texts here take up to 8 characters"},
  };
  for (const auto& c : cases) {
    Bytes field = Padded("KEEP", 8, 32);
    request.refusal.clear();
    EXPECT_FALSE(
        cmcTextCodecs::RadioTextCodec(Commit(cmcCellCapsule::kInputText, c.text), field, userTable, false, result))
        << c.name;
    EXPECT_EQ(field, Padded("KEEP", 8, 32)) << c.name;
    EXPECT_EQ(request.refusal.substr(0, c.why.size()), c.why) << c.name << ": " << request.refusal;
  }
  // Eight characters with dots and escapes fit eight places.
  Bytes field(8, ' ');
  request.refusal.clear();
  EXPECT_TRUE(cmcTextCodecs::RadioTextCodec(Commit(cmcCellCapsule::kInputText, "A.B.%1FCDEFG"), field, userTable, false,
                                            result));
  EXPECT_EQ(request.refusal, "");
}

TEST_F(TextCodecTest, RadioTextStores) {
  const struct {
    const char* name;
    uint8_t kind;
    std::string text;
    size_t n;
    bool zeroTerminated;
    Bytes stored;
    std::string shown;
  } cases[] = {
      {"dotted B", cmcCellCapsule::kInputText, "AB.D", 8, false, {0x41, 0xC2, 0x44, 32, 32, 32, 32, 32}, "AB.D"},
      {"dot on position 4 dropped", cmcCellCapsule::kInputText, "ABCDE.FGH", 8, false, Padded("ABCDEFGH", 8, 32),
       "ABCDEFGH"},
      {"dots only at 1, 2, 3 and 6",
       cmcCellCapsule::kInputPopupAnswer,
       "A.B.C.D.E.F.G.H.",
       8,
       false,
       {0x41, 0xC2, 0xC3, 0xC4, 0x45, 0x46, 0xC7, 0x48},
       "AB.C.D.EFG.H"},
      {"user character typed", cmcCellCapsule::kInputPopupAnswer, "%1F", 8, false, Padded("\x1F", 8, 32), "%1F"},
      {"percent", cmcCellCapsule::kInputText, "%%", 4, false, Padded("%", 4, 32), "%%"},
      {"not an escape", cmcCellCapsule::kInputText, "%G1", 4, false, Padded("%G1", 4, 32), "%%G1"},
      {"zero padded", cmcCellCapsule::kInputText, "AB", 4, true, Padded("AB", 4, 0), "AB"},
      {"the editor's answer is cut to the field", cmcCellCapsule::kInputPopupAnswer, "ABCDEFGHIJ", 6, false,
       Padded("ABCDEF", 6, 32), "ABCDEF"},
      {"lone dot at the start loses its dot", cmcCellCapsule::kInputText, ".A", 4, false, Padded(" A", 4, 32), " A"},
  };
  for (const auto& c : cases) {
    Bytes field(c.n, 'x');
    EXPECT_TRUE(cmcTextCodecs::RadioTextCodec(Commit(c.kind, c.text), field, userTable, c.zeroTerminated, result))
        << c.name;
    EXPECT_EQ(field, c.stored) << c.name;
    EXPECT_EQ(request.outputText, c.shown) << c.name;
    EXPECT_EQ(result, cmcCodecCommon::kResultDone) << c.name;
  }
}

TEST_F(TextCodecTest, RadioTextShows) {
  const struct {
    const char* name;
    Bytes field;
    bool zeroTerminated;
    std::string text;
    bool drawsSomething;
  } cases[] = {
      {"8 spaces", Bytes(8, ' '), false, "", false},
      {"inner spaces kept, trailing dropped", Padded("A B", 8, ' '), false, "A B", true},
      {"up to the first 0", {'A', 0, 'B', 'C'}, true, "A", true},
      {"spaces kept in a zero-terminated field", {'A', ' ', 0, 0}, true, "A ", true},
  };
  for (const auto& c : cases) {
    Bytes field = c.field;
    request.canvas = nullptr;
    EXPECT_FALSE(cmcTextCodecs::RadioTextCodec(Key(0, false), field, userTable, c.zeroTerminated, result)) << c.name;
    EXPECT_EQ(request.outputText, c.text) << c.name;
    EXPECT_EQ(request.selStart, 0) << c.name;
    EXPECT_EQ(request.selLength, static_cast<int32_t>(c.text.size())) << c.name;
    EXPECT_EQ(field, c.field) << c.name;

    canvas.polygons.clear();
    request.canvas = &canvas;
    cmcTextCodecs::RadioTextCodec(Key(0, false), field, userTable, c.zeroTerminated, result);
    EXPECT_EQ(request.outputText, "") << c.name << ": drawn, no text";
    EXPECT_EQ(!canvas.polygons.empty(), c.drawsSomething) << c.name;
  }
}

TEST_F(TextCodecTest, RadioTextDrawsTheFieldOnOneLine) {
  rect = {0, 0, 80, 20};  // 8 characters of 10 x 20: scale 8 (box 1 x 1), step 10
  Bytes field = Padded("       1", 8, ' ');
  request.canvas = &canvas;
  cmcTextCodecs::RadioTextCodec(Key(0, false), field, userTable, false, result);
  ASSERT_FALSE(canvas.polygons.empty());
  EXPECT_EQ(canvas.polygons[0].points[0], (cmcCanvasPoint{71, 2}));
}

TEST_F(TextCodecTest, RadioTextKeysOpenTheSegmentTextWindow) {
  const struct {
    const char* name;
    int32_t key;
    bool opens;
    Bytes codes;
    bool selectAll;
  } cases[] = {
      {"Enter: the current text", cmcCodecCommon::kKeyEnter, true, {'A', 0xC2}, true},
      {"backspace acts as Enter", cmcCodecCommon::kKeyBackspace, true, {'A', 0xC2}, true},
      {"typed character alone", 'x', true, {'x'}, false},
      {"typed dot", '.', true, {160}, false},
      {"typed space", ' ', true, {' '}, false},
      {"arrow key", 0x25 << 8, false, {}, false},
      {"activation", cmcCellCapsule::kKeyActivate, false, {}, false},
  };
  for (const auto& c : cases) {
    grid.segmentTexts.clear();
    Bytes field = {'A', 0xC2, ' ', ' '};
    EXPECT_FALSE(cmcTextCodecs::RadioTextCodec(Key(c.key), field, userTable, false, result)) << c.name;
    EXPECT_EQ(result, c.opens ? cmcCodecCommon::kResultPopup : cmcCodecCommon::kResultDone) << c.name;
    ASSERT_EQ(grid.segmentTexts.size(), c.opens ? 1u : 0u) << c.name;
    if (!c.opens) continue;
    EXPECT_EQ(grid.segmentTexts[0].codes, c.codes) << c.name;
    EXPECT_EQ(grid.segmentTexts[0].selectAll, c.selectAll) << c.name;
    EXPECT_EQ(grid.segmentTexts[0].fieldLength, 4) << c.name;
    EXPECT_EQ(grid.segmentTexts[0].userTable, Bytes(userTable.begin(), userTable.end())) << c.name;
  }
}

TEST_F(TextCodecTest, RadioTextWithoutGridOpensNothing) {
  Bytes field = Padded("AB", 4, ' ');
  EXPECT_FALSE(cmcTextCodecs::RadioTextCodec(Key(cmcCodecCommon::kKeyEnter, false), field, userTable, false, result));
  EXPECT_EQ(result, cmcCodecCommon::kResultDone);
  EXPECT_TRUE(grid.segmentTexts.empty());
  EXPECT_EQ(field, Padded("AB", 4, ' '));
}

TEST_F(TextCodecTest, UserCharacterAnswers) {
  const struct {
    const char* text;
    std::array<uint8_t, 2> mask;
  } cases[] = {
      {"abc", {0, 0}}, {"513", {0x02, 0x01}}, {" 65535 ", {0xFF, 0xFF}}, {"12abc", {0, 0}}, {"", {0, 0}},
  };
  for (const auto& c : cases) {
    std::array<uint8_t, 2> mask{0x55, 0x55};
    EXPECT_TRUE(cmcTextCodecs::UserCharacterCodec(Commit(cmcCellCapsule::kInputPopupAnswer, c.text), mask, result))
        << c.text;
    EXPECT_EQ(mask, c.mask) << c.text;
  }
}

TEST_F(TextCodecTest, UserCharacterDrawsItsMask) {
  std::array<uint8_t, 2> mask{0x80, 0x01};  // segments 0 and 15
  request.canvas = &canvas;
  EXPECT_FALSE(cmcTextCodecs::UserCharacterCodec(Key(0, false), mask, result));
  EXPECT_EQ(canvas.polygons.size(), 2u);
  EXPECT_EQ(request.outputText, "");

  canvas.polygons.clear();
  mask = {0, 0};
  cmcTextCodecs::UserCharacterCodec(Key(0, false), mask, result);
  EXPECT_TRUE(canvas.polygons.empty());
}

TEST_F(TextCodecTest, UserCharacterEnterOpensTheCharacterEditor) {
  std::array<uint8_t, 2> mask{0x12, 0x34};
  cmcTextCodecs::UserCharacterCodec(Key(cmcCodecCommon::kKeyEnter, false), mask, result);
  EXPECT_TRUE(grid.characterEditors.empty());
  cmcTextCodecs::UserCharacterCodec(Key(' '), mask, result);
  EXPECT_TRUE(grid.characterEditors.empty());
  EXPECT_EQ(result, cmcCodecCommon::kResultDone);

  EXPECT_FALSE(cmcTextCodecs::UserCharacterCodec(Key(cmcCodecCommon::kKeyEnter), mask, result));
  EXPECT_EQ(result, cmcCodecCommon::kResultPopup);
  ASSERT_EQ(grid.characterEditors.size(), 1u);
  EXPECT_EQ(grid.characterEditors[0].keyLabel, 15);
  EXPECT_EQ(grid.characterEditors[0].mask, 0x1234);
}

TEST_F(TextCodecTest, PlainTextStoresAndShows) {
  Bytes field(6, 'x');
  EXPECT_TRUE(cmcTextCodecs::PlainTextCodec(Commit(cmcCellCapsule::kInputPopupAnswer, "Hi\tyou there"), field, result));
  EXPECT_EQ(field, Padded("Hi you", 6, ' '));

  EXPECT_TRUE(cmcTextCodecs::PlainTextCodec(Commit(cmcCellCapsule::kInputPopupAnswer, "ab"), field, result));
  EXPECT_EQ(field, Padded("ab", 6, ' '));
  EXPECT_EQ(request.outputText, "ab");

  field = {'A', 0x01, 'B', 0xE9, ' ', 0};
  EXPECT_FALSE(cmcTextCodecs::PlainTextCodec(Key(0, false), field, result));
  EXPECT_EQ(request.outputText, "A B");
  EXPECT_EQ(request.selStart, 0);
  EXPECT_EQ(request.selLength, 3);
  EXPECT_EQ(field, (Bytes{'A', 0x01, 'B', 0xE9, ' ', 0})) << "showing changes nothing";
}

TEST_F(TextCodecTest, PlainTextKeys) {
  const struct {
    const char* name;
    int32_t key;
    bool withGrid;
    uint8_t result;
    std::string text;
    int32_t selStart, selLength;
  } cases[] = {
      {"Enter edits the text", cmcCodecCommon::kKeyEnter, true, cmcCodecCommon::kResultEditor, "Name", 0, 4},
      {"space acts as Enter", ' ', true, cmcCodecCommon::kResultEditor, "Name", 0, 4},
      {"backspace acts as Enter", cmcCodecCommon::kKeyBackspace, true, cmcCodecCommon::kResultEditor, "Name", 0, 4},
      {"typed key replaces the text", 'q', true, cmcCodecCommon::kResultEditor, "q", 1, 0},
      {"other keys", 0x70 << 8, true, cmcCodecCommon::kResultDone, "Name", 0, 4},
      {"no grid", 'q', false, cmcCodecCommon::kResultDone, "Name", 0, 4},
  };
  for (const auto& c : cases) {
    Bytes field = Padded("Name", 8, ' ');
    EXPECT_FALSE(cmcTextCodecs::PlainTextCodec(Key(c.key, c.withGrid), field, result)) << c.name;
    EXPECT_EQ(result, c.result) << c.name;
    EXPECT_EQ(request.outputText, c.text) << c.name;
    EXPECT_EQ(request.selStart, c.selStart) << c.name;
    EXPECT_EQ(request.selLength, c.selLength) << c.name;
  }
}

TEST_F(TextCodecTest, ClonePassword) {
  const Bytes current = Padded("old", 16, 0);
  const struct {
    const char* name;
    int32_t key;
    bool withGrid;
    std::optional<std::string> answer;
    bool asks;
    bool changed;
    Bytes out;
  } cases[] = {
      {"OK", cmcCodecCommon::kKeyEnter, true, "secret", true, true, Padded("secret", 16, 0)},
      {"cleared", cmcCodecCommon::kKeyEnter, true, "", true, true, Bytes(16, 0)},
      {"cancel", cmcCodecCommon::kKeyEnter, true, std::nullopt, true, false, current},
      {"backspace acts as Enter", cmcCodecCommon::kKeyBackspace, true, "pw", true, true, Padded("pw", 16, 0)},
      {"printable key", 'z', true, "pw", true, true, Padded("pw", 16, 0)},
      {"longest password", ' ', true, std::string(20, 'p'), true, true, Bytes(16, 'p')},
      {"display", 0, true, "pw", false, false, current},
      {"no grid", cmcCodecCommon::kKeyEnter, false, "pw", false, false, current},
  };
  for (const auto& c : cases) {
    grid.passwordPrompts.clear();
    grid.passwordAnswer = c.answer;
    Bytes out(16, 0xEE);
    EXPECT_EQ(cmcTextCodecs::ClonePasswordCodec(Key(c.key, c.withGrid), current, out, result), c.changed) << c.name;
    EXPECT_EQ(out, c.out) << c.name;
    EXPECT_EQ(request.outputText, "") << c.name;
    EXPECT_EQ(result, cmcCodecCommon::kResultDone) << c.name;
    EXPECT_EQ(grid.passwordPrompts, c.asks ? std::vector<std::string>{"old"} : std::vector<std::string>{}) << c.name;
  }
}

}  // namespace
