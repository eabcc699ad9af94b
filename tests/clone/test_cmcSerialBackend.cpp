// The contract every serial backend keeps, run against each implementation: the
// in-memory device, the fault injector and forwarding reference in front of it, and
// the POSIX terminal backend on a pseudo-terminal.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "clone/cmcFaultSerial.h"
#include "clone/cmcMemorySerial.h"
#include "clone/cmcPosixSerial.h"
#include "clone/cmcPtyPair.h"
#include "clone/cmcSerialRef.h"

namespace {

// One backend with the far end of its line.
class Harness {
 public:
  virtual ~Harness() = default;
  virtual cmcSerialBackend& Backend() = 0;
  virtual std::string Path() const = 0;
  // The line delivers bytes to the backend.
  virtual void LineSends(const std::vector<uint8_t>& bytes) = 0;
  // What the backend put on the line, up to count bytes.
  virtual std::vector<uint8_t> LineReceives(size_t count) = 0;
  // Waits until at least count bytes are waiting in the backend.
  virtual bool WaitInput(int count) = 0;
};

class MemoryHarness : public Harness {
 public:
  std::string Path() const override { return "mem:"; }
  void LineSends(const std::vector<uint8_t>& bytes) override { device_.Feed(bytes); }
  std::vector<uint8_t> LineReceives(size_t count) override {
    const size_t before = device_.Written().size() - static_cast<size_t>(device_.OutputWaiting());
    device_.DrainOutput(static_cast<int>(count));
    const auto& all = device_.Written();
    return {all.begin() + static_cast<std::ptrdiff_t>(before),
            all.begin() + static_cast<std::ptrdiff_t>(std::min(all.size(), before + count))};
  }
  bool WaitInput(int count) override { return Backend().InputWaiting() >= count; }
  cmcSerialBackend& Backend() override { return device_; }

 protected:
  cmcMemorySerial device_;
};

class FaultHarness : public MemoryHarness {
 public:
  cmcSerialBackend& Backend() override { return fault_; }

 private:
  cmcFaultSerial fault_{device_};
};

class RefHarness : public MemoryHarness {
 public:
  cmcSerialBackend& Backend() override { return ref_; }

 private:
  cmcSerialRef ref_{device_};
};

class PosixHarness : public Harness {
 public:
  cmcSerialBackend& Backend() override { return serial_; }
  std::string Path() const override { return pty_.SlavePath(); }
  void LineSends(const std::vector<uint8_t>& bytes) override { ASSERT_TRUE(pty_.Send(bytes)); }
  std::vector<uint8_t> LineReceives(size_t count) override { return pty_.Receive(count); }
  bool WaitInput(int count) override {
    for (int attempt = 0; attempt < 100 && serial_.InputWaiting() < count; ++attempt) {
      if (!cmcPtyPair::WaitReadable(serial_.Handle())) return false;
    }
    return serial_.InputWaiting() >= count;
  }

 private:
  cmcPtyPair pty_;
  cmcPosixSerial serial_;
};

struct Implementation {
  const char* name;
  std::function<std::unique_ptr<Harness>()> make;
};

class SerialBackendContract : public ::testing::TestWithParam<Implementation> {
 protected:
  void SetUp() override { harness = GetParam().make(); }
  cmcSerialBackend& backend() { return harness->Backend(); }
  bool OpenConfigured() { return backend().Open(harness->Path()) == 0 && backend().Configure(cmcLineSettings{}); }
  std::unique_ptr<Harness> harness;
};

TEST_P(SerialBackendContract, ClosedBackendRefusesEverything) {
  uint8_t byte = 0;
  EXPECT_FALSE(backend().IsOpen());
  EXPECT_EQ(backend().Read(&byte, 1), -1);
  EXPECT_EQ(backend().Write(&byte, 1), -1);
  EXPECT_EQ(backend().InputWaiting(), -1);
  EXPECT_EQ(backend().OutputWaiting(), -1);
  EXPECT_FALSE(backend().Configure(cmcLineSettings{}));
  EXPECT_FALSE(backend().SetModemLines(true, false));
  EXPECT_FALSE(backend().Purge());
}

TEST_P(SerialBackendContract, OpensConfiguresAndDrivesTheLines) {
  ASSERT_EQ(backend().Open(harness->Path()), 0);
  EXPECT_TRUE(backend().IsOpen());
  EXPECT_TRUE(backend().Configure(cmcLineSettings{}));
  EXPECT_TRUE(backend().SetModemLines(true, false));
  EXPECT_TRUE(backend().SetModemLines(false, true));
  EXPECT_TRUE(backend().Purge());
  EXPECT_EQ(backend().OutputWaiting(), 0);
}

TEST_P(SerialBackendContract, SecondOpenWhileOpenIsRefused) {
  ASSERT_EQ(backend().Open(harness->Path()), 0);
  EXPECT_NE(backend().Open(harness->Path()), 0);
  EXPECT_TRUE(backend().IsOpen());
}

TEST_P(SerialBackendContract, ReadWithNothingWaitingReturnsZeroAtOnce) {
  ASSERT_TRUE(OpenConfigured());
  uint8_t buffer[256];
  EXPECT_EQ(backend().InputWaiting(), 0);
  EXPECT_EQ(backend().Read(buffer, sizeof buffer), 0);
}

TEST_P(SerialBackendContract, BytesTravelBothWaysUnchanged) {
  ASSERT_TRUE(OpenConfigured());
  // Bytes a terminal in cooked mode would alter: CR, LF, XON, XOFF, DEL, 8-bit.
  const std::vector<uint8_t> out = {0xFE, 0xFE, 0x0D, 0x0A, 0x11, 0x13, 0x7F, 0x00, 0xFD};
  EXPECT_EQ(backend().Write(out.data(), static_cast<int>(out.size())), static_cast<int>(out.size()));
  EXPECT_EQ(harness->LineReceives(out.size()), out);

  const std::vector<uint8_t> in = {0x03, 0x04, 0x0D, 0x1A, 0x11, 0x13, 0xFF};
  harness->LineSends(in);
  ASSERT_TRUE(harness->WaitInput(static_cast<int>(in.size())));
  EXPECT_EQ(backend().InputWaiting(), static_cast<int>(in.size()));
  std::vector<uint8_t> got(in.size());
  EXPECT_EQ(backend().Read(got.data(), 3), 3);
  EXPECT_EQ(backend().Read(got.data() + 3, 100), 4);
  EXPECT_EQ(got, in);
  EXPECT_EQ(backend().Read(got.data(), 100), 0);
}

TEST_P(SerialBackendContract, PurgeDiscardsWaitingInput) {
  ASSERT_TRUE(OpenConfigured());
  harness->LineSends({1, 2, 3});
  ASSERT_TRUE(harness->WaitInput(3));
  EXPECT_TRUE(backend().Purge());
  EXPECT_EQ(backend().InputWaiting(), 0);
}

TEST_P(SerialBackendContract, ClosesAndOpensAgain) {
  ASSERT_TRUE(OpenConfigured());
  backend().Close();
  EXPECT_FALSE(backend().IsOpen());
  EXPECT_TRUE(OpenConfigured());
}

INSTANTIATE_TEST_SUITE_P(Backends, SerialBackendContract,
                         ::testing::Values(Implementation{"Memory", [] { return std::make_unique<MemoryHarness>(); }},
                                           Implementation{"Fault", [] { return std::make_unique<FaultHarness>(); }},
                                           Implementation{"Ref", [] { return std::make_unique<RefHarness>(); }},
                                           Implementation{"Posix", [] { return std::make_unique<PosixHarness>(); }}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
