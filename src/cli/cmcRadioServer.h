#pragma once
// rx93kit-radio: the simulated radio on a pseudo-terminal, for trying and testing the
// programs through the real serial path. It prints the slave device's path on stdout,
// then serves identifications, reads and writes at the line rate until stopped; the
// options choose its memory, identity, echo, clone password and injected faults, and
// whether the memory is saved after each write and the program ends after one exchange.
#include <csignal>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "clone/cmcSimRadio.h"

class cmcRadioServer {
 public:
  // Exit statuses besides 0 and the usage error (64).
  static constexpr int kExitNoImage = 66;
  static constexpr int kExitNoPty = 71;

  struct Options {
    int modelType = 1;
    std::string image;
    cmcSimRadio::Identity identity;
    cmcSimRadio::Faults faults;
    bool echo = false;
    std::optional<std::string> password;
    bool passwordNotEnforced = false;
    std::string save;
    bool once = false;
    bool stats = false;
    bool help = false;
    // Why the command line cannot be used; empty when it can.
    std::string problem;
  };

  static const char* Usage();
  static Options Parse(const std::vector<std::string>& args);
  // Parses and serves until stop becomes non-zero (or after one exchange with --once);
  // the exit status. exeDir ends with "/" and holds the overlays and initial images.
  static int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& exeDir,
                 const volatile std::sig_atomic_t& stop);
};
