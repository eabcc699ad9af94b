#pragma once
// Maps port numbers to device paths. Numbers 1-32 are /dev/ttyS0-31, 33-64
// /dev/ttyUSB0-31 and 65-96 /dev/ttyACM0-31 unless an explicit entry overrides them;
// explicit entries may name any path (a /dev/serial/by-id link, a pseudo-terminal, or
// "sim:" for the simulated radio) and any number up to kMaxPort. They persist in the
// settings store as text values named by the number under the user key's "Ports".
#include <map>
#include <string>
#include <utility>

class cmcSettingsStore;

class cmcPortTable {
 public:
  static constexpr int kMaxPort = 256;
  // Last number of the default device families; assigned numbers start above it.
  static constexpr int kLastDefaultPort = 96;
  static constexpr const char* kSubKey = "Ports";

  // devDir is the folder of the default devices (tests use a scratch folder).
  explicit cmcPortTable(std::string devDir = "/dev") : devDir_(std::move(devDir)) {}

  // The default device of a number, empty outside 1..96.
  std::string DefaultPath(int number) const;

  // The device of a number: its explicit entry, else its default; empty when none.
  std::string Path(int number) const;
  // The number of a device path: an explicit entry naming it first, then a default;
  // links are followed, so a by-id link and its target map alike. 0 when none.
  int NumberOf(const std::string& path) const;
  // NumberOf, or a new explicit entry for the path under the lowest number above 96
  // that has none; 0 when every number is taken.
  int NumberFor(const std::string& path);

  // Sets (or, with an empty path, removes) the explicit entry of a number in 1..256.
  bool SetEntry(int number, const std::string& path);
  const std::map<int, std::string>& Entries() const { return entries_; }

  // Replaces the explicit entries by those stored under userKey\Ports.
  void Load(const cmcSettingsStore& store, const std::string& userKey);
  // Rewrites userKey\Ports with the explicit entries; false when the store refused.
  bool Save(cmcSettingsStore& store, const std::string& userKey) const;

 private:
  std::string devDir_;
  std::map<int, std::string> entries_;
};
