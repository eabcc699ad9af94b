#pragma once
// Port discovery through QSerialPortInfo: every serial device Qt finds, numbered
// through the port table (devices missing from it get numbers above 96 in it), with a
// friendly name made of its description or manufacturer and its device name and the
// stable names of the by-id folder, plus the table's explicit entries that are present.
#include <string>
#include <utility>

#include "clone/cmcPortDiscovery.h"

class cmcPortTable;

class cuiQtPortDiscovery : public cmcPortDiscovery {
 public:
  // The table is not owned and must outlive this object.
  explicit cuiQtPortDiscovery(cmcPortTable& table, std::string byIdDir = "/dev/serial/by-id")
      : table_(table), byIdDir_(std::move(byIdDir)) {}

  std::vector<cmcPortInfo> List() override;

 private:
  cmcPortTable& table_;
  std::string byIdDir_;
};
