// The desktop program run as a user would: real processes, a private home.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

namespace {

const QString kBinDir = QStringLiteral(RX93_BIN_DIR);

class Rx93kitProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    QDir(home_.path()).mkpath("config");
    QDir(home_.path()).mkpath("run");
    QFile::setPermissions(home_.path() + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  QProcessEnvironment Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home_.path());
    env.insert("XDG_CONFIG_HOME", home_.path() + "/config");
    env.insert("XDG_RUNTIME_DIR", home_.path() + "/run");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
  }

  void Start(QProcess& p, const QString& program) const {
    p.setProcessEnvironment(Environment());
    p.start(program, {});
    ASSERT_TRUE(p.waitForStarted(10000));
  }

  // Waits until the running instance has claimed the single-instance lock.
  bool WaitForClaim() const {
    for (int i = 0; i < 200; ++i) {
      if (!QDir(home_.path() + "/run").entryList(QDir::Files | QDir::System | QDir::Hidden).isEmpty()) return true;
      QThread::msleep(50);
    }
    return false;
  }

  QString SettingsFile() const { return home_.path() + "/config/Zelk/RX-93KIT(Dealer).ini"; }

  QTemporaryDir home_;
};

TEST_F(Rx93kitProcess, SecondInstanceLeavesAtOnceAndSettingsAreWrittenOnClose) {
  QProcess first;
  Start(first, kBinDir + "/rx93kit");
  ASSERT_TRUE(WaitForClaim()) << first.readAllStandardError().toStdString();

  QProcess second;
  Start(second, kBinDir + "/rx93kit");
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(first.state(), QProcess::Running) << "the first instance keeps running";
  EXPECT_FALSE(QFile::exists(SettingsFile())) << "the second instance writes no settings";

  first.terminate();  // SIGTERM closes the window as a normal close does
  ASSERT_TRUE(first.waitForFinished(10000));
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();

  ASSERT_TRUE(QFile::exists(SettingsFile()));
  QSettings ini(SettingsFile(), QSettings::IniFormat);
  const QStringList groups = ini.childGroups();
  for (const char* g : {"Global", "Recent File List", "View Option", "Window Position", "Setup", "Password"})
    EXPECT_TRUE(groups.contains(g)) << g;
  EXPECT_EQ(ini.value("Global/BBT").toInt(), 753951);
  EXPECT_EQ(ini.value("Global/ComPort").toInt(), 1);
  EXPECT_EQ(ini.value("Setup/ModelType").toInt(), 1);
  EXPECT_GT(ini.value("Window Position/Width").toInt(), 0);
}

TEST_F(Rx93kitProcess, MissingOverlayKeyEndsWithStatus3) {
  // A copy of the program beside an overlay that lacks the title key.
  const QString dir = home_.path() + "/broken";
  QDir().mkpath(dir);
  ASSERT_TRUE(QFile::copy(kBinDir + "/rx93kit", dir + "/rx93kit"));
  QFile::setPermissions(dir + "/rx93kit", QFile::ReadOwner | QFile::ExeOwner);
  ASSERT_TRUE(QFile::copy(kBinDir + "/RX93KITD.OVL", dir + "/RX93KITD.OVL"));
  QFile main(dir + "/RX93KITD_ENG.OVL");
  ASSERT_TRUE(main.open(QIODevice::WriteOnly));
  main.write("#GI_Sys_MyHelpOvl\nRX93KITD_ENG_HELP.OVL\n#End_Of_Ovl\n");
  main.close();
  ASSERT_TRUE(QFile::copy(kBinDir + "/RX93KITD_ENG_HELP.OVL", dir + "/RX93KITD_ENG_HELP.OVL"));

  QProcess p;
  Start(p, dir + "/rx93kit");
  ASSERT_TRUE(p.waitForFinished(10000));
  EXPECT_EQ(p.exitCode(), 3);
  EXPECT_NE(p.readAllStandardError().toStdString().find("GTEX Error !\nThe index 'GI_Sys_AppTitle' was not found."),
            std::string::npos);
  EXPECT_FALSE(QFile::exists(SettingsFile())) << "a fatal error saves nothing";
}

}  // namespace
