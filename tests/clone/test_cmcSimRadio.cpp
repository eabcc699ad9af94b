// The simulated radio's side of the wire, driven byte by byte.
#include <gtest/gtest.h>

#include "CloneRig.h"

namespace {

const Bytes kE0 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x36, 0x21, 0x00, 0x01, 0xFD};
const Bytes kE2 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE2, 0x36, 0x21, 0x00, 0x01, 0xFD};
const Bytes kE3 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE3, 0x36, 0x21, 0x00, 0x01, 0xFD};
const Bytes kE5 = Concat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE5}, Ascii("Zelk Inc.01"), {0xFD}});

struct SimRadioTest : ::testing::Test {
  SimRadioTest() { radio.Open("sim:"); }
  void Send(const Bytes& bytes) { radio.Write(bytes.data(), static_cast<int>(bytes.size())); }
  Bytes Take(int max = 100000) {
    Bytes out(static_cast<size_t>(max));
    out.resize(static_cast<size_t>(radio.Read(out.data(), max)));
    return out;
  }

  cmcVirtualClock clock;
  cmcSimRadio radio{clock};
};

TEST_F(SimRadioTest, IdentificationAnswerIsE1WithTheInformationRecord) {
  cmcSimRadio::Identity& id = radio.GetIdentity();
  id.dataRevision = 0;
  id.flags = cmcSimRadio::kFlagPassword | cmcSimRadio::kFlagNotEnforced;
  id.comment1 = "FIRST";
  id.comment2 = "a second comment that is too long";
  id.firmwareRevision = 0x21;
  id.checksum = 0xBEEF;
  id.model = "RX93";
  Send(kE0);
  const Bytes answer = Take();
  ASSERT_EQ(answer.size(), 2u + 3 + 4 + 78 + 1);
  EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 10),
            Bytes({0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x36, 0x21, 0x00, 0x01, 78}));
  const uint8_t* info = answer.data() + 9;
  EXPECT_EQ(std::string(info + 1, info + 17), "FIRST           ") << "blank-padded";
  EXPECT_EQ(std::string(info + 17, info + 33), "a second comment") << "cut to its field";
  EXPECT_EQ(info[33], 0x21);
  EXPECT_EQ(info[35], 0);
  EXPECT_EQ(std::string(info + 37, info + 49), "202401000123");
  EXPECT_EQ(info[49], 0xBE);
  EXPECT_EQ(info[50], 0xEF);
  EXPECT_EQ(info[53], 0x18);
  EXPECT_EQ(std::string(info + 62, info + 66), "7D7F");
  EXPECT_EQ(std::string(info + 66, info + 74), "RX93    ");
  EXPECT_EQ(answer.back(), 0xFD);
}

TEST_F(SimRadioTest, ReadStreamsAlignedFramesThenTheEndFrameWithTheCount) {
  radio.SetReadRanges({{0x0208, 0x021F}});
  for (int a = 0x208; a < 0x220; ++a) radio.Image().SetByte(a, static_cast<uint8_t>(a));
  Send(kE2);
  const Bytes stream = Take();
  const Bytes expected = Concat({
      {0xFE, 0xFE, 0xEF, 0xEE, 0xE4},
      Ascii("020808"
            "08090A0B0C0D0E0F"
            "92"),
      {0xFD, 0xFE, 0xFE, 0xEF, 0xEE, 0xE4},
      Ascii("021010"
            "101112131415161718191A1B1C1D1E1F"
            "66"),
      {0xFD, 0xFE, 0xFE, 0xEF, 0xEE, 0xE5},
      Ascii("Zelk Inc.02"),
      {0xFD},
  });
  EXPECT_EQ(stream, expected);
}

TEST_F(SimRadioTest, WriteAnswersFbStoresFramesPacesAndAnswersTheEnd) {
  radio.SetWritePacing(0x20, 0);
  Send(kE3);
  EXPECT_EQ(Take(), Bytes({0xFB}));
  Send(Concat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE4},
               Ascii("020010" + std::string(30, '0') +
                     "11"
                     "DD"),
               {0xFD}}));
  EXPECT_EQ(Take(), Bytes{});
  Send(Concat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE4}, Ascii("021010" + std::string(32, '0') + "DE"), {0xFD}}));
  EXPECT_EQ(Take(), Bytes({0xFB}));
  // A frame with a bad checksum is not stored.
  Send(Concat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE4},
               Ascii("022001"
                     "55"
                     "00"),
               {0xFD}}));
  Send(kE5);
  EXPECT_EQ(Take(), Bytes({0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD}));
  EXPECT_EQ(radio.Image().GetByte(0x20F), 0x11);
  EXPECT_EQ(radio.Image().GetByte(0x210), 0x00);
  EXPECT_EQ(radio.WriteFramesStored(), 2);
  EXPECT_EQ(radio.BadWriteFrames(), 1);
  EXPECT_EQ(radio.WriteEndCounter(), "01");
}

TEST_F(SimRadioTest, DataOrEndOutsideAWriteSessionIsIgnored) {
  Send(Concat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE4}, Ascii("021010" + std::string(32, '0') + "DE"), {0xFD}}));
  Send(kE5);
  EXPECT_EQ(Take(), Bytes{});
  EXPECT_EQ(radio.WriteFramesStored(), 0);
}

TEST_F(SimRadioTest, EchoReturnsEveryByteOrEveryOtherOne) {
  radio.GetFaults().noAnswer = true;
  radio.SetEcho(cmcSimRadio::Echo::All);
  Send({0x01, 0x02, 0x03, 0x04});
  EXPECT_EQ(Take(), Bytes({0x01, 0x02, 0x03, 0x04}));
  radio.SetEcho(cmcSimRadio::Echo::EveryOther);
  Send({0x01, 0x02, 0x03, 0x04});
  EXPECT_EQ(Take(), Bytes({0x01, 0x03}));
}

TEST_F(SimRadioTest, EchoComesBeforeTheAnswer) {
  radio.SetEcho(cmcSimRadio::Echo::All);
  Send(kE3);
  EXPECT_EQ(Take(), Concat({kE3, {0xFB}}));
}

TEST_F(SimRadioTest, PacedBytesArriveAtTheSetRatePerMillisecond) {
  radio.SetRate(3);
  Send(kE3);
  Send(kE5);
  EXPECT_EQ(radio.InputWaiting(), 0);
  clock.Advance(1);
  EXPECT_EQ(radio.InputWaiting(), 3);
  clock.Advance(2);
  EXPECT_EQ(Take(), Bytes({0xFB, 0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD}));
  EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(SimRadioTest, TheUplinkRateHoldsBytesAsPendingOutput) {
  radio.SetUplinkRate(4);
  Send(kE3);
  EXPECT_EQ(radio.OutputWaiting(), 10);
  clock.Advance(2);
  EXPECT_EQ(radio.OutputWaiting(), 2);
  EXPECT_EQ(Take(), Bytes{});
  clock.Advance(1);
  EXPECT_EQ(Take(), Bytes({0xFB}));
}

TEST_F(SimRadioTest, DropAndCorruptCountTheRadiosOwnBytesOnly) {
  radio.SetEcho(cmcSimRadio::Echo::All);
  radio.GetFaults().dropByte = 0;
  Send(kE3);
  EXPECT_EQ(Take(), kE3);
  radio.GetFaults().corruptByte = 1;
  radio.GetFaults().corruptMask = 0x0F;
  Send(kE3);
  EXPECT_EQ(Take(), Concat({kE3, {0xF4}}));
}

TEST_F(SimRadioTest, AtAnotherLineSpeedTheRadioHearsNothingButTheCableStillEchoes) {
  radio.SetEcho(cmcSimRadio::Echo::All);
  cmcLineSettings fast;
  fast.baud = 38400;
  radio.Configure(fast);
  Send(kE0);
  EXPECT_EQ(Take(), kE0);
  EXPECT_TRUE(radio.Received().GetLength() == 0);
}

TEST_F(SimRadioTest, SpeedCommandsSwitchTheRadiosLineSpeed) {
  const Bytes to38400 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0x36, 0x21, 0x00, 0x00, 0x01, '0', '9', 0xFD};
  const Bytes to9600 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0x36, 0x21, 0x00, 0x00, 0x01, '2', '7', 0xFD};
  Send(to38400);
  EXPECT_EQ(radio.RadioBaud(), 38400);
  Send(to9600);  // not heard at 9600 any more
  EXPECT_EQ(radio.RadioBaud(), 38400);
  cmcLineSettings fast;
  fast.baud = 38400;
  radio.Configure(fast);
  Send(to9600);
  EXPECT_EQ(radio.RadioBaud(), 9600);
  EXPECT_EQ(radio.ServiceLog().size(), 2u);
  EXPECT_EQ(Take(), Bytes{});
}

struct PasswordCase {
  const char* name;
  Bytes command;
  bool unlocked;
};

TEST_F(SimRadioTest, ThePasswordCommandUnlocksOnlyWithTheRightTextLengthAndChecksum) {
  // "AB": length 02, checksum 100 - (41 + 42) = 7D.
  const PasswordCase cases[] = {
      {"right", {0x02, 0x7D, 'A', 'B'}, true},
      {"wrong text", {0x02, 0x7D, 'A', 'C'}, false},
      {"wrong checksum", {0x02, 0x7C, 'A', 'B'}, false},
      {"wrong length", {0x03, 0x7D, 'A', 'B'}, false},
  };
  for (const PasswordCase& c : cases) {
    SCOPED_TRACE(c.name);
    cmcSimRadio r(clock);
    r.Open("sim:");
    r.GetIdentity().flags = cmcSimRadio::kFlagPassword;
    r.SetPassword("AB");
    const Bytes frame = Concat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0x36, 0x21, 0x00, 0x00, 0x99}, c.command, {0xFD}});
    r.Write(frame.data(), static_cast<int>(frame.size()));
    EXPECT_EQ(r.Unlocked(), c.unlocked);
    r.Write(kE3.data(), static_cast<int>(kE3.size()));
    uint8_t answer[4];
    ASSERT_EQ(r.Read(answer, 4), 1);
    EXPECT_EQ(answer[0], c.unlocked ? 0xFB : 0xFA);
  }
}

TEST_F(SimRadioTest, ServedOnTheSimulatedRadioPathTheRadioKeepsItsStateAcrossOpens) {
  cmcPortTable table;
  table.SetEntry(7, cmcSerialFactory::kSimulatedRadioPath);
  cmcSerialFactory factory(table);
  cmcSimRadio served(clock);
  served.Serve(factory);
  cmcComm comm(clock, factory);
  ASSERT_TRUE(comm.Open(7, "9600,N,8,1"));
  EXPECT_TRUE(served.Rts());
  comm.Write(kE3.data(), static_cast<int>(kE3.size()));
  comm.Close();
  ASSERT_TRUE(comm.Open(7, "9600,N,8,1"));
  comm.Write(kE5.data(), static_cast<int>(kE5.size()));
  uint8_t answer[16];
  EXPECT_EQ(comm.Read(answer, sizeof answer), 7);
  EXPECT_EQ(served.OpenCount(), 2);
}

Bytes ServiceFrame(uint8_t code, const std::string& parameter) {
  return Concat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0x00, 0x00, 0x00, 0x00, code}, Ascii(parameter), {0xFD}});
}

TEST_F(SimRadioTest, AdjustmentCommandsAnswerReadingsKeepSettingsAndWriteBytes) {
  radio.SetAdReading(5, 0x4A);
  Send(ServiceFrame(0x03, "05"));
  EXPECT_EQ(Take(), Bytes({0xFE, 0xFE, 0xEF, 0xEE, 0xE8, 0x36, 0x21, 0x00, 0x01, 0x03, '4', 'A', 0xFD}));
  radio.GetFaults().lowercaseHex = true;
  Send(ServiceFrame(0x03, "05"));
  EXPECT_EQ(Take(), Bytes({0xFE, 0xFE, 0xEF, 0xEE, 0xE8, 0x36, 0x21, 0x00, 0x01, 0x03, '4', 'a', 0xFD}));
  radio.SetAdReader([](const cmcSimRadio& r, int channel) { return static_cast<uint8_t>(r.Setting(19) + channel); });
  Send(ServiceFrame(0x13, "20"));
  Send(ServiceFrame(0x03, "01"));
  EXPECT_EQ(Take(), Bytes({0xFE, 0xFE, 0xEF, 0xEE, 0xE8, 0x36, 0x21, 0x00, 0x01, 0x03, '2', '1', 0xFD}));

  // Settings and byte writes need no answer.
  Send(ServiceFrame(0x00, "07"));
  Send(ServiceFrame(0x40, "A8"));
  Send(ServiceFrame(0x41, "3C"));
  Send(ServiceFrame(0x14, "zz"));
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(radio.Setting(0x00), 7);
  EXPECT_EQ(radio.Setting(0x13), 0x20);
  EXPECT_EQ(radio.Setting(0x14), -1);
  EXPECT_EQ(radio.Image().GetByte(0xA8), 0x3C);
}

}  // namespace
