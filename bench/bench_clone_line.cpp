// Clone read and clone write against rx93kit-radio on a pseudo-terminal at 9600 and
// 38400 baud, through the desktop program's model controller and clone manager on the
// POSIX terminal backend: the commands as the user starts them, identifications and
// the speed, password and mode scripts included. The line-time limit is what the radio
// counts (--stats): every byte on the wire x 10 / the baud it crossed at. Counters:
//   data_ratio   data-phase limit / its wall time, from the request to the completion
//                (goal: at least 0.9)
//   whole_ratio  wall time of the whole command / the limit of all its exchanges
//                (goal: at most 1.3)
//   waits_s      of that wall time, the drivers' fixed pauses: the settling time after
//                each opening of the port, before each reopening in a script and
//                during echo detection, which the protocol prescribes
//   net_ratio    (wall time - waits_s) / the limit: what is left to the program
// and the figures behind them in seconds. `cmake --build . --target
// bench_clone_line_run` measures all four; the ctest runs the write at 38400 baud.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchBinDir.h"
#include "clone/cmcCloneDrv.h"
#include "clone/cmcPortTable.h"
#include "clone/cmcSerialFactory.h"
#include "clone/cmcSleepWaiter.h"
#include "clone/indCloneMan.h"
#include "runtime/cmcEventLoop.h"
#include "runtime/cmcMemoryInstanceGuard.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "runtime/cmcScriptedPrompts.h"
#include "shell/indProgram.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// rx93kit-radio --stats as a child process: its device path is the first line on its
// stdout, and every exchange ends with a line of figures on its stderr.
class Radio {
 public:
  explicit Radio(const std::string& bin) {
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) std::abort();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::dup2(err[1], STDERR_FILENO);
      for (int fd : {out[0], out[1], err[0], err[1]}) ::close(fd);
      ::execl((bin + "rx93kit-radio").c_str(), "rx93kit-radio", "--type", "3", "--stats", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n') path_ += c;
    ::close(out[0]);
    err_ = err[0];
  }
  ~Radio() {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    ::close(err_);
  }
  const std::string& Path() const { return path_; }

  // The figures of the exchanges the radio reports until one of `last` ends, summed;
  // the data phase is that last one's.
  struct Figures {
    long long bytes = 0;
    double lineS = 0;
    long long dataBytes = 0;
    double dataLineS = 0;
    bool complete = false;
  };
  Figures TakeFigures(const std::string& last) {
    Figures f;
    std::string line;
    while (NextLine(line)) {
      // "rx93kit-radio: WHAT: I bytes in, O bytes out, line time T ms[; data phase: N bytes, line time D ms]"
      char what[32] = {};
      long long in = 0, out = 0, ms = 0, dataBytes = 0, dataMs = 0;
      const int n = std::sscanf(line.c_str(),
                                "rx93kit-radio: %31[a-z]: %lld bytes in, %lld bytes out, line time %lld ms; data "
                                "phase: %lld bytes, line time %lld ms",
                                what, &in, &out, &ms, &dataBytes, &dataMs);
      if (n < 4) continue;
      f.bytes += in + out;
      f.lineS += static_cast<double>(ms) / 1000;
      if (what == last) {
        f.dataBytes = dataBytes;
        f.dataLineS = static_cast<double>(dataMs) / 1000;
        f.complete = n == 6;
        break;
      }
    }
    return f;
  }

 private:
  // The next line of the radio's stderr; false when none comes within a few seconds.
  bool NextLine(std::string& line) {
    line.clear();
    for (;;) {
      const size_t end = pending_.find('\n');
      if (end != std::string::npos) {
        line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return true;
      }
      pollfd p{err_, POLLIN, 0};
      if (::poll(&p, 1, 5000) <= 0) return false;
      char buffer[512];
      const ssize_t n = ::read(err_, buffer, sizeof buffer);
      if (n <= 0) return false;
      pending_.append(buffer, static_cast<size_t>(n));
    }
  }

  pid_t pid_ = -1;
  int err_ = -1;
  std::string path_;
  std::string pending_;
};

Radio& TheRadio() {
  static Radio radio(BenchBinDir());
  return radio;
}

// The drivers' blocking pauses, sleeping as the program's waiter does and timed.
class TimedWaiter : public cmcWaiter {
 public:
  void Wait(uint32_t ms) override {
    const Clock::time_point from = Clock::now();
    sleep_.Wait(ms);
    spentS += Seconds(from, Clock::now());
  }
  double spentS = 0;

 private:
  cmcSleepWaiter sleep_;
};

// The desktop program's process-wide objects with a clone manager on the real-time
// loop and the POSIX terminal backend, its port the radio's device; every question is
// answered OK.
struct Desk {
  explicit Desk(const std::string& bin, const std::string& device, bool high)
      : guard(std::make_shared<cmcMemoryInstanceGuard::Registry>()),
        services{loop, loop, devices, waiter},
        program({store, guard, {0, 0, 1024, 768}, loop, prompts, bin, std::string(), &services}) {
    program.Environ().comPort = ports.NumberFor(device);
    program.Environ().comSpeedHigh = high ? 1 : 0;
  }
  cmcMemorySettingsStore store;
  cmcMemoryInstanceGuard guard;
  cmcEventLoop loop;
  cmcScriptedPrompts prompts;
  cmcPortTable ports;
  cmcSerialFactory devices{ports};
  TimedWaiter waiter;
  indMain::CloneServices services;
  indProgram program;
};

enum class Command { Read, Write };

// A run that could not measure also fails the program, so that the test sees it.
bool failed = false;

void Fail(benchmark::State& state, const std::string& why) {
  failed = true;
  state.SkipWithError(why.c_str());
}

void BM_Clone(benchmark::State& state, Command command) {
  const int baud = static_cast<int>(state.range(0));
  const std::string bin = BenchBinDir();
  Radio& radio = TheRadio();
  if (radio.Path().empty()) {
    Fail(state, "rx93kit-radio did not start");
    return;
  }
  const bool write = command == Command::Write;
  for (auto _ : state) {
    Desk desk(bin, radio.Path(), baud == 38400);
    indMain& main = desk.program.Main();
    if (write && main.OpenCloneFile(bin + "RX93DPMR.qcl", false)) {
      Fail(state, "the clone file did not open");
      return;
    }
    const cmcCloneDrv& driver = main.CloneMan()->CloneDriver();
    const uint8_t dataMode = write ? indCloneMan::kModeWrite : indCloneMan::kModeRead;
    const int requestState = write ? cmcCloneDrv::kWriteRequest : cmcCloneDrv::kReadRequest;

    const Clock::time_point begin = Clock::now();
    Clock::time_point requested = begin;
    bool inData = false;
    if (write)
      main.StartCloneWrite();
    else
      main.CloneRead();
    desk.loop.RunUntil(
        [&] {
          if (!inData && main.CloneMan()->Mode() == dataMode && driver.GetState() > requestState) {
            inData = true;
            requested = Clock::now();
          }
          return main.CloneOutcome() != indMain::kCloneRunning;
        },
        10 * 60 * 1000);
    const Clock::time_point done = Clock::now();
    state.SetIterationTime(Seconds(begin, done));
    if (main.CloneOutcome() != 0) {
      Fail(state, "the exchange ended with code " + std::to_string(main.CloneOutcome()));
      return;
    }
    const Radio::Figures f = radio.TakeFigures(write ? "write" : "read");
    if (!f.complete) {
      Fail(state, "the radio's figures are missing");
      return;
    }
    const double wall = Seconds(begin, done);
    const double dataWall = Seconds(requested, done);
    state.counters["bytes"] = static_cast<double>(f.bytes);
    state.counters["limit_s"] = f.lineS;
    state.counters["wall_s"] = wall;
    state.counters["whole_ratio"] = f.lineS > 0 ? wall / f.lineS : 0;
    state.counters["data_limit_s"] = f.dataLineS;
    state.counters["data_wall_s"] = dataWall;
    state.counters["data_ratio"] = dataWall > 0 ? f.dataLineS / dataWall : 0;
    state.counters["waits_s"] = desk.waiter.spentS;
    state.counters["net_ratio"] = f.lineS > 0 ? (wall - desk.waiter.spentS) / f.lineS : 0;
  }
}

}  // namespace

BENCHMARK_CAPTURE(BM_Clone, Read, Command::Read)
    ->Arg(9600)
    ->Arg(38400)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_Clone, Write, Command::Write)
    ->Arg(9600)
    ->Arg(38400)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 64;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return failed ? 1 : 0;
}
