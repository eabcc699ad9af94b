#pragma once
// The settings seam: a registry-like tree of keys ("Software\Zelk\App\Global")
// holding named integer and text values, under two roots. The per-machine root is
// read-only for the program. Production: QSettings INI files; tests: in memory.
#include <cstdint>
#include <optional>
#include <string>

enum class cmcSettingsRoot { CurrentUser, LocalMachine };

class cmcSettingsStore {
 public:
  virtual ~cmcSettingsStore() = default;
  // True when the key exists (holds values or subkeys).
  virtual bool KeyExists(cmcSettingsRoot root, const std::string& key) const = 0;
  // The value, or nothing when the key or value is missing or is not of the type asked.
  virtual std::optional<int32_t> ReadInt(cmcSettingsRoot root, const std::string& key,
                                         const std::string& name) const = 0;
  virtual std::optional<std::string> ReadText(cmcSettingsRoot root, const std::string& key,
                                              const std::string& name) const = 0;
  // Writes create the key; they return false when the store refuses the write.
  virtual bool WriteInt(cmcSettingsRoot root, const std::string& key, const std::string& name, int32_t value) = 0;
  virtual bool WriteText(cmcSettingsRoot root, const std::string& key, const std::string& name,
                         const std::string& value) = 0;
  // Deletes the subkey of key with everything below it; false when key does not exist.
  virtual bool DeleteKey(cmcSettingsRoot root, const std::string& key, const std::string& subkey) = 0;
  // Makes the writes durable; false when that failed.
  virtual bool Flush() { return true; }
};
