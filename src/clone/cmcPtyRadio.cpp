#include "clone/cmcPtyRadio.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "clone/cmcLineSettings.h"
#include "clone/cmcPosixSerial.h"
#include "clone/cmcSerialBackend.h"

namespace {
constexpr int kChunk = 4096;
// Bits a byte takes on an 8N1 line.
constexpr int kBitsPerByte = 10;

int BaudOf(speed_t code) {
  static constexpr int kRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400};
  for (int baud : kRates)
    if (cmcPosixSerial::SpeedCode(baud) == code) return baud;
  return 0;
}
}  // namespace

cmcPtyRadio::cmcPtyRadio(MicroClock clock, cmcSerialBackend& radio) : clock_(std::move(clock)), radio_(radio) {}

cmcPtyRadio::~cmcPtyRadio() {
  if (radio_.IsOpen()) radio_.Close();
  if (opens_ >= 0) ::close(opens_);
  if (master_ >= 0) ::close(master_);
}

int cmcPtyRadio::Open() {
  if (master_ >= 0) return EBUSY;
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master < 0) return errno;
  char name[256];
  if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::ptsname_r(master, name, sizeof name) != 0) {
    const int error = errno;
    ::close(master);
    return error;
  }
  // The slave starts raw at 9600 baud; closing it again leaves the line hung up until
  // the program opens it, which is how an open is told apart from a close.
  const int slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios tio{};
  if (slave < 0 || ::tcgetattr(slave, &tio) != 0) {
    const int error = errno;
    if (slave >= 0) ::close(slave);
    ::close(master);
    return error;
  }
  ::cfmakeraw(&tio);
  ::cfsetspeed(&tio, B9600);
  ::tcsetattr(slave, TCSANOW, &tio);
  ::close(slave);
  master_ = master;
  slavePath_ = name;
  // Opens of the slave wake a hung-up line at once; without the notice it looks again
  // after a pause.
  opens_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (opens_ >= 0 && ::inotify_add_watch(opens_, name, IN_OPEN) < 0) {
    ::close(opens_);
    opens_ = -1;
  }
  return 0;
}

void cmcPtyRadio::AwaitOpen(uint64_t waitUs) {
  const timespec timeout{static_cast<time_t>(waitUs / 1000000), static_cast<long>(waitUs % 1000000) * 1000};
  if (opens_ < 0) {
    ::nanosleep(&timeout, nullptr);
    return;
  }
  pollfd notice{opens_, POLLIN, 0};
  ::ppoll(&notice, 1, &timeout, nullptr);
  char events[4096];
  while (::read(opens_, events, sizeof events) > 0) {
  }
}

long long cmcPtyRadio::Paced::Due(uint64_t now) const {
  return now <= startUs ? 0 : static_cast<long long>((now - startUs) * baud / (kBitsPerByte * 1000000ULL));
}

uint64_t cmcPtyRadio::Paced::NextUs() const {
  const uint64_t bits = static_cast<uint64_t>(sent + 1) * kBitsPerByte * 1000000ULL;
  return startUs + (bits + static_cast<uint64_t>(baud) - 1) / static_cast<uint64_t>(baud);
}

void cmcPtyRadio::Restart(Paced& line, uint64_t now, int baud) {
  line.startUs = now;
  line.sent = 0;
  line.baud = baud;
}

cmcPtyRadio::Stats cmcPtyRadio::TakeStats() {
  const Stats taken = stats_;
  stats_ = Stats();
  return taken;
}

void cmcPtyRadio::ReadSpeed() {
  termios tio{};
  if (::tcgetattr(master_, &tio) != 0) return;
  const int baud = BaudOf(::cfgetospeed(&tio));
  if (baud > 0) baud_ = baud;
}

void cmcPtyRadio::TakeFromProgram() {
  const uint64_t now = clock_();
  uint8_t buffer[kChunk];
  for (;;) {
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) break;
    // A direction that was idle starts its line time with the first byte.
    if (intake_.empty()) Restart(in_, now, baud_);
    for (ssize_t i = 0; i < n; ++i) intake_.emplace_back(buffer[i], baud_);
  }
}

void cmcPtyRadio::FeedRadio(uint64_t now) {
  while (!intake_.empty()) {
    const auto [byte, baud] = intake_.front();
    if (baud != in_.baud) Restart(in_, now, baud);
    if (in_.Due(now) <= in_.sent) break;
    if (baud != radioBaud_) {
      cmcLineSettings settings;
      settings.baud = baud;
      radio_.Configure(settings);
      radioBaud_ = baud;
    }
    radio_.Write(&byte, 1);
    intake_.pop_front();
    ++in_.sent;
    ++stats_.bytesIn;
    stats_.lineMs += kBitsPerByte * 1000.0 / baud;
  }
}

void cmcPtyRadio::SendToProgram(uint64_t now) {
  uint8_t buffer[kChunk];
  if (radio_.IsOpen()) {
    for (;;) {
      const int n = radio_.Read(buffer, sizeof buffer);
      if (n <= 0) break;
      if (!slaveOpen_) continue;
      if (output_.empty()) Restart(out_, now, baud_);
      output_.insert(output_.end(), buffer, buffer + n);
    }
  }
  if (output_.empty()) return;
  if (out_.baud != baud_) Restart(out_, now, baud_);
  const long long due = std::min<long long>(out_.Due(now) - out_.sent, static_cast<long long>(output_.size()));
  if (due <= 0) return;
  const int count = static_cast<int>(std::min<long long>(due, kChunk));
  std::copy_n(output_.begin(), count, buffer);
  const ssize_t written = ::write(master_, buffer, static_cast<size_t>(count));
  if (written <= 0) return;
  output_.erase(output_.begin(), output_.begin() + written);
  out_.sent += written;
  stats_.bytesOut += written;
  stats_.lineMs += static_cast<double>(written) * kBitsPerByte * 1000.0 / baud_;
}

uint64_t cmcPtyRadio::WaitUs(int waitMs) const {
  uint64_t wait = static_cast<uint64_t>(std::max(waitMs, 0)) * 1000;
  const uint64_t now = clock_();
  if (!intake_.empty() && in_.baud > 0) wait = std::min(wait, in_.NextUs() > now ? in_.NextUs() - now : 0);
  if (!output_.empty() && out_.baud > 0) wait = std::min(wait, out_.NextUs() > now ? out_.NextUs() - now : 0);
  return wait;
}

void cmcPtyRadio::Turn(int waitMs) {
  if (master_ < 0) return;
  pollfd line{master_, POLLIN, 0};
  const uint64_t waitUs = WaitUs(waitMs);
  const timespec timeout{static_cast<time_t>(waitUs / 1000000), static_cast<long>(waitUs % 1000000) * 1000};
  const int ready = ::ppoll(&line, 1, &timeout, nullptr);
  const bool hungUp = ready > 0 && (line.revents & POLLHUP) != 0;
  ReadSpeed();
  TakeFromProgram();

  if (!hungUp && !slaveOpen_) {
    slaveOpen_ = true;
    // Bytes still crossing from the last session keep the radio open.
    if (!closePending_) radio_.Open(slavePath_);
    closePending_ = false;
  } else if (hungUp && slaveOpen_) {
    slaveOpen_ = false;
    closePending_ = true;
    output_.clear();
  }

  const uint64_t now = clock_();
  FeedRadio(now);
  if (closePending_ && intake_.empty()) {
    radio_.Close();
    closePending_ = false;
  }
  SendToProgram(now);

  // A hung-up line polls ready at once; wait here for the program to open it again
  // instead of spinning.
  if (hungUp) AwaitOpen(Idle() ? static_cast<uint64_t>(std::max(waitMs, 0)) * 1000 : WaitUs(waitMs));
}
