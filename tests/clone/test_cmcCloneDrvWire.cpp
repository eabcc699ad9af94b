// The clone driver against a hand-fed device: exact received frames and their checks,
// pacing, time limits per state, and the completion contract.
#include <gtest/gtest.h>

#include "CloneRig.h"

namespace {

using R = dst_CDrv_Result;

const Bytes kMaker = Ascii("Zelk Inc.");

// A data frame from the radio with the digits given as text.
Bytes DataFrame(const std::string& digits) { return Concat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE4}, Ascii(digits), {0xFD}}); }
Bytes EndFrame(const std::string& counter) {
  return Concat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE5}, kMaker, Ascii(counter), {0xFD}});
}
Bytes InfoFrame(Bytes codes, int infoBytes = 78) {
  return Concat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE1}, codes, Bytes(static_cast<size_t>(infoBytes), 0x4E), {0xFD}});
}

// 16 bytes of 00 at 0200: the checksum is 100 - (02 + 00 + 10) = EE.
const std::string kZeros0200 = "020010" + std::string(32, '0') + "EE";
// 16 bytes of 00 at 0000.
const std::string kZeros0000 = "000010" + std::string(32, '0') + "F0";

int CountE4(const Bytes& wire) {
  int n = 0;
  for (size_t i = 0; i + 4 < wire.size(); ++i)
    if (wire[i] == 0xFE && wire[i + 1] == 0xEE && wire[i + 2] == 0xEF && wire[i + 3] == 0xE4) ++n;
  return n;
}

class WireTest : public ::testing::Test, public CloneRig {
 protected:
  WireTest() {
    driver->SetPort(kDevicePort, "9600,n,8,1");
    driver->SetEchoDetection(false);
  }
};

struct ReadCase {
  const char* name;
  Bytes input;
  uint8_t code;
  bool withRanges = true;
};

TEST_F(WireTest, ReceivedReadFramesAreCheckedAsTheProtocolSays) {
  std::string wrongSum = kZeros0000;
  wrongSum.back() = '1';
  const std::string upper = "000010A0" + std::string(30, '0') + "50";
  const std::string lower = "000010a0" + std::string(30, '0') + "50";
  const std::string full255 = "0000FF" + std::string(510, '0') + "01";
  const ReadCase cases[] = {
      {"one frame and the end", Concat({DataFrame(kZeros0000), EndFrame("01")}), R::kSuccess},
      {"noise and a restarted frame", Concat({{0x11, 0xFE, 0x22}, DataFrame(kZeros0000), {0x33}, EndFrame("01")}),
       R::kSuccess},
      {"lower-case digit", Concat({DataFrame(lower), EndFrame("01")}), R::kBadFrame},
      {"upper-case twin of it", Concat({DataFrame(upper), EndFrame("01")}), R::kSuccess},
      {"checksum off by one", Concat({DataFrame(wrongSum), EndFrame("01")}), R::kBadFrame},
      {"odd number of digits", Concat({DataFrame(kZeros0000 + "0"), EndFrame("01")}), R::kBadFrame},
      {"count says 17", Concat({DataFrame("000011" + std::string(32, '0') + "EF"), EndFrame("01")}), R::kBadFrame},
      {"shorter than 12", {0xFE, 0xEF, 0xEE, 0xE4, '0', '0', '0', 0xFD}, R::kBadFrame},
      {"from the controller", Concat({{0xFE, 0xEE, 0xEF, 0xE4}, Ascii(kZeros0000), {0xFD}}), R::kBadFrame},
      {"another command", Concat({{0xFE, 0xEF, 0xEE, 0xE6}, Ascii(kZeros0000), {0xFD}}), R::kBadFrame},
      {"255 bytes in one frame", Concat({DataFrame(full255), EndFrame("01")}), R::kSuccess, false},
      {"longer than 522", Concat({DataFrame(full255 + "00")}), R::kBadFrame},
      {"end without counter", Concat({DataFrame(kZeros0000), EndFrame("")}), R::kBadFrame},
      {"end with wrong counter", Concat({DataFrame(kZeros0000), EndFrame("02")}), R::kBadCounter},
      {"end with lower-case counter", Concat({DataFrame(std::string(kZeros0000)), EndFrame("0a")}), R::kBadCounter},
      {"end with a wrong maker",
       Concat({DataFrame(kZeros0000), {0xFE, 0xEF, 0xEE, 0xE5}, Ascii("Zelk inc.01"), {0xFD}}), R::kBadFrame},
      {"address missing", Concat({DataFrame("000008" + std::string(16, '0') + "F8"), EndFrame("01")}), R::kMissing},
      {"address outside the list", Concat({DataFrame(kZeros0200), EndFrame("01")}), R::kOutside},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    CloneRig rig;
    rig.driver->SetPort(kDevicePort, "9600,n,8,1");
    rig.driver->SetEchoDetection(false);
    const cmcAddressRanges ranges{{0, 0x0F}};
    ASSERT_TRUE(rig.StartRead(c.withRanges ? &ranges : nullptr));
    ASSERT_TRUE(rig.RunToState(cmcCloneDrv::kReceiveData));
    rig.device.Feed(c.input);
    EXPECT_EQ(rig.RunToEnd().code, c.code);
  }
}

TEST_F(WireTest, DataPastTheImageSizeIsRefusedWith9) {
  driver->SetImageSize(0x100);
  ASSERT_TRUE(StartRead(nullptr));
  ASSERT_TRUE(RunToState(cmcCloneDrv::kReceiveData));
  device.Feed(Concat({DataFrame("00F810" + std::string(32, '0') + "F8"), EndFrame("01")}));
  EXPECT_EQ(RunToEnd().code, R::kOutside);
}

TEST_F(WireTest, TheReadRequestAndTheImageOfAGoldenFrame) {
  driver->SetCommandPreamble(1);
  const cmcAddressRanges ranges{{0x200, 0x20F}};
  ASSERT_TRUE(StartRead(&ranges));
  ASSERT_TRUE(RunToState(cmcCloneDrv::kReceiveData));
  EXPECT_EQ(WrittenToDevice(), Bytes({0xFE, 0xFE, 0xFE, 0xEE, 0xEF, 0xE2, 0x36, 0x21, 0x00, 0x01, 0xFD}));
  device.Feed(Concat({DataFrame("020004A1B2C3D410"), DataFrame("0204040000FFFFF8"),
                      DataFrame("0208080102030405060708CA"), EndFrame("03")}));
  const R& r = RunToEnd();
  ASSERT_EQ(r.code, R::kSuccess);
  EXPECT_EQ(r.image.GetByte(0x200), 0xA1);
  EXPECT_EQ(r.image.GetByte(0x203), 0xD4);
  EXPECT_EQ(r.image.GetByte(0x206), 0xFF);
  EXPECT_EQ(r.image.GetByte(0x20F), 0x08);
  ASSERT_GE(r.loaded.GetLength(), 0x210 / 8);
  EXPECT_EQ(r.loaded.Data()[0x200 / 8], 0xFF);
  EXPECT_EQ(r.loaded.Data()[0x1F8 / 8], 0x00);
}

struct InfoCase {
  const char* name;
  Bytes input;
  uint8_t code;
  int modelCode;
};

TEST_F(WireTest, InformationAnswersAreCheckedAndTheLastFrameOfABatchWins) {
  const InfoCase cases[] = {
      {"plain answer", InfoFrame({0x36, 0x21, 0x00, 0x01}), R::kSuccess, 0x3621},
      {"two frames, the last counts", Concat({InfoFrame({0x36, 0x21, 0x00, 0x01}), InfoFrame({0x29, 0x26, 0, 1})}),
       R::kSuccess, 0x2926},
      {"a bad frame after a good one", Concat({InfoFrame({0x36, 0x21, 0x00, 0x01}), {0xFE, 0xEF, 0xEE, 0xE1, 0xFD}}),
       R::kBadFrame, 0},
      {"a good frame after a bad one", Concat({InfoFrame({0x36, 0x2A, 0, 1}), InfoFrame({0x31, 0x79, 0, 1})}),
       R::kSuccess, 0x3179},
      {"byte 5 is 2A", InfoFrame({0x36, 0x2A, 0x00, 0x01}), R::kBadFrame, 0},
      {"sub-code not BCD", InfoFrame({0x36, 0x21, 0x00, 0xA1}), R::kBadFrame, 0},
      {"just the codes", InfoFrame({0x36, 0x21, 0x00, 0x01}, 0), R::kSuccess, 0x3621},
      {"seven bytes", {0xFE, 0xEF, 0xEE, 0xE1, 0x36, 0x21, 0x00, 0xFD}, R::kBadFrame, 0},
      {"wrong command", Concat({{0xFE, 0xEF, 0xEE, 0xE2, 0x36, 0x21, 0x00, 0x01}, {0xFD}}), R::kBadFrame, 0},
      {"overlong frame", Concat({{0xFE}, Bytes(521, 0x30), InfoFrame({0x36, 0x21, 0x00, 0x01})}), R::kBadFrame, 0},
  };
  for (const InfoCase& c : cases) {
    SCOPED_TRACE(c.name);
    CloneRig rig;
    rig.driver->SetPort(kDevicePort, "9600,n,8,1");
    rig.driver->SetEchoDetection(false);
    ASSERT_TRUE(rig.StartInformation());
    ASSERT_TRUE(rig.RunToState(cmcCloneDrv::kInfoAnswer));
    rig.device.Feed(c.input);
    const R& r = rig.RunToEnd();
    EXPECT_EQ(r.code, c.code);
    if (c.code == R::kSuccess) {
      EXPECT_EQ(r.modelCode, c.modelCode);
    }
  }
}

TEST_F(WireTest, PacingWaitsForFbAfterEveryEighthFrameButNotBeforeTheFirst) {
  driver->SetPacing(128, 0);
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  ASSERT_TRUE(StartWrite(image, {{0x000, 0x0FF}}));
  ASSERT_TRUE(RunToState(cmcCloneDrv::kBlockReady));
  clock.Advance(100);
  EXPECT_EQ(CountE4(WrittenToDevice()), 8);
  device.Feed({0x12});  // not FB: dropped, still waiting
  clock.Advance(100);
  EXPECT_EQ(driver->GetState(), cmcCloneDrv::kBlockReady);
  device.Feed({0xFB});  // the next block goes out in the tick that sees it
  clock.Advance(10);
  EXPECT_EQ(CountE4(WrittenToDevice()), 16);
  ASSERT_TRUE(RunToState(cmcCloneDrv::kBlockReady));
  device.Feed({0xFB});
  ASSERT_TRUE(RunToState(cmcCloneDrv::kEndAnswer));
  device.Feed({0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD});
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
}

TEST_F(WireTest, PacingCountsFromTheAddressNotFromTheRangeStart) {
  driver->SetPacing(128, 0);
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  ASSERT_TRUE(StartWrite(image, {{0x048, 0x0FF}}));
  ASSERT_TRUE(RunToState(cmcCloneDrv::kBlockReady));
  clock.Advance(50);
  // 0048-004F, then 0050 .. 007F: four frames up to the 0080 boundary.
  EXPECT_EQ(CountE4(WrittenToDevice()), 4);
}

TEST_F(WireTest, WriteReadyWaitsForFbAndFaRefuses) {
  driver->SetWaitWriteReady(true);
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  ASSERT_TRUE(StartWrite(image, {{0x000, 0x01F}}));
  ASSERT_TRUE(RunToState(cmcCloneDrv::kWriteReady));
  clock.Advance(200);
  EXPECT_EQ(CountE4(WrittenToDevice()), 0);
  device.Feed({0xFA});
  EXPECT_EQ(RunToEnd().code, R::kBadFrame);
}

TEST_F(WireTest, AnEmptyWriteListSendsOnlyE3AndE5WithCounter00) {
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  driver->SetEndCounter(true);
  ASSERT_TRUE(StartWrite(image, cmcAddressRanges{}));
  ASSERT_TRUE(RunToState(cmcCloneDrv::kEndAnswer));
  EXPECT_EQ(WrittenToDevice(), Concat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE3, 0x36, 0x21, 0x00, 0x01, 0xFD},
                                       {0xFE, 0xFE, 0xEE, 0xEF, 0xE5},
                                       kMaker,
                                       Ascii("00"),
                                       {0xFD}}));
}

TEST_F(WireTest, AWriteRangeOutsideTheImageIsRefusedAtStart) {
  cmcEeprom image;
  image.SetSize(0x100);
  EXPECT_FALSE(StartWrite(image, {{0xF0, 0x100}}));
  EXPECT_FALSE(driver->IsBusy());
  clock.Advance(1000);
  EXPECT_TRUE(results.empty());
}

struct TimeOutCase {
  const char* name;
  int state;
  uint32_t limitMs;
  std::function<void(CloneRig&)> start;
  // When the state's time limit starts running; by default when the state is entered.
  std::function<bool(CloneRig&)> armed = nullptr;
};

TEST_F(WireTest, EveryWaitingStateEndsWithItsOwnTimeLimit) {
  static cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  const TimeOutCase cases[] = {
      {"script output never leaves", cmcCloneDrv::kScript, 700,
       [](CloneRig& r) {
         r.device.SetAutoDrain(false);
         r.driver->SetScript("(9600,N,8,1)FEFE EEEF E8 36210000 55 3030 FD");
         r.StartInformation();
       },
       [](CloneRig& r) { return !r.device.Written().empty(); }},
      {"information answer", cmcCloneDrv::kInfoAnswer, 1500, [](CloneRig& r) { r.StartInformation(); }},
      {"read data", cmcCloneDrv::kReceiveData, 700, [](CloneRig& r) { r.StartRead(nullptr); }},
      {"write ready", cmcCloneDrv::kWriteReady, 2500,
       [](CloneRig& r) {
         r.driver->SetWaitWriteReady(true);
         r.StartWrite(image, {{0, 0xFF}});
       }},
      {"block ready", cmcCloneDrv::kBlockReady, 700,
       [](CloneRig& r) {
         r.driver->SetPacing(128, 0);
         r.StartWrite(image, {{0, 0xFF}});
       }},
      {"end answer", cmcCloneDrv::kEndAnswer, 3500,
       [](CloneRig& r) {
         r.StartWrite(image, {{0, 0x3F}});
       }},
      {"drain of output that never leaves", cmcCloneDrv::kDrain, 700,
       [](CloneRig& r) {
         r.device.SetAutoDrain(false);
         r.StartInformation();
       }},
  };
  for (const TimeOutCase& c : cases) {
    SCOPED_TRACE(c.name);
    CloneRig rig;
    rig.driver->SetPort(kDevicePort, "9600,n,8,1");
    rig.driver->SetEchoDetection(false);
    rig.driver->SetDefaultTimeLimit(700);
    rig.driver->SetInformationTimeLimit(1500);
    rig.driver->SetWriteReadyTimeLimit(2500);
    rig.driver->SetEndAnswerTimeLimit(3500);
    c.start(rig);
    ASSERT_TRUE(rig.RunToState(c.state));
    for (uint32_t t = 0; c.armed && !c.armed(rig) && t < 1000; ++t) rig.clock.Advance(1);
    const uint32_t armedAt = rig.clock.NowMs();
    uint32_t left = armedAt;
    while (rig.driver->GetState() == c.state && left - armedAt < 10000) {
      rig.clock.Advance(1);
      left = rig.clock.NowMs();
    }
    EXPECT_GE(left - armedAt, c.limitMs);
    EXPECT_LE(left - armedAt, c.limitMs + 20);
    EXPECT_EQ(rig.RunToEnd().code, R::kTimeOut);
  }
}

TEST_F(WireTest, NoAnswerToE0EndsAfterTheInformationLimitNotTheDefault) {
  driver->SetDefaultTimeLimit(200);
  driver->SetInformationTimeLimit(3000);
  ASSERT_TRUE(StartInformation());
  ASSERT_TRUE(RunToState(cmcCloneDrv::kInfoAnswer));
  clock.Advance(2900);
  EXPECT_TRUE(results.empty());
  EXPECT_EQ(RunToEnd().code, R::kTimeOut);
}

TEST_F(WireTest, ReadDataKeepsTheTimeLimitAliveOnlyWithCompleteFrames) {
  driver->SetDefaultTimeLimit(500);
  ASSERT_TRUE(StartRead(nullptr));
  ASSERT_TRUE(RunToState(cmcCloneDrv::kReceiveData));
  const uint32_t entered = clock.NowMs();
  // Whole frames every 400 ms keep it going; a half frame does not.
  for (int i = 0; i < 3; ++i) {
    clock.Advance(400);
    device.Feed(DataFrame(kZeros0000));
  }
  clock.Advance(400);
  device.Feed(Bytes({0xFE, 0xFE, 0xEF, 0xEE, 0xE4, '0', '0'}));
  clock.Advance(50);
  EXPECT_TRUE(results.empty());
  EXPECT_EQ(RunToEnd().code, R::kTimeOut);
  EXPECT_LE(doneAt[0] - entered, 1200u + 500u + 40u);
  EXPECT_EQ(driver->DataBytesTransferred(), 48);
}

// Completion.

TEST_F(WireTest, CancelEndsARunningExchangeWithOneCallback) {
  ASSERT_TRUE(StartInformation());
  ASSERT_TRUE(RunToState(cmcCloneDrv::kInfoAnswer));
  driver->Cancel();
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].code, R::kCancelled);
  EXPECT_FALSE(driver->IsBusy());
  EXPECT_FALSE(driver->Comm().IsOpen());
  driver->Cancel();
  clock.Advance(5000);
  EXPECT_EQ(results.size(), 1u);
  EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(WireTest, ACancelFromInsideAStepTakesEffectWhenTheStepReturns) {
  // The radio's handler runs inside the driver's write of the script command.
  driver->SetPort(kRadioPort, "9600,n,8,1");
  radio.SetServiceHandler(0x42, [this](cmcSimRadio&, const cmcSimRadio::ServiceCommand&) {
    driver->Cancel();
    EXPECT_TRUE(results.empty());
    return std::optional<uint8_t>();
  });
  driver->SetScript("(9600,N,8,1)FEFE EEEF E8 36210000 42 3030 FD");
  ASSERT_TRUE(StartInformation());
  EXPECT_EQ(RunToEnd().code, R::kCancelled);
  clock.Advance(5000);
  EXPECT_EQ(results.size(), 1u);
  EXPECT_EQ(radio.ServiceLog().size(), 1u);
}

TEST_F(WireTest, DestroyingTheDriverMidExchangeCallsBackOnce) {
  ASSERT_TRUE(StartRead(nullptr));
  ASSERT_TRUE(RunToState(cmcCloneDrv::kReceiveData));
  driver.reset();
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].code, R::kCancelled);
  clock.Advance(5000);
  EXPECT_EQ(results.size(), 1u);
}

TEST_F(WireTest, AStartWhileBusyIsRefusedAndTheRunningOneEndsOnce) {
  ASSERT_TRUE(StartInformation());
  EXPECT_FALSE(StartInformation());
  EXPECT_FALSE(StartRead(nullptr));
  EXPECT_EQ(RunToEnd().code, R::kTimeOut);
  clock.Advance(5000);
  EXPECT_EQ(results.size(), 1u);
  EXPECT_EQ(clock.ActiveTimers(), 0);
}

struct Chain {
  CloneRig* rig;
  int calls = 0;
  bool destroy = false;
  bool cancelNext = false;
  static void OnDone(void* context, dst_CDrv_Result& result) {
    auto* chain = static_cast<Chain*>(context);
    ++chain->calls;
    chain->rig->results.push_back(result);
    if (chain->destroy) {
      chain->rig->driver.reset();
      return;
    }
    if (chain->calls == 1) {
      EXPECT_FALSE(chain->rig->driver->IsBusy());
      EXPECT_TRUE(chain->rig->driver->StartInformation(&Chain::OnDone, chain));
      if (chain->cancelNext) chain->rig->driver->Cancel();
    }
  }
};

TEST_F(WireTest, TheCallbackMayStartTheNextExchangeOrDestroyTheDriver) {
  for (int variant = 0; variant < 3; ++variant) {
    SCOPED_TRACE(variant);
    CloneRig rig;
    rig.driver->SetPort(kDevicePort, "9600,n,8,1");
    rig.driver->SetEchoDetection(false);
    Chain chain{&rig};
    chain.destroy = variant == 1;
    chain.cancelNext = variant == 2;
    ASSERT_TRUE(rig.driver->StartInformation(&Chain::OnDone, &chain));
    rig.RunToEnd();
    const int expectedCalls = variant == 1 ? 1 : 2;
    for (uint32_t t = 0; t < 10000 && chain.calls < expectedCalls; t += 10) rig.clock.Advance(10);
    rig.clock.Advance(5000);
    EXPECT_EQ(chain.calls, expectedCalls);
    if (variant == 2) {
      EXPECT_EQ(rig.results.back().code, R::kCancelled);
    }
    if (rig.driver) {
      EXPECT_FALSE(rig.driver->IsBusy());
    }
  }
}

}  // namespace
