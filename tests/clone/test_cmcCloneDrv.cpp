// The clone driver against the simulated radio: whole exchanges, echo, faults,
// time-outs and the completion contract.
#include <gtest/gtest.h>

#include <functional>

#include "CloneRig.h"

namespace {

using R = dst_CDrv_Result;

const Bytes kProbe = {0xFE, 0xFE, 0xFE, 0xFE};
const Bytes kE0 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x36, 0x21, 0x00, 0x01, 0xFD};
const Bytes kE2 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE2, 0x36, 0x21, 0x00, 0x01, 0xFD};
const Bytes kE3 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE3, 0x36, 0x21, 0x00, 0x01, 0xFD};

uint8_t Pattern(int address) { return static_cast<uint8_t>(address * 7 + 3); }

void FillPattern(cmcEeprom& image) {
  for (int a = 0; a < image.GetSize(); ++a) image.SetByte(a, Pattern(a));
}

// The write settings the clone manager uses.
void ConfigureLikeTheManagerForWrite(cmcCloneDrv& d) {
  d.SetWaitWriteReady(true);
  d.SetPacing(128, 0);
  d.SetDefaultTimeLimit(2000);
  d.SetWriteReadyTimeLimit(5000);
}

size_t Find(const Bytes& haystack, const Bytes& needle, size_t from = 0) {
  auto it =
      std::search(haystack.begin() + static_cast<std::ptrdiff_t>(from), haystack.end(), needle.begin(), needle.end());
  return it == haystack.end() ? std::string::npos : static_cast<size_t>(it - haystack.begin());
}

int CountOf(const Bytes& haystack, const Bytes& needle) {
  int n = 0;
  for (size_t at = Find(haystack, needle); at != std::string::npos; at = Find(haystack, needle, at + 1)) ++n;
  return n;
}

class CloneDrvTest : public ::testing::Test, public CloneRig {};

TEST_F(CloneDrvTest, IdentificationSendsOneProbeThenE0AndTakesTheRadiosRecord) {
  driver->SetCommandPreamble(2);
  radio.GetIdentity().serial = "202312004711";
  radio.GetIdentity().flags = cmcSimRadio::kFlagPassword;
  radio.GetIdentity().highestAddress = 0x123F;
  ASSERT_TRUE(StartInformation());
  const R& r = RunToEnd();

  EXPECT_EQ(ReceivedByRadio(), Concat({kProbe, {0xFE, 0xFE}, kE0}));
  EXPECT_EQ(r.operation, R::kInformation);
  EXPECT_EQ(r.code, R::kSuccess);
  EXPECT_EQ(r.modelCode, 0x3621);
  EXPECT_EQ(r.subCode, 0x0001);
  ASSERT_EQ(r.information.GetLength(), 78);
  const uint8_t* info = r.information.Data();
  EXPECT_EQ(info[0], 78);
  EXPECT_EQ(info[35], 1);
  EXPECT_EQ(std::string(info + 37, info + 49), "202312004711");
  EXPECT_EQ(info[53], 0x08);
  EXPECT_EQ(std::string(info + 62, info + 66), "123F");
  EXPECT_FALSE(driver->IsBusy());
  EXPECT_FALSE(driver->Comm().IsOpen());
  EXPECT_FALSE(driver->EchoPresent());
}

TEST_F(CloneDrvTest, FullReadOfTheEepromAreaFillsImageAndBitmapExactly) {
  FillPattern(radio.Image());
  const cmcAddressRanges ranges = cmcAddressRanges::EepromArea();
  ASSERT_TRUE(StartRead(&ranges));
  const R& r = RunToEnd();

  EXPECT_EQ(ReceivedByRadio(), Concat({kProbe, kE2}));
  ASSERT_EQ(r.code, R::kSuccess);
  EXPECT_EQ(r.operation, R::kRead);
  ASSERT_EQ(r.image.GetSize(), cmcEeprom::kImageSize);
  for (int a : {0, 1, 0x200, 0x7D7F}) EXPECT_EQ(r.image.GetByte(a), Pattern(a)) << a;
  EXPECT_EQ(r.image.GetByte(0x7D80), 0);
  EXPECT_TRUE(r.IsLoaded(0x7D7F));
  EXPECT_FALSE(r.IsLoaded(0x7D80));
  EXPECT_EQ(driver->DataBytesTransferred(), 0x7D80);
}

TEST_F(CloneDrvTest, FullWriteSendsGoldenFramesAndTheRadioStoresTheImage) {
  ConfigureLikeTheManagerForWrite(*driver);
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  FillPattern(image);
  for (int a = 0x200; a < 0x210; ++a) image.SetByte(a, 0);
  const cmcAddressRanges ranges{{0x200, 0x7D7F}};
  ASSERT_TRUE(StartWrite(image, ranges));
  const R& r = RunToEnd();

  ASSERT_EQ(r.code, R::kSuccess);
  const Bytes wire = ReceivedByRadio();
  const Bytes firstData =
      Concat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE4}, Ascii("020010"), Ascii(std::string(32, '0')), Ascii("EE"), {0xFD}});
  const Bytes head = Concat({kProbe, kE3, firstData});
  EXPECT_EQ(Bytes(wire.begin(), wire.begin() + static_cast<std::ptrdiff_t>(head.size())), head);
  EXPECT_EQ(CountOf(wire, {0xFE, 0xFE, 0xEE, 0xEF, 0xE4}), 1976);
  const Bytes end = Concat(
      {{0xFE, 0xFE, 0xEE, 0xEF, 0xE5, 0x5A, 0x65, 0x6C, 0x6B, 0x20, 0x49, 0x6E, 0x63, 0x2E}, Ascii("B8"), {0xFD}});
  EXPECT_EQ(Bytes(wire.end() - static_cast<std::ptrdiff_t>(end.size()), wire.end()), end);
  EXPECT_EQ(radio.WriteFramesStored(), 1976);
  EXPECT_EQ(radio.BadWriteFrames(), 0);
  EXPECT_EQ(radio.Image().GetByte(0x1FF), 0);
  EXPECT_EQ(radio.Image().GetByte(0x210), Pattern(0x210));
  EXPECT_EQ(radio.Image().GetByte(0x7D7F), Pattern(0x7D7F));
  EXPECT_EQ(radio.Image().GetByte(0x7D80), 0);
  EXPECT_EQ(driver->DataBytesTransferred(), 0x7D80 - 0x200);
}

TEST_F(CloneDrvTest, DataPreamblesGoBeforeTheFirstAndTheLaterFrames) {
  driver->SetEchoDetection(false);
  driver->SetDataPreambles(1, 3);
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  ASSERT_TRUE(StartWrite(image, {{0x10, 0x2F}}));
  ASSERT_EQ(RunToEnd().code, R::kSuccess);
  const Bytes wire = ReceivedByRadio();
  const Bytes first = {0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xEE, 0xEF, 0xE4, '0', '0', '1', '0'};
  const Bytes later = {0xFD, 0xFE, 0xFE, 0xFE, 0xEE, 0xEF, 0xE4, '0', '0', '2', '0'};
  EXPECT_EQ(Find(wire, first), kE3.size());
  EXPECT_NE(Find(wire, later), std::string::npos);
}

struct EchoCase {
  const char* name;
  cmcSimRadio::Echo echo;
  bool echoPresent;
};

TEST_F(CloneDrvTest, EchoDetectionFindsTheCableAndWholeExchangesStillSucceed) {
  const EchoCase cases[] = {{"no echo", cmcSimRadio::Echo::Off, false},
                            {"echoing cable", cmcSimRadio::Echo::All, true}};
  for (const EchoCase& c : cases) {
    SCOPED_TRACE(c.name);
    radio.SetEcho(c.echo);
    FillPattern(radio.Image());
    results.clear();
    ASSERT_TRUE(StartInformation());
    EXPECT_EQ(RunToEnd().code, R::kSuccess);
    EXPECT_EQ(driver->EchoPresent(), c.echoPresent);

    results.clear();
    const cmcAddressRanges ranges{{0, 0x7FF}};
    radio.SetReadRanges(ranges);
    ASSERT_TRUE(StartRead(&ranges));
    EXPECT_EQ(RunToEnd().code, R::kSuccess);

    results.clear();
    ConfigureLikeTheManagerForWrite(*driver);
    cmcEeprom image;
    image.SetSize(cmcEeprom::kImageSize);
    ASSERT_TRUE(StartWrite(image, {{0x200, 0x7FF}}));
    EXPECT_EQ(RunToEnd().code, R::kSuccess);
    EXPECT_EQ(radio.Image().GetByte(0x300), 0);
  }
}

TEST_F(CloneDrvTest, EchoDetectionOffKeepsAPresetEchoAndCancelsIt) {
  radio.SetEcho(cmcSimRadio::Echo::All);
  driver->SetEchoDetection(false);
  driver->SetEchoPresent(true);
  ASSERT_TRUE(StartInformation());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_EQ(ReceivedByRadio(), kE0);
}

TEST_F(CloneDrvTest, ACableThatEchoesEveryOtherByteEndsWithCode4) {
  radio.SetEcho(cmcSimRadio::Echo::EveryOther);
  ASSERT_TRUE(StartInformation());
  EXPECT_EQ(RunToEnd().code, R::kEchoFailed);
  EXPECT_TRUE(driver->EchoPresent());
}

TEST_F(CloneDrvTest, EchoExpectedButNeverComingEndsWithCode4AtTheTimeOut) {
  driver->SetEchoDetection(false);
  driver->SetEchoPresent(true);
  radio.GetFaults().noAnswer = true;
  ASSERT_TRUE(StartInformation());
  EXPECT_EQ(RunToEnd().code, R::kEchoFailed);
}

TEST_F(CloneDrvTest, AnotherPortNumberSwitchesAPresetEchoOff) {
  table.SetEntry(3, "sim:");
  driver->SetPort(3, "9600,n,8,1");
  driver->SetEchoDetection(false);
  driver->SetEchoPresent(true);
  ASSERT_TRUE(StartInformation());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_FALSE(driver->EchoPresent());
}

enum class Op { Info, Read, Write };

struct FaultCase {
  const char* name;
  Op op;
  std::function<void(CloneRig&)> setup;
  uint8_t code;
};

TEST_F(CloneDrvTest, EachInjectedFaultGivesItsResultCode) {
  using SR = cmcSimRadio;
  const FaultCase cases[] = {
      {"radio silent", Op::Info, [](CloneRig& r) { r.radio.GetFaults().noAnswer = true; }, R::kTimeOut},
      {"E1 loses its FD", Op::Info, [](CloneRig& r) { r.radio.GetFaults().dropByte = 2 + 7 + 78; }, R::kTimeOut},
      {"E1 model code not BCD", Op::Info, [](CloneRig& r) { r.radio.GetIdentity().modelCode = 0x362A; }, R::kBadFrame},
      {"E1 address byte corrupted", Op::Info, [](CloneRig& r) { r.radio.GetFaults().corruptByte = 3; }, R::kBadFrame},
      {"read frame loses a digit", Op::Read, [](CloneRig& r) { r.radio.GetFaults().dropByte = 100; }, R::kBadFrame},
      {"read digit corrupted", Op::Read, [](CloneRig& r) { r.radio.GetFaults().corruptByte = 100; }, R::kBadFrame},
      {"read checksum off", Op::Read, [](CloneRig& r) { r.radio.GetFaults().badChecksumFrame = 5; }, R::kBadFrame},
      {"read in lower case", Op::Read, [](CloneRig& r) { r.radio.GetFaults().lowercaseHex = true; }, R::kBadFrame},
      {"read stops after 3 frames", Op::Read, [](CloneRig& r) { r.radio.GetFaults().stopAfterFrames = 3; },
       R::kTimeOut},
      {"read end without counter", Op::Read,
       [](CloneRig& r) { r.radio.GetFaults().endCounter = SR::EndCounter::Missing; }, R::kBadFrame},
      {"read end with wrong counter", Op::Read,
       [](CloneRig& r) { r.radio.GetFaults().endCounter = SR::EndCounter::Wrong; }, R::kBadCounter},
      {"read misses one address", Op::Read,
       [](CloneRig& r) {
         r.radio.SetReadRanges({{0, 0x7E}});
       },
       R::kMissing},
      {"read sends one address more", Op::Read,
       [](CloneRig& r) {
         r.radio.SetReadRanges({{0, 0x80}});
       },
       R::kOutside},
      {"read data past the image", Op::Read,
       [](CloneRig& r) {
         r.radio.SetReadRanges({{0, 0x7F}, {cmcEeprom::kImageSize - 4, cmcEeprom::kImageSize}});
       },
       R::kOutside},
      {"locked radio ignores a read", Op::Read,
       [](CloneRig& r) {
         r.radio.GetIdentity().flags = SR::kFlagPassword;
         r.radio.SetPassword("secret");
       },
       R::kTimeOut},
      {"write refused with FA", Op::Write, [](CloneRig& r) { r.radio.GetFaults().refuseWrite = true; }, R::kBadFrame},
      {"locked radio refuses a write", Op::Write,
       [](CloneRig& r) {
         r.radio.GetIdentity().flags = SR::kFlagPassword;
         r.radio.SetPassword("secret");
       },
       R::kBadFrame},
      {"write stops after 4 frames", Op::Write, [](CloneRig& r) { r.radio.GetFaults().stopAfterFrames = 4; },
       R::kTimeOut},
      {"write answered E6 01", Op::Write,
       [](CloneRig& r) {
         r.radio.GetFaults().endAnswer = Bytes{0xEF, 0xEE, 0xE6, 0x01};
       },
       R::kBadEndAnswer},
      {"write answered E6 00 00", Op::Write,
       [](CloneRig& r) {
         r.radio.GetFaults().endAnswer = Bytes{0xEF, 0xEE, 0xE6, 0x00, 0x00};
       },
       R::kBadEndAnswer},
      {"no device for the port", Op::Info, [](CloneRig& r) { r.driver->SetPort(200, "9600,n,8,1"); }, R::kOpenFailed},
      {"device refuses to open", Op::Read, [](CloneRig& r) { r.radioFaults.RefuseOpen(EBUSY); }, R::kOpenFailed},
      {"port write fails", Op::Write, [](CloneRig& r) { r.radioFaults.FailAfterWritten(4 + 10 + 46 * 3); },
       R::kPortWriteFailed},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    CloneRig rig;
    ConfigureLikeTheManagerForWrite(*rig.driver);
    const cmcAddressRanges ranges{{0, 0x7F}};
    rig.radio.SetReadRanges(ranges);
    c.setup(rig);
    cmcEeprom image;
    image.SetSize(cmcEeprom::kImageSize);
    switch (c.op) {
      case Op::Info:
        ASSERT_TRUE(rig.StartInformation());
        break;
      case Op::Read:
        ASSERT_TRUE(rig.StartRead(&ranges));
        break;
      case Op::Write:
        ASSERT_TRUE(rig.StartWrite(image, {{0x200, 0x3FF}}));
        break;
    }
    EXPECT_EQ(rig.RunToEnd().code, c.code);
    EXPECT_EQ(rig.results.size(), 1u);
    EXPECT_FALSE(rig.driver->Comm().IsOpen());
  }
}

TEST_F(CloneDrvTest, TheDriverTakesTheRadiosModelCodeWithoutJudgingIt) {
  radio.GetFaults().answerModelCode = 0x2926;
  ASSERT_TRUE(StartInformation());
  const R& r = RunToEnd();
  EXPECT_EQ(r.code, R::kSuccess);
  EXPECT_EQ(r.modelCode, 0x2926);
}

TEST_F(CloneDrvTest, AReadWithoutRangesAcceptsWhateverTheRadioSends) {
  radio.SetReadRanges({{0x100, 0x10F}});
  ASSERT_TRUE(StartRead(nullptr));
  const R& r = RunToEnd();
  EXPECT_EQ(r.code, R::kSuccess);
  EXPECT_TRUE(r.IsLoaded(0x100));
  EXPECT_FALSE(r.IsLoaded(0xFF));
}

TEST_F(CloneDrvTest, ReadFramesOf255BytesAreAccepted) {
  FillPattern(radio.Image());
  radio.SetReadFrameSize(255);
  const cmcAddressRanges ranges{{0, 0x7FF}};
  radio.SetReadRanges(ranges);
  ASSERT_TRUE(StartRead(&ranges));
  const R& r = RunToEnd();
  EXPECT_EQ(r.code, R::kSuccess);
  EXPECT_EQ(r.image.GetByte(0x7FF), Pattern(0x7FF));
}

TEST_F(CloneDrvTest, ASlowPacedLineStillCompletesAWrite) {
  // About 9600 baud each way: output backs up, and the frame reaching each pacing
  // boundary must still go out, or the radio never sends its FB.
  ConfigureLikeTheManagerForWrite(*driver);
  radio.SetUplinkRate(1);
  radio.SetRate(1);
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  FillPattern(image);
  ASSERT_TRUE(StartWrite(image, {{0x200, 0xFFF}}));
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
  EXPECT_EQ(radio.Image().GetByte(0xFFF), Pattern(0xFFF));
  EXPECT_EQ(radio.WriteFramesStored(), (0x1000 - 0x200) / 16);
}

TEST(CloneDrvScript, SwitchesSpeedSendsThePasswordAndSelectsTheModeOnAnyLine) {
  // The clone manager's read script for a password-protected radio left at 38400 baud.
  // On a slow line each element is still on its way when the next one is due: the port
  // reopens only once it has left, or the reopen would cut it off.
  for (const int uplinkRate : {0, 1}) {
    SCOPED_TRACE(uplinkRate);
    CloneRig rig;
    cmcSimRadio& radio = rig.radio;
    radio.SetUplinkRate(uplinkRate);
    radio.SetRadioBaud(38400);
    radio.GetIdentity().flags = cmcSimRadio::kFlagPassword;
    radio.SetPassword("AB");
    rig.driver->SetScript(
        "(38400,N,8,1)FEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFE EEEF E8 36210000 01 3237 FD"
        "(9600,N,8,1)"
        "FEFE EEEF E8 36210000 99 02 7D4142 FD"
        "FEFE EEEF E8 36210000 55 3030 FD"
        "(38400,N,8,1)FEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFE EEEF E8 36210000 01 3237 FD");
    const cmcAddressRanges ranges{{0, 0xFF}};
    radio.SetReadRanges(ranges);
    ASSERT_TRUE(rig.StartRead(&ranges));
    EXPECT_EQ(rig.RunToEnd().code, R::kSuccess);
    ASSERT_EQ(radio.ServiceLog().size(), 3u);
    EXPECT_EQ(radio.ServiceLog()[0].code, cmcSimRadio::kServiceSpeed);
    EXPECT_EQ(radio.ServiceLog()[1].code, cmcSimRadio::kServicePassword);
    EXPECT_EQ(radio.ServiceLog()[2].payload, Ascii("00"));
    EXPECT_EQ(radio.Mode(), "00");
    EXPECT_EQ(radio.RadioBaud(), 9600);
    EXPECT_EQ(radio.OpenCount(), 4);
  }
}

TEST_F(CloneDrvTest, AScriptSettingsElementThatCannotOpenEndsWithCode2) {
  driver->SetScript("(9600,N,8,1)FEFE(nonsense)FEFE EEEF E8 36210000 55 3030 FD");
  ASSERT_TRUE(StartInformation());
  EXPECT_EQ(RunToEnd().code, R::kOpenFailed);
  EXPECT_TRUE(radio.ServiceLog().empty());
  // The script is consumed: the next operation runs without it.
  results.clear();
  ASSERT_TRUE(StartInformation());
  EXPECT_EQ(RunToEnd().code, R::kSuccess);
}

TEST_F(CloneDrvTest, ServiceHandlersAnswerWithTheE8AnswerFrame) {
  radio.SetServiceHandler(0x03, [](cmcSimRadio&, const cmcSimRadio::ServiceCommand& c) -> std::optional<uint8_t> {
    return c.payload == Ascii("04") ? std::optional<uint8_t>(0x4A) : std::nullopt;
  });
  radio.Open("sim:");
  const Bytes command = {0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0x36, 0x21, 0x00, 0x00, 0x03, '0', '4', 0xFD};
  radio.Write(command.data(), static_cast<int>(command.size()));
  uint8_t answer[32];
  const int n = radio.Read(answer, sizeof answer);
  EXPECT_EQ(Bytes(answer, answer + n),
            Bytes({0xFE, 0xFE, 0xEF, 0xEE, 0xE8, 0x36, 0x21, 0x00, 0x01, 0x03, '4', 'A', 0xFD}));
}

}  // namespace
