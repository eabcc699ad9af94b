#include "clone/cmcPortDiscovery.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "clone/cmcPortTable.h"
#include "clone/cmcSerialFactory.h"

namespace {

// The path with every link resolved; empty when it leads nowhere.
std::string RealPath(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return {};
  std::string resolved = real;
  std::free(real);
  return resolved;
}

}  // namespace

int cmcPortDiscovery::EntryNumber(std::string_view entry) {
  if (entry.starts_with("COM")) entry.remove_prefix(3);
  int number = 0;
  for (const char c : entry) {
    if (c < '0' || c > '9') break;
    number = number * 10 + (c - '0');
    if (number > 99999999) break;  // far above any port number; keeps it from overflowing
  }
  return number;
}

void cmcPortDiscovery::SortByNumber(std::vector<cmcPortInfo>& ports) {
  std::stable_sort(ports.begin(), ports.end(), [](const auto& a, const auto& b) { return a.number < b.number; });
  ports.erase(
      std::unique(ports.begin(), ports.end(), [](const auto& a, const auto& b) { return a.number == b.number; }),
      ports.end());
}

std::vector<std::string> cmcPortDiscovery::NumberTexts(const std::vector<cmcPortInfo>& ports) {
  std::vector<std::string> texts;
  for (const auto& port : ports) texts.push_back(std::to_string(port.number));
  return texts;
}

std::vector<std::string> cmcPortDiscovery::FriendlyTexts(const std::vector<cmcPortInfo>& ports) {
  std::vector<std::string> texts;
  for (const auto& port : ports) {
    if (!port.friendlyName.empty()) texts.push_back(std::to_string(port.number) + ": " + port.friendlyName);
  }
  return texts;
}

void cmcPortDiscovery::AddTableEntries(const cmcPortTable& table, std::vector<cmcPortInfo>& ports) {
  for (const auto& [number, path] : table.Entries()) {
    struct stat info {};
    if (path.starts_with(cmcSerialFactory::kSimulatedRadioPath) || ::stat(path.c_str(), &info) == 0)
      ports.push_back({number, path, {}, {}});
  }
}

void cmcPortDiscovery::AddLinks(std::vector<cmcPortInfo>& ports, const std::string& byIdDir) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(byIdDir.c_str())) {
    while (const dirent* entry = ::readdir(dir))
      if (entry->d_name[0] != '.') names.push_back(entry->d_name);
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string link = byIdDir + "/" + name;
    const std::string target = RealPath(link);
    if (target.empty()) continue;
    for (cmcPortInfo& port : ports)
      if (RealPath(port.path) == target) port.links.push_back(link);
  }
}
