// The adjustment and compensation values: the signed range of a slope, steps of 1 and
// of 5 with Shift held to the ends, the bars and the target voltages, which value goes
// to the radio how, and the bytes representative labels bind.
#include <gtest/gtest.h>

#include <vector>

#include "cell/SettingFixture.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcNumberCodecs.h"
#include "cell/indCellRequest.h"

namespace {

class AdjustCells : public SettingFixture {
 protected:
  Reply Arrow(int label, int key, bool shift = false) {
    host_.shift = shift;
    const Reply r = Key(label, key, 0, CT_ADJ);
    host_.shift = false;
    return r;
  }
};

constexpr int kSlope = 0x70;  // CL_Comp_Sql_W_Slant_Val

TEST_F(AdjustCells, ASlopeIsSignedFromMinus128To127) {
  const struct {
    const char* why;
    int before;
    int key;           // 0: commit text instead
    const char* text;  // typed
    bool shift;
    int after;
    const char* shown;
  } cases[] = {
      {"0x80 reads -128", 0x80, 0, "-128", false, 0x80, "-128"},
      {"left arrow holds at -128", 0x80, kKeyArrowLeft, "", false, 0x80, "-128"},
      {"Shift stops at the last multiple of 5, -125", 0x83, kKeyArrowLeft, "", true, 0x83, "-125"},
      {"right arrow holds at 127", 0x7F, kKeyArrowRight, "", false, 0x7F, "127"},
      {"right arrow crosses zero", 0xFF, kKeyArrowRight, "", false, 0x00, "0"},
      {"Shift steps 5 below zero", 0x00, kKeyArrowLeft, "", true, 0xFB, "-5"},
      {"typed -5", 0x00, 0, "-5", false, 0xFB, "-5"},
      {"typed 200 is held at 127", 0x00, 0, "200", false, 0x7F, "127"},
      {"typed -300 is held at -128", 0x00, 0, "-300", false, 0x80, "-128"},
  };
  for (const auto& c : cases) {
    SetByte(kSlope, c.before);
    host_.shift = c.shift;
    const Reply r =
        c.key ? Key(CL_Comp_Sql_W_Slant_Val, c.key, 0, CT_ADJ) : Commit(CL_Comp_Sql_W_Slant_Val, c.text, 0, CT_ADJ);
    host_.shift = false;
    EXPECT_EQ(Byte(kSlope), c.after) << c.why;
    EXPECT_EQ(r.text, c.shown) << c.why;
  }
  SetByte(kSlope, 0);
  EXPECT_TRUE(Commit(CL_Comp_Sql_W_Slant_Val, "9", 0, CT_ADJ).mask & indCellRequest::kMaskLayout)
      << "a change repaints the bar";
  EXPECT_EQ(Key(CL_Comp_Sql_W_Slant_Val, '-', 0, CT_ADJ).result, indCellRequest::kResultOpenEditor)
      << "a minus starts typing a negative value";
  EXPECT_EQ(host_.liveBytes, (std::vector<int>(host_.liveBytes.size(), kSlope))) << "sent as the byte";
  EXPECT_TRUE(host_.liveItems.empty());
}

TEST_F(AdjustCells, AValueStepsBy1AndBy5WithShift) {
  const struct {
    const char* why;
    int before;
    int key;
    bool shift;
    int after;
  } cases[] = {
      {"right arrow adds 1", 100, kKeyArrowRight, false, 101},
      {"left arrow subtracts 1", 100, kKeyArrowLeft, false, 99},
      {"Shift and right arrow add 5", 100, kKeyArrowRight, true, 105},
      {"Shift and left arrow subtract 5", 100, kKeyArrowLeft, true, 95},
      {"held at 255", 253, kKeyArrowRight, true, 255},
      {"held at 0", 2, kKeyArrowLeft, true, 0},
      {"no wrap past 255", 255, kKeyArrowRight, false, 255},
  };
  for (const auto& c : cases) {
    SetByte(0xA8, c.before);
    const Reply r = Arrow(CL_Adjust_Pow_Hi, c.key, c.shift);
    EXPECT_EQ(Byte(0xA8), c.after) << c.why;
    EXPECT_EQ(r.text, std::to_string(c.after)) << c.why;
  }
  SetByte(0xA8, 128);
  EXPECT_EQ(Draw(CL_Adjust_Hi_Bar, 0, CT_ADJ).text, "[##########----------]");
  SetByte(0xA8, 255);
  EXPECT_EQ(Draw(CL_Adjust_Hi_Bar, 0, CT_ADJ).text, "[####################]");
  EXPECT_EQ(Key(CL_Adjust_Pow_Hi, 13, 0, CT_ADJ).result, indCellRequest::kResultOpenEditor);
  const std::vector<int> item9(host_.liveItems.size(), 9);
  EXPECT_EQ(host_.liveItems, item9) << "item 9 after every request of the value, none from the bar";
  EXPECT_EQ(host_.liveItems.size(), 8u);
}

TEST_F(AdjustCells, ASlopeBarRunsFromMinus128) {
  const struct {
    int byte;
    const char* bar;
  } cases[] = {
      {0x80, "[--------------------]"},
      {0x00, "[##########----------]"},
      {0x7F, "[####################]"},
  };
  for (const auto& c : cases) {
    SetByte(kSlope, c.byte);
    EXPECT_EQ(Draw(CL_Comp_Sql_W_Slant_Bar, 0, CT_ADJ).text, c.bar) << c.byte;
  }
}

TEST_F(AdjustCells, TheBisectionTargetsStayInTheWorkingImage) {
  SetByte(0xAE, 51);
  EXPECT_EQ(Key(CL_Adjust_LvRx, 13, 0, CT_ADJ).result, indCellRequest::kResultDone) << "no editor";
  EXPECT_EQ(Arrow(CL_Adjust_LvRx, kKeyArrowRight).text, "52");
  EXPECT_EQ(Byte(0xAE), 52);
  SetByte(0xAF, 255);
  EXPECT_EQ(Draw(CL_Adjust_LvTx_Bar, 0, CT_ADJ).text, "5.00V");
  SetByte(0xAF, 51);
  EXPECT_EQ(Draw(CL_Adjust_LvTx_Bar, 0, CT_ADJ).text, "1.00V");
  EXPECT_TRUE(host_.liveItems.empty());
  EXPECT_TRUE(host_.liveBytes.empty());
}

TEST_F(AdjustCells, LabelsBindTheirBytes) {
  const struct {
    int label;
    int address;
    int item;  // 0: sent as the byte
    const char* typed;
    int stored;
  } cases[] = {
      {CL_Adjust_RxLva, 0x5C, 6, "77", 77},         {CL_Adjust_TxLva, 0x5D, 7, "78", 78},
      {CL_Adjust_BpfT1, 0x54, 19, "80", 80},        {CL_Adjust_BpfT2, 0x55, 20, "81", 81},
      {CL_Adjust_Ref, 0x53, 15, "82", 82},          {CL_Adjust_Sql, 0xAD, 5, "83", 83},
      {CL_Adjust_Bal_N_Val, 0x67, 17, "84", 84},    {CL_Adjust_Mod_W_Val, 0x62, 12, "85", 85},
      {CL_Adjust_Ctn_M_Val, 0x69, 0, "86", 86},     {CL_Comp_Dev_a1d_Val, 0xC8, 0, "-2", 0xFE},
      {CL_Comp_TxLva_a2s_Val, 0xDF, 0, "200", 200},
  };
  for (const auto& c : cases) {
    host_.liveItems.clear();
    host_.liveBytes.clear();
    Commit(c.label, c.typed, 0, CT_ADJ);
    EXPECT_EQ(Byte(c.address), c.stored) << c.label;
    if (c.item) {
      EXPECT_EQ(host_.liveItems, std::vector<int>{c.item}) << c.label;
    } else {
      EXPECT_EQ(host_.liveBytes, std::vector<int>{c.address}) << c.label;
    }
  }
}

TEST_F(AdjustCells, TheAdjustmentPasswordIsPlainText) {
  EXPECT_EQ(Commit(CL_Adjust_Password, "ZK1", 0, CT_ADJ).text, "ZK1");
  EXPECT_EQ(Byte(0x89), 'Z');
  EXPECT_EQ(Byte(0x8B), '1');
  // A blank would be stored as 0, cutting the password short: typed, it is refused.
  EXPECT_EQ(Commit(CL_Adjust_Password, "ZK 1", 0, CT_ADJ).text, "ZK1");
  EXPECT_EQ(Byte(0x8B), '1');
}

}  // namespace
