// What a dealer's scripts meet, command line by command line, in-process on a copy of
// the shipped data: values shown are taken back, refusals say why, names resolve
// exactly, names can be found, ports and devices are named, the radio is not touched
// for nothing, questions and messages are fit for a script or a terminal.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/indCli.h"
#include "cli/indCliCells.h"
#include "cli/indCliRadio.h"
#include "support/ProgramDir.h"
#include "support/Slurp.h"

namespace {

// A command line with the file names filled in: $LMR, $PMR and $TONE67 (a PMR file whose
// first channel has 67.0 on both sides), $OUT and $DIR/ (the program folder).
struct Case {
  const char* what;
  std::vector<std::string> args;
  int status;
  std::vector<std::string> out;         // each must appear on stdout
  std::vector<std::string> err;         // each must appear on stderr
  std::vector<std::string> never = {};  // none may appear on stderr
  bool terminal = false;                // stderr is a terminal
};

class DealerScripts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new ProgramDir;
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"set", dir_->Dir() + "RX93PMR.qcl", "-o", dir_->Dir() + "tone67.qcl",
                      "CT_Mch.CL_Mch_CTone_R_Pmr[0]=67.0"},
                     out, err, dir_->Dir()),
              0)
        << err.str();
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  // Every $NAME in text replaced by its path.
  static std::string Fill(std::string text) {
    const std::pair<const char*, std::string> names[] = {{"$LMR", dir_->Dir() + "RX93LMR.qcl"},
                                                         {"$PMR", dir_->Dir() + "RX93PMR.qcl"},
                                                         {"$TONE67", dir_->Dir() + "tone67.qcl"},
                                                         {"$OUT", dir_->Dir() + "out.qcl"},
                                                         {"$DIR/", dir_->Dir()}};
    for (const auto& [name, path] : names)
      for (size_t at; (at = text.find(name)) != std::string::npos;) text.replace(at, std::string(name).size(), path);
    return text;
  }

  void Check(const Case& c) {
    std::vector<std::string> args;
    for (const auto& word : c.args) args.push_back(Fill(word));
    std::ostringstream out, err;
    dst_CliTerminal terminal;
    terminal.errIsTerminal = c.terminal;
    std::filesystem::remove(dir_->Dir() + "out.qcl");
    EXPECT_EQ(RunCli(args, out, err, dir_->Dir(), terminal), c.status) << c.what << "\n" << err.str();
    for (const auto& text : c.out)
      EXPECT_NE(out.str().find(Fill(text)), std::string::npos) << c.what << ": " << out.str();
    for (const auto& text : c.err)
      EXPECT_NE(err.str().find(Fill(text)), std::string::npos) << c.what << ": " << err.str();
    for (const auto& text : c.never) EXPECT_EQ(err.str().find(text), std::string::npos) << c.what << ": " << err.str();
  }

  static ProgramDir* dir_;
};

ProgramDir* DealerScripts::dir_ = nullptr;

constexpr int kRefused = kCliCellError;

TEST_F(DealerScripts, SetTakesWhatGetAndDumpShow) {
  const Case cases[] = {
      {"a tone already at 67.0", {"set", "$TONE67", "-o", "$OUT", "CT_Mch.CL_Mch_CTone_T_Pmr[0]=67.0"}, 0, {}, {}},
      {"the transmit tone as shown", {"set", "$TONE67", "-o", "$OUT", "CT_Mch.CL_Mch_CTone_T_Pmr[0]=<-"}, 0, {}, {}},
      {"a transmit frequency equal to the receive one",
       {"set", "$PMR", "-o", "$OUT", "CT_Mch.CL_Mch_FreqT_Pmr[0]=476.425"},
       0,
       {},
       {}},
      {"off on a tone that is off", {"set", "$PMR", "-o", "$OUT", "CT_Mch.CL_Mch_CTone_R_Pmr[0]=off"}, 0, {}, {}},
      {"a choice by its entry", {"set", "$LMR", "-o", "$OUT", "CL_Mch_Nar[0]=Narrow"}, 0, {}, {}},
      {"another choice", {"set", "$LMR", "-o", "$OUT", "CL_Mch_RfPo[0]=low 1"}, 0, {}, {}},
      {"a third", {"set", "$LMR", "-o", "$OUT", "CL_Mch_TxInh[0]=Inhibited"}, 0, {}, {}},
  };
  for (const auto& c : cases) Check(c);
  Check({"a choice typed", {"set", "$LMR", "-o", "$DIR/inhibited.qcl", "CL_Mch_TxInh[0]=inhibited"}, 0, {}, {}});
  Check({"is saved as chosen",
         {"get", "$DIR/inhibited.qcl", "CL_Mch_TxInh[0]"},
         0,
         {"CL_Mch_TxInh[0]\tInhibited\n"},
         {}});
}

TEST_F(DealerScripts, ARefusalSaysWhyAndWhatTheCellTakes) {
  const Case cases[] = {
      {"a frequency outside the band",
       {"set", "$PMR", "-o", "$OUT", "CT_Mch.CL_Mch_FreqR_Pmr[0]=146.52"},
       kRefused,
       {},
       {"input '146.52' refused: receive frequencies run from 450.000001 to 520 MHz"}},
      {"a number out of range",
       {"set", "$LMR", "-o", "$OUT", "CL_Comm_InactiveTimer=300"},
       kRefused,
       {},
       {"input '300' refused: times run from 0 to 255 in steps of 1, or Off"}},
      {"no entry of the choice",
       {"set", "$LMR", "-o", "$OUT", "CL_Mch_RfPo[0]=Low"},
       kRefused,
       {},
       {"refused: the choices are Low 1, Low 2, Middle, High"}},
      {"a character the radio cannot show",
       {"set", "$PMR", "-o", "$OUT", "CT_Mch.CL_Mch_Text_Pmr[0]=B\xC3\xBCro"},
       kRefused,
       {},
       {"'\xC3\xBC' is not a character the radio can show"}},
      {"an emoji",
       {"set", "$PMR", "-o", "$OUT", "CT_Mch.CL_Mch_Text_Pmr[0]=\xF0\x9F\x93\xBB"},
       kRefused,
       {},
       {"'\xF0\x9F\x93\xBB' is not a character the radio can show"}},
      {"a text longer than its field",
       {"set", "$PMR", "-o", "$OUT", "CT_Mch.CL_Mch_Text_Pmr[0]=ABCDEFGHIJ"},
       kRefused,
       {},
       {"radio texts here take up to 6 characters"}},
  };
  for (const auto& c : cases) {
    Check(c);
    EXPECT_FALSE(std::filesystem::exists(dir_->Dir() + "out.qcl")) << c.what << ": nothing is written";
  }
}

TEST_F(DealerScripts, NamesResolveExactlyOrNotAtAll) {
  const Case cases[] = {
      {"a label without its category",
       {"get", "$PMR", "CL_Mch_FreqR_Pmr[0]"},
       0,
       {"CT_Mch.CL_Mch_FreqR_Pmr[0]\t476.425000\n"},
       {}},
      {"an index outside the label's range",
       {"get", "$PMR", "CT_Mch.CL_Mch_FreqR_Pmr[200]"},
       kRefused,
       {},
       {"index out of range"}},
      {"a setting the model type does not have",
       {"set", "$LMR", "-o", "$OUT", "CT_MSK_Cfg.CL_Msk_Cfg_Enc_PttCall=On"},
       kRefused,
       {},
       {"the file's model type (LMR) has no such setting; the model types that have it: PMR with QARN"}},
  };
  for (const auto& c : cases) Check(c);
}

TEST_F(DealerScripts, NamesCanBeFound) {
  const Case cases[] = {
      {"the tree's sheets", {"sheets", "$PMR"}, 0, {"[St_ChBank]GI_Sheet_Mch_Pmr,Bank 0\t1: BANK 1\n"}, {}},
      {"a sheet's cells",
       {"cells", "$PMR", "[St_ChBank]GI_Sheet_Mch_Pmr,Bank 0"},
       0,
       {"CT_Mch.CL_Mch_Text_Pmr[0]\tChannel name\t\n",
        "CT_Mch.CL_Mch_FreqR_Pmr[0]\tReceive frequency (MHz)\t476.425000\n"},
       {}},
      {"an unknown sheet",
       {"dump", "$PMR", "GI_Sheet_Nope"},
       kCliUsageError,
       {},
       {"unknown sheet 'GI_Sheet_Nope'", "[St_Common]GI_Sheet_Common\tCommon\n"},
       {"GTEX"}},
  };
  for (const auto& c : cases) Check(c);
}

TEST_F(DealerScripts, PortsAndDevicesAreNamed) {
  const Case cases[] = {
      {"the ports found", {"ports"}, 0, {"256\tsim:\tthe simulated radio (--simulated)\t\n"}, {}},
      {"a port without a device",
       {"info", "--port", "250"},
       2,
       {},
       {"Port 250 could not be opened.", "rx93kit-cli ports"},
       {"COM", "Port menu"}},
      {"a device that is not there",
       {"info", "--device", "$DIR/no-such-tty"},
       2,
       {},
       {"($DIR/no-such-tty) could not be opened.", "The serial device $DIR/no-such-tty does not exist."},
       {"COM", "Port menu"}},
  };
  for (const auto& c : cases) Check(c);
}

TEST_F(DealerScripts, TheRadioIsNotTouchedForNothing) {
  const Case cases[] = {
      {"a read whose file cannot be made",
       {"read", "--simulated", "-o", "$DIR/no-such-folder/x.qcl"},
       indCliRadio::kExitFileError,
       {},
       {"$DIR/no-such-folder/x.qcl: No such file or directory"},
       {"%"}},
      {"a write of another model type",
       {"write", "$LMR", "--simulated", "--yes"},
       0,
       {},
       {"LMR data, the radio holds PMR data", "The data was written to the radio."}},
  };
  for (const auto& c : cases) Check(c);
}

TEST_F(DealerScripts, QuestionsFitAScript) {
  const Case cases[] = {
      {"no terminal and no --yes",
       {"write", "$PMR", "--simulated", "--no-model-check"},
       1,
       {},
       {"Continue?\nrx93kit-cli: no terminal to answer this question; pass --yes to answer it yes\n"}},
      {"--yes asks nothing", {"write", "$PMR", "--simulated", "--yes", "--no-model-check"}, 0, {}, {}, {"Continue?"}},
  };
  for (const auto& c : cases) Check(c);
}

TEST_F(DealerScripts, FileMessagesNameTheFileAndTheReason) {
  const Case cases[] = {
      {"a missing file", {"check", "$DIR/missing.qcl"}, 1, {}, {"$DIR/missing.qcl: No such file or directory"}},
      {"a folder", {"check", "$DIR/"}, 1, {}, {": Is a directory"}},
      {"a damaged line",
       {"check", std::string(RX93_TEST_DATA) + "/image/letter_g_in_data.qcl"},
       6,
       {},
       {"letter_g_in_data.qcl, line 4"}},
  };
  for (const auto& c : cases) Check(c);
}

TEST_F(DealerScripts, ProgressOnATerminal) {
  Check({"a read on a terminal",
         {"read", "--simulated", "-o", "$OUT"},
         0,
         {},
         {"% ", "/32128 bytes", " left"},
         {},
         true});
}

TEST_F(DealerScripts, HelpNamesEveryCommand) {
  Check({"--help", {"--help"}, 0, {"sheets FILE", "cells FILE SHEET", "ports", "read -o OUT", "--no-model-check"}, {}});
}

}  // namespace
