// rx93kit-cli's radio commands in-process against the demo radio: exit statuses,
// messages, the saved file, the clone information text, the progress bar and the
// command lines refused before any exchange.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cmcTextProgress.h"
#include "cli/indCli.h"
#include "cli/indCliRadio.h"
#include "support/ProgramDir.h"
#include "support/Slurp.h"

namespace {

class CliRadio : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& args, bool terminal = false) {
    out_.str("");
    err_.str("");
    return RunCli(args, out_, err_, dir_.Dir(), terminal);
  }

  ProgramDir dir_;
  std::ostringstream out_, err_;
};

TEST_F(CliRadio, InfoPrintsTheRadiosRecord) {
  EXPECT_EQ(Run({"info", "--simulated"}), 0) << err_.str();
  EXPECT_EQ(out_.str(),
            "model code: 3621\n"
            "sub-code: 0001\n"
            "serial number: 202401000123 (year 2024, month 01, number 000123)\n"
            "data revision: 1\n"
            "highest address: 7D7F\n"
            "clone password: none\n");
  EXPECT_EQ(err_.str(), "");
}

TEST_F(CliRadio, ReadSavesWhatSaveWouldAndDrawsProgressOnATerminal) {
  const std::string out = dir_.Dir() + "read.qcl";
  EXPECT_EQ(Run({"read", "--simulated", "-o", out, "--high-speed", "off"}, true), 0) << err_.str();
  // The demo radio holds the initial image of the model type (PMR on a first start).
  EXPECT_EQ(Slurp(out), Slurp(dir_.Dir() + "RX93PMR.qcl"));
  const std::string bar = err_.str();
  EXPECT_EQ(bar.rfind("\r[................................] 0/0 bytes\r", 0), 0u) << "opened before the first tick";
  EXPECT_NE(bar.find("\r[################"), std::string::npos) << "half way and more";
  EXPECT_NE(bar.find("/32128 bytes\n"), std::string::npos) << "ended by a line break";
  EXPECT_EQ(bar.find("error"), std::string::npos);
}

TEST_F(CliRadio, WriteAsksAndTellsTheOutcome) {
  const std::string file = dir_.Dir() + "RX93LMR.qcl";
  EXPECT_EQ(Run({"write", file, "--simulated"}), indMain::kCloneCancelled);
  EXPECT_EQ(err_.str(), "warning: The radio's memory will be overwritten with the current data. Continue?\n")
      << "only the question: no progress bar without a terminal";
  EXPECT_EQ(Run({"write", file, "--simulated", "--yes"}), 0);
  EXPECT_NE(err_.str().find("The data was written to the radio.\n"), std::string::npos);
  EXPECT_EQ(Run({"write", dir_.Dir() + "missing.qcl", "--simulated", "--yes"}), indCliRadio::kExitFileError);
}

TEST_F(CliRadio, ARefusedReadShowsTheKeyedMessage) {
  // Nothing is connected to a port without a device.
  EXPECT_EQ(Run({"info", "--port", "250"}), 2);
  EXPECT_EQ(err_.str().rfind("error: COM port 250 could not be opened.", 0), 0u) << err_.str();
}

TEST_F(CliRadio, CommandLinesRefusedBeforeAnyExchange) {
  const std::vector<std::vector<std::string>> bad = {
      {"info", "file.qcl"},
      {"read"},
      {"read", "a.qcl"},
      {"write"},
      {"write", "a.qcl", "-o", "b.qcl"},
      {"info", "--port", "0"},
      {"info", "--port", "257"},
      {"info", "--port", "x"},
      {"info", "--port"},
      {"info", "--port", "3", "--simulated"},
      {"info", "--device", "/dev/null", "--simulated"},
      {"info", "--high-speed", "maybe"},
      {"info", "--password", ""},
      {"info", "--password", "seventeen-chars-x"},
      {"info", "--bogus"},
  };
  for (const auto& args : bad) {
    EXPECT_EQ(Run(args), kCliUsageError) << args.back();
    EXPECT_NE(err_.str().find("usage: rx93kit-cli"), std::string::npos);
  }
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_NE(out_.str().find("read -o OUT [PORT]"), std::string::npos);
}

TEST(CliTextProgress, BarOfTheManagersSegments) {
  std::ostringstream out;
  cmcTextProgress bar(out);
  bar.Open();
  bar.Update(16064, 32128, 16);
  bar.Update(16064, 32128, 16);  // unchanged: not drawn again
  bar.Update(32128, 32128, 33);  // 33 of 32 is the whole bar
  bar.Close();
  EXPECT_EQ(out.str(),
            "\r[................................] 0/0 bytes"
            "\r[################................] 16064/32128 bytes"
            "\r[################################] 32128/32128 bytes\n");
}

}  // namespace
