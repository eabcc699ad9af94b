// rx93kit-cli: reads, checks and rewrites clone files, and reads and writes radios,
// from scripts.
#include <unistd.h>

#include <climits>
#include <iostream>
#include <string>
#include <vector>

#include "cli/indCli.h"

namespace {

// The folder of this executable, where its overlays and initial images live.
std::string ExeDir(const char* argv0) {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  std::string path = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string(argv0);
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunCli(args, std::cout, std::cerr, ExeDir(argv[0]), ::isatty(STDERR_FILENO) == 1);
}
