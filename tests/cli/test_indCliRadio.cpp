// rx93kit-cli's radio commands in-process against the demo radio: exit statuses,
// messages, the saved file, the clone information text, the progress bar and the
// command lines refused before any exchange.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cmcCliPrompts.h"
#include "cli/cmcTextProgress.h"
#include "cli/indCli.h"
#include "cli/indCliRadio.h"
#include "runtime/cmcVirtualClock.h"
#include "support/ProgramDir.h"
#include "support/Slurp.h"
#include "support/TempDir.h"

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
  EXPECT_EQ(bar.rfind("\r[................................] 0% 0/0 bytes    \r", 0), 0u)
      << "opened before the first tick";
  EXPECT_NE(bar.find("\r[################"), std::string::npos) << "half way and more";
  EXPECT_NE(bar.find(" left"), std::string::npos) << "the time left while bytes move";
  EXPECT_NE(bar.find("/32128 bytes"), std::string::npos);
  EXPECT_EQ(bar.back(), '\n') << "ended by a line break";
  EXPECT_EQ(bar.find("error"), std::string::npos);
}

TEST_F(CliRadio, WriteAsksAndTellsTheOutcome) {
  const std::string file = dir_.Dir() + "RX93PMR.qcl";
  EXPECT_EQ(Run({"write", file, "--simulated"}), indMain::kCloneCancelled);
  EXPECT_EQ(err_.str(),
            "warning: The radio's memory will be overwritten with the current data. Continue?\n"
            "rx93kit-cli: no terminal to answer this question; pass --yes to answer it yes\n")
      << "only the question and the advice: no progress bar without a terminal";
  EXPECT_EQ(Run({"write", file, "--simulated", "--yes", "--no-model-check"}), 0);
  EXPECT_EQ(err_.str(), "The data was written to the radio.\n") << "with --yes no question is shown";
  EXPECT_EQ(Run({"write", dir_.Dir() + "missing.qcl", "--simulated", "--yes"}), indCliRadio::kExitFileError);
}

TEST_F(CliRadio, AWriteRefusedForErrorsNamesTheSheetsThatCarryThem) {
  const std::string bad = dir_.Dir() + "bad.qcl";
  ASSERT_EQ(Run({"set", dir_.Dir() + "RX93QPMR.qcl", "-o", bad, "CT_MSK_IdGroup.CL_Msk_IdGroup_Adr[0]=4001"}), 0)
      << err_.str() << "the radio's own ID in the group range";
  EXPECT_EQ(Run({"write", bad, "--simulated", "--yes", "--no-model-check"}), indMain::kCloneRefused);
  const std::string err = err_.str();
  EXPECT_EQ(err.rfind("error: Some settings are not valid", 0), 0u) << err;
  EXPECT_NE(err.find("\n  ID groups\tGI_Sheet_Msk_IdGroup\n"), std::string::npos) << err;
  EXPECT_EQ(err.find("GI_Sheet_Msk_CallList"), std::string::npos) << "only the sheets in error: " << err;
}

// On a terminal the write's question is asked: yes and no in any case, anything else
// asked again, the end of the input a no (the answers themselves: CliPrompts).
TEST_F(CliRadio, OnATerminalTheQuestionTakesTheAnswerTyped) {
  const std::string file = dir_.Dir() + "RX93PMR.qcl";
  const struct {
    const char* typed;
    int status;
  } cases[] = {{"maybe\nYES\n", 0}, {"No\n", indMain::kCloneCancelled}, {"", indMain::kCloneCancelled}};
  for (const auto& c : cases) {
    std::istringstream in(c.typed);
    dst_CliTerminal terminal;
    terminal.in = &in;
    terminal.inIsTerminal = true;
    out_.str("");
    err_.str("");
    EXPECT_EQ(RunCli({"write", file, "--simulated", "--no-model-check"}, out_, err_, dir_.Dir(), terminal), c.status)
        << c.typed;
    EXPECT_NE(err_.str().find("Continue? [y/n] "), std::string::npos) << c.typed;
    EXPECT_EQ(err_.str().find("pass --yes"), std::string::npos) << c.typed;
  }
}

TEST_F(CliRadio, ARefusedReadShowsTheKeyedMessage) {
  // Nothing is connected to a port without a device.
  EXPECT_EQ(Run({"info", "--port", "250"}), 2);
  EXPECT_EQ(err_.str().rfind("error: Port 250 could not be opened.", 0), 0u) << err_.str();
  EXPECT_EQ(err_.str().find("COM"), std::string::npos) << err_.str();
  EXPECT_EQ(err_.str().find("Port menu"), std::string::npos) << err_.str();
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

TEST_F(CliRadio, APasswordTheFrameCannotCarryIsRefused) {
  for (const char* password : {"AAA@", "AAA?"}) {
    err_.str("");
    EXPECT_EQ(Run({"info", "--simulated", "--password", password}), kCliUsageError) << password;
    EXPECT_NE(err_.str().find("--password: "), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find("Choose another password"), std::string::npos) << err_.str();
  }
}

TEST(CliTextProgress, BarPercentBytesAndTimeLeft) {
  std::ostringstream out;
  cmcVirtualClock clock;
  cmcTextProgress bar(out, clock);
  bar.Open();
  clock.Advance(10000);
  bar.Update(16064, 32128, 16);  // half in 10 s: 10 s left
  bar.Update(16064, 32128, 16);  // unchanged: not drawn again
  clock.Advance(5000);
  bar.Update(24096, 32128, 24);  // three quarters in 15 s: 5 s left
  clock.Advance(65000);
  bar.Update(32128, 32128, 33);  // 33 of 32 is the whole bar; nothing left
  bar.Close();
  EXPECT_EQ(out.str(),
            "\r[................................] 0% 0/0 bytes    "
            "\r[################................] 50% 16064/32128 bytes, 0:10 left    "
            "\r[########################........] 75% 24096/32128 bytes, 0:05 left    "
            "\r[################################] 100% 32128/32128 bytes    \n");
}

// The serial devices found, with their numbers, descriptions and stable names, and the
// simulated radio.
TEST(CliPorts, ListsTheDevicesFoundAndTheSimulatedRadio) {
  TempDir root;
  const std::string dev = root.Dir() + "dev";
  std::filesystem::create_directories(dev);
  std::ofstream(dev + "/ttyUSB0").put('\0');
  std::filesystem::create_directories(root.Dir() + "by-id");
  std::filesystem::create_symlink(dev + "/ttyUSB0", root.Dir() + "by-id/usb-Zelk_Cable-if00-port0");
  std::filesystem::create_directories(root.Dir() + "sys/usbdev/1-1:1.0/ttyUSB0");
  std::ofstream(root.Dir() + "sys/usbdev/product") << "Zelk USB-to-Serial Cable\n";
  std::filesystem::create_directories(root.Dir() + "sys/ttyUSB0");
  std::filesystem::create_directory_symlink(root.Dir() + "sys/usbdev/1-1:1.0/ttyUSB0",
                                            root.Dir() + "sys/ttyUSB0/device");
  std::ostringstream out;
  EXPECT_EQ(indCliRadio::Ports(out, dev, root.Dir() + "sys", root.Dir() + "by-id"), 0);
  EXPECT_EQ(out.str(), "33\t" + dev + "/ttyUSB0\tZelk USB-to-Serial Cable (ttyUSB0)\t" + root.Dir() +
                           "by-id/usb-Zelk_Cable-if00-port0\n"
                           "256\tsim:\tthe simulated radio (--simulated)\t\n");
}

// The answers a terminal question takes, and what is shown without a terminal.
TEST(CliPrompts, AnswersOfATerminalQuestion) {
  const struct {
    const char* typed;
    bool terminal;
    bool yes;
    cmcPromptAnswer answer;
  } cases[] = {
      {"y\n", true, false, cmcPromptAnswer::Ok},      {"yes\n", true, false, cmcPromptAnswer::Ok},
      {" Y \n", true, false, cmcPromptAnswer::Ok},    {"n\n", true, false, cmcPromptAnswer::Cancel},
      {"NO\n", true, false, cmcPromptAnswer::Cancel}, {"ok\nyes\n", true, false, cmcPromptAnswer::Ok},
      {"", true, false, cmcPromptAnswer::Cancel},     {"y\n", false, false, cmcPromptAnswer::Cancel},
      {"", false, true, cmcPromptAnswer::Ok},
  };
  for (const auto& c : cases) {
    std::istringstream in(c.typed);
    std::ostringstream err;
    dst_CliTerminal terminal;
    terminal.in = &in;
    terminal.inIsTerminal = c.terminal;
    cmcCliPrompts prompts(err, terminal, c.yes, "--password");
    EXPECT_EQ(prompts.Ask(cmcPromptIcon::Warning, cmcPromptButtons::OkCancel, "", "Go?"), c.answer) << c.typed;
    if (c.yes) {
      EXPECT_EQ(err.str(), "") << "no question is shown with --yes";
    } else if (!c.terminal) {
      EXPECT_NE(err.str().find("pass --yes"), std::string::npos);
    }
  }
  // The clone password: asked with the echo off on a terminal, else the option is named.
  std::istringstream in("secret word\n");
  std::ostringstream err;
  std::vector<bool> echo;
  dst_CliTerminal terminal{&in, true, false, [&echo](bool on) { echo.push_back(on); }};
  cmcCliPrompts prompts(err, terminal, false, "--password");
  EXPECT_EQ(prompts.AskText("", "Clone password", true), "secret word");
  EXPECT_EQ(echo, (std::vector<bool>{false, true}));
  dst_CliTerminal none;
  cmcCliPrompts quiet(err, none, false, "--password");
  EXPECT_EQ(quiet.AskText("", "Clone password", true), std::nullopt);
  EXPECT_NE(err.str().find("pass --password"), std::string::npos);
}

}  // namespace
