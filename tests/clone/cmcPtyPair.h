#pragma once
// A pseudo-terminal pair for serial tests: the slave path is what a port opens, the
// master end plays the line. Waits use poll() with a bounded time-out, never sleeps.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

class cmcPtyPair {
 public:
  static constexpr int kWaitMs = 5000;

  cmcPtyPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
    if (const char* name = ::ptsname(master_)) slave_ = name;
  }
  ~cmcPtyPair() {
    if (master_ >= 0) ::close(master_);
  }
  cmcPtyPair(const cmcPtyPair&) = delete;
  cmcPtyPair& operator=(const cmcPtyPair&) = delete;

  bool Ok() const { return master_ >= 0 && !slave_.empty(); }
  const std::string& SlavePath() const { return slave_; }
  int Master() const { return master_; }

  // Sends bytes from the line side.
  bool Send(const std::vector<uint8_t>& bytes) const {
    return ::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  // Collects exactly count bytes that the port sent, or what came before the time-out.
  std::vector<uint8_t> Receive(size_t count) const {
    std::vector<uint8_t> got;
    while (got.size() < count && WaitReadable(master_)) {
      uint8_t buffer[4096];
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n <= 0) break;
      got.insert(got.end(), buffer, buffer + n);
    }
    return got;
  }

  // Whether fd becomes readable within the time-out.
  static bool WaitReadable(int fd) {
    pollfd waiter{fd, POLLIN, 0};
    return ::poll(&waiter, 1, kWaitMs) == 1 && (waiter.revents & POLLIN);
  }

 private:
  int master_ = -1;
  std::string slave_;
};
