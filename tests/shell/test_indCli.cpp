// rx93kit-cli run in-process with its output captured.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "shell/indCli.h"
#include "support/ProgramDir.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class Cli : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return RunCli(args, out_, err_, dir_.Dir());
  }
  static std::string Fixture(const std::string& name) { return std::string(RX93_TEST_DATA) + "/image/" + name; }

  ProgramDir dir_;
  std::ostringstream out_, err_;
};

TEST_F(Cli, CheckExitsWithTheCloneFileResultCode) {
  struct Case {
    const char* file;
    int code;
  };
  const Case cases[] = {
      {"header_with_letter.qcl", 6},    {"header_with_trailing_blank.qcl", 6},
      {"header_seven_digits.qcl", 6},   {"empty.qcl", 6},
      {"map_revision_2.qcl", 5},        {"last_line_without_end.qcl", 6},
      {"byte_past_eeprom_area.qcl", 8}, {"foreign_model.qcl", 3},
      {"foreign_sub_code.qcl", 4},      {"no-such-file.qcl", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run({"check", Fixture(c.file)}), c.code) << c.file;
    EXPECT_NE(err_.str().find("warning: "), std::string::npos) << c.file << ": the message is shown";
  }
}

TEST_F(Cli, InitialImagesPassAndNormalizeUnchanged) {
  for (const char* name : {"RX93LMR.qcl", "RX93PMR.qcl", "RX93QPMR.qcl", "RX93DPMR.qcl"}) {
    const std::string file = dir_.Dir() + name;
    ASSERT_FALSE(Slurp(file).empty()) << name;
    EXPECT_EQ(Run({"check", file}), 0) << name << err_.str();
    const std::string out = dir_.Dir() + "normalized.qcl";
    EXPECT_EQ(Run({"normalize", file, "-o", out}), 0) << name << err_.str();
    EXPECT_EQ(Slurp(out), Slurp(file)) << name << " is already in the form Save writes";
  }
}

TEST_F(Cli, NormalizeWritesNothingForARefusedFile) {
  const std::string out = dir_.Dir() + "out.qcl";
  EXPECT_EQ(Run({"normalize", Fixture("header_with_letter.qcl"), "-o", out}), 6);
  EXPECT_TRUE(Slurp(out).empty());
}

TEST_F(Cli, UsageErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"frobnicate"},
      {"check"},
      {"check", "a", "b"},
      {"normalize", "a"},
      {"normalize", "a", "-o"},
      {"check", "--bogus", "a"},
  };
  for (const auto& args : bad) {
    EXPECT_EQ(Run(args), kCliUsageError) << (args.empty() ? "" : args[0]);
    EXPECT_NE(err_.str().find("usage: rx93kit-cli"), std::string::npos);
  }
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_NE(out_.str().find("check FILE"), std::string::npos);
  EXPECT_NE(out_.str().find("normalize FILE -o OUT"), std::string::npos);
}

}  // namespace
