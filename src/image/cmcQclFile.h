#pragma once
// Writes and reads the clone file format (a hexadecimal text file) against an attached
// image over address range lists. A failed Read leaves the image exactly as it was; a
// failed Write leaves any previous file at the path byte-for-byte intact. Every failure
// is reported to the user with a keyed message, followed by the file's path and what
// went wrong (the system's reason, or the line where reading stopped), and returned as
// a result code.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "image/cmcAddressRanges.h"

class cmcEeprom;
class cmcGTex;
class cmcPrompts;

class cmcQclFile {
 public:
  // Result codes of Write, Read and CheckCoverage.
  static constexpr int kOk = 0;
  static constexpr int kOpenError = 1;
  static constexpr int kAccessError = 2;
  static constexpr int kModelError = 3;
  static constexpr int kSubCodeError = 4;
  static constexpr int kMapRevError = 5;
  static constexpr int kFormatError = 6;
  static constexpr int kCoverageError = 7;
  static constexpr int kDataError = 8;
  static constexpr int kNewerError = 9;

  static constexpr int kFormatVersion = 1;
  static constexpr int kBytesPerLine = 16;

  // Line 0 of an overlay key.
  using TextLookup = std::function<std::string(const std::string& key)>;
  // (header group 1, header group 2, writable result code) -> accept.
  using ModelCheck = std::function<bool(int model, int subCode, int& code)>;
  using MapRevisionCheck = std::function<bool(int revision)>;

  // Messages go to prompts, their texts come from texts.
  cmcQclFile(cmcPrompts& prompts, TextLookup texts);
  // Message texts from the main overlay (not owned; it outlives the object).
  cmcQclFile(cmcPrompts& prompts, cmcGTex& overlay);

  // Remembers the image (not owned) and requires the whole of it until CheckCoverage says otherwise.
  void AttachImage(cmcEeprom& image);
  void SetModelCodes(int model, int subCode);
  void SetComment(const std::string& comment) { comment_ = comment; }
  void SetMapRevision(int revision) { mapRevision_ = revision; }
  void SetMapRevisionCheck(MapRevisionCheck check) { mapRevisionCheck_ = std::move(check); }
  void SetModelCheck(ModelCheck check) { modelCheck_ = std::move(check); }

  int GetMapRevision() const { return mapRevision_; }
  const std::string& GetComment() const { return comment_; }

  int Write(const std::string& path, const cmcAddressRanges& ranges);
  // Whether Write could create the file at path, found as Write finds it (a file beside
  // it is made and removed again); the code, reported as Write reports it.
  int CheckWritable(const std::string& path);
  // Reads into the attached image; with ranges the file must cover exactly those addresses.
  int Read(const std::string& path, const cmcAddressRanges* ranges);
  // Compares the addresses stored by the last Read with ranges: 0, 7 (missing) or 8 (extra).
  int CheckCoverage(const cmcAddressRanges& ranges);
  // Shows the warning box for codes 1 to 9; nothing for any other value. After a Write
  // or Read the box also names the file and what went wrong (FailureDetail).
  void ShowFileError(int code);
  // The last Write's or Read's path with the system's reason for its failure, or the
  // line where reading stopped ("PATH: No space left on device", "PATH, line 4"); the
  // path alone when neither applies; empty before the first Write or Read.
  std::string FailureDetail() const;
  // The line where the last Read stopped at a malformed or misplaced line; 0 for none.
  int FailedLine() const { return failedLine_; }

  // Bit a is bit (a mod 8) of byte a / 8.
  const std::vector<uint8_t>& LoadedBitmap() const { return loaded_; }
  const std::vector<uint8_t>& RequiredBitmap() const { return required_; }
  bool IsLoaded(int address) const;

  // The comment a save writes: the image's two clone comment texts.
  static std::string MakeSaveComment(const cmcEeprom& image);

  // Test seam: every write to the file fails once this many bytes have been written
  // (a negative limit, the default, never fails).
  void SetWriteFailureAfter(long long bytes) { writeLimit_ = bytes; }

 private:
  int WriteFile(const std::string& path, const cmcAddressRanges& ranges);
  // The unique file beside the target (path, or the file a link at path leads to) that a
  // save writes first, open as fd with the target's permissions; a result code.
  int CreateTemporary(const std::string& path, std::string& target, std::string& temp, int& fd);
  int ReadFile(const std::string& path, const cmcAddressRanges* ranges);
  int ReadDataLine(const char* text, size_t length);
  // Returns code, remembering the system's reason (errno) for the failure.
  int SystemFailure(int code, int error);
  // kOpenError for a path that is no regular file (a folder, a device).
  int NotRegular(bool isFolder);
  bool IsValidAddress(int address) const;
  void RequireImage(const char* operation) const;

  cmcPrompts& prompts_;
  TextLookup texts_;
  cmcEeprom* image_ = nullptr;
  int model_ = 0;
  int subCode_ = 0;
  std::string comment_;
  int mapRevision_ = -1;
  int wholeStart_ = 0;
  int wholeEnd_ = -1;
  std::vector<uint8_t> required_;
  std::vector<uint8_t> loaded_;
  MapRevisionCheck mapRevisionCheck_;
  ModelCheck modelCheck_;
  long long writeLimit_ = -1;
  // What the last Write or Read was given and why it failed.
  std::string path_;
  std::string reason_;
  int failedLine_ = 0;
};
