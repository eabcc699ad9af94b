#pragma once
// An in-memory settings store: the test implementation of cmcSettingsStore. Key
// paths compare exactly; both roots are writable so tests can seed machine values.
#include <map>
#include <string>
#include <variant>

#include "runtime/cmcSettingsStore.h"

class cmcMemorySettingsStore : public cmcSettingsStore {
 public:
  bool KeyExists(cmcSettingsRoot root, const std::string& key) const override;
  std::optional<int32_t> ReadInt(cmcSettingsRoot root, const std::string& key, const std::string& name) const override;
  std::optional<std::string> ReadText(cmcSettingsRoot root, const std::string& key,
                                      const std::string& name) const override;
  bool WriteInt(cmcSettingsRoot root, const std::string& key, const std::string& name, int32_t value) override;
  bool WriteText(cmcSettingsRoot root, const std::string& key, const std::string& name,
                 const std::string& value) override;
  bool DeleteKey(cmcSettingsRoot root, const std::string& key, const std::string& subkey) override;

  // Removes one value; true when it existed.
  bool DeleteValue(cmcSettingsRoot root, const std::string& key, const std::string& name);
  // Number of values stored under the root.
  int ValueCount(cmcSettingsRoot root) const;
  // Makes every later write fail (to test writers that must stop silently).
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

 private:
  using Value = std::variant<int32_t, std::string>;
  using Values = std::map<std::string, Value>;
  std::map<std::string, Values>& Tree(cmcSettingsRoot root) {
    return root == cmcSettingsRoot::CurrentUser ? user_ : machine_;
  }
  const std::map<std::string, Values>& Tree(cmcSettingsRoot root) const {
    return root == cmcSettingsRoot::CurrentUser ? user_ : machine_;
  }
  const Value* Find(cmcSettingsRoot root, const std::string& key, const std::string& name) const;

  std::map<std::string, Values> user_;
  std::map<std::string, Values> machine_;
  bool readOnly_ = false;
};
