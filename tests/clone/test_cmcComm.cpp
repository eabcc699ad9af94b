#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

#include "clone/cmcComm.h"
#include "clone/cmcFaultSerial.h"
#include "clone/cmcMemorySerial.h"
#include "clone/cmcPortTable.h"
#include "clone/cmcSerialFactory.h"
#include "clone/cmcSerialRef.h"
#include "runtime/cmcVirtualClock.h"

namespace {

constexpr int kPort = 5;
constexpr const char* kSettings = "9600,n,8,1";

std::vector<uint8_t> Pattern(int count) {
  std::vector<uint8_t> bytes(static_cast<size_t>(count));
  std::iota(bytes.begin(), bytes.end(), uint8_t{0});
  return bytes;
}

// A port over an in-memory device behind a fault injector, on a virtual clock.
struct Rig {
  Rig() {
    table.SetEntry(kPort, "mem:5");
    factory.Register("mem:", [this](const std::string&) { return std::make_unique<cmcSerialRef>(fault); });
  }

  void Send(const std::vector<uint8_t>& bytes) { comm.Write(bytes.data(), static_cast<int>(bytes.size())); }
  const std::vector<int>& Calls() const { return device.WriteCalls(); }

  cmcVirtualClock clock;
  cmcPortTable table;
  cmcSerialFactory factory{table};
  cmcMemorySerial device;
  cmcFaultSerial fault{device};
  cmcComm comm{clock, factory};
};

class CommTest : public ::testing::Test, public Rig {};

TEST_F(CommTest, NewPortIsClosedWithTheCloneDefaults) {
  EXPECT_FALSE(comm.IsOpen());
  EXPECT_EQ(comm.Settings(), cmcLineSettings{});
  EXPECT_EQ(comm.Settings().baud, 9600);
  EXPECT_EQ(comm.RtsMode(), cmcComm::kRtsEnable);
  EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(CommTest, OpenPurgesAndAppliesTheLineSettingsWithRtsOnAndDtrOff) {
  device.SetLoopback(true);
  ASSERT_TRUE(comm.Open(kPort, "38400,N,8,2"));
  EXPECT_TRUE(comm.IsOpen());
  EXPECT_EQ(device.OpenedPath(), "mem:5");
  EXPECT_EQ(comm.DevicePath(), "mem:5");
  EXPECT_EQ(comm.PortNumber(), kPort);
  EXPECT_EQ(device.PurgeCount(), 1);
  ASSERT_TRUE(device.Configured().has_value());
  EXPECT_EQ(device.Configured()->baud, 38400);
  EXPECT_EQ(device.Configured()->stopBits, cmcLineSettings::StopBits::Two);
  EXPECT_TRUE(device.Rts());
  EXPECT_FALSE(device.Dtr());
  EXPECT_EQ(comm.LastError().GetKind(), cmcPortError::Kind::None);
}

TEST_F(CommTest, OpenOfAnOpenPortFailsWithoutClosingIt) {
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  EXPECT_FALSE(comm.Open(kPort, "38400,n,8,1"));
  EXPECT_TRUE(comm.IsOpen());
  EXPECT_EQ(device.OpenCount(), 1);
  EXPECT_EQ(device.Configured()->baud, 9600);
}

TEST_F(CommTest, OpenFailuresAreClassifiedAndLeaveThePortClosed) {
  using Kind = cmcPortError::Kind;
  struct Case {
    const char* name;
    std::function<void(Rig&)> arrange;
    int port;
    const char* settings;
    Kind kind;
  };
  const Case cases[] = {
      {"settings string lacks a field", nullptr, kPort, "9600,n,8", Kind::BadSettings},
      {"number names no device", nullptr, 200, kSettings, Kind::NoDevice},
      {"device missing", [](Rig& t) { t.fault.RefuseOpen(ENOENT); }, kPort, kSettings, Kind::NotFound},
      {"no permission", [](Rig& t) { t.fault.RefuseOpen(EACCES); }, kPort, kSettings, Kind::NoPermission},
      {"held by another program", [](Rig& t) { t.fault.RefuseOpen(EBUSY); }, kPort, kSettings, Kind::Busy},
      {"input and output error", [](Rig& t) { t.fault.RefuseOpen(EIO); }, kPort, kSettings, Kind::Failed},
      {"purge refused", [](Rig& t) { t.device.SetPurgeFails(true); }, kPort, kSettings, Kind::Failed},
      {"line settings refused", [](Rig& t) { t.device.SetConfigureFails(true); }, kPort, kSettings, Kind::BadSettings},
      {"simulated radio not there yet", [](Rig& t) { t.table.SetEntry(kPort, "sim:"); }, kPort, kSettings,
       Kind::NotFound},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig t;
    if (c.arrange) c.arrange(t);
    EXPECT_FALSE(t.comm.Open(c.port, c.settings));
    EXPECT_FALSE(t.comm.IsOpen());
    EXPECT_FALSE(t.device.IsOpen());
    EXPECT_EQ(t.comm.PortNumber(), c.port);
    EXPECT_EQ(t.comm.LastError().GetKind(), c.kind);
    EXPECT_EQ(t.comm.LastError().Port(), c.port);
  }
}

TEST_F(CommTest, SuccessfulOpenClearsTheLastError) {
  fault.RefuseOpen(ENOENT);
  ASSERT_FALSE(comm.Open(kPort, kSettings));
  fault.RefuseOpen(0);
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  EXPECT_EQ(comm.LastError().GetKind(), cmcPortError::Kind::None);
}

TEST_F(CommTest, LargeWriteGoesOutInChunksOnlyOnceTheOutputQueueIsEmpty) {
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  const auto data = Pattern(3000);
  Send(data);
  // The first chunk leaves inside Write itself.
  EXPECT_EQ(Calls(), std::vector<int>{1024});
  EXPECT_EQ(comm.PendingOutput(), 3000);
  // Nothing more is handed over while the driver still holds bytes.
  clock.Advance(1000);
  EXPECT_EQ(Calls(), std::vector<int>{1024});

  device.DrainOutput(1000);
  clock.Advance(100);
  EXPECT_EQ(Calls().size(), 1u) << "24 bytes still in the driver";
  device.DrainOutput();
  clock.Advance(10);
  EXPECT_EQ(Calls(), (std::vector<int>{1024, 1024}));
  device.DrainOutput();
  clock.Advance(10);
  EXPECT_EQ(Calls(), (std::vector<int>{1024, 1024, 952}));
  EXPECT_EQ(device.QueuedAtWrite(), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(device.Written(), data);
  EXPECT_EQ(comm.TransmitQueueLength(), 0);
  EXPECT_FALSE(comm.WriteFailed());
}

TEST_F(CommTest, NextChunkFollowsTenMillisecondsAfterTheDriverDrained) {
  device.SetAutoDrain(true);
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  Send(Pattern(2100));
  EXPECT_EQ(Calls().size(), 1u);
  clock.Advance(9);
  EXPECT_EQ(Calls().size(), 1u);
  clock.Advance(1);
  EXPECT_EQ(Calls().size(), 2u);
  clock.Advance(10);
  EXPECT_EQ(Calls(), (std::vector<int>{1024, 1024, 52}));
}

TEST_F(CommTest, IdlePumpKeepsTickingButWritesNothing) {
  device.SetAutoDrain(true);
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  Send(Pattern(10));
  clock.Advance(5000);
  EXPECT_EQ(Calls(), std::vector<int>{10});
  EXPECT_EQ(clock.ActiveTimers(), 1);
}

TEST_F(CommTest, ShortWriteSetsWriteFailedAndBacksOffFor255Milliseconds) {
  device.SetAutoDrain(true);
  device.SetWriteLimit(100);
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  Send(Pattern(300));
  EXPECT_TRUE(comm.WriteFailed());
  EXPECT_EQ(Calls(), std::vector<int>{300});
  // The bytes the driver took are not queued again; the rest stay queued.
  EXPECT_EQ(comm.TransmitQueueLength(), 200);
  clock.Advance(254);
  EXPECT_EQ(Calls().size(), 1u);
  clock.Advance(1);
  EXPECT_EQ(Calls(), (std::vector<int>{300, 200}));
  EXPECT_EQ(device.Written(), std::vector<uint8_t>(Pattern(200)));
}

TEST_F(CommTest, FailedWriteAfterSomeBytesIsSeenOnTheSecondChunk) {
  device.SetAutoDrain(true);
  fault.FailAfterWritten(1500);
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  Send(Pattern(3000));
  EXPECT_FALSE(comm.WriteFailed());
  clock.Advance(10);
  EXPECT_TRUE(comm.WriteFailed());
  EXPECT_EQ(device.Written().size(), 1500u);
  EXPECT_EQ(comm.TransmitQueueLength(), 1500);
}

TEST_F(CommTest, WriteThatFailsOutrightSetsWriteFailed) {
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  device.SetWriteFails(true);
  Send(Pattern(4));
  EXPECT_TRUE(comm.WriteFailed());
}

TEST_F(CommTest, CloseAndReopenClearWriteFailedAndEmptyTheQueue) {
  device.SetWriteLimit(0);
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  Send(Pattern(50));
  ASSERT_TRUE(comm.WriteFailed());
  comm.Close();
  EXPECT_FALSE(comm.WriteFailed());
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(comm.PendingOutput(), 0);
  EXPECT_EQ(clock.ActiveTimers(), 0);
  device.SetWriteLimit(-1);
  clock.Advance(1000);
  EXPECT_EQ(Calls().size(), 1u);
}

TEST_F(CommTest, ClosedPortIgnoresWritesAndReadsNothing) {
  Send(Pattern(20));
  uint8_t buffer[16];
  EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
  EXPECT_EQ(comm.InputWaiting(), 0);
  EXPECT_EQ(comm.OutputWaiting(), 0);
  EXPECT_EQ(comm.PendingOutput(), 0);
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(CommTest, ReadTakesWhatWaitsUpToTheMaximumAtOnce) {
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  device.Feed(Pattern(10));
  EXPECT_EQ(comm.InputWaiting(), 10);
  uint8_t buffer[256] = {};
  EXPECT_EQ(comm.Read(buffer, 4), 4);
  EXPECT_EQ(comm.Read(buffer, 256), 6);
  EXPECT_EQ(buffer[0], 4);
  EXPECT_EQ(buffer[5], 9);
  EXPECT_EQ(comm.Read(buffer, 256), 0);
}

TEST_F(CommTest, FailedReadsAndQueriesCountAsNothing) {
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  device.Feed(Pattern(10));
  device.SetReadFails(true);
  uint8_t buffer[16];
  EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
  device.SetQueriesFail(true);
  EXPECT_EQ(comm.InputWaiting(), 0);
  EXPECT_EQ(comm.OutputWaiting(), 0);
}

TEST_F(CommTest, FaultInjectorCorruptsAndDropsTheChosenBytes) {
  fault.CorruptWritten(1, 0xFF);
  fault.DropWritten(2);
  fault.DropRead(0);
  fault.CorruptRead(2, 0x01);
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  Send({0x10, 0x20, 0x30, 0x40});
  EXPECT_EQ(device.Written(), (std::vector<uint8_t>{0x10, 0xDF, 0x40}));
  EXPECT_FALSE(comm.WriteFailed());
  device.Feed({1, 2, 3, 4});
  uint8_t buffer[8];
  ASSERT_EQ(comm.Read(buffer, sizeof buffer), 3);
  EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 3), (std::vector<uint8_t>{2, 2, 4}));
}

TEST_F(CommTest, SetRtsUsesTheLowTwoBitsAndReappliesTheSettings) {
  struct Case {
    int mode;
    int kept;
    bool rts;
  };
  const Case cases[] = {{0, 0, false}, {1, 1, true}, {2, 2, true}, {3, 3, true}, {4, 0, false}, {5, 1, true}};
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    EXPECT_TRUE(comm.SetRts(c.mode));
    EXPECT_EQ(comm.RtsMode(), c.kept);
    EXPECT_EQ(device.Rts(), c.rts);
    EXPECT_FALSE(device.Dtr());
  }
}

TEST_F(CommTest, RtsModeOutlivesClosingAndSetRtsFailsWhileClosed) {
  EXPECT_FALSE(comm.SetRts(cmcComm::kRtsDisable));
  ASSERT_TRUE(comm.Open(kPort, kSettings));
  EXPECT_FALSE(device.Rts());
  device.SetConfigureFails(true);
  EXPECT_FALSE(comm.SetRts(cmcComm::kRtsEnable));
}

}  // namespace
