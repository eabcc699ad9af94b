// rx93kit-radio: a simulated radio on a pseudo-terminal. SIGINT and SIGTERM end it
// after the current turn of the line.
#include <unistd.h>

#include <climits>
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cmcRadioServer.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) { stopRequested = 1; }

// The folder of this executable, where the overlays and initial images live.
std::string ExeDir(const char* argv0) {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  std::string path = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string(argv0);
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

}  // namespace

int main(int argc, char* argv[]) {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return cmcRadioServer::Run(args, std::cout, std::cerr, ExeDir(argv[0]), stopRequested);
}
