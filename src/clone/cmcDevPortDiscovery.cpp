#include "clone/cmcDevPortDiscovery.h"

#include <dirent.h>

#include <fstream>
#include <utility>

#include "clone/cmcPortTable.h"
#include "overlay/cmcTextUtil.h"

namespace {

// Whether name is one of the default device families with a decimal index.
bool IsSerialName(const std::string& name) {
  for (const char* family : {"ttyUSB", "ttyACM", "ttyS"}) {
    const std::string prefix = family;
    if (name.size() > prefix.size() && name.starts_with(prefix) &&
        name.find_first_not_of("0123456789", prefix.size()) == std::string::npos)
      return true;
  }
  return false;
}

std::string FirstLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return cmcTrim(line);
}

}  // namespace

cmcDevPortDiscovery::cmcDevPortDiscovery(cmcPortTable& table, std::string devDir, std::string sysTtyDir,
                                         std::string byIdDir)
    : table_(table), devDir_(std::move(devDir)), sysTtyDir_(std::move(sysTtyDir)), byIdDir_(std::move(byIdDir)) {}

bool cmcDevPortDiscovery::HasUart(const std::string& name) const {
  // The 8250 driver creates nodes for absent UARTs too; their type is 0 (unknown).
  if (!name.starts_with("ttyS") || name.starts_with("ttySA")) return true;
  const std::string type = FirstLine(sysTtyDir_ + "/" + name + "/type");
  return !type.empty() && type != "0";
}

std::string cmcDevPortDiscovery::FriendlyName(const std::string& name) const {
  // USB interfaces keep the product name one (ttyACM) or two (ttyUSB) levels up.
  for (const char* up : {"/device/../product", "/device/../../product"}) {
    const std::string product = FirstLine(sysTtyDir_ + "/" + name + up);
    if (!product.empty()) return product + " (" + name + ")";
  }
  return {};
}

std::vector<cmcPortInfo> cmcDevPortDiscovery::List() {
  std::vector<cmcPortInfo> ports;
  if (DIR* dir = ::opendir(devDir_.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (!IsSerialName(name) || !HasUart(name)) continue;
      const std::string path = devDir_ + "/" + name;
      if (const int number = table_.NumberFor(path)) ports.push_back({number, path, FriendlyName(name), {}});
    }
    ::closedir(dir);
  }
  AddTableEntries(table_, ports);
  SortByNumber(ports);
  AddLinks(ports, byIdDir_);
  return ports;
}
