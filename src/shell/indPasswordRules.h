#pragma once
// What the three password dialogs accept: the radio's clone password, the read/write
// password kept in the image, and the adjustment password of the adjustment reads.
// Each check names the overlay text that refuses an entry, so every dialog (and the
// command line) refuses alike.
#include <cstddef>
#include <string>

class indPasswordRules {
 public:
  static constexpr size_t kCloneMax = 16;
  static constexpr size_t kReadWriteMax = 16;
  static constexpr size_t kAdjustMax = 8;

  static constexpr const char* kCloneOutOfRangeKey = "GI_AppInd_Opt_ClonePwd_OutofRange";
  static constexpr const char* kAdjustErrorKey = "GI_AppInd_Opt_AdjReadPwd_Error";

  // The key of the message that refuses a clone password: out of 1..16 characters, or
  // one the clone frame cannot carry; nullptr when it is accepted.
  static const char* RefuseClonePassword(const std::string& text);
  // Both entries equal, at most 16 characters and not blanks only; or both empty (no
  // password).
  static bool ReadWriteAccepted(const std::string& password, const std::string& confirm);
  // 1 to 8 characters equal to the adjustment code, both compared as 8 bytes
  // zero-padded.
  static bool AdjustAccepted(const std::string& text, const std::string& code);
};
