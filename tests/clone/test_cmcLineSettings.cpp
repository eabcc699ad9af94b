#include <gtest/gtest.h>

#include "clone/cmcLineSettings.h"

namespace {

using Parity = cmcLineSettings::Parity;
using Stop = cmcLineSettings::StopBits;

struct ParseCase {
  const char* name;
  const char* text;
  bool usable;
  int baud;
  Parity parity;
  int dataBits;
  Stop stopBits;
};

TEST(cmcLineSettings, ParseTable) {
  const ParseCase cases[] = {
      {"the clone default", "9600,n,8,1", true, 9600, Parity::None, 8, Stop::One},
      {"upper-case none", "9600,N,8,1", true, 9600, Parity::None, 8, Stop::One},
      {"high speed", "38400,N,8,1", true, 38400, Parity::None, 8, Stop::One},
      {"nine data bits become eight", "9600,n,9,1", true, 9600, Parity::None, 8, Stop::One},
      {"three data bits become four", "9600,n,3,1", true, 9600, Parity::None, 4, Stop::One},
      {"seven data bits stay", "9600,n,7,1", true, 9600, Parity::None, 7, Stop::One},
      {"zero data bits become four", "9600,n,0,1", true, 9600, Parity::None, 4, Stop::One},
      {"one and a half stop bits", "9600,n,8,1.5", true, 9600, Parity::None, 8, Stop::OneAndHalf},
      {"two stop bits", "9600,n,8,2", true, 9600, Parity::None, 8, Stop::Two},
      {"other stop texts are one", "9600,n,8,3", true, 9600, Parity::None, 8, Stop::One},
      {"empty stop field is one", "9600,n,8,", true, 9600, Parity::None, 8, Stop::One},
      {"odd", "9600,o,8,1", true, 9600, Parity::Odd, 8, Stop::One},
      {"even", "9600,E,8,1", true, 9600, Parity::Even, 8, Stop::One},
      {"mark", "9600,M,8,1", true, 9600, Parity::Mark, 8, Stop::One},
      {"space", "9600,s,8,1", true, 9600, Parity::Space, 8, Stop::One},
      {"only the first parity letter counts", "9600,odd,8,1", true, 9600, Parity::Odd, 8, Stop::One},
      {"unknown parity letter is none", "9600,x,8,1", true, 9600, Parity::None, 8, Stop::One},
      {"empty parity field is none", "9600,,8,1", true, 9600, Parity::None, 8, Stop::One},
      {"blanks around numbers", " 9600 ,n, 8 , 2 ", true, 9600, Parity::None, 8, Stop::Two},
      {"a fifth field is ignored", "9600,n,8,1,x", true, 9600, Parity::None, 8, Stop::One},
      {"missing stop field", "9600,n,8", false, 0, Parity::None, 0, Stop::One},
      {"only a baud rate", "9600", false, 0, Parity::None, 0, Stop::One},
      {"empty text", "", false, 0, Parity::None, 0, Stop::One},
      {"baud rate not a number", "fast,n,8,1", false, 0, Parity::None, 0, Stop::One},
      {"baud rate with trailing letters", "9600baud,n,8,1", false, 0, Parity::None, 0, Stop::One},
      {"baud rate zero", "0,n,8,1", false, 0, Parity::None, 0, Stop::One},
      {"negative baud rate", "-9600,n,8,1", false, 0, Parity::None, 0, Stop::One},
      {"baud rate beyond int", "99999999999,n,8,1", false, 0, Parity::None, 0, Stop::One},
      {"empty baud rate", ",n,8,1", false, 0, Parity::None, 0, Stop::One},
      {"data bits not a number", "9600,n,eight,1", false, 0, Parity::None, 0, Stop::One},
      {"empty data bits", "9600,n,,1", false, 0, Parity::None, 0, Stop::One},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto parsed = cmcLineSettings::Parse(c.text);
    ASSERT_EQ(parsed.has_value(), c.usable);
    if (!parsed) continue;
    EXPECT_EQ(parsed->baud, c.baud);
    EXPECT_EQ(parsed->parity, c.parity);
    EXPECT_EQ(parsed->dataBits, c.dataBits);
    EXPECT_EQ(parsed->stopBits, c.stopBits);
  }
}

TEST(cmcLineSettings, WriteTimeOutFollowsTheBaudRate) {
  const struct {
    int baud;
    int perByte;
  } cases[] = {{9600, 10}, {38400, 2}, {1200, 83}, {115200, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.baud);
    cmcLineSettings settings;
    settings.baud = c.baud;
    EXPECT_EQ(settings.WriteMsPerByte(), c.perByte);
    EXPECT_EQ(settings.WriteTimeoutMs(1024), int64_t{c.perByte} * 1024 + 3000);
  }
}

}  // namespace
