#pragma once
// Port discovery without Qt, for the command-line tool: scans the device folder for
// ttyS, ttyUSB and ttyACM nodes (ttyS only where the kernel reports a UART behind it)
// and adds the explicit entries of the port table whose device exists or is the
// simulated radio. Friendly names come from the USB product name in sysfs; the stable
// names are the links of the by-id folder that lead to the device.
#include <string>

#include "clone/cmcPortDiscovery.h"

class cmcPortTable;

class cmcDevPortDiscovery : public cmcPortDiscovery {
 public:
  // Devices missing from the table get numbers above 96 in it (so it must outlive
  // this object). The folders are parameters so tests can build a fake tree.
  explicit cmcDevPortDiscovery(cmcPortTable& table, std::string devDir = "/dev",
                               std::string sysTtyDir = "/sys/class/tty", std::string byIdDir = "/dev/serial/by-id");

  std::vector<cmcPortInfo> List() override;

 private:
  std::string FriendlyName(const std::string& name) const;
  bool HasUart(const std::string& name) const;

  cmcPortTable& table_;
  std::string devDir_;
  std::string sysTtyDir_;
  std::string byIdDir_;
};
