#include "runtime/cmcMemorySettingsStore.h"

namespace {
bool IsSameOrBelow(const std::string& path, const std::string& key) {
  return path == key || (path.size() > key.size() && path.compare(0, key.size(), key) == 0 && path[key.size()] == '\\');
}
}  // namespace

bool cmcMemorySettingsStore::KeyExists(cmcSettingsRoot root, const std::string& key) const {
  for (const auto& [path, values] : Tree(root))
    if (IsSameOrBelow(path, key)) return true;
  return false;
}

const cmcMemorySettingsStore::Value* cmcMemorySettingsStore::Find(cmcSettingsRoot root, const std::string& key,
                                                                  const std::string& name) const {
  const auto& tree = Tree(root);
  auto k = tree.find(key);
  if (k == tree.end()) return nullptr;
  auto v = k->second.find(name);
  return v == k->second.end() ? nullptr : &v->second;
}

std::optional<int32_t> cmcMemorySettingsStore::ReadInt(cmcSettingsRoot root, const std::string& key,
                                                       const std::string& name) const {
  const Value* v = Find(root, key, name);
  if (!v || !std::holds_alternative<int32_t>(*v)) return std::nullopt;
  return std::get<int32_t>(*v);
}

std::optional<std::string> cmcMemorySettingsStore::ReadText(cmcSettingsRoot root, const std::string& key,
                                                            const std::string& name) const {
  const Value* v = Find(root, key, name);
  if (!v || !std::holds_alternative<std::string>(*v)) return std::nullopt;
  return std::get<std::string>(*v);
}

bool cmcMemorySettingsStore::WriteInt(cmcSettingsRoot root, const std::string& key, const std::string& name,
                                      int32_t value) {
  if (readOnly_) return false;
  Tree(root)[key][name] = value;
  return true;
}

bool cmcMemorySettingsStore::WriteText(cmcSettingsRoot root, const std::string& key, const std::string& name,
                                       const std::string& value) {
  if (readOnly_) return false;
  Tree(root)[key][name] = value;
  return true;
}

bool cmcMemorySettingsStore::DeleteKey(cmcSettingsRoot root, const std::string& key, const std::string& subkey) {
  if (readOnly_ || !KeyExists(root, key)) return false;
  const std::string target = key + "\\" + subkey;
  auto& tree = Tree(root);
  for (auto it = tree.begin(); it != tree.end();)
    it = IsSameOrBelow(it->first, target) ? tree.erase(it) : std::next(it);
  return true;
}

bool cmcMemorySettingsStore::DeleteValue(cmcSettingsRoot root, const std::string& key, const std::string& name) {
  auto& tree = Tree(root);
  auto k = tree.find(key);
  return k != tree.end() && k->second.erase(name) > 0;
}

int cmcMemorySettingsStore::ValueCount(cmcSettingsRoot root) const {
  int n = 0;
  for (const auto& [path, values] : Tree(root)) n += static_cast<int>(values.size());
  return n;
}
