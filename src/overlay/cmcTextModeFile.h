#pragma once
// A read-only file read line by line the way a Windows text-mode stream reads it:
// CR LF arrives as LF, a line piece holds at most a given number of translated
// characters, and positions are raw byte offsets that seek back to the same line.
// Reads go through a buffer of its own, so seeking costs nothing until bytes are needed.
#include <cstdint>
#include <string>
#include <vector>

class cmcTextModeFile {
 public:
  cmcTextModeFile() = default;
  ~cmcTextModeFile();
  cmcTextModeFile(const cmcTextModeFile&) = delete;
  cmcTextModeFile& operator=(const cmcTextModeFile&) = delete;

  // Opens a regular file for reading at position 0; false when it cannot be opened.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  // Moves to a byte offset; false for a negative offset or a closed file.
  bool Seek(std::int64_t pos);
  std::int64_t Tell() const { return pos_; }

  // Reads up to and including the next LF, or maxChars translated characters,
  // whichever comes first, into line; false (and line empty) at the end of the data.
  bool ReadLine(std::string& line, std::size_t maxChars);

 private:
  // The byte at offset at, or -1 past the end of the file or on a read error.
  int ByteAt(std::int64_t at);

  int fd_ = -1;
  std::int64_t pos_ = 0;
  std::vector<char> buf_;
  std::int64_t bufStart_ = 0;
  std::int64_t bufLen_ = 0;
};
