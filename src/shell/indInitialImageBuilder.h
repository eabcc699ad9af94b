#pragma once
// Builds a model type's initial image from a readable description (a small line format:
// model type, banks, channels through the channel record layer, raw bytes, words and
// texts of the fixed settings), packs it, and writes it as Save writes a clone file.
// A description error stops the build and names its line and what is wrong.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "image/cmcEeprom.h"

class datCh;

class indInitialImageBuilder {
 public:
  struct Error {
    int line = 0;  // 1-based; 0 for the description as a whole
    std::string message;
  };

  indInitialImageBuilder();

  // Builds the image from the description; false on the first error (see LastError).
  bool Build(std::string_view description);
  const Error& LastError() const { return error_; }
  // "line N: message", or the message alone for the description as a whole.
  std::string ErrorText() const;

  const cmcEeprom& Image() const { return image_; }
  int ModelType() const { return modelType_; }

  // The first address of the radio's area that opening the built file and saving it
  // again would change; -1 when the file comes back byte for byte.
  int FirstUnsavedAddress() const;
  // The address a description writes to reach a byte of the radio's area: the byte's
  // own below the packed area, else its place in the fixed layout; -1 for the packer's.
  int DescribedAddressOf(int address) const;

  // Writes the built image as a clone file: model code 0x3621, sub-code 1, map revision
  // 1, the comment Save makes, addresses 0-0x7D7F. Returns the clone file result code.
  int WriteCloneFile(const std::string& path) const;

 private:
  using Tokens = std::vector<std::string>;

  bool Fail(std::string message);
  bool Statement(const Tokens& tokens);
  bool ModelTypeLine(const Tokens& tokens);
  bool BytesLine(const Tokens& tokens);
  bool WordLine(const Tokens& tokens);
  bool TextLine(const Tokens& tokens);
  bool FillLine(const Tokens& tokens);
  bool BankLine(const Tokens& tokens);
  bool BlankNamesLine(const Tokens& tokens);
  bool DefaultsLine(const Tokens& tokens);
  bool ChannelLine(const Tokens& tokens);
  bool Finish();

  bool NeedModelType();
  // Checks that count bytes from address reach the clone file and are not the
  // channel layer's or the packer's to write.
  bool CheckWritable(long address, long count);
  bool ApplyFields(datCh& ch, const Tokens& tokens, size_t first);
  void StoreChannel(int n, const Tokens& own);

  cmcEeprom image_;
  Error error_;
  int line_ = 0;
  int modelType_ = -1;
  int modelTypeLine_ = 0;
  int lastBankLine_ = 0;
  Tokens defaults_;
  std::map<int, int> channelLines_;  // channel -> the line that describes it
};
