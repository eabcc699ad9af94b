#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cell/NumberFixture.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcDigitCodecs.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kDone = cmcCodecCommon::kResultDone;
constexpr uint8_t kEditor = cmcCodecCommon::kResultEditor;
constexpr int kSpace = cmcCodecCommon::kKeySpace;
constexpr int kBackspace = cmcCodecCommon::kKeyBackspace;
constexpr int kEnter = cmcCodecCommon::kKeyEnter;

using DigitCodecTest = NumberFixture;

TEST_F(DigitCodecTest, DigitStringTyped) {
  const struct {
    const char* name;
    size_t n;
    bool hexadecimal;
    const char* typed;
    Bytes to;
    bool changed;
    const char* shown;
    const char* refusal;  // what a text not taken as typed is refused with
  } cases[] = {
      {"left-filled with zeros", 4, false, "12", {0, 0, 1, 2}, true, "0012", ""},
      {"cut to the count", 4, false, "123456", {1, 2, 3, 4}, true, "1234", "takes up to 4 digits"},
      {"letters dropped when decimal", 4, false, "1a2", {0, 0, 1, 2}, true, "0012", "takes up to 4 digits"},
      {"letters kept when hexadecimal", 4, true, "1a2", {0, 1, 10, 2}, true, "01A2", ""},
      {"six digits", 6, false, "987654", {9, 8, 7, 6, 5, 4}, true, "987654", ""},
      {"blanks inside are no digits",
       6,
       false,
       " 98 76 54",
       {9, 8, 7, 6, 5, 4},
       true,
       "987654",
       "takes up to 6 digits"},
      {"nothing typed keeps the digits", 4, false, "x", {5, 5, 5, 5}, false, "5555", "takes up to 4 digits"},
      {"hexadecimal refusal", 2, true, "xyz", {5, 5}, false, "55", "takes up to 2 hexadecimal digits (0-9, A-F)"},
  };
  for (const auto& c : cases) {
    Bytes digits(c.n, 5);
    Type(c.typed);
    request_.refusal.clear();
    EXPECT_EQ(DigitStringCodec(context_, request_, digits, c.hexadecimal), c.changed) << c.name;
    EXPECT_EQ(request_.refusal, c.refusal) << c.name;
    EXPECT_EQ(digits, c.to) << c.name;
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
    EXPECT_EQ(request_.selLength, static_cast<int32_t>(c.n)) << c.name;
  }
}

TEST_F(DigitCodecTest, NibbleNumberHoldsTheFirstDigitHighest) {
  uint32_t v = 0x1234;
  Draw();
  EXPECT_FALSE(NibbleNumberCodec(context_, request_, v, 4));
  EXPECT_EQ(request_.outputText, "1234");

  Type("beef");
  EXPECT_TRUE(NibbleNumberCodec(context_, request_, v, 4));
  EXPECT_EQ(v, 0xBEEFu);
  EXPECT_EQ(request_.outputText, "BEEF");

  Type("12");
  EXPECT_TRUE(NibbleNumberCodec(context_, request_, v, 8));
  EXPECT_EQ(v, 0x12u);
  EXPECT_EQ(request_.outputText, "00000012");
}

TEST_F(DigitCodecTest, SingleDigitTyped) {
  const struct {
    const char* name;
    bool upToF;
    const char* typed;
    int32_t to;
    bool changed;
  } cases[] = {
      {"digit", false, "7", 7, true},
      {"letter", false, "e", 14, true},
      {"F refused", false, "F", 3, false},
      {"F allowed", true, "f", 15, true},
      {"the first character decides", false, " 9x", 9, true},
      {"not a digit", false, "x9", 3, false},
      {"nothing", false, "", 3, false},
  };
  for (const auto& c : cases) {
    int32_t v = 3;
    Type(c.typed);
    EXPECT_EQ(SingleDigitCodec(context_, request_, v, c.upToF), c.changed) << c.name;
    EXPECT_EQ(v, c.to) << c.name;
    EXPECT_EQ(request_.outputText, std::string(1, "0123456789ABCDEF"[c.to])) << c.name;
  }
}

TEST_F(DigitCodecTest, FixedTextStoresZeroFilled) {
  const struct {
    const char* name;
    uint8_t kind;
    std::string typed;
    Bytes stored;
    const char* shown;
  } cases[] = {
      {"zero-filled", cmcCellCapsule::kInputText, "ab", {'a', 'b', 0, 0, 0, 0}, "ab"},
      {"a space is stored as 0", cmcCellCapsule::kInputPopupAnswer, "ab c", {'a', 'b', 0, 'c', 0, 0}, "ab"},
      {"control and high bytes as 0", cmcCellCapsule::kInputPopupAnswer, "a\tb\xC3", {'a', 0, 'b', 0, 0, 0}, "a"},
      {"cut to the field", cmcCellCapsule::kInputPopupAnswer, "abcdefgh", {'a', 'b', 'c', 'd', 'e', 'f'}, "abcdef"},
      {"a popup answer too", cmcCellCapsule::kInputPopupAnswer, "Z9", {'Z', '9', 0, 0, 0, 0}, "Z9"},
  };
  for (const auto& c : cases) {
    Bytes field(6, 'x');
    Fresh();
    request_.inputKind = c.kind;
    request_.inputText = c.typed;
    EXPECT_TRUE(FixedTextCodec(context_, request_, field)) << c.name;
    EXPECT_EQ(field, c.stored) << c.name;
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
  }
}

TEST_F(DigitCodecTest, EditorKeys) {
  Bytes digits{0, 0, 1, 2};
  Bytes field{'p', 'w', 0, 0};
  int32_t single = 7;
  using Codec = std::function<void()>;
  const Codec decimal = [&] { DigitStringCodec(context_, request_, digits, false); };
  const Codec hexadecimal = [&] { DigitStringCodec(context_, request_, digits, true); };
  const Codec upToE = [&] { SingleDigitCodec(context_, request_, single, false); };
  const Codec upToF = [&] { SingleDigitCodec(context_, request_, single, true); };
  const Codec fixed = [&] { FixedTextCodec(context_, request_, field); };
  const struct {
    const char* name;
    Codec codec;
    int key;
    uint8_t result;
    const char* text;
    int32_t selStart, selLength;
  } cases[] = {
      {"digits: Enter", decimal, kEnter, kEditor, "0012", 0, 4},
      {"digits: space acts as Enter", decimal, kSpace, kEditor, "0012", 0, 4},
      {"digits: backspace acts as Enter", decimal, kBackspace, kEditor, "0012", 0, 4},
      {"digits: digit", decimal, '3', kEditor, "3", 1, 0},
      {"digits: letter when decimal", decimal, 'a', kDone, "0012", 0, 4},
      {"digits: letter when hexadecimal", hexadecimal, 'a', kEditor, "a", 1, 0},
      {"digits: G when hexadecimal", hexadecimal, 'G', kDone, "0012", 0, 4},
      {"single: Enter", upToE, kEnter, kEditor, "7", 0, 1},
      {"single: E", upToE, 'E', kEditor, "E", 1, 0},
      {"single: F refused", upToE, 'F', kDone, "7", 0, 1},
      {"single: F allowed", upToF, 'F', kEditor, "F", 1, 0},
      {"single: space", upToE, kSpace, kDone, "7", 0, 1},
      {"fixed: Enter", fixed, kEnter, kEditor, "pw", 0, 2},
      {"fixed: space acts as Enter", fixed, kSpace, kEditor, "pw", 0, 2},
      {"fixed: backspace acts as Enter", fixed, kBackspace, kEditor, "pw", 0, 2},
      {"fixed: printable", fixed, '#', kEditor, "#", 1, 0},
      {"fixed: control code", fixed, 27, kDone, "pw", 0, 2},
  };
  for (const auto& c : cases) {
    Press(c.key);
    c.codec();
    EXPECT_EQ(context_.result, c.result) << c.name;
    EXPECT_EQ(request_.outputText, c.text) << c.name;
    EXPECT_EQ(request_.selStart, c.selStart) << c.name;
    EXPECT_EQ(request_.selLength, c.selLength) << c.name;

    Press(c.key, false);
    c.codec();
    EXPECT_EQ(context_.result, kDone) << c.name << " without a grid";
    EXPECT_EQ(request_.selStart, 0) << c.name << " without a grid";
  }
  EXPECT_EQ(digits, (Bytes{0, 0, 1, 2})) << "no key changes a value";
  EXPECT_EQ(single, 7);
}

}  // namespace
