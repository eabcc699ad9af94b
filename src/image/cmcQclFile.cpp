#include "image/cmcQclFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "image/cmcTextLineReader.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcFatal.h"
#include "runtime/cmcPrompts.h"

namespace {

constexpr const char* kMessageKeys[] = {
    nullptr,
    "GI_Mess_FileErr_FileOpen",
    "GI_Mess_FileErr_FileAccess",
    "GI_Mess_FileErr_Model",
    "GI_Mess_FileErr_Extra",
    "GI_Mess_FileErr_MapRev",
    "GI_Mess_FileErr_Format",
    "GI_Mess_FileErr_Coverage",
    "GI_Mess_FileErr_Data",
    "GI_Mess_FileErr_Newer",
};

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::string_view kMapRevTag = "MapRev=";
// The longest data line without its line end: 6 + 2 x 255.
constexpr size_t kMaxDataLine = 516;
constexpr size_t kMinDataLine = 8;

// 0..15 for a hexadecimal digit of either case, -1 otherwise.
constexpr auto kHexValues = [] {
  std::array<int8_t, 256> t{};
  t.fill(-1);
  for (int c = '0'; c <= '9'; ++c) t[static_cast<size_t>(c)] = static_cast<int8_t>(c - '0');
  for (int c = 'A'; c <= 'F'; ++c) t[static_cast<size_t>(c)] = static_cast<int8_t>(c - 'A' + 10);
  for (int c = 'a'; c <= 'f'; ++c) t[static_cast<size_t>(c)] = static_cast<int8_t>(c - 'a' + 10);
  return t;
}();
int HexValue(char c) { return kHexValues[static_cast<uint8_t>(c)]; }

// Sets the bits of the inclusive address range start .. end.
void MarkRange(std::vector<uint8_t>& bitmap, int start, int end) {
  while (start <= end && start % 8 != 0) {
    bitmap[static_cast<size_t>(start / 8)] |= static_cast<uint8_t>(1u << (start % 8));
    ++start;
  }
  if (end - start + 1 >= 8) {
    const int bytes = (end - start + 1) / 8;
    std::memset(bitmap.data() + start / 8, 0xFF, static_cast<size_t>(bytes));
    start += bytes * 8;
  }
  for (; start <= end; ++start) bitmap[static_cast<size_t>(start / 8)] |= static_cast<uint8_t>(1u << (start % 8));
}

// Leading white space, an optional sign and decimal digits, as a C integer conversion
// reads them; no digits gives 0, and values beyond int saturate instead of overflowing.
int ParseDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) return static_cast<int>(-value);
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

// Writes every byte or fails; limit (when not negative) is the test seam's byte budget.
class FileOutput {
 public:
  FileOutput(int fd, long long limit) : fd_(fd), limit_(limit) { buffer_.reserve(kChunk); }

  bool Put(std::string_view text) {
    buffer_.append(text);
    return buffer_.size() < kChunk || Flush();
  }

  bool Flush() {
    const char* p = buffer_.data();
    size_t left = buffer_.size();
    while (left > 0) {
      size_t n = left;
      if (limit_ >= 0) {
        const long long budget = limit_ - written_;
        if (budget <= 0) {
          errno = EIO;
          return false;
        }
        if (static_cast<long long>(n) > budget) n = static_cast<size_t>(budget);
      }
      const ssize_t w = ::write(fd_, p, n);
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return false;
      p += w;
      left -= static_cast<size_t>(w);
      written_ += w;
    }
    buffer_.clear();
    return true;
  }

 private:
  static constexpr size_t kChunk = 65536;
  int fd_;
  long long limit_;
  long long written_ = 0;
  std::string buffer_;
};

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0644 & ~mask;
}

void SyncFolder(const std::string& folder) {
  // Makes the rename durable; file systems that cannot sync a folder still hold the new file.
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

cmcQclFile::cmcQclFile(cmcPrompts& prompts, TextLookup texts) : prompts_(prompts), texts_(std::move(texts)) {}

cmcQclFile::cmcQclFile(cmcPrompts& prompts, cmcGTex& overlay)
    : cmcQclFile(prompts, [&overlay](const std::string& key) { return overlay.GetText(key); }) {}

void cmcQclFile::AttachImage(cmcEeprom& image) {
  image_ = &image;
  wholeStart_ = 0;
  wholeEnd_ = image.GetSize() - 1;
  const size_t bytes = static_cast<size_t>((image.GetSize() + 7) / 8);
  loaded_.assign(bytes, 0);
  required_.assign(bytes, 0);
  if (wholeEnd_ >= wholeStart_) MarkRange(required_, wholeStart_, wholeEnd_);
}

void cmcQclFile::SetModelCodes(int model, int subCode) {
  model_ = model;
  subCode_ = subCode;
}

bool cmcQclFile::IsValidAddress(int address) const { return address >= wholeStart_ && address <= wholeEnd_; }

bool cmcQclFile::IsLoaded(int address) const {
  return IsValidAddress(address) && (loaded_[static_cast<size_t>(address / 8)] >> (address % 8) & 1);
}

void cmcQclFile::RequireImage(const char* operation) const {
  if (!image_) cmcFatal(std::string("No image attached to the clone file (") + operation + ").");
}

// ---------------------------------------------------------------------------------------------
// Writing

int cmcQclFile::Write(const std::string& path, const cmcAddressRanges& ranges) {
  RequireImage("Write");
  path_ = path;
  reason_.clear();
  failedLine_ = 0;
  const int code = WriteFile(path, ranges);
  ShowFileError(code);
  return code;
}

int cmcQclFile::CheckWritable(const std::string& path) {
  path_ = path;
  reason_.clear();
  failedLine_ = 0;
  std::string target, temp;
  int fd = -1;
  const int code = CreateTemporary(path, target, temp, fd);
  if (fd >= 0) {
    ::close(fd);
    ::unlink(temp.c_str());
  }
  ShowFileError(code);
  return code;
}

int cmcQclFile::CreateTemporary(const std::string& path, std::string& target, std::string& temp, int& fd) {
  target = path;
  struct stat st;
  mode_t mode = NewFileMode();
  if (::lstat(path.c_str(), &st) == 0) {
    if (S_ISLNK(st.st_mode)) {
      // Replace the file the link points to, not the link.
      char* real = ::realpath(path.c_str(), nullptr);
      if (!real) return SystemFailure(kOpenError, errno);
      target = real;
      std::free(real);
      if (::stat(target.c_str(), &st) != 0) return SystemFailure(kOpenError, errno);
    }
    if (!S_ISREG(st.st_mode)) return NotRegular(S_ISDIR(st.st_mode));
    // A target the user may not write stays refused, as an open for writing would refuse it.
    if (::access(target.c_str(), W_OK) != 0) return SystemFailure(kOpenError, errno);
    mode = st.st_mode & 07777;
  }
  temp = FolderOf(target) + "/." + NameOf(target).substr(0, 200) + ".XXXXXX";
  fd = ::mkstemp(temp.data());
  if (fd < 0) return SystemFailure(kOpenError, errno);
  if (::fchmod(fd, mode) != 0) {
    const int error = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    fd = -1;
    return SystemFailure(kOpenError, error);
  }
  return kOk;
}

int cmcQclFile::WriteFile(const std::string& path, const cmcAddressRanges& ranges) {
  // The file is written beside the target under a unique name and renamed over it only
  // when every byte is on disk, so a failed or interrupted save keeps the previous file.
  std::string target, temp;
  int fd = -1;
  if (const int code = CreateTemporary(path, target, temp, fd); code != kOk) return code;
  const std::string folder = FolderOf(target);
  auto fail = [&](int code) {
    const int error = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    return SystemFailure(code, error);
  };

  FileOutput out(fd, writeLimit_);
  char text[64];
  std::snprintf(text, sizeof text, "%04X%04X\n", static_cast<unsigned>(model_), static_cast<unsigned>(subCode_));
  if (!out.Put(text)) return fail(kAccessError);
  // A line end inside the comment would break the file into a bogus data line.
  std::string comment = comment_;
  for (char& c : comment)
    if (c == '\n' || c == '\r') c = ' ';
  if (!out.Put("#Comment=") || !out.Put(comment) || !out.Put("\n")) return fail(kAccessError);
  std::snprintf(text, sizeof text, "#MapRev=%d\n", mapRevision_);
  if (!out.Put(text)) return fail(kAccessError);

  const uint8_t* bytes = image_->Data();
  for (int i = 0; i < ranges.Count(); ++i) {
    const int start = ranges[i].start;
    const int end = ranges[i].end;
    if (!IsValidAddress(start) || !IsValidAddress(end)) break;
    for (int a = start; a <= end;) {
      int count = kBytesPerLine - a % kBytesPerLine;
      if (a + count - 1 > end) count = end - a + 1;
      char* p = text;
      for (int shift = 12; shift >= 0; shift -= 4) *p++ = kHexDigits[(a >> shift) & 0xF];
      *p++ = kHexDigits[count >> 4];
      *p++ = kHexDigits[count & 0xF];
      for (int k = 0; k < count; ++k) {
        *p++ = kHexDigits[bytes[a + k] >> 4];
        *p++ = kHexDigits[bytes[a + k] & 0xF];
      }
      *p++ = '\n';
      if (!out.Put(std::string_view(text, static_cast<size_t>(p - text)))) return fail(kAccessError);
      a += count;
    }
  }
  if (!out.Flush() || ::fsync(fd) != 0) return fail(kAccessError);
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return SystemFailure(kAccessError, error);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return SystemFailure(kOpenError, error);
  }
  SyncFolder(folder);
  return kOk;
}

// ---------------------------------------------------------------------------------------------
// Reading

int cmcQclFile::Read(const std::string& path, const cmcAddressRanges* ranges) {
  RequireImage("Read");
  cmcEeprom backup;
  backup.Assign(*image_);
  std::fill(loaded_.begin(), loaded_.end(), 0);
  path_ = path;
  reason_.clear();
  failedLine_ = 0;
  const int code = ReadFile(path, ranges);
  if (code != kOk) image_->Assign(backup);
  ShowFileError(code);
  return code;
}

int cmcQclFile::ReadFile(const std::string& path, const cmcAddressRanges* ranges) {
  // Non-blocking open so that a FIFO cannot hang the program; only regular files are read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return SystemFailure(kOpenError, errno);
  struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
  } closer{fd};
  struct stat st;
  if (::fstat(fd, &st) != 0) return SystemFailure(kOpenError, errno);
  if (!S_ISREG(st.st_mode)) return NotRegular(S_ISDIR(st.st_mode));

  // Lines are taken in pieces of at most 767 characters, as a 768-byte line buffer takes
  // them. A header or data line that long is already malformed in its first piece; the
  // rest of an over-long comment line belongs to the comment and is ignored with it.
  cmcTextLineReader reader(fd);
  std::string_view line;
  int lineNumber = 1;
  // A malformed or misplaced line: reading stops there.
  auto stopAt = [&](int code) {
    failedLine_ = lineNumber;
    return code;
  };
  if (!reader.Next(line)) return reader.Failed() ? SystemFailure(kAccessError, errno) : stopAt(kFormatError);
  if (line.size() != 9 || line[8] != '\n') return stopAt(kFormatError);
  int groups[2] = {0, 0};
  for (int i = 0; i < 8; ++i) {
    if (line[i] < '0' || line[i] > '9') return stopAt(kFormatError);
    // Every digit counts as a hexadecimal nibble.
    groups[i / 4] = groups[i / 4] * 16 + (line[i] - '0');
  }
  if (modelCheck_) {
    int code = kModelError;
    if (!modelCheck_(groups[0], groups[1], code)) return code != kOk ? code : kModelError;
  } else if (groups[0] != model_) {
    return kModelError;
  } else if (groups[1] != subCode_) {
    return kSubCodeError;
  }

  bool dataSeen = false;
  bool inComment = false;
  while (reader.Next(line)) {
    if (!reader.IsContinuation()) ++lineNumber;
    if (inComment && reader.IsContinuation()) continue;
    inComment = false;
    // A line is as long as its text up to the first NUL; a line that starts with one is
    // empty and skipped like any other empty line.
    line = line.substr(0, line.find('\0'));
    if (line.empty()) continue;
    if (line[0] == '#') {
      inComment = true;
      if (line.find(kMapRevTag, 1) != std::string_view::npos)
        mapRevision_ = ParseDecimal(line.size() > 8 ? line.substr(8) : std::string_view());
      continue;
    }
    if (!dataSeen) {
      dataSeen = true;
      if (!mapRevisionCheck_ || !mapRevisionCheck_(mapRevision_)) return kMapRevError;
    }
    // The last character is taken to be the line end, even when the file ends without one.
    const int code = ReadDataLine(line.data(), line.size() - 1);
    if (code != kOk) return stopAt(code);
  }
  if (reader.Failed()) return SystemFailure(kAccessError, errno);
  return ranges ? CheckCoverage(*ranges) : kOk;
}

int cmcQclFile::ReadDataLine(const char* text, size_t length) {
  if (length < kMinDataLine || length > kMaxDataLine) return kFormatError;
  for (size_t i = 0; i < length; ++i)
    if (HexValue(text[i]) < 0) return kFormatError;
  const int address = HexValue(text[0]) << 12 | HexValue(text[1]) << 8 | HexValue(text[2]) << 4 | HexValue(text[3]);
  const int count = HexValue(text[4]) << 4 | HexValue(text[5]);
  if (length != 6 + 2 * static_cast<size_t>(count)) return kFormatError;
  if (!IsValidAddress(address) || !IsValidAddress(address + count - 1)) return kDataError;
  uint8_t* bytes = image_->Data() + address;
  for (int k = 0; k < count; ++k)
    bytes[k] = static_cast<uint8_t>(HexValue(text[6 + 2 * k]) << 4 | HexValue(text[7 + 2 * k]));
  MarkRange(loaded_, address, address + count - 1);
  return kOk;
}

int cmcQclFile::CheckCoverage(const cmcAddressRanges& ranges) {
  RequireImage("CheckCoverage");
  std::fill(required_.begin(), required_.end(), 0);
  for (int i = 0; i < ranges.Count(); ++i) {
    if (!IsValidAddress(ranges[i].start) || !IsValidAddress(ranges[i].end)) break;
    MarkRange(required_, ranges[i].start, ranges[i].end);
  }
  if (loaded_ == required_) return kOk;
  for (size_t i = 0; i < loaded_.size(); ++i)
    if (loaded_[i] & ~required_[i]) return kDataError;
  return kCoverageError;
}

// ---------------------------------------------------------------------------------------------
// Messages and the save comment

int cmcQclFile::SystemFailure(int code, int error) {
  reason_ = std::strerror(error);
  return code;
}

int cmcQclFile::NotRegular(bool isFolder) {
  if (isFolder) return SystemFailure(kOpenError, EISDIR);
  reason_ = "Not a regular file";
  return kOpenError;
}

std::string cmcQclFile::FailureDetail() const {
  if (path_.empty()) return {};
  if (!reason_.empty()) return path_ + ": " + reason_;
  if (failedLine_ > 0) return path_ + ", line " + std::to_string(failedLine_);
  return path_;
}

void cmcQclFile::ShowFileError(int code) {
  if (code <= kOk || code > kNewerError) return;
  std::string text = texts_("GI_Mess_FileErr_Headline") + "\n\n" + texts_(kMessageKeys[code]);
  if (const std::string detail = FailureDetail(); !detail.empty()) text += "\n" + detail;
  prompts_.Show(cmcPromptIcon::Warning, texts_("GI_Sys_AppTitle"), text);
}

std::string cmcQclFile::MakeSaveComment(const cmcEeprom& image) {
  using cmcImageMap::kCloneCommentSize;
  auto field = [&image](int address) {
    uint8_t raw[kCloneCommentSize] = {};
    image.ReadBlock(address, raw, kCloneCommentSize);
    std::string text(kCloneCommentSize, ' ');
    for (int i = 0; i < kCloneCommentSize; ++i)
      if (raw[i] >= 0x20 && raw[i] <= 0x7E) text[static_cast<size_t>(i)] = static_cast<char>(raw[i]);
    return text;
  };
  auto trimEnd = [](std::string& s) { s.erase(s.find_last_not_of(' ') + 1); };
  std::string comment = field(cmcImageMap::kCloneComments);
  trimEnd(comment);
  comment += field(cmcImageMap::kCloneComments + kCloneCommentSize);
  trimEnd(comment);
  return comment;
}
