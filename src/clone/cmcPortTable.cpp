#include "clone/cmcPortTable.h"

#include <climits>
#include <cstdlib>

#include "runtime/cmcSettingsStore.h"

namespace {

struct Family {
  int first;
  const char* name;
};
// Each family covers 32 numbers from its first.
constexpr Family kFamilies[] = {{1, "ttyS"}, {33, "ttyUSB"}, {65, "ttyACM"}};
constexpr int kFamilySize = 32;

// The path with every link resolved; the path itself when it cannot be resolved
// (a device that is gone, or a path such as "sim:").
std::string Canonical(const std::string& path) {
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

std::string cmcPortTable::DefaultPath(int number) const {
  for (const Family& family : kFamilies) {
    if (number >= family.first && number < family.first + kFamilySize)
      return devDir_ + "/" + family.name + std::to_string(number - family.first);
  }
  return {};
}

std::string cmcPortTable::Path(int number) const {
  const auto it = entries_.find(number);
  return it != entries_.end() ? it->second : DefaultPath(number);
}

int cmcPortTable::NumberOf(const std::string& path) const {
  if (path.empty()) return 0;
  const std::string wanted = Canonical(path);
  for (const auto& [number, entry] : entries_) {
    if (entry == path || Canonical(entry) == wanted) return number;
  }
  for (int number = 1; number <= kLastDefaultPort; ++number) {
    // A default overridden by an explicit entry no longer names its device.
    if (entries_.count(number)) continue;
    const std::string candidate = DefaultPath(number);
    if (candidate == path || Canonical(candidate) == wanted) return number;
  }
  return 0;
}

int cmcPortTable::NumberFor(const std::string& path) {
  if (const int known = NumberOf(path)) return known;
  if (path.empty()) return 0;
  for (int number = kLastDefaultPort + 1; number <= kMaxPort; ++number) {
    if (!entries_.count(number)) {
      entries_[number] = path;
      return number;
    }
  }
  return 0;
}

bool cmcPortTable::SetEntry(int number, const std::string& path) {
  if (number < 1 || number > kMaxPort) return false;
  if (path.empty())
    entries_.erase(number);
  else
    entries_[number] = path;
  return true;
}

void cmcPortTable::Load(const cmcSettingsStore& store, const std::string& userKey) {
  entries_.clear();
  const std::string key = userKey + "\\" + kSubKey;
  if (!store.KeyExists(cmcSettingsRoot::CurrentUser, key)) return;
  for (int number = 1; number <= kMaxPort; ++number) {
    const auto path = store.ReadText(cmcSettingsRoot::CurrentUser, key, std::to_string(number));
    if (path && !path->empty()) entries_[number] = *path;
  }
}

bool cmcPortTable::Save(cmcSettingsStore& store, const std::string& userKey) const {
  if (store.KeyExists(cmcSettingsRoot::CurrentUser, userKey + "\\" + kSubKey))
    store.DeleteKey(cmcSettingsRoot::CurrentUser, userKey, kSubKey);
  const std::string key = userKey + "\\" + kSubKey;
  for (const auto& [number, path] : entries_) {
    if (!store.WriteText(cmcSettingsRoot::CurrentUser, key, std::to_string(number), path)) return false;
  }
  return true;
}
