#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>

#include "clone/cmcComm.h"
#include "clone/cmcPortError.h"
#include "clone/cmcPortTable.h"
#include "clone/cmcPosixSerial.h"
#include "clone/cmcPtyPair.h"
#include "clone/cmcSerialFactory.h"
#include "runtime/cmcVirtualClock.h"

namespace {

using Kind = cmcPortError::Kind;

// Runs fn without privileges: in a child process that became "nobody" when the tests
// run as root (who may open any device), else in this process. Gives fn's result.
int RunUnprivileged(const std::function<int()>& fn) {
  if (::geteuid() != 0) return fn();
  const pid_t child = ::fork();
  if (child == 0) {
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t uid = nobody ? nobody->pw_uid : 65534;
    const gid_t gid = nobody ? nobody->pw_gid : 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) ::_exit(100);
    ::_exit(fn());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(cmcPosixSerial, OpenReportsWhyADeviceFails) {
  cmcPosixSerial serial;
  EXPECT_EQ(serial.Open("/dev/rx93-no-such-device"), ENOENT);
  char file[] = "/tmp/rx93-not-a-tty-XXXXXX";
  const int fd = ::mkstemp(file);
  ASSERT_GE(fd, 0);
  ::close(fd);
  EXPECT_EQ(serial.Open(file), ENOTTY);
  EXPECT_FALSE(serial.IsOpen());
  ::unlink(file);
}

// Another program's advisory lock on the device refuses the open as busy, for root as
// well (the exclusive mode alone does not stop root), and the holder keeps its device.
TEST(cmcPosixSerial, ADeviceLockedByAnotherProgramIsBusy) {
  cmcPtyPair pty;
  ASSERT_TRUE(pty.Ok());
  const int holder = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
  cmcPosixSerial serial;
  EXPECT_EQ(serial.Open(pty.SlavePath()), EBUSY);
  EXPECT_FALSE(serial.IsOpen());
  EXPECT_EQ(cmcPortError::Classify(EBUSY), Kind::Busy);
  ::close(holder);
  // Once the lock is gone the device opens, and holds the lock itself.
  ASSERT_EQ(serial.Open(pty.SlavePath()), 0);
  const int other = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (other >= 0) {
    EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0) << "a second program finds the device locked";
    ::close(other);
  }
  serial.Close();
}

TEST(cmcPosixSerial, SpeedCodesOfTheCloneRates) {
  EXPECT_EQ(cmcPosixSerial::SpeedCode(9600), static_cast<unsigned>(B9600));
  EXPECT_EQ(cmcPosixSerial::SpeedCode(38400), static_cast<unsigned>(B38400));
  EXPECT_EQ(cmcPosixSerial::SpeedCode(12345), 0u);
}

TEST(cmcPosixSerial, RawTerminalSettingsFromTheLineSettings) {
  struct Case {
    const char* settings;
    bool accepted;
    speed_t speed;
    tcflag_t size;
    tcflag_t parity;  // of PARENB | PARODD | CMSPAR
    bool twoStop;
  };
  const Case cases[] = {
      {"9600,n,8,1", true, B9600, CS8, 0, false},
      {"38400,N,8,1", true, B38400, CS8, 0, false},
      {"9600,e,7,2", true, B9600, CS7, PARENB, true},
      {"9600,o,8,1", true, B9600, CS8, PARENB | PARODD, false},
      {"9600,m,8,1", true, B9600, CS8, PARENB | PARODD | CMSPAR, false},
      {"9600,s,8,1", true, B9600, CS8, PARENB | CMSPAR, false},
      {"9600,n,5,1.5", true, B9600, CS5, 0, true},
      {"9600,n,6,1", true, B9600, CS6, 0, false},
      {"12345,n,8,1", false, 0, 0, 0, false},
      {"9600,n,4,1", false, 0, 0, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.settings);
    const auto settings = cmcLineSettings::Parse(c.settings);
    ASSERT_TRUE(settings);
    // Start from a cooked terminal with flow control, as a fresh tty is.
    termios tio{};
    tio.c_iflag = ICRNL | IXON | IXOFF | ISTRIP;
    tio.c_oflag = OPOST | ONLCR;
    tio.c_cflag = CS8 | CRTSCTS | HUPCL;
    tio.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    tio.c_cc[VMIN] = 1;
    ASSERT_EQ(cmcPosixSerial::MakeRaw(*settings, tio), c.accepted);
    if (!c.accepted) continue;
    EXPECT_EQ(::cfgetospeed(&tio), c.speed);
    EXPECT_EQ(::cfgetispeed(&tio), c.speed);
    EXPECT_EQ(tio.c_cflag & CSIZE, c.size);
    EXPECT_EQ(tio.c_cflag & (PARENB | PARODD | CMSPAR), c.parity);
    EXPECT_EQ((tio.c_iflag & INPCK) != 0, c.parity != 0);
    EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, c.twoStop);
    EXPECT_EQ(tio.c_cflag & (CRTSCTS | CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
  }
}

TEST(cmcPosixSerial, ConfigureAppliesSpeedAndRawModeToTheDevice) {
  cmcPtyPair pty;
  ASSERT_TRUE(pty.Ok());
  cmcPosixSerial serial;
  ASSERT_EQ(serial.Open(pty.SlavePath()), 0);
  ASSERT_TRUE(serial.Configure(*cmcLineSettings::Parse("38400,n,8,2")));
  termios tio{};
  ASSERT_EQ(::tcgetattr(serial.Handle(), &tio), 0);
  EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B38400));
  EXPECT_NE(tio.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
  EXPECT_FALSE(serial.Configure(*cmcLineSettings::Parse("12345,n,8,1")));
}

// A pseudo-terminal as port 120, served by the POSIX backend.
class PtyPortTest : public ::testing::Test {
 protected:
  static constexpr int kPort = 120;
  void SetUp() override {
    ASSERT_TRUE(pty.Ok());
    table.SetEntry(kPort, pty.SlavePath());
    // The POSIX backend as the factory makes it, remembered so the test can poll it.
    factory.Register(pty.SlavePath(), [this](const std::string&) {
      auto serial = std::make_unique<cmcPosixSerial>();
      opened = serial.get();
      return serial;
    });
  }
  bool WaitInput(int count) {
    for (int attempt = 0; attempt < 100 && comm.InputWaiting() < count; ++attempt) {
      if (!cmcPtyPair::WaitReadable(opened->Handle())) return false;
    }
    return comm.InputWaiting() >= count;
  }

  cmcPtyPair pty;
  cmcVirtualClock clock;
  cmcPortTable table;
  cmcSerialFactory factory{table};
  cmcComm comm{clock, factory};
  cmcPosixSerial* opened = nullptr;
};

TEST_F(PtyPortTest, ImageSizedWriteReachesTheLineAndAnswersComeBack) {
  ASSERT_TRUE(comm.Open(kPort, "9600,n,8,1"));
  EXPECT_EQ(comm.DevicePath(), pty.SlavePath());
  std::vector<uint8_t> image(3000);
  std::iota(image.begin(), image.end(), uint8_t{0});
  comm.Write(image.data(), static_cast<int>(image.size()));
  EXPECT_EQ(pty.Receive(1024), std::vector<uint8_t>(image.begin(), image.begin() + 1024));
  clock.Advance(20);
  EXPECT_EQ(comm.PendingOutput(), 0);
  EXPECT_EQ(pty.Receive(1976), std::vector<uint8_t>(image.begin() + 1024, image.end()));
  EXPECT_FALSE(comm.WriteFailed());

  const std::vector<uint8_t> answer = {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD};
  ASSERT_TRUE(pty.Send(answer));
  ASSERT_TRUE(WaitInput(static_cast<int>(answer.size())));
  uint8_t buffer[256];
  ASSERT_EQ(comm.Read(buffer, sizeof buffer), static_cast<int>(answer.size()));
  EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + answer.size()), answer);
  EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
}

TEST_F(PtyPortTest, OpenPurgesWhatArrivedBefore) {
  ASSERT_TRUE(comm.Open(kPort, "9600,n,8,1"));
  ASSERT_TRUE(pty.Send({1, 2, 3}));
  ASSERT_TRUE(WaitInput(3));
  comm.Close();
  ASSERT_TRUE(comm.Open(kPort, "9600,n,8,1"));
  EXPECT_EQ(comm.InputWaiting(), 0);
}

TEST_F(PtyPortTest, MissingDeviceIsNotFound) {
  table.SetEntry(kPort, "/dev/rx93-no-such-device");
  EXPECT_FALSE(comm.Open(kPort, "9600,n,8,1"));
  EXPECT_EQ(comm.LastError().GetKind(), Kind::NotFound);
  EXPECT_EQ(comm.LastError().Path(), "/dev/rx93-no-such-device");
}

TEST_F(PtyPortTest, DeviceWithoutPermissionIsToldApartAndNamesItsGroup) {
  ASSERT_EQ(::chmod(pty.SlavePath().c_str(), 0), 0);
  const int kind = RunUnprivileged([this] {
    comm.Open(kPort, "9600,n,8,1");
    return static_cast<int>(comm.LastError().GetKind());
  });
  EXPECT_EQ(kind, static_cast<int>(Kind::NoPermission));

  struct stat info {};
  ASSERT_EQ(::stat(pty.SlavePath().c_str(), &info), 0);
  const group* owner = ::getgrgid(info.st_gid);
  const cmcPortError error(Kind::NoPermission, kPort, pty.SlavePath(), EACCES);
  EXPECT_EQ(error.Group(), owner ? std::string(owner->gr_name) : std::to_string(info.st_gid));
}

TEST_F(PtyPortTest, DeviceHeldByAnotherPortIsBusy) {
  ASSERT_TRUE(comm.Open(kPort, "9600,n,8,1"));
  ASSERT_EQ(::chmod(pty.SlavePath().c_str(), 0666), 0);
  const int error = RunUnprivileged([this] {
    cmcPosixSerial second;
    return second.Open(pty.SlavePath());
  });
  EXPECT_EQ(error, EBUSY);
}

}  // namespace
