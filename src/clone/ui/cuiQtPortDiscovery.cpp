#include "clone/ui/cuiQtPortDiscovery.h"

#include <QSerialPortInfo>

#include "clone/cmcPortTable.h"

std::vector<cmcPortInfo> cuiQtPortDiscovery::List() {
  std::vector<cmcPortInfo> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const std::string path = info.systemLocation().toStdString();
    const int number = table_.NumberFor(path);
    if (number == 0) continue;  // every number is taken
    QString name = info.description().trimmed();
    if (name.isEmpty()) name = info.manufacturer().trimmed();
    if (!name.isEmpty()) name += QStringLiteral(" (%1)").arg(info.portName());
    ports.push_back({number, path, name.toStdString(), {}});
  }
  AddTableEntries(table_, ports);
  SortByNumber(ports);
  AddLinks(ports, byIdDir_);
  return ports;
}
