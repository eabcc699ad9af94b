#include "clone/cmcPosixSerial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

namespace {

int64_t MonotonicMs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

tcflag_t SizeFlag(int dataBits) {
  switch (dataBits) {
    case 5:
      return CS5;
    case 6:
      return CS6;
    case 7:
      return CS7;
    default:
      return CS8;
  }
}

// Whether a failed modem-line or queue ioctl means the device simply has none (a
// pseudo-terminal), rather than a fault.
bool NotSupported(int error) { return error == ENOTTY || error == EINVAL; }

}  // namespace

cmcPosixSerial::~cmcPosixSerial() { Close(); }

unsigned cmcPosixSerial::SpeedCode(int baud) {
  struct Rate {
    int baud;
    speed_t code;
  };
  static constexpr Rate kRates[] = {
      {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},        {200, B200},
      {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},     {2400, B2400},      {4800, B4800},
      {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},   {115200, B115200},  {230400, B230400},
      {460800, B460800}, {500000, B500000}, {576000, B576000}, {921600, B921600}, {1000000, B1000000}};
  for (const Rate& rate : kRates) {
    if (rate.baud == baud) return rate.code;
  }
  return 0;
}

int cmcPosixSerial::Open(const std::string& path) {
  if (IsOpen()) return EBUSY;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  // Only terminals are serial devices; TIOCEXCL makes every later open fail with EBUSY.
  if (!::isatty(fd) || ::ioctl(fd, TIOCEXCL) != 0) {
    const int error = errno == 0 ? ENOTTY : errno;
    ::close(fd);
    return error;
  }
  // TIOCEXCL does not stop root; the advisory lock other serial programs take does, and
  // tells this program of theirs.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    // The exclusive mode is left alone: it is the holder's.
    const int error = errno == EWOULDBLOCK ? EBUSY : errno;
    ::close(fd);
    return error;
  }
  fd_ = fd;
  return 0;
}

void cmcPosixSerial::Close() {
  if (fd_ < 0) return;
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
}

bool cmcPosixSerial::MakeRaw(const cmcLineSettings& settings, termios& tio) {
  const speed_t speed = SpeedCode(settings.baud);
  // Terminals have no 4-bit characters.
  if (speed == 0 || settings.dataBits < 5) return false;
  ::cfmakeraw(&tio);
  tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | PARMRK | IGNPAR);
  tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  tio.c_cflag |= CREAD | CLOCAL | SizeFlag(settings.dataBits);
  switch (settings.parity) {
    case cmcLineSettings::Parity::None:
      break;
    case cmcLineSettings::Parity::Odd:
      tio.c_cflag |= PARENB | PARODD;
      break;
    case cmcLineSettings::Parity::Even:
      tio.c_cflag |= PARENB;
      break;
    case cmcLineSettings::Parity::Mark:
      tio.c_cflag |= PARENB | CMSPAR | PARODD;
      break;
    case cmcLineSettings::Parity::Space:
      tio.c_cflag |= PARENB | CMSPAR;
      break;
  }
  if (settings.parity != cmcLineSettings::Parity::None) tio.c_iflag |= INPCK;
  // UARTs send one and a half stop bits for CSTOPB with 5-bit characters, two otherwise.
  if (settings.stopBits != cmcLineSettings::StopBits::One) tio.c_cflag |= CSTOPB;
  // Reads return at once with whatever has arrived.
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  return ::cfsetispeed(&tio, speed) == 0 && ::cfsetospeed(&tio, speed) == 0;
}

bool cmcPosixSerial::Configure(const cmcLineSettings& settings) {
  if (!IsOpen()) return false;
  termios tio{};
  if (::tcgetattr(fd_, &tio) != 0 || !MakeRaw(settings, tio)) return false;
  if (::tcsetattr(fd_, TCSANOW, &tio) != 0) return false;
  settings_ = settings;
  return true;
}

bool cmcPosixSerial::SetModemLines(bool rts, bool dtr) {
  if (!IsOpen()) return false;
  int rtsBit = TIOCM_RTS;
  int dtrBit = TIOCM_DTR;
  if (::ioctl(fd_, rts ? TIOCMBIS : TIOCMBIC, &rtsBit) != 0 && !NotSupported(errno)) return false;
  if (::ioctl(fd_, dtr ? TIOCMBIS : TIOCMBIC, &dtrBit) != 0 && !NotSupported(errno)) return false;
  return true;
}

bool cmcPosixSerial::Purge() { return IsOpen() && ::tcflush(fd_, TCIOFLUSH) == 0; }

int cmcPosixSerial::Read(uint8_t* destination, int max) {
  if (!IsOpen()) return -1;
  if (max <= 0) return 0;
  for (;;) {
    const ssize_t n = ::read(fd_, destination, static_cast<size_t>(max));
    if (n >= 0) return static_cast<int>(n);
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
  }
}

int cmcPosixSerial::Write(const uint8_t* bytes, int count) {
  if (!IsOpen()) return -1;
  const int64_t deadline = MonotonicMs() + settings_.WriteTimeoutMs(count);
  int done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd_, bytes + done, static_cast<size_t>(count - done));
    if (n > 0) {
      done += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return done > 0 ? done : -1;
    // The driver's buffer is full: wait for room until the write time-out.
    const int64_t left = deadline - MonotonicMs();
    if (left <= 0) break;
    pollfd waiter{fd_, POLLOUT, 0};
    if (::poll(&waiter, 1, static_cast<int>(left)) < 0 && errno != EINTR) break;
  }
  return done;
}

int cmcPosixSerial::InputWaiting() {
  int count = 0;
  return IsOpen() && ::ioctl(fd_, FIONREAD, &count) == 0 ? count : -1;
}

int cmcPosixSerial::OutputWaiting() {
  if (!IsOpen()) return -1;
  int count = 0;
  if (::ioctl(fd_, TIOCOUTQ, &count) == 0) return count;
  return NotSupported(errno) ? 0 : -1;
}
