#pragma once
// Why a port could not be opened, kept by `cmcComm` after a failed Open, and the user
// text for it. A device that exists but refuses the user is told apart from a missing
// one; the text then names the group that owns the device, whose membership fixes it,
// or, for a device whose group is root's or has no access, advises the administrator
// or a udev rule instead.
#include <functional>
#include <string>

class cmcPortError {
 public:
  enum class Kind {
    None,          // the last Open succeeded
    NoDevice,      // the port number names no device
    NotFound,      // the device does not exist (or has no hardware behind it)
    NoPermission,  // the device exists but the user may not open it
    Busy,          // another program holds the device
    BadSettings,   // the settings string is unusable or the device refused it
    Failed,        // any other failure
  };

  // Line 0 of an overlay key.
  using TextLookup = std::function<std::string(const std::string& key)>;

  cmcPortError() = default;
  cmcPortError(Kind kind, int port, std::string path, int sysError = 0);

  // The kind of an errno value returned by a failed open.
  static Kind Classify(int sysError);
  // The name of the group that owns path (its number when it has no name); the usual
  // "dialout" when the path cannot be examined.
  static std::string OwningGroup(const std::string& path);

  Kind GetKind() const { return kind_; }
  int Port() const { return port_; }
  const std::string& Path() const { return path_; }
  int SysError() const { return sysError_; }
  // The owning group, found when the error was a missing permission.
  const std::string& Group() const { return group_; }
  // Whether joining the owning group would give access: the group is not root's and
  // may read and write the device.
  bool GroupGrantsAccess() const { return groupGrants_; }
  // Whether a device's owning group is not root's and may read and write it.
  static bool GroupGrantsAccess(const std::string& path);

  // The message: the kind's overlay text with %1 replaced by the device path (the
  // port number for NoDevice) and %2 by the group (NoPermission) or the system's
  // error text (Failed). Empty for None.
  std::string Text(const TextLookup& texts) const;
  // The overlay key of a kind's text; nullptr for None. A missing permission that the
  // owning group cannot grant has a text of its own (kNoAccessKey).
  static const char* TextKey(Kind kind);
  static constexpr const char* kNoAccessKey = "GI_Mess_PortErr_NoAccess";

 private:
  Kind kind_ = Kind::None;
  int port_ = 0;
  std::string path_;
  int sysError_ = 0;
  std::string group_;
  bool groupGrants_ = true;
};
