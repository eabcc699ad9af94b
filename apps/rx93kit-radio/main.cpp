// rx93kit-radio: a simulated radio on a pseudo-terminal. SIGINT and SIGTERM end it
// after the current turn of the line.
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cmcRadioServer.h"
#include "shell/indDataFolder.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) { stopRequested = 1; }

}  // namespace

int main(int argc, char* argv[]) {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return cmcRadioServer::Run(args, std::cout, std::cerr, indDataFolder::For(indDataFolder::OfExecutable(argv[0])),
                             stopRequested);
}
