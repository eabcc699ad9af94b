#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "clone/cmcDevPortDiscovery.h"
#include "clone/cmcPortTable.h"

namespace {

namespace fs = std::filesystem;

TEST(cmcPortDiscovery, EntryNumber) {
  const struct {
    const char* entry;
    int number;
  } cases[] = {{"COM7", 7}, {"7", 7},       {"7: Zelk USB-to-Serial Comm. Port (COM7)", 7}, {"COM", 0}, {"", 0},
               {"x7", 0},   {"123abc", 123}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    EXPECT_EQ(cmcPortDiscovery::EntryNumber(c.entry), c.number);
  }
}

TEST(cmcPortDiscovery, ListsSortByNumberNotByText) {
  std::vector<cmcPortInfo> ports = {
      {10, "/dev/ttyS9", "Ten", {}}, {2, "/dev/ttyS1", "", {}}, {2, "/dev/dup", "Dup", {}}};
  cmcPortDiscovery::SortByNumber(ports);
  EXPECT_EQ(cmcPortDiscovery::NumberTexts(ports), (std::vector<std::string>{"2", "10"}));
  EXPECT_EQ(cmcPortDiscovery::FriendlyTexts(ports), (std::vector<std::string>{"10: Ten"}));
}

// A fake device folder and sysfs tree.
class DevScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("rx93-scan-" + std::to_string(::getpid()));
    fs::create_directories(root / "dev");
    for (const char* name : {"ttyS0", "ttyS1", "ttyUSB3", "ttyACM0", "ttyUSB40", "ttyUSBx", "tty1", "null"})
      Touch(root / "dev" / name);
    // ttyS0 has a UART, ttyS1 is a placeholder of the 8250 driver.
    Write(root / "sys" / "ttyS0" / "type", "4\n");
    Write(root / "sys" / "ttyS1" / "type", "0\n");
    // ttyUSB3 sits two levels below its USB device, ttyACM0 one level.
    fs::create_directories(root / "sys" / "usbdev" / "1-1:1.0" / "ttyUSB3");
    Write(root / "sys" / "usbdev" / "product", "Zelk USB-to-Serial Cable\n");
    fs::create_directories(root / "sys" / "ttyUSB3");
    fs::create_directory_symlink(root / "sys" / "usbdev" / "1-1:1.0" / "ttyUSB3", root / "sys" / "ttyUSB3" / "device");
    fs::create_directories(root / "sys" / "acmdev" / "1-2:1.0");
    Write(root / "sys" / "acmdev" / "product", "Radio Programming Port\n");
    fs::create_directories(root / "sys" / "ttyACM0");
    fs::create_directory_symlink(root / "sys" / "acmdev" / "1-2:1.0", root / "sys" / "ttyACM0" / "device");
    Touch(root / "pts5");
  }
  void TearDown() override { fs::remove_all(root); }
  static void Touch(const fs::path& path) { std::ofstream(path).put('\0'); }
  static void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
  }
  std::string Dev(const char* name) const { return (root / "dev" / name).string(); }

  fs::path root;
};

TEST_F(DevScanTest, ListsTheDefaultFamiliesAndPresentExplicitEntries) {
  cmcPortTable table((root / "dev").string());
  table.SetEntry(5, (root / "pts5").string());
  table.SetEntry(6, (root / "gone").string());
  table.SetEntry(150, "sim:");
  cmcDevPortDiscovery discovery(table, (root / "dev").string(), (root / "sys").string());

  const auto ports = discovery.List();
  std::vector<int> numbers;
  for (const auto& port : ports) numbers.push_back(port.number);
  // ttyS0 1, pts5 5, ttyUSB3 36, ttyACM0 65, ttyUSB40 the first free above 96, sim 150.
  EXPECT_EQ(numbers, (std::vector<int>{1, 5, 36, 65, 97, 150}));
  EXPECT_EQ(ports[2].path, Dev("ttyUSB3"));
  EXPECT_EQ(ports[2].friendlyName, "Zelk USB-to-Serial Cable (ttyUSB3)");
  EXPECT_EQ(ports[3].friendlyName, "Radio Programming Port (ttyACM0)");
  EXPECT_EQ(ports[4].path, Dev("ttyUSB40"));
  EXPECT_EQ(table.Path(97), Dev("ttyUSB40"));
  EXPECT_EQ(ports[5].path, "sim:");

  EXPECT_EQ(discovery.RegistryList(), (std::vector<std::string>{"1", "5", "36", "65", "97", "150"}));
  EXPECT_EQ(discovery.FriendlyList(), (std::vector<std::string>{"36: Zelk USB-to-Serial Cable (ttyUSB3)",
                                                                "65: Radio Programming Port (ttyACM0)"}));
  // A second scan keeps the numbers it handed out.
  EXPECT_EQ(discovery.List().size(), ports.size());
  EXPECT_EQ(table.NumberOf(Dev("ttyUSB40")), 97);
}

// The stable names of a device are the by-id links that lead to it, in name order.
TEST_F(DevScanTest, ByIdLinksNameTheirDevice) {
  fs::create_directories(root / "by-id");
  fs::create_symlink(root / "dev" / "ttyUSB3", root / "by-id" / "usb-Zelk_Cable_B-if00-port0");
  fs::create_symlink("../dev/ttyUSB3", root / "by-id" / "usb-Zelk_Cable_A-if00-port0");
  fs::create_symlink(root / "dev" / "gone", root / "by-id" / "usb-unplugged");
  cmcPortTable table((root / "dev").string());
  cmcDevPortDiscovery discovery(table, (root / "dev").string(), (root / "sys").string(), (root / "by-id").string());
  for (const auto& port : discovery.List()) {
    if (port.path == Dev("ttyUSB3")) {
      EXPECT_EQ(port.links, (std::vector<std::string>{(root / "by-id" / "usb-Zelk_Cable_A-if00-port0").string(),
                                                      (root / "by-id" / "usb-Zelk_Cable_B-if00-port0").string()}));
    } else {
      EXPECT_TRUE(port.links.empty()) << port.path;
    }
  }
}

TEST_F(DevScanTest, MissingFolderListsNothingButPresentEntries) {
  cmcPortTable table;
  cmcDevPortDiscovery discovery(table, (root / "no-dev").string(), (root / "no-sys").string());
  EXPECT_TRUE(discovery.List().empty());
}

}  // namespace
