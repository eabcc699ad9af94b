#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/ChoiceFixture.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcCodecCommon.h"

namespace {

constexpr uint8_t kDone = cmcCodecCommon::kResultDone;
constexpr uint8_t kPopup = cmcCodecCommon::kResultPopup;
constexpr uint8_t kEditor = cmcCodecCommon::kResultEditor;

// Sel_Cols reads 4, 9, 2 down its two columns; Sel_Typed has texts 1, 5, 10 (an extra
// "5" entry later ties with the first); the Rpt lists make a number range 1 … 30.
const std::vector<std::string> kLines = {
    "#Sel_OnOff_Cells",
    "{(%CT_Null.Flex0[0])}Off",
    "{(%Flex0[1])}On",
    "#",
    "#Sel_Cols_Cells",
    "{(%CT_Null.Flex0[4])}four|{(%Flex0[2])}two",
    "{(%Flex0[9])}nine|{(%FlexMark[9])}marked nine",
    "#",
    "#Sel_Typed_Cells",
    "{(%CT_Null.Flex1[20])}1",
    "{(%Flex1[21])}5",
    "{(%Flex1[22])}10",
    "{(%Flex1[23])}5.0",
    "#",
    "#Sel_Rpt1_Cells",
    "{(%CT_Null.Flex0[0])}Off",
    "{(%Flex0[255])}Auto",
    "{(%Flex0[1])}Number",
    "#",
    "#Sel_Rpt2_Cells",
    "{(%CT_Null.Flex1[1])}1|{(%Flex1[30])}30|{(%Flex1[7])}7",
    "#",
    "#End_Of_Ovl",
};

class ChoiceCodecTest : public ChoiceFixture {
 protected:
  ChoiceCodecTest() : ChoiceFixture(kLines) {}
};

TEST_F(ChoiceCodecTest, StepsAndShowsTheEntryText) {
  const struct {
    const char* name;
    const char* list;
    int32_t from;
    int key;
    int32_t to;
    const char* text;
  } cases[] = {
      {"space from the last wraps to the first", "Sel_OnOff", 1, ' ', 0, "Off"},
      {"backspace from the first wraps to the last", "Sel_OnOff", 0, 8, 1, "On"},
      {"space goes down the first column", "Sel_Cols", 4, ' ', 9, "nine"},
      {"then to the second column", "Sel_Cols", 9, ' ', 2, "two"},
      {"backspace from the first of the walk", "Sel_Cols", 4, 8, 2, "two"},
      {"space from no entry gives the first", "Sel_Cols", 7, ' ', 4, "four"},
      {"backspace from no entry gives the first too", "Sel_Cols", 7, 8, 4, "four"},
  };
  for (const auto& c : cases) {
    int32_t v = c.from;
    Press(c.key);
    EXPECT_TRUE(ChoiceCodecFlex0(context_, request_, c.list, v)) << c.name;
    EXPECT_EQ(v, c.to) << c.name;
    EXPECT_EQ(request_.outputText, c.text) << c.name;
    EXPECT_EQ(request_.selStart, 0) << c.name;
    EXPECT_EQ(request_.selLength, static_cast<int32_t>(std::string(c.text).size())) << c.name;
    EXPECT_EQ(context_.result, kDone) << c.name;
  }
}

TEST_F(ChoiceCodecTest, ValueInNoEntryShowsError) {
  int32_t v = 7;
  Draw();
  EXPECT_FALSE(ChoiceCodecFlex0(context_, request_, "Sel_OnOff", v));
  EXPECT_EQ(request_.outputText, "error");
  EXPECT_EQ(v, 7);
}

TEST_F(ChoiceCodecTest, KeyLabelSelectsTheEntries) {
  int32_t v = 9;
  Draw();
  ChoiceCodecMark(context_, request_, "Sel_Cols", v);
  EXPECT_EQ(request_.outputText, "marked nine");
  v = 4;
  ChoiceCodecMark(context_, request_, "Sel_Cols", v);
  EXPECT_EQ(request_.outputText, "error") << "the Flex0 entry 4 is not a FlexMark entry";
}

TEST_F(ChoiceCodecTest, EnterOpensTheChooserOnTheCurrentValue) {
  int32_t v = 9;
  Press(13);
  EXPECT_FALSE(ChoiceCodec(context_, request_, "Sel_Cols", FlexMark, v));
  EXPECT_EQ(context_.result, kPopup);
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "Sel_Cols");
  EXPECT_EQ(grid_.opened[0].keyLabel, FlexMark);
  EXPECT_EQ(grid_.opened[0].value, 9);
}

TEST_F(ChoiceCodecTest, AnswerTakesTheChosenIndexOnlyWithItsKeyLabel) {
  int32_t v = 0;
  Answer(Flex0, 1);
  EXPECT_TRUE(ChoiceCodecFlex0(context_, request_, "Sel_OnOff", v));
  EXPECT_EQ(v, 1);
  EXPECT_EQ(request_.outputText, "On");
  Answer(Flex1, 0);
  EXPECT_FALSE(ChoiceCodecFlex0(context_, request_, "Sel_OnOff", v));
  EXPECT_EQ(v, 1);
}

TEST_F(ChoiceCodecTest, OtherKeysDoNothing) {
  int32_t v = 0;
  Press('5');
  EXPECT_FALSE(ChoiceCodecFlex0(context_, request_, "Sel_OnOff", v));
  EXPECT_EQ(context_.result, kDone);
  EXPECT_TRUE(grid_.opened.empty());
}

TEST_F(ChoiceCodecTest, ByteWorksTheWholeByte) {
  uint8_t b = 1;
  Press(' ');
  EXPECT_TRUE(ChoiceCodecByte(context_, request_, "Sel_OnOff", b));
  EXPECT_EQ(b, 0);
}

TEST_F(ChoiceCodecTest, ChooserOnlyOpensWithExtraAndTakesItsAnswer) {
  int32_t v = 3;
  Press(' ');
  request_.outputText = "kept";
  EXPECT_FALSE(ChooserOnly(context_, request_, "Sel_Cols", Flex0, v, "note"));
  EXPECT_EQ(v, 3) << "never steps";
  EXPECT_EQ(request_.outputText, "kept") << "shows no text of its own";
  Press(13);
  EXPECT_FALSE(ChooserOnly(context_, request_, "Sel_Cols", Flex0, v, "note"));
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].extra, "note");
  EXPECT_EQ(context_.result, kPopup);
  Answer(Flex0, 2);
  EXPECT_TRUE(ChooserOnly(context_, request_, "Sel_Cols", Flex0, v, "note"));
  EXPECT_EQ(v, 2);
}

TEST_F(ChoiceCodecTest, TypedChoiceTakesTheNearestEntry) {
  const struct {
    const char* typed;
    bool changed;
    int32_t value;
  } cases[] = {
      {"7", true, 21},                       // 5 is 2 away, 10 is 3 away
      {"off", true, 20},                     // off reads as 0: the entry 1 is nearest
      {" OF ", true, 20}, {"o", false, 99},  // an o that is not "of" is refused
      {"o5", false, 99},  {"5", true, 21},   // ties with the later "5.0": the earlier wins
      {"100", true, 22},  {"", false, 99},
  };
  for (const auto& c : cases) {
    int32_t v = 99;
    Type(c.typed);
    EXPECT_EQ(TypedChoiceCodec(context_, request_, "Sel_Typed", Flex1, v), c.changed) << c.typed;
    EXPECT_EQ(v, c.value) << c.typed;
  }
}

TEST_F(ChoiceCodecTest, TypedChoiceKeys) {
  const struct {
    int key;
    uint8_t result;
    int32_t value;
    const char* text;
  } cases[] = {
      {'3', kEditor, 20, "3"}, {'o', kEditor, 20, "o"}, {'O', kEditor, 20, "O"},
      {' ', kDone, 21, "5"},   {13, kPopup, 20, "1"},
  };
  for (const auto& c : cases) {
    int32_t v = 20;
    Press(c.key);
    TypedChoiceCodec(context_, request_, "Sel_Typed", Flex1, v);
    EXPECT_EQ(context_.result, c.result) << c.key;
    EXPECT_EQ(v, c.value) << c.key;
    EXPECT_EQ(request_.outputText, c.text) << c.key;
  }
}

TEST_F(ChoiceCodecTest, TypedChoiceEditorStartsAfterTheKey) {
  int32_t v = 20;
  Press('3');
  TypedChoiceCodec(context_, request_, "Sel_Typed", Flex1, v);
  EXPECT_EQ(request_.selStart, 1);
  EXPECT_EQ(request_.selLength, 0);
}

TEST_F(ChoiceCodecTest, ChoiceOrNumberTyped) {
  // A number outside the range is pulled in and refused with what the cell takes.
  const std::string takes = "the choices are Off, Auto, Number, or a number from 1 to 30";
  const struct {
    const char* typed;
    bool changed;
    int32_t value;
    const char* text;
    std::string refusal;
  } cases[] = {
      {"45", true, 30, "30", takes},    // clamped to the second list's largest value
      {"Off", true, 0, "Off", ""},      // off allowed
      {"x", false, 12, "12", takes},    // no digits: unchanged
      {"auto", true, 255, "Auto", ""},  // an entry's text, as the chooser picks it
      {"0", true, 0, "Off", ""},       {"1a2", true, 12, "12", ""}, {"99999999999", true, 30, "30", takes},
  };
  for (const auto& c : cases) {
    int32_t v = 12;
    Type(c.typed);
    EXPECT_EQ(ChoiceOrNumberCodec(context_, request_, "Sel_Rpt1", "Sel_Rpt2", v, true), c.changed) << c.typed;
    EXPECT_EQ(v, c.value) << c.typed;
    EXPECT_EQ(request_.outputText, c.text) << c.typed;
    EXPECT_EQ(request_.refusal, c.refusal) << c.typed;
  }
}

TEST_F(ChoiceCodecTest, ChoiceOrNumberWithoutOffClampsZeroToLow) {
  int32_t v = 12;
  Type("0");
  EXPECT_TRUE(ChoiceOrNumberCodec(context_, request_, "Sel_Rpt1", "Sel_Rpt2", v, false));
  EXPECT_EQ(v, 1);
  EXPECT_NE(request_.refusal, "") << "pulled up to the lowest number";
}

TEST_F(ChoiceCodecTest, ChoiceOrNumberShowsNumbersInRangeAndEntriesOutside) {
  const struct {
    int32_t value;
    const char* text;
  } cases[] = {{12, "12"}, {1, "1"}, {30, "30"}, {0, "Off"}, {255, "Auto"}, {31, "error"}};
  for (const auto& c : cases) {
    int32_t v = c.value;
    Draw();
    EXPECT_FALSE(ChoiceOrNumberCodec(context_, request_, "Sel_Rpt1", "Sel_Rpt2", v, true));
    EXPECT_EQ(request_.outputText, c.text) << c.value;
  }
}

TEST_F(ChoiceCodecTest, ChoiceOrNumberStepsTheFirstListSkippingTheNumberEntry) {
  const struct {
    int32_t from;
    int key;
    int32_t to;
  } cases[] = {
      {12, ' ', 0},                                // a number counts as no entry: the first entry
      {12, 8, 0},   {0, ' ', 255}, {255, ' ', 0},  // the number entry 1 is stepped over
      {0, 8, 255},                                 // backwards from the first wraps onto 1, stepped over to 255
  };
  for (const auto& c : cases) {
    int32_t v = c.from;
    Press(c.key);
    EXPECT_TRUE(ChoiceOrNumberCodec(context_, request_, "Sel_Rpt1", "Sel_Rpt2", v, true));
    EXPECT_EQ(v, c.to) << c.from << " key " << c.key;
  }
}

TEST_F(ChoiceCodecTest, ChoiceOrNumberChoosers) {
  int32_t v = 12;
  Press(13);
  ChoiceOrNumberCodec(context_, request_, "Sel_Rpt1", "Sel_Rpt2", v, true);
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "Sel_Rpt1");
  EXPECT_EQ(grid_.opened[0].value, 1) << "a number preselects the number entry";

  Answer(Flex0, 1);
  EXPECT_FALSE(ChoiceOrNumberCodec(context_, request_, "Sel_Rpt1", "Sel_Rpt2", v, true));
  ASSERT_EQ(grid_.opened.size(), 2u);
  EXPECT_EQ(grid_.opened[1].listKey, "Sel_Rpt2");
  EXPECT_EQ(grid_.opened[1].keyLabel, Flex1);
  EXPECT_EQ(grid_.opened[1].value, 12);
  EXPECT_EQ(context_.result, kPopup);
  EXPECT_EQ(request_.outputText, "12");

  Answer(Flex1, 7);
  EXPECT_TRUE(ChoiceOrNumberCodec(context_, request_, "Sel_Rpt1", "Sel_Rpt2", v, true));
  EXPECT_EQ(v, 7);

  Answer(Flex0, 255);
  EXPECT_TRUE(ChoiceOrNumberCodec(context_, request_, "Sel_Rpt1", "Sel_Rpt2", v, true));
  EXPECT_EQ(v, 255);
  EXPECT_EQ(request_.outputText, "Auto");

  Press(13);
  ChoiceOrNumberCodec(context_, request_, "Sel_Rpt1", "Sel_Rpt2", v, true);
  EXPECT_EQ(grid_.opened.back().value, 255) << "an entry preselects itself";
}

TEST_F(ChoiceCodecTest, ChoiceOrNumberKeysOpenTheEditor) {
  for (int key : {'4', '.', 'o', 'O'}) {
    int32_t v = 12;
    Press(key);
    EXPECT_FALSE(ChoiceOrNumberCodec(context_, request_, "Sel_Rpt1", "Sel_Rpt2", v, true));
    EXPECT_EQ(context_.result, kEditor) << key;
    EXPECT_EQ(request_.outputText, std::string(1, static_cast<char>(key)));
    EXPECT_EQ(request_.selStart, 1);
  }
}

// Without a grid a key neither steps nor opens anything, in every codec.
TEST_F(ChoiceCodecTest, NothingInteractiveWithoutAGrid) {
  for (int key : {32, 8, 13, '3' + 0, 'o' + 0}) {
    int32_t v = 1;
    uint8_t b = 1;
    Press(key, false);
    EXPECT_FALSE(ChoiceCodecFlex0(context_, request_, "Sel_OnOff", v));
    EXPECT_FALSE(ChoiceCodecByte(context_, request_, "Sel_OnOff", b));
    EXPECT_FALSE(ChooserOnly(context_, request_, "Sel_OnOff", Flex0, v, {}));
    EXPECT_FALSE(TypedChoiceCodec(context_, request_, "Sel_Typed", Flex1, v));
    EXPECT_FALSE(ChoiceOrNumberCodec(context_, request_, "Sel_Rpt1", "Sel_Rpt2", v, true));
    EXPECT_EQ(v, 1);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(context_.result, kDone) << key;
  }
  int32_t v = 12;
  Answer(Flex0, 1, false);
  EXPECT_FALSE(ChoiceOrNumberCodec(context_, request_, "Sel_Rpt1", "Sel_Rpt2", v, true));
  EXPECT_EQ(context_.result, kDone);
  EXPECT_TRUE(grid_.opened.empty());
}

}  // namespace
