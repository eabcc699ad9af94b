#include "overlay/cmcTextModeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

cmcTextModeFile::~cmcTextModeFile() { Close(); }

bool cmcTextModeFile::Open(const std::string& path) {
  Close();
  if (path.empty()) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  pos_ = 0;
  buf_.resize(kBufferSize);
  bufStart_ = 0;
  bufLen_ = 0;
  return true;
}

void cmcTextModeFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  pos_ = 0;
  bufStart_ = 0;
  bufLen_ = 0;
}

bool cmcTextModeFile::Seek(std::int64_t pos) {
  if (fd_ < 0 || pos < 0) return false;
  pos_ = pos;
  return true;
}

int cmcTextModeFile::ByteAt(std::int64_t at) {
  if (at < bufStart_ || at >= bufStart_ + bufLen_) {
    ssize_t got;
    do {
      got = ::pread(fd_, buf_.data(), buf_.size(), static_cast<off_t>(at));
    } while (got < 0 && errno == EINTR);
    bufStart_ = at;
    bufLen_ = got > 0 ? got : 0;
    if (bufLen_ == 0) return -1;
  }
  return static_cast<unsigned char>(buf_[static_cast<std::size_t>(at - bufStart_)]);
}

bool cmcTextModeFile::ReadLine(std::string& line, std::size_t maxChars) {
  line.clear();
  if (fd_ < 0) return false;
  std::int64_t at = pos_;
  while (line.size() < maxChars && ByteAt(at) >= 0) {
    // Copy the buffered run up to the next LF or CR, within the piece's limit.
    const char* run = buf_.data() + (at - bufStart_);
    const std::size_t avail = std::min(static_cast<std::size_t>(bufStart_ + bufLen_ - at), maxChars - line.size());
    const char* lf = static_cast<const char*>(std::memchr(run, '\n', avail));
    const std::size_t upToLf = lf ? static_cast<std::size_t>(lf - run) + 1 : avail;
    const char* cr = static_cast<const char*>(std::memchr(run, '\r', upToLf));
    if (cr == nullptr) {
      line.append(run, upToLf);
      at += static_cast<std::int64_t>(upToLf);
      if (lf) break;
      continue;
    }
    line.append(run, static_cast<std::size_t>(cr - run));
    at += (cr - run) + 1;
    if (ByteAt(at) == '\n') {
      // Text mode delivers CR LF as a single LF.
      ++at;
      line.push_back('\n');
      break;
    }
    line.push_back('\r');
  }
  pos_ = at;
  return !line.empty();
}
