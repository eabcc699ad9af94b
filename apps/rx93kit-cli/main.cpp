// rx93kit-cli: reads, checks and rewrites clone files, and reads and writes radios,
// from scripts.
#include <termios.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/indCli.h"
#include "shell/indDataFolder.h"

namespace {

// Turns the echo of the terminal on standard input on or off (while a password is typed).
void Echo(bool on) {
  termios tio{};
  if (::tcgetattr(STDIN_FILENO, &tio) != 0) return;
  if (on)
    tio.c_lflag |= ECHO;
  else
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  ::tcsetattr(STDIN_FILENO, TCSANOW, &tio);
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  dst_CliTerminal terminal;
  terminal.in = &std::cin;
  terminal.inIsTerminal = ::isatty(STDIN_FILENO) == 1;
  terminal.errIsTerminal = ::isatty(STDERR_FILENO) == 1;
  terminal.echo = Echo;
  return RunCli(args, std::cout, std::cerr, indDataFolder::For(indDataFolder::OfExecutable(argv[0])), terminal);
}
