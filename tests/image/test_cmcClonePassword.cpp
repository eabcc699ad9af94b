#include <gtest/gtest.h>

#include "image/cmcClonePassword.h"

namespace {

TEST(ClonePassword, AChecksumByteOfFdOrFeDoesNotFitTheFrame) {
  const struct {
    const char* password;
    uint8_t checksum;
    bool fits;
  } cases[] = {
      {"AAA@", 0xFD, false}, {"AAA?", 0xFE, false}, {"AAAA", 0xFC, true},
      {"AAA>", 0xFF, true},  {"", 0x00, true},      {"~~~~~~~~~~~~~~~~", 0x20, true},
  };
  for (const auto& c : cases) {
    const std::string_view p = c.password;
    EXPECT_EQ(cmcClonePassword::Checksum(reinterpret_cast<const uint8_t*>(p.data()), static_cast<int>(p.size())),
              c.checksum)
        << c.password;
    EXPECT_EQ(cmcClonePassword::FitsFrame(p), c.fits) << c.password;
  }
}

}  // namespace
