#include <gtest/gtest.h>

#include <QSerialPortInfo>
#include <algorithm>

#include "clone/cmcPortTable.h"
#include "clone/cmcPtyPair.h"
#include "clone/ui/cuiQtPortDiscovery.h"

namespace {

TEST(cuiQtPortDiscovery, ListsEveryDeviceUnderANumberThatMapsBack) {
  cmcPtyPair pty;
  ASSERT_TRUE(pty.Ok());
  cmcPortTable table;
  table.SetEntry(150, pty.SlavePath());
  table.SetEntry(151, "sim:");
  cuiQtPortDiscovery discovery(table);

  const auto ports = discovery.List();
  // Ascending, each number once.
  EXPECT_EQ(std::adjacent_find(ports.begin(), ports.end(), [](auto& a, auto& b) { return a.number >= b.number; }),
            ports.end());
  for (const auto& port : ports) {
    SCOPED_TRACE(port.path);
    EXPECT_GE(port.number, 1);
    EXPECT_LE(port.number, cmcPortTable::kMaxPort);
    EXPECT_EQ(table.NumberOf(port.path), port.number);
  }
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const std::string path = info.systemLocation().toStdString();
    SCOPED_TRACE(path);
    EXPECT_TRUE(std::any_of(ports.begin(), ports.end(), [&](auto& p) { return p.number == table.NumberOf(path); }));
  }
  const auto has = [&](int number, const std::string& path) {
    return std::any_of(ports.begin(), ports.end(), [&](auto& p) { return p.number == number && p.path == path; });
  };
  EXPECT_TRUE(has(150, pty.SlavePath()));
  EXPECT_TRUE(has(151, "sim:"));
  // A second listing keeps every number.
  EXPECT_EQ(discovery.List().size(), ports.size());
}

}  // namespace
