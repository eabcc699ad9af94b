#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "clone/cmcPortTable.h"
#include "runtime/cmcMemorySettingsStore.h"

namespace {

constexpr const char* kUserKey = "Software\\Zelk\\RX-93KIT(Dealer)";
constexpr const char* kPortsKey = "Software\\Zelk\\RX-93KIT(Dealer)\\Ports";

TEST(cmcPortTable, DefaultDevicesByNumber) {
  const struct {
    int number;
    const char* path;
  } cases[] = {
      {0, ""},
      {1, "/dev/ttyS0"},
      {32, "/dev/ttyS31"},
      {33, "/dev/ttyUSB0"},
      {64, "/dev/ttyUSB31"},
      {65, "/dev/ttyACM0"},
      {96, "/dev/ttyACM31"},
      {97, ""},
      {256, ""},
      {-1, ""},
  };
  cmcPortTable table;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(table.Path(c.number), c.path);
    EXPECT_EQ(table.NumberOf(c.path), std::string(c.path).empty() ? 0 : c.number);
  }
}

TEST(cmcPortTable, ExplicitEntriesOverrideAndMapBack) {
  cmcPortTable table;
  ASSERT_TRUE(table.SetEntry(1, "/dev/pts/7"));
  ASSERT_TRUE(table.SetEntry(150, "sim:"));
  EXPECT_EQ(table.Path(1), "/dev/pts/7");
  EXPECT_EQ(table.Path(150), "sim:");
  EXPECT_EQ(table.NumberOf("/dev/pts/7"), 1);
  EXPECT_EQ(table.NumberOf("sim:"), 150);
  // The overridden default no longer belongs to number 1.
  EXPECT_EQ(table.NumberOf("/dev/ttyS0"), 0);
  EXPECT_EQ(table.Path(2), "/dev/ttyS1");

  EXPECT_FALSE(table.SetEntry(0, "/dev/x"));
  EXPECT_FALSE(table.SetEntry(257, "/dev/x"));
  ASSERT_TRUE(table.SetEntry(1, ""));
  EXPECT_EQ(table.Path(1), "/dev/ttyS0");
}

TEST(cmcPortTable, EntryNamingALinkMapsItsTargetToo) {
  const auto dir = std::filesystem::temp_directory_path() / ("rx93-ports-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "by-id");
  std::ofstream(dir / "ttyUSB0").put('x');
  std::filesystem::create_symlink(dir / "ttyUSB0", dir / "by-id" / "usb-Zelk_Cable-if00");
  cmcPortTable table(dir.string());
  ASSERT_TRUE(table.SetEntry(3, (dir / "by-id" / "usb-Zelk_Cable-if00").string()));
  // The explicit entry wins over the default number 33 of the same device.
  EXPECT_EQ(table.NumberOf((dir / "ttyUSB0").string()), 3);
  EXPECT_EQ(table.NumberOf((dir / "by-id" / "usb-Zelk_Cable-if00").string()), 3);
  EXPECT_EQ(table.NumberOf((dir / "ttyUSB1").string()), 34);
  std::filesystem::remove_all(dir);
}

TEST(cmcPortTable, UnknownDevicesGetTheNextFreeNumberAbove96) {
  cmcPortTable table;
  ASSERT_TRUE(table.SetEntry(97, "/dev/pts/1"));
  EXPECT_EQ(table.NumberFor("/dev/ttyUSB3"), 36);
  EXPECT_EQ(table.NumberFor("/dev/ttyUSB40"), 98);
  EXPECT_EQ(table.NumberFor("/dev/ttyUSB40"), 98);
  EXPECT_EQ(table.NumberFor("/dev/rfcomm0"), 99);
  EXPECT_EQ(table.Path(99), "/dev/rfcomm0");
  EXPECT_EQ(table.NumberFor(""), 0);
  for (int n = 100; n <= cmcPortTable::kMaxPort; ++n) table.SetEntry(n, "/dev/other" + std::to_string(n));
  EXPECT_EQ(table.NumberFor("/dev/one-too-many"), 0);
}

TEST(cmcPortTable, EntriesPersistUnderPorts) {
  cmcMemorySettingsStore store;
  cmcPortTable table;
  table.SetEntry(7, "/dev/serial/by-id/usb-Zelk-if00");
  table.SetEntry(200, "sim:");
  ASSERT_TRUE(table.Save(store, kUserKey));
  EXPECT_EQ(store.ReadText(cmcSettingsRoot::CurrentUser, kPortsKey, "7"), "/dev/serial/by-id/usb-Zelk-if00");
  EXPECT_EQ(store.ReadText(cmcSettingsRoot::CurrentUser, kPortsKey, "200"), "sim:");

  // A removed entry disappears from the store on the next save.
  table.SetEntry(7, "");
  ASSERT_TRUE(table.Save(store, kUserKey));
  EXPECT_FALSE(store.ReadText(cmcSettingsRoot::CurrentUser, kPortsKey, "7").has_value());

  store.WriteText(cmcSettingsRoot::CurrentUser, kPortsKey, "12", "/dev/pts/4");
  store.WriteText(cmcSettingsRoot::CurrentUser, kPortsKey, "13", "");
  store.WriteText(cmcSettingsRoot::CurrentUser, kPortsKey, "COM5", "/dev/ignored");
  store.WriteInt(cmcSettingsRoot::CurrentUser, kPortsKey, "14", 3);
  cmcPortTable loaded;
  loaded.SetEntry(1, "/dev/forgotten");
  loaded.Load(store, kUserKey);
  EXPECT_EQ(loaded.Entries(), (std::map<int, std::string>{{12, "/dev/pts/4"}, {200, "sim:"}}));
}

TEST(cmcPortTable, SaveReportsARefusingStore) {
  cmcMemorySettingsStore store;
  store.SetReadOnly(true);
  cmcPortTable table;
  table.SetEntry(7, "/dev/pts/1");
  EXPECT_FALSE(table.Save(store, kUserKey));
}

}  // namespace
