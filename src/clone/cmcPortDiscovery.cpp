#include "clone/cmcPortDiscovery.h"

#include <sys/stat.h>

#include <algorithm>

#include "clone/cmcPortTable.h"
#include "clone/cmcSerialFactory.h"

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
