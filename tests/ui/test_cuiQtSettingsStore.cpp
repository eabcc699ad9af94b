#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <climits>
#include <memory>
#include <string>

#include "runtime/cmcMemoryInstanceGuard.h"
#include "shell/indEnviron.h"
#include "shell/ui/cuiQtSettingsStore.h"
#include "support/QtApplication.h"

namespace {

constexpr cmcSettingsRoot kUser = cmcSettingsRoot::CurrentUser;
constexpr cmcSettingsRoot kMachine = cmcSettingsRoot::LocalMachine;
const std::string kApp = "Software\\Zelk\\RX-93KIT(Dealer)";
const std::string kGlobal = kApp + "\\Global";

class QtSettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    ASSERT_TRUE(dir_.isValid());
  }
  QString UserBase() const { return dir_.path() + "/user"; }
  QString SystemBase() const { return dir_.path() + "/system"; }
  QString UserFile() const { return UserBase() + "/Zelk/RX-93KIT(Dealer).ini"; }
  QString SystemFile() const { return SystemBase() + "/Zelk/RX-93KIT(Dealer).ini"; }
  cuiQtSettingsStore Open() const { return cuiQtSettingsStore(UserBase(), SystemBase()); }

  QTemporaryDir dir_;
};

TEST_F(QtSettingsStore, IntegersAndTextsSurviveTheFile) {
  const int32_t ints[] = {0, -1, 753951, INT32_MAX, INT32_MIN};
  const std::string texts[] = {"",
                               "C:\\Radios\\clone 1.icf",
                               "/home/d\xC3\xA9"
                               "aler/my clones/\xE6\x97\xA5\xE6\x9C\xAC.icf",
                               "a, b; c=d",
                               "@String(x)",
                               "  padded  ",
                               "\"quoted\" #hash"};
  {
    cuiQtSettingsStore store = Open();
    for (size_t i = 0; i < std::size(ints); ++i)
      ASSERT_TRUE(store.WriteInt(kUser, kGlobal, "I" + std::to_string(i), ints[i]));
    for (size_t i = 0; i < std::size(texts); ++i)
      ASSERT_TRUE(store.WriteText(kUser, kApp + "\\Recent File List", "T" + std::to_string(i), texts[i]));
    ASSERT_TRUE(store.Flush());
  }
  cuiQtSettingsStore store = Open();
  for (size_t i = 0; i < std::size(ints); ++i)
    EXPECT_EQ(store.ReadInt(kUser, kGlobal, "I" + std::to_string(i)), ints[i]);
  for (size_t i = 0; i < std::size(texts); ++i)
    EXPECT_EQ(store.ReadText(kUser, kApp + "\\Recent File List", "T" + std::to_string(i)), texts[i]) << i;
}

TEST_F(QtSettingsStore, SubkeysAreGroupsOfTheApplicationsFile) {
  {
    cuiQtSettingsStore store = Open();
    EXPECT_EQ(store.FilePath(kUser, kGlobal), UserFile());
    ASSERT_TRUE(store.WriteInt(kUser, kGlobal, "BBT", 753951));
    ASSERT_TRUE(store.WriteInt(kUser, kApp + "\\Window Position", "Left", -8));
    ASSERT_TRUE(store.WriteInt(kUser, kApp + "\\Columns\\Sheet1", "Col0", 64));
  }
  QFile file(UserFile());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray ini = file.readAll();
  EXPECT_TRUE(ini.contains("[Global]\nBBT=753951\n")) << ini.toStdString();
  // QSettings escapes the space of a group name.
  EXPECT_TRUE(ini.contains("[Window%20Position]\nLeft=-8\n")) << ini.toStdString();
  EXPECT_TRUE(ini.contains("[Columns]\nSheet1\\Col0=64\n")) << ini.toStdString();
}

TEST_F(QtSettingsStore, AValueOfAnotherTypeOrMissingFailsToRead) {
  cuiQtSettingsStore store = Open();
  ASSERT_TRUE(store.WriteText(kUser, kGlobal, "Word", "abc"));
  ASSERT_TRUE(store.WriteText(kUser, kGlobal, "Mixed", "12abc"));
  ASSERT_TRUE(store.WriteText(kUser, kGlobal, "Huge", "4294967296"));
  ASSERT_TRUE(store.Flush());
  cuiQtSettingsStore reopened = Open();
  for (const char* name : {"Word", "Mixed", "Huge", "Absent"})
    EXPECT_FALSE(reopened.ReadInt(kUser, kGlobal, name).has_value()) << name;
  EXPECT_FALSE(reopened.ReadText(kUser, kGlobal, "Absent").has_value());
  EXPECT_FALSE(reopened.ReadInt(kUser, kApp + "\\Nowhere", "BBT").has_value());
}

TEST_F(QtSettingsStore, TheMachineRootIsReadOnlyAndSeparate) {
  {
    QSettings seed(SystemFile(), QSettings::IniFormat);
    seed.setValue("UserName", "Dealer One");
    seed.setValue("Global/BBT", 1);
  }
  cuiQtSettingsStore store = Open();
  EXPECT_EQ(store.ReadText(kMachine, kApp, "UserName"), "Dealer One");
  EXPECT_FALSE(store.WriteText(kMachine, kApp, "UserName", "Other"));
  EXPECT_FALSE(store.WriteInt(kMachine, kApp, "Revision", 2));
  EXPECT_FALSE(store.DeleteKey(kMachine, kApp, "Global"));
  EXPECT_FALSE(store.ReadInt(kUser, kGlobal, "BBT").has_value());
  EXPECT_TRUE(store.Flush());
  cuiQtSettingsStore reopened = Open();
  EXPECT_EQ(reopened.ReadText(kMachine, kApp, "UserName"), "Dealer One");
  EXPECT_EQ(reopened.ReadInt(kMachine, kGlobal, "BBT"), 1);
  EXPECT_FALSE(QFile::exists(UserFile()));
}

TEST_F(QtSettingsStore, DeleteKeyRemovesTheSubkeyWithEverythingBelow) {
  {
    cuiQtSettingsStore store = Open();
    ASSERT_TRUE(store.WriteInt(kUser, kGlobal, "BBT", 753951));
    ASSERT_TRUE(store.WriteInt(kUser, kApp + "\\Columns\\Sheet1", "Col0", 64));
    ASSERT_TRUE(store.WriteInt(kUser, kApp + "\\Columns\\Sheet2", "Col0", 32));
    EXPECT_FALSE(store.DeleteKey(kUser, kApp + "\\Missing", "Sheet1"));
    EXPECT_TRUE(store.DeleteKey(kUser, kApp + "\\Columns", "Sheet1"));
    EXPECT_FALSE(store.KeyExists(kUser, kApp + "\\Columns\\Sheet1"));
    EXPECT_TRUE(store.KeyExists(kUser, kApp + "\\Columns\\Sheet2"));
    EXPECT_TRUE(store.DeleteKey(kUser, kApp, "Columns"));
  }
  cuiQtSettingsStore store = Open();
  EXPECT_FALSE(store.KeyExists(kUser, kApp + "\\Columns"));
  EXPECT_EQ(store.ReadInt(kUser, kGlobal, "BBT"), 753951);
  EXPECT_TRUE(store.KeyExists(kUser, kApp));
}

TEST_F(QtSettingsStore, KeysOutsideSoftwareOrgAppAreRefused) {
  cuiQtSettingsStore store = Open();
  for (const char* key : {"", "Software", "Software\\Zelk", "Hardware\\Zelk\\App"}) {
    EXPECT_FALSE(store.WriteInt(kUser, key, "X", 1)) << key;
    EXPECT_FALSE(store.ReadInt(kUser, key, "X").has_value()) << key;
    EXPECT_FALSE(store.KeyExists(kUser, key)) << key;
  }
}

TEST_F(QtSettingsStore, TheStandardUserFileFollowsTheConfigHome) {
  qputenv("XDG_CONFIG_HOME", UserBase().toUtf8());
  cuiQtSettingsStore store;
  EXPECT_EQ(store.FilePath(kUser, kGlobal), UserFile());
}

TEST_F(QtSettingsStore, TheEnvironmentsSettingsSurviveTheIniFile) {
  auto registry = std::make_shared<cmcMemoryInstanceGuard::Registry>();
  const indEnviron::Rect work{0, 0, 1920, 1040};
  {
    cuiQtSettingsStore store = Open();
    cmcMemoryInstanceGuard guard(registry);
    indEnviron env(indEnviron::kMutexName, indEnviron::kUserKey, indEnviron::kMachineKey, store, guard, work);
    env.comPort = 9;
    env.currentDirectory = "/home/dealer/My Clones";
    env.recent.AddFront("/home/dealer/My Clones/a, b.icf");
    env.adjustModeCode = "k3y";
  }
  cuiQtSettingsStore store = Open();
  cmcMemoryInstanceGuard guard(registry);
  indEnviron env(indEnviron::kMutexName, indEnviron::kUserKey, indEnviron::kMachineKey, store, guard, work);
  EXPECT_EQ(env.comPort, 9);
  EXPECT_EQ(env.currentDirectory, "/home/dealer/My Clones");
  ASSERT_EQ(env.recent.Count(), 1);
  EXPECT_EQ(env.recent.DisplayName(0, ""), "/home/dealer/My Clones/a, b.icf");
  EXPECT_EQ(env.adjustModeCode, "k3y");
  EXPECT_EQ(env.pHelpAlignCheck, 2);
}

}  // namespace
