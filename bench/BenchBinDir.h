#pragma once
// The folder of the running benchmark, ending with "/": the build puts every program
// and the shipped data (overlays, initial images) there, so a benchmark runs the real
// program's objects on the real data.
#include <unistd.h>

#include <climits>
#include <string>

inline std::string BenchBinDir() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  const std::string path(buffer, static_cast<size_t>(n > 0 ? n : 0));
  return path.substr(0, path.rfind('/') + 1);
}
