// What the password dialogs accept, one table per dialog.
#include <gtest/gtest.h>

#include <string>

#include "image/cmcClonePassword.h"
#include "shell/indPasswordRules.h"

namespace {

TEST(PasswordRules, ClonePassword) {
  // A password whose checksum byte would be FE, the start of a frame.
  const std::string breaksFrame(1, '\x02');
  ASSERT_FALSE(cmcClonePassword::FitsFrame(breaksFrame));
  const struct {
    std::string text;
    const char* refusal;
  } cases[] = {
      {"", indPasswordRules::kCloneOutOfRangeKey},
      {"a", nullptr},
      {std::string(16, 'x'), nullptr},
      {std::string(17, 'x'), indPasswordRules::kCloneOutOfRangeKey},
      {breaksFrame, cmcClonePassword::kRefusedKey},
  };
  for (const auto& c : cases) {
    const char* refusal = indPasswordRules::RefuseClonePassword(c.text);
    EXPECT_EQ(refusal ? std::string(refusal) : "", c.refusal ? std::string(c.refusal) : "") << c.text;
  }
}

TEST(PasswordRules, ReadWritePassword) {
  const struct {
    const char* password;
    const char* confirm;
    bool accepted;
  } cases[] = {
      {"", "", true},        {"abc", "abc", true},
      {"abc", "abd", false}, {"  ", "  ", false},
      {" a ", " a ", true},  {"0123456789abcdef", "0123456789abcdef", true},
      {"abc", "", false},    {"0123456789abcdefg", "0123456789abcdefg", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(indPasswordRules::ReadWriteAccepted(c.password, c.confirm), c.accepted)
        << "'" << c.password << "' '" << c.confirm << "'";
}

TEST(PasswordRules, AdjustmentPasswordComparesEightBytesZeroPadded) {
  const struct {
    const char* typed;
    const char* code;
    bool accepted;
  } cases[] = {
      {"adj", "adj", true},
      {"adj", "adjx", false},
      {"", "", false},  // one character at least, even without a code
      {"12345678", "12345678", true},
      {"12345678", "123456789", true},  // the code counts to its 8th byte
      {"123456789", "123456789", false},
      {"ADJ", "adj", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(indPasswordRules::AdjustAccepted(c.typed, c.code), c.accepted) << c.typed << " / " << c.code;
}

}  // namespace
