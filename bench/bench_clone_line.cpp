// Clone read and clone write of a whole image against rx93kit-radio on a pseudo-
// terminal, at 9600 and 38400 baud, through rx93kit-cli's radio session (the real
// termios path). For each transfer (request to completion) it prints the line-time
// limit (bytes on the wire x 10 / baud) over the measured time; the goal is at least
// 0.9. The whole command (identifications, the speed script's fixed pauses, the
// transfer) is shown beside it. The radio paces both directions at the line rate.
// With --smoke it makes one clone write at 38400 baud, a run of a few seconds that
// shows the benchmark still works.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchBinDir.h"
#include "cli/indCliRadio.h"
#include "clone/cmcCloneDrv.h"
#include "clone/indCloneMan.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// rx93kit-radio as a child process; its device path is the first line it prints.
struct Radio {
  explicit Radio(const std::string& bin) {
    int out[2];
    if (::pipe(out) != 0) std::abort();
    pid = ::fork();
    if (pid == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      ::execl((bin + "rx93kit-radio").c_str(), "rx93kit-radio", "--type", "3", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(out[1]);
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n') path += c;
    ::close(out[0]);
  }
  ~Radio() {
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
  }
  pid_t pid = -1;
  std::string path;
};

struct Figures {
  int outcome = -1;
  long long bytes = 0;
  double transfer = 0;
  double command = 0;
};

// Runs one command on a fresh session; the transfer starts once the driver has sent its
// read or write request and ends at the completion.
Figures Measure(const std::string& bin, const std::string& device, bool high,
                const std::function<void(indCliRadio&)>& start, int requestState) {
  indCliRadio::Options options;
  options.device = device;
  options.highSpeed = high;
  options.yes = true;
  std::ostringstream out, err;
  indCliRadio session(options, out, err, bin, dst_CliTerminal{});
  indMain& main = session.Main();
  const cmcCloneDrv& driver = main.CloneMan()->CloneDriver();
  auto running = [&] { return main.CloneOutcome() == indMain::kCloneRunning; };
  const uint32_t limit = 10 * 60 * 1000;

  const Clock::time_point begin = Clock::now();
  start(session);
  session.Loop().RunUntil(
      [&] {
        return !running() || (main.CloneMan()->Mode() >= indCloneMan::kModeRead && driver.GetState() > requestState);
      },
      limit);
  const Clock::time_point requested = Clock::now();
  session.Loop().RunUntil([&] { return !running(); }, limit);
  const Clock::time_point done = Clock::now();

  Figures f;
  f.outcome = main.CloneOutcome();
  f.bytes = driver.BytesMoved();
  f.transfer = Seconds(requested, done);
  f.command = Seconds(begin, done);
  if (f.outcome != 0) std::cerr << err.str();
  return f;
}

void Report(const char* what, int baud, const Figures& f) {
  const double line = static_cast<double>(f.bytes) * 10 / baud;
  std::printf(
      "clone %-5s %5d baud: %6lld bytes on the wire, line time %6.2f s, transfer %6.2f s, ratio %.3f"
      "  (whole command %6.2f s)%s\n",
      what, baud, f.bytes, line, f.transfer, f.transfer > 0 ? line / f.transfer : 0.0, f.command,
      f.outcome == 0 ? "" : "  FAILED");
  std::fflush(stdout);
}

}  // namespace

// Arguments: the speeds to run (default 9600 and 38400), or --smoke alone.
int main(int argc, char* argv[]) {
  std::vector<int> speeds;
  bool smoke = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--smoke") {
      smoke = true;
    } else if (arg == "9600" || arg == "38400") {
      speeds.push_back(std::atoi(argv[i]));
    } else {
      std::fprintf(stderr, "usage: bench_clone_line [9600] [38400] | --smoke\n");
      return 64;
    }
  }
  if (smoke && !speeds.empty()) {
    std::fprintf(stderr, "--smoke runs alone\n");
    return 64;
  }
  if (speeds.empty()) speeds = smoke ? std::vector<int>{38400} : std::vector<int>{9600, 38400};
  const std::string bin = BenchBinDir();
  Radio radio(bin);
  if (radio.path.empty()) return 1;
  int status = 0;
  for (int baud : speeds) {
    const bool high = baud == 38400;
    if (!smoke) {
      const Figures read = Measure(
          bin, radio.path, high, [](indCliRadio& s) { s.Main().CloneRead(); }, cmcCloneDrv::kReadRequest);
      Report("read", baud, read);
      if (read.outcome != 0) status = 1;
    }
    const Figures write = Measure(
        bin, radio.path, high,
        [&](indCliRadio& s) {
          // The radio's own initial image, as the user opens it.
          s.Main().OpenCloneFile(bin + "RX93DPMR.qcl", false);
          s.Main().StartCloneWrite();
        },
        cmcCloneDrv::kWriteRequest);
    Report("write", baud, write);
    if (write.outcome != 0) status = 1;
  }
  return status;
}
