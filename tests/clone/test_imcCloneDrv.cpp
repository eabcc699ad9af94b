// The model clone driver against the simulated radio and a hand-fed device: E8 frames,
// answer checks, command tables and the BPF sweep with its statistics.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "CloneRig.h"
#include "clone/imcCloneDrv.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"

namespace {

using R = dst_CDrv_Result;
using Cmd = imcCloneDrv::Command;

// An overlay holding only the sweep keys; the individual keys have a line per
// tracking step.
std::vector<std::string> SweepOverlay(const std::string& allMin, const std::string& allMax, const std::string& allStep,
                                      const std::vector<std::string>& indMin, const std::vector<std::string>& indMax,
                                      const std::vector<std::string>& indStep) {
  std::vector<std::string> lines = {"#GI_Sys_Adjust_BPF_All_Min",  allMin, "#GI_Sys_Adjust_BPF_All_Max", allMax,
                                    "#GI_Sys_Adjust_BPF_All_Step", allStep};
  auto add = [&lines](const char* key, const std::vector<std::string>& values) {
    lines.push_back(key);
    lines.insert(lines.end(), values.begin(), values.end());
  };
  add("#GI_Sys_Adjust_BPF_Ind_Min", indMin);
  add("#GI_Sys_Adjust_BPF_Ind_Max", indMax);
  add("#GI_Sys_Adjust_BPF_Ind_Step", indStep);
  add("#GI_Sys_Adjust_BPF_Set_First_Wait", {"300"});
  add("#GI_Sys_Adjust_BPF_Set_Wait", {"40"});
  lines.push_back("#End_Of_Ovl");
  return lines;
}

// The model driver on the clone rig's ports, with its own overlay, adjustment fields
// and working image.
struct AdjustRig : CloneRig {
  AdjustRig() : AdjustRig(SweepOverlay("0", "255", "8", {"10"}, {"20"}, {"4"})) {}
  explicit AdjustRig(std::vector<std::string> lines) : overlayLines(std::move(lines)) {
    overlay.SetLines(overlayLines);
    working.SetSize(cmcEeprom::kImageSize);
    drv.SetPort(kRadioPort, "9600,n,8,1");
    drv.SetModelCodes(0, 0);
    drv.SetEchoDetection(false);
    events.Listen(&AdjustRig::OnEvent, this);
  }
  static void OnEvent(void* self, cmcEvent& e) {
    if (e.code == kEvRefreshLiveCells) ++static_cast<AdjustRig*>(self)->refreshes;
  }

  bool Single() { return drv.StartSingleCommand(&CloneRig::OnDone, static_cast<CloneRig*>(this)); }
  bool Sequence() { return drv.StartCommandSequence(&CloneRig::OnDone, static_cast<CloneRig*>(this)); }
  bool Sweep() { return drv.StartBpfSweep(&CloneRig::OnDone, static_cast<CloneRig*>(this)); }

  // Advances 1 ms at a time until the model driver is in the state; false at the limit.
  bool RunDrvToState(int state, uint32_t limitMs = 10000) {
    for (uint32_t t = 0; t < limitMs; ++t) {
      if (drv.GetState() == state) return true;
      clock.Advance(1);
    }
    return false;
  }
  // The (code, parameter) pairs the radio took, in order.
  std::vector<std::pair<int, int>> Commands() const {
    std::vector<std::pair<int, int>> out;
    for (const auto& c : radio.ServiceLog()) out.emplace_back(c.code, c.Parameter());
    return out;
  }

  std::vector<std::string> overlayLines;
  cmcGTex overlay;
  cmcEvMan events{clock};
  dst_AdjustState adjust;
  cmcEeprom working;
  imcCloneDrv drv{clock, clock, factory, waiter, overlay, events, adjust, working};
  int refreshes = 0;
};

struct AdjustDrvTest : ::testing::Test, AdjustRig {};

TEST(ImcCloneDrvFrame, CommandFrameCarriesTheParameterAsTwoAsciiDigits) {
  cmcBuff frame = imcCloneDrv::CommandFrame(0, 0, 20, 100);
  EXPECT_EQ(Bytes(frame.Data(), frame.Data() + frame.GetLength()),
            Bytes({0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0x00, 0x00, 0x00, 0x00, 0x14, 0x36, 0x34, 0xFD}));
  // Only the parameter's low byte travels.
  frame = imcCloneDrv::CommandFrame(0x3621, 0x0001, 3, 0x1AB);
  EXPECT_EQ(Bytes(frame.Data(), frame.Data() + frame.GetLength()),
            Bytes({0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0x36, 0x21, 0x00, 0x01, 0x03, 'A', 'B', 0xFD}));
}

struct AnswerCase {
  const char* name;
  Bytes frame;
  int answer;
};

TEST(ImcCloneDrvFrame, AnswerChecksAcceptOnlyTheFamilyAndUpperCaseDigits) {
  const AnswerCase cases[] = {
      {"upper-case answer", {0xFE, 0xEF, 0xEE, 0xE8, 0x36, 0x21, 0, 1, 3, '4', 'A'}, 0x4A},
      {"second family model", {0xFE, 0xEF, 0xEE, 0xE8, 0x29, 0x26, 9, 9, 9, '0', '0'}, 0x00},
      {"third family model, longer frame", {0xFE, 0xEF, 0xEE, 0xE8, 0x31, 0x79, 0, 0, 0, 'F', 'F', '1'}, 0xFF},
      {"lower-case digit", {0xFE, 0xEF, 0xEE, 0xE8, 0x36, 0x21, 0, 1, 3, '4', 'a'}, -1},
      {"foreign model code", {0xFE, 0xEF, 0xEE, 0xE8, 0x12, 0x34, 0, 1, 3, '4', 'A'}, -1},
      {"ten bytes", {0xFE, 0xEF, 0xEE, 0xE8, 0x36, 0x21, 0, 1, 3, '4'}, -1},
      {"addresses swapped (our own echo)", {0xFE, 0xEE, 0xEF, 0xE8, 0x36, 0x21, 0, 1, 3, '4', 'A'}, -1},
      {"another command", {0xFE, 0xEF, 0xEE, 0xE1, 0x36, 0x21, 0, 1, 3, '4', 'A'}, -1},
      {"digit beyond F", {0xFE, 0xEF, 0xEE, 0xE8, 0x36, 0x21, 0, 1, 3, 'G', '0'}, -1},
  };
  for (const AnswerCase& c : cases) {
    cmcBuff frame;
    frame.AppendData(c.frame.data(), static_cast<int>(c.frame.size()));
    EXPECT_EQ(imcCloneDrv::DecodeAnswer(frame), c.answer) << c.name;
  }
}

TEST_F(AdjustDrvTest, ASingleCommandWithoutAnswerSendsItsFrameAndEndsWithCode0) {
  drv.SetPort(kDevicePort, "9600,n,8,1");
  drv.SetSingleCommand(20, 100, nullptr);
  EXPECT_TRUE(drv.IsCommandPending());
  ASSERT_TRUE(Single());
  EXPECT_FALSE(Single());
  const R& r = RunToEnd();
  EXPECT_EQ(r.operation, imcCloneDrv::kSingleCommand);
  EXPECT_EQ(r.code, R::kSuccess);
  EXPECT_EQ(WrittenToDevice(), Bytes({0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0, 0, 0, 0, 0x14, 0x36, 0x34, 0xFD}));
  EXPECT_FALSE(drv.IsCommandPending());
  EXPECT_FALSE(drv.Comm().IsOpen());
}

TEST_F(AdjustDrvTest, ASingleCommandStoresTheAnswerByte) {
  radio.SetAdReading(5, 0x4A);
  uint8_t answer = 0;
  drv.SetSingleCommand(imcCloneDrv::kReadAd, 5, &answer);
  ASSERT_TRUE(Single());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_EQ(answer, 0x4A);
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{3, 5}}));
}

struct RejectCase {
  const char* name;
  void (*setUp)(cmcSimRadio& radio);
};

TEST_F(AdjustDrvTest, AForeignAnswerStoresNothingAndTheTimeOutEndsWithCode5) {
  const RejectCase cases[] = {
      {"lower-case \"4a\"", [](cmcSimRadio& r) { r.GetFaults().lowercaseHex = true; }},
      {"model code 1234", [](cmcSimRadio& r) { r.GetIdentity().modelCode = 0x1234; }},
      {"no answer at all", [](cmcSimRadio& r) { r.GetFaults().noAnswer = true; }},
  };
  for (const RejectCase& c : cases) {
    radio.GetFaults() = {};
    radio.GetIdentity() = {};
    c.setUp(radio);
    radio.SetAdReading(5, 0x4A);
    results.clear();
    uint8_t answer = 0x11;
    drv.SetSingleCommand(imcCloneDrv::kReadAd, 5, &answer);
    ASSERT_TRUE(Single()) << c.name;
    EXPECT_EQ(RunToEnd().code, R::kTimeOut) << c.name;
    EXPECT_EQ(answer, 0x11) << c.name;
  }
}

TEST_F(AdjustDrvTest, AValidAnswerAfterAForeignOneStillCompletesTheExchange) {
  drv.SetPort(kDevicePort, "9600,n,8,1");
  uint8_t answer = 0;
  drv.SetSingleCommand(imcCloneDrv::kReadAd, 5, &answer);
  ASSERT_TRUE(Single());
  ASSERT_TRUE(RunDrvToState(imcCloneDrv::kAnswer));
  device.Feed({0xFE, 0xFE, 0xEF, 0xEE, 0xE8, 0x12, 0x34, 0, 0, 3, '4', 'A', 0xFD});
  clock.Advance(300);
  EXPECT_TRUE(results.empty());
  EXPECT_EQ(drv.GetState(), imcCloneDrv::kAnswer);
  device.Feed({0xFE, 0xFE, 0xEF, 0xEE, 0xE8, 0x36, 0x21, 0, 0, 3, '3', 'C', 0xFD});
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_EQ(answer, 0x3C);
}

TEST_F(AdjustDrvTest, AnEchoingCableStillGetsItsAnswer) {
  radio.SetEcho(cmcSimRadio::Echo::All);
  radio.SetAdReading(7, 0x80);
  drv.SetEchoPresent(true);
  uint8_t answer = 0;
  drv.SetSingleCommand(imcCloneDrv::kReadAd, 7, &answer);
  ASSERT_TRUE(Single());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_EQ(answer, 0x80);
}

TEST_F(AdjustDrvTest, ATableWhoseFirstEntryEndsItEndsWithCode0AfterOpeningThePort) {
  const Cmd table[] = {{imcCloneDrv::kEndOfTable, nullptr, nullptr}, {0, nullptr, nullptr}};
  drv.SetCommandTable(table);
  ASSERT_TRUE(Sequence());
  const R& r = RunToEnd();
  EXPECT_EQ(r.operation, imcCloneDrv::kCommandSequence);
  EXPECT_EQ(r.code, R::kSuccess);
  EXPECT_EQ(radio.OpenCount(), 1);
  EXPECT_TRUE(radio.ServiceLog().empty());
}

TEST_F(AdjustDrvTest, ATableSendsItsEntriesInOrderWithTheParametersOfSendingTime) {
  radio.SetAdReading(5, 0x21);
  radio.SetAdReading(9, 0x99);
  uint8_t channel = 3, five = 5, nine = 9, value = 0x5A, address = 0x62;
  uint8_t answerFive = 0, answerNine = 0;
  const Cmd table[] = {
      {0, &channel, nullptr},  {3, &five, &answerFive}, {64, &address, nullptr},  {65, &value, nullptr},
      {3, &nine, &answerNine}, {17, nullptr, nullptr},  {0xFF, nullptr, nullptr}, {3, &five, &answerFive},
  };
  drv.SetCommandTable(table);
  channel = 4;  // read when the entry is sent
  ASSERT_TRUE(Sequence());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{0, 4}, {3, 5}, {64, 0x62}, {65, 0x5A}, {3, 9}, {17, 0}}));
  EXPECT_EQ(answerFive, 0x21);
  EXPECT_EQ(answerNine, 0x99);
  EXPECT_EQ(radio.Image().GetByte(0x62), 0x5A);
  EXPECT_EQ(radio.Setting(0), 4);
}

TEST_F(AdjustDrvTest, ATableWithoutItsEndEntryEndsAfterItsLastEntry) {
  uint8_t one = 1;
  const Cmd table[] = {{2, &one, nullptr}};
  drv.SetCommandTable(table);
  ASSERT_TRUE(Sequence());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{2, 1}}));
}

// The radio's BPF reading after each setting of BPF A.
std::map<int, uint8_t> gReadings;

TEST_F(AdjustDrvTest, ASweepSetsAndMeasuresEachValueUpToTheMaximumAndKeepsThePlateau) {
  gReadings = {{10, 5}, {14, 9}, {18, 9}, {20, 7}};
  radio.SetAdReader([](const cmcSimRadio& r, int channel) -> uint8_t {
    return channel == imcCloneDrv::kSweepAdChannel ? gReadings[r.Setting(imcCloneDrv::kSetBpfA)] : 0;
  });
  adjust.itemSelector = dst_AdjustState::kSelectBpfA;
  ASSERT_TRUE(Sweep());
  EXPECT_TRUE(drv.IsCommandPending());
  const R& r = RunToEnd();
  EXPECT_EQ(r.operation, imcCloneDrv::kBpfSweep);
  EXPECT_EQ(r.code, R::kSuccess);
  EXPECT_EQ(Commands(),
            (std::vector<std::pair<int, int>>{{19, 10}, {3, 4}, {19, 14}, {3, 4}, {19, 18}, {3, 4}, {19, 20}, {3, 4}}));
  EXPECT_EQ(adjust.bpf[0].highest, 9);
  EXPECT_EQ(adjust.bpf[0].first, 14);
  EXPECT_EQ(adjust.bpf[0].last, 18);
  EXPECT_EQ(adjust.bpf[1].highest, 0);
  EXPECT_EQ(working.GetByte(imcCloneDrv::kAddrBpfA), 20);
  EXPECT_EQ(refreshes, 4);
}

TEST_F(AdjustDrvTest, ASweepOfBpfBSetsWithCommand20AndKeepsSetB) {
  radio.SetAdReader(
      [](const cmcSimRadio& r, int) -> uint8_t { return r.Setting(imcCloneDrv::kSetBpfB) == 14 ? 3 : 1; });
  adjust.itemSelector = dst_AdjustState::kSelectBpfB;
  adjust.bpf[0] = {50, 1, 2};
  ASSERT_TRUE(Sweep());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_EQ(radio.ServiceLog().front().code, imcCloneDrv::kSetBpfB);
  EXPECT_EQ(adjust.bpf[1].highest, 3);
  EXPECT_EQ(adjust.bpf[1].first, 14);
  EXPECT_EQ(adjust.bpf[1].last, 14);
  EXPECT_EQ(adjust.bpf[0].highest, 50);
  EXPECT_EQ(working.GetByte(imcCloneDrv::kAddrBpfB), 20);
  EXPECT_EQ(working.GetByte(imcCloneDrv::kAddrBpfA), 0);
}

TEST_F(AdjustDrvTest, TheFirstMeasurementWaitsTheFirstWaitAndLaterOnesTheShorterWait) {
  std::vector<uint32_t> at;
  auto record = [this, &at](bool answer) {
    return [this, &at, answer](cmcSimRadio&, const cmcSimRadio::ServiceCommand&) -> std::optional<uint8_t> {
      at.push_back(clock.NowMs());
      return answer ? std::optional<uint8_t>(1) : std::nullopt;
    };
  };
  radio.SetServiceHandler(imcCloneDrv::kSetBpfA, record(false));
  radio.SetServiceHandler(imcCloneDrv::kReadAd, record(true));
  adjust.itemSelector = dst_AdjustState::kSelectBpfA;
  ASSERT_TRUE(Sweep());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  ASSERT_EQ(at.size(), 8u);
  EXPECT_GE(at[1] - at[0], 300u);
  for (size_t i = 2; i < at.size(); i += 2) {
    EXPECT_GE(at[i + 1] - at[i], 40u) << i;
    EXPECT_LT(at[i + 1] - at[i], 300u) << i;
  }
}

struct BoundsCase {
  const char* name;
  std::vector<std::string> overlay;
  bool allChannels;
  uint8_t state;
  uint8_t subState;
  int min, max, step;
};

TEST(ImcCloneDrvBounds, SweepBoundsComeFromTheKeysOfTheSweepKind) {
  const std::vector<std::string> ind = {"1", "2", "3", "4", "5", "6"};
  const std::vector<std::string> indMax = {"201", "202", "203", "204", "205", "206"};
  const std::vector<std::string> indStep = {"11", "12", "13", "14", "15", "16"};
  const BoundsCase cases[] = {
      {"all channels", SweepOverlay("7", "250", "9", ind, indMax, indStep), true, 24, 3, 7, 250, 9},
      {"individual", SweepOverlay("7", "250", "9", ind, indMax, indStep), false, 0, 3, 1, 201, 11},
      {"tracking step 2 reads line 1", SweepOverlay("7", "250", "9", ind, indMax, indStep), false, 24, 2, 2, 202, 12},
      {"tracking step 6 reads line 5", SweepOverlay("7", "250", "9", ind, indMax, indStep), false, 24, 6, 6, 206, 16},
      {"tracking step 7 reads line 0", SweepOverlay("7", "250", "9", ind, indMax, indStep), false, 24, 7, 1, 201, 11},
      {"sub-state outside tracking", SweepOverlay("7", "250", "9", ind, indMax, indStep), false, 16, 4, 1, 201, 11},
      {"limited to 0..255, step at least 1", SweepOverlay("-5", "300", "0", ind, indMax, indStep), true, 0, 0, 0, 255,
       1},
      {"no digits give 0", SweepOverlay("", "x", " 12ms", ind, indMax, indStep), true, 0, 0, 0, 0, 12},
  };
  for (const BoundsCase& c : cases) {
    AdjustRig rig(c.overlay);
    rig.adjust.allChannels = c.allChannels;
    rig.adjust.state = c.state;
    rig.adjust.subState = c.subState;
    rig.radio.GetFaults().noAnswer = true;
    ASSERT_TRUE(rig.Sweep()) << c.name;
    EXPECT_EQ(rig.drv.SweepMinimum(), c.min) << c.name;
    EXPECT_EQ(rig.drv.SweepMaximum(), c.max) << c.name;
    EXPECT_EQ(rig.drv.SweepStep(), c.step) << c.name;
    rig.RunToEnd();
  }
}

TEST(ImcCloneDrvBounds, AMaximumBelowTheMinimumMeasuresOnceAtTheMinimum) {
  AdjustRig rig(SweepOverlay("0", "255", "8", {"40"}, {"30"}, {"4"}));
  rig.adjust.itemSelector = dst_AdjustState::kSelectBpfA;
  ASSERT_TRUE(rig.Sweep());
  EXPECT_EQ(rig.RunToEnd().code, R::kSuccess);
  EXPECT_EQ(rig.Commands(), (std::vector<std::pair<int, int>>{{19, 40}, {3, 4}}));
}

}  // namespace
