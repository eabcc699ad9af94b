#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>

#include "clone/cmcPortError.h"
#include "overlay/cmcGTex.h"

namespace {

using Kind = cmcPortError::Kind;

TEST(cmcPortError, ClassifiesOpenErrnoValues) {
  const struct {
    int sysError;
    Kind kind;
  } cases[] = {
      {0, Kind::None},           {ENOENT, Kind::NotFound},     {ENODEV, Kind::NotFound},    {ENXIO, Kind::NotFound},
      {ENOTDIR, Kind::NotFound}, {EACCES, Kind::NoPermission}, {EPERM, Kind::NoPermission}, {EROFS, Kind::NoPermission},
      {EBUSY, Kind::Busy},       {EIO, Kind::Failed},          {ENOTTY, Kind::Failed},      {EMFILE, Kind::Failed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::strerror(c.sysError));
    EXPECT_EQ(cmcPortError::Classify(c.sysError), c.kind);
  }
}

TEST(cmcPortError, OwningGroupOfTheDevice) {
  if (::geteuid() != 0) GTEST_SKIP() << "changing a file's group to any group needs root";
  char path[] = "/tmp/rx93-group-XXXXXX";
  const int fd = ::mkstemp(path);
  ASSERT_GE(fd, 0);
  ::close(fd);
  const group* dialout = ::getgrnam("dialout");
  if (dialout) {
    ASSERT_EQ(::chown(path, static_cast<uid_t>(-1), dialout->gr_gid), 0);
    EXPECT_EQ(cmcPortError::OwningGroup(path), "dialout");
  }
  // A group without a name is given by its number.
  ASSERT_EQ(::chown(path, static_cast<uid_t>(-1), 54321), 0);
  if (!::getgrgid(54321)) {
    EXPECT_EQ(cmcPortError::OwningGroup(path), "54321");
  }
  ::unlink(path);
  EXPECT_EQ(cmcPortError::OwningGroup(path), "dialout");
}

TEST(cmcPortError, TextFillsPathGroupAndSystemError) {
  const std::map<std::string, std::string> texts = {
      {"GI_Mess_PortErr_NoDevice", "port %1"},
      {"GI_Mess_PortErr_NotFound", "missing %1"},
      {"GI_Mess_PortErr_NoPermission", "%1: join %2 (usermod -aG %2), 100%"},
      {"GI_Mess_PortErr_Busy", "busy %1"},
      {"GI_Mess_PortErr_Settings", "settings %1%2"},
      {"GI_Mess_PortErr_Failed", "%1: %2"},
  };
  const auto lookup = [&](const std::string& key) { return texts.at(key); };
  const std::string nowhere = "/nonexistent/ttyUSB0";  // its group falls back to dialout
  const struct {
    Kind kind;
    int sysError;
    const char* expected;
  } cases[] = {
      {Kind::None, 0, ""},
      {Kind::NoDevice, 0, "port 200"},
      {Kind::NotFound, ENOENT, "missing /nonexistent/ttyUSB0"},
      {Kind::NoPermission, EACCES, "/nonexistent/ttyUSB0: join dialout (usermod -aG dialout), 100%"},
      {Kind::Busy, EBUSY, "busy /nonexistent/ttyUSB0"},
      {Kind::BadSettings, 0, "settings /nonexistent/ttyUSB0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    EXPECT_EQ(cmcPortError(c.kind, 200, nowhere, c.sysError).Text(lookup), c.expected);
  }
  EXPECT_EQ(cmcPortError(Kind::Failed, 200, nowhere, EIO).Text(lookup), nowhere + ": " + std::strerror(EIO));
}

// Joining the owning group helps only when the group is not root's and may read and
// write the device; otherwise the text advises the administrator or a udev rule.
TEST(cmcPortError, AdviceFollowsWhatTheGroupMayDo) {
  char path[] = "/tmp/rx93-access-XXXXXX";
  const int fd = ::mkstemp(path);
  ASSERT_GE(fd, 0);
  ::close(fd);
  const auto lookup = [](const std::string& key) {
    return key == cmcPortError::kNoAccessKey ? std::string("ask the administrator about %1") : std::string("join %2");
  };
  const bool rootGroup = ::getgid() == 0;
  const struct {
    mode_t mode;
    bool grants;
  } cases[] = {{0660, !rootGroup}, {0600, false}, {0640, false}};
  for (const auto& c : cases) {
    ASSERT_EQ(::chmod(path, c.mode), 0);
    EXPECT_EQ(cmcPortError::GroupGrantsAccess(path), c.grants) << std::oct << c.mode;
    const std::string text = cmcPortError(Kind::NoPermission, 7, path, EACCES).Text(lookup);
    EXPECT_EQ(text.starts_with("ask the administrator about "), !c.grants) << text;
  }
  ::unlink(path);
}

TEST(cmcPortError, ShippedOverlayHoldsEveryText) {
  cmcGTex overlay;
  overlay.SetFile(std::string(RX93_BIN_DIR) + "/RX93KITD_ENG.OVL");
  const auto lookup = [&](const std::string& key) { return overlay.GetText(key); };
  for (const Kind kind :
       {Kind::NoDevice, Kind::NotFound, Kind::NoPermission, Kind::Busy, Kind::BadSettings, Kind::Failed}) {
    SCOPED_TRACE(cmcPortError::TextKey(kind));
    const std::string text = cmcPortError(kind, 7, "/dev/ttyUSB0", EIO).Text(lookup);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find('%'), std::string::npos);
  }
  const std::string permission = cmcPortError(Kind::NoPermission, 7, "/nonexistent", EACCES).Text(lookup);
  EXPECT_NE(permission.find("dialout"), std::string::npos);
  const std::string noAccess = overlay.GetText(cmcPortError::kNoAccessKey);
  EXPECT_NE(noAccess.find("/etc/udev/rules.d/"), std::string::npos);
  EXPECT_EQ(noAccess.find("usermod"), std::string::npos) << "joining root's group is no advice";
}

}  // namespace
