#pragma once
// Lists the serial ports present on the machine for the port chooser: every port with
// its number (through the port table), device path and a friendly name, and the
// chooser's three lists derived from that, all sorted by number.
#include <string>
#include <string_view>
#include <vector>

class cmcPortTable;

struct cmcPortInfo {
  int number = 0;
  std::string path;
  std::string friendlyName;        // empty when nothing better than the path is known
  std::vector<std::string> links;  // the stable names of the device (/dev/serial/by-id), if any
};

class cmcPortDiscovery {
 public:
  virtual ~cmcPortDiscovery() = default;

  // The present ports, sorted by number, each number once.
  virtual std::vector<cmcPortInfo> List() = 0;

  // The numbers of the registered serial devices, as decimal texts.
  std::vector<std::string> RegistryList() { return NumberTexts(List()); }
  // The numbers of the devices that can be opened by number, as decimal texts.
  std::vector<std::string> DeviceList() { return NumberTexts(List()); }
  // "n: friendly name" for every port with a friendly name.
  std::vector<std::string> FriendlyList() { return FriendlyTexts(List()); }

  // The number an entry starts with: "COM7", "7" and "7: name" all give 7; 0 if none.
  static int EntryNumber(std::string_view entry);
  // Sorts by number and keeps the first port of each number.
  static void SortByNumber(std::vector<cmcPortInfo>& ports);
  static std::vector<std::string> NumberTexts(const std::vector<cmcPortInfo>& ports);
  static std::vector<std::string> FriendlyTexts(const std::vector<cmcPortInfo>& ports);
  // Adds the explicit entries of the table whose device exists or is the simulated radio.
  static void AddTableEntries(const cmcPortTable& table, std::vector<cmcPortInfo>& ports);
  // Adds to every port the links of the by-id folder that lead to its device.
  static void AddLinks(std::vector<cmcPortInfo>& ports, const std::string& byIdDir);
};
