#include "clone/cmcPortError.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

cmcPortError::cmcPortError(Kind kind, int port, std::string path, int sysError)
    : kind_(kind), port_(port), path_(std::move(path)), sysError_(sysError) {
  if (kind_ == Kind::NoPermission) {
    group_ = OwningGroup(path_);
    groupGrants_ = GroupGrantsAccess(path_);
  }
}

bool cmcPortError::GroupGrantsAccess(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return true;
  return info.st_gid != 0 && (info.st_mode & S_IRGRP) && (info.st_mode & S_IWGRP);
}

cmcPortError::Kind cmcPortError::Classify(int sysError) {
  switch (sysError) {
    case 0:
      return Kind::None;
    case ENOENT:
    case ENODEV:  // a device node without a driver
    case ENXIO:   // a device node without hardware
    case ENOTDIR:
      return Kind::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return Kind::NoPermission;
    case EBUSY:
      return Kind::Busy;
    default:
      return Kind::Failed;
  }
}

std::string cmcPortError::OwningGroup(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return "dialout";
  // getgrgid_r with a buffer large enough for groups with many members.
  std::string buffer(16384, '\0');
  struct group entry {};
  struct group* found = nullptr;
  if (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->gr_name)
    return found->gr_name;
  return std::to_string(info.st_gid);
}

const char* cmcPortError::TextKey(Kind kind) {
  switch (kind) {
    case Kind::None:
      return nullptr;
    case Kind::NoDevice:
      return "GI_Mess_PortErr_NoDevice";
    case Kind::NotFound:
      return "GI_Mess_PortErr_NotFound";
    case Kind::NoPermission:
      return "GI_Mess_PortErr_NoPermission";
    case Kind::Busy:
      return "GI_Mess_PortErr_Busy";
    case Kind::BadSettings:
      return "GI_Mess_PortErr_Settings";
    case Kind::Failed:
      return "GI_Mess_PortErr_Failed";
  }
  return nullptr;
}

std::string cmcPortError::Text(const TextLookup& texts) const {
  const char* key = kind_ == Kind::NoPermission && !groupGrants_ ? kNoAccessKey : TextKey(kind_);
  if (!key) return {};
  const std::string first = kind_ == Kind::NoDevice ? std::to_string(port_) : path_;
  const std::string second = kind_ == Kind::NoPermission ? group_
                             : kind_ == Kind::Failed     ? std::string(std::strerror(sysError_))
                                                         : std::string();
  const std::string format = texts(key);
  std::string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && (format[i + 1] == '1' || format[i + 1] == '2')) {
      out += format[i + 1] == '1' ? first : second;
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}
