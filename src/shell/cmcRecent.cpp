#include "shell/cmcRecent.h"

#include <algorithm>

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// The folder without trailing separators; the root folder stays "/".
std::string WithoutTrailingSeparator(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

cmcRecent::cmcRecent(int capacity) : capacity_(std::max(0, capacity)) {}

void cmcRecent::AddFront(const std::string& path) {
  if (path.empty()) return;
  Remove(path);
  paths_.insert(paths_.begin(), path);
  Trim();
}

void cmcRecent::Append(const std::string& path) {
  if (path.empty()) return;
  Remove(path);
  paths_.push_back(path);
  Trim();
}

void cmcRecent::Remove(const std::string& path) {
  std::erase_if(paths_, [&](const std::string& entry) { return SameIgnoringCase(entry, path); });
}

std::string cmcRecent::DisplayName(int index, const std::string& folder) const {
  if (index < 0 || index >= Count()) return {};
  const std::string& entry = paths_[static_cast<size_t>(index)];
  const std::string wanted = WithoutTrailingSeparator(folder);
  if (wanted.empty()) return entry;
  const size_t slash = entry.rfind('/');
  if (slash == std::string::npos) return entry;
  const std::string entryFolder = entry.substr(0, slash == 0 ? 1 : slash);
  return SameIgnoringCase(entryFolder, wanted) ? entry.substr(slash + 1) : entry;
}

void cmcRecent::Trim() {
  if (paths_.size() > static_cast<size_t>(capacity_)) paths_.resize(static_cast<size_t>(capacity_));
}
