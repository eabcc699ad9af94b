#include "shell/indPasswordRules.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "image/cmcClonePassword.h"

const char* indPasswordRules::RefuseClonePassword(const std::string& text) {
  if (text.empty() || text.size() > kCloneMax) return kCloneOutOfRangeKey;
  if (!cmcClonePassword::FitsFrame(text)) return cmcClonePassword::kRefusedKey;
  return nullptr;
}

bool indPasswordRules::ReadWriteAccepted(const std::string& password, const std::string& confirm) {
  if (password != confirm || password.size() > kReadWriteMax) return false;
  return password.empty() || password.find_first_not_of(' ') != std::string::npos;
}

bool indPasswordRules::AdjustAccepted(const std::string& text, const std::string& code) {
  if (text.empty() || text.size() > kAdjustMax) return false;
  std::array<char, kAdjustMax> typed{}, wanted{};
  std::memcpy(typed.data(), text.data(), text.size());
  std::memcpy(wanted.data(), code.data(), std::min(code.size(), kAdjustMax));
  return typed == wanted;
}
