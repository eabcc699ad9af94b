#pragma once
// A fresh directory under the system's temp folder (or another base), removed with its
// contents when the object goes; Write puts a file into it and returns the file's path.
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

class TempDir {
 public:
  explicit TempDir(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    std::string pattern = (base / "rx93test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // A base in memory where the system offers one, else the temp folder: for tests that
  // save thousands of files, since every save syncs its file to the disk.
  static std::filesystem::path MemoryBacked() {
    std::error_code ec;
    const bool usable = std::filesystem::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0;
    return usable ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
  }

  // The directory with a trailing "/".
  std::string Dir() const { return path_.string() + "/"; }

  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }

 private:
  std::filesystem::path path_;
};
