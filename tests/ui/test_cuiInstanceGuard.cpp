#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include "shell/ui/cuiInstanceGuard.h"
#include "support/QtApplication.h"

namespace {

const std::string kName = "Zelk RX-93KIT(Dealer) APP Exclusive Mutex";

class InstanceGuard : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    ASSERT_TRUE(dir_.isValid());
  }
  QTemporaryDir dir_;
};

TEST_F(InstanceGuard, ASecondClaimFailsUntilTheFirstIsReleased) {
  cuiInstanceGuard first(dir_.path());
  cuiInstanceGuard second(dir_.path());
  ASSERT_TRUE(first.Claim(kName));
  EXPECT_TRUE(first.Claim(kName));
  EXPECT_FALSE(first.Claim("another name"));
  EXPECT_FALSE(second.Claim(kName));
  first.Release();
  EXPECT_TRUE(second.Claim(kName));
}

TEST_F(InstanceGuard, NamesMapToSafeFileNames) {
  cuiInstanceGuard guard(dir_.path());
  EXPECT_EQ(guard.LockPath(kName), dir_.path() + "/Zelk_RX-93KIT_Dealer__APP_Exclusive_Mutex.lock");
  EXPECT_TRUE(guard.SocketPath(kName).startsWith(dir_.path() + "/Zelk_RX-93KIT_Dealer__APP_Exclusive_Mutex-"));
}

TEST_F(InstanceGuard, TheLockOfADeadProcessIsTakenOver) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Claims and dies without releasing.
    cuiInstanceGuard guard(dir_.path());
    _exit(guard.Claim(kName) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(QFile::exists(cuiInstanceGuard(dir_.path()).LockPath(kName)));
  cuiInstanceGuard guard(dir_.path());
  EXPECT_TRUE(guard.Claim(kName));
}

TEST_F(InstanceGuard, AlertOwnerMakesTheOwnerAskForAttention) {
  cuiInstanceGuard owner(dir_.path());
  cuiInstanceGuard second(dir_.path());
  ASSERT_TRUE(owner.Claim(kName));
  ASSERT_FALSE(second.Claim(kName));

  int alerts = 0;
  QEventLoop loop;
  QObject::connect(&owner, &cuiInstanceGuard::alertRequested, &loop, [&] {
    ++alerts;
    loop.quit();
  });
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);  // guards against a hang only
  second.AlertOwner();
  loop.exec();
  EXPECT_EQ(alerts, 1);
}

TEST_F(InstanceGuard, AlertWithoutAnOwnerDoesNothing) {
  cuiInstanceGuard owner(dir_.path());
  cuiInstanceGuard second(dir_.path());
  ASSERT_TRUE(owner.Claim(kName));
  ASSERT_FALSE(second.Claim(kName));
  owner.Release();
  int alerts = 0;
  QObject::connect(&owner, &cuiInstanceGuard::alertRequested, [&] { ++alerts; });
  second.AlertOwner();
  QCoreApplication::processEvents();
  EXPECT_EQ(alerts, 0);
}

}  // namespace
