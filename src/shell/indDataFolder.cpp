#include "shell/indDataFolder.h"

#include <unistd.h>

#include <climits>

namespace {

bool Holds(const std::string& folder) { return ::access((folder + indDataFolder::kMarker).c_str(), R_OK) == 0; }

}  // namespace

std::string indDataFolder::For(const std::string& exeDir) {
  if (Holds(exeDir)) return exeDir;
  const std::string installed = exeDir + "../share/rx93kit/";
  return Holds(installed) ? installed : exeDir;
}

std::string indDataFolder::OfExecutable(const char* argv0) {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  const std::string path = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string(argv0 ? argv0 : "");
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}
