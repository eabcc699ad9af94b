// rx93kit-cli run in-process with its output captured.
#include <gtest/gtest.h>

#include <sstream>

#include "channel/datChBank.h"
#include "cli/indCli.h"
#include "cli/indCliCells.h"
#include "support/Slurp.h"
#include "support/TestProgram.h"

namespace {

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

// The cell commands on the LMR initial image: bank 0 holds channels 0-15, 0-3 in use.
class CliCells : public Cli {
 protected:
  std::string Lmr() const { return dir_.Dir() + "RX93LMR.qcl"; }
  std::string Out() const { return dir_.Dir() + "out.qcl"; }
  // The LMR image with every channel slot in bank 0, saved as Save does.
  std::string FullLmr() {
    Program p(dir_);
    EXPECT_FALSE(p.main.OpenCloneFile(Lmr(), false));
    datChBank(&p.main.Working()).SetBankCount(0, 128);
    const std::string path = dir_.Dir() + "full.qcl";
    EXPECT_FALSE(p.main.SaveCloneFile(path));
    return path;
  }
};

TEST_F(CliCells, GetPrintsEachCellWithItsBinding) {
  EXPECT_EQ(Run({"get", Lmr(), "CT_Mch.CL_Mch_No[0]", "CT_Mch.CL_Mch_No_Pmr[15]", "CT_Mch.CL_Mch_No[16]",
                 "CT_Null.CL_Bank_UsedTotal", "CL_Mch_Bank_Total", "CT_Null.CL_Misc_ChNo_1Base[4]"}),
            0)
      << err_.str();
  EXPECT_EQ(out_.str(),
            "CT_Mch.CL_Mch_No[0]\t1-  1\n"
            "CT_Mch.CL_Mch_No_Pmr[15]\t1- 16\n"
            "CT_Mch.CL_Mch_No[16]\tNew\n"
            "CT_Null.CL_Bank_UsedTotal[0]\t4\n"
            "CT_Null.CL_Mch_Bank_Total[0]\t16\n"
            "CT_Null.CL_Misc_ChNo_1Base[4]\t5\n");
  EXPECT_EQ(err_.str(), "");
}

TEST_F(CliCells, BadCellsAreReportedNotFatal) {
  struct Case {
    const char* cell;
    const char* message;
  };
  const Case cases[] = {
      {"CT_Mch.CL_No_Such_Label[1]", "unknown label 'CL_No_Such_Label'"},
      {"CT_Bogus.CL_Mch_No[1]", "unknown category 'CT_Bogus'"},
      {"CT_Mch.CL_Mch_No[x]", "bad index '[x]'"},
      {"CT_Mch.CL_Mch_No[3", "bad index '[3'"},
      {"CT_Mch.CL_Mch_No[-1]", "bad index '[-1]'"},
      {"CT_Mch.CL_Mch_No[129]", "index out of range"},
      {"CT_DTMF.CL_Dtmf_Code[8]", "index out of range"},
      {"CT_Mch.CL_Mch_Msk_Log[0]", "no handler for this label yet"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run({"get", Lmr(), c.cell}), kCliCellError) << c.cell;
    EXPECT_NE(err_.str().find(c.message), std::string::npos) << c.cell << ": " << err_.str();
    EXPECT_EQ(out_.str(), "") << c.cell;
  }
  EXPECT_EQ(Run({"get", Lmr(), "CT_Mch.CL_Mch_No[0]", "CT_Mch.CL_Mch_Msk_Log[0]"}), kCliCellError);
  EXPECT_EQ(out_.str(), "CT_Mch.CL_Mch_No[0]\t1-  1\n") << "the good cells are still shown";
  EXPECT_EQ(Run({"get", Lmr(), "CT_Mch.CL_Mch_No[0]", "CL_Nope"}), kCliCellError);
  EXPECT_EQ(out_.str(), "") << "names are checked before anything is shown";
}

TEST_F(CliCells, SetAndKeyWriteOnlyWhenEveryEditWent) {
  struct Case {
    std::vector<std::string> args;  // after FILE -o OUT
    int status;
    const char* message;
  };
  const Case cases[] = {
      {{"set", "CT_Null.CL_Bank_UsedTotal=4"}, 0, ""},
      {{"set", "CT_Null.CL_Bank_UsedTotal="}, kCliCellError, "input '' refused: this cell shows a value"},
      {{"set", "CT_Null.CL_Bank_UsedTotal=5"}, kCliCellError, "input '5' refused: this cell shows a value"},
      {{"set", "CT_Mch.CL_Mch_Msk_Log[0]=1"}, kCliCellError, "no handler for this label yet"},
      {{"set", "CT_Mch.CL_Nope[0]=1"}, kCliCellError, "unknown label"},
      {{"set", "CT_Null.CL_Bank_UsedTotal"}, kCliCellError, "expected CELL=TEXT"},
      {{"key", "CT_Mch.CL_Mch_No[0]", "space", "backspace", "x"}, 0, ""},
      {{"key", "CT_Mch.CL_Mch_Text[10]", "4"}, kCliCellError, "CT_Mch.CL_Mch_FreqR[10]: input '4' refused"},
      {{"key", "CT_Mch.CL_Mch_No[0]", "tab"}, kCliCellError, "not a key"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(Out());
    std::vector<std::string> args = {c.args[0], Lmr(), "-o", Out()};
    args.insert(args.end(), c.args.begin() + 1, c.args.end());
    EXPECT_EQ(Run(args), c.status) << c.args[1] << err_.str();
    EXPECT_NE(err_.str().find(c.message), std::string::npos) << c.args[1] << ": " << err_.str();
    if (c.status == 0)
      EXPECT_EQ(Slurp(Out()), Slurp(Lmr())) << c.args[1] << ": saved as Save does";
    else
      EXPECT_FALSE(std::filesystem::exists(Out())) << c.args[1];
  }
}

// Settings of the common sheet edited on each initial image come back from the saved
// file as they were left, the low-battery alerts among them, and editing one leaves
// the others alone.
TEST_F(CliCells, CommonSettingsComeBackFromTheSavedFile) {
  struct Case {
    std::vector<std::string> edit;  // after FILE -o OUT
    const char* cell;
    const char* shows;
  };
  const Case cases[] = {
      {{"key", "CL_Comm_LowBatt1", "space"}, "CL_Comm_LowBatt1", "On"},
      {{"key", "CL_Comm_LowBatt2_TX_End", "space"}, "CL_Comm_LowBatt2_TX_End", "On"},
      {{"set", "CL_Comm_LowBatt1_Periods=5"}, "CL_Comm_LowBatt1_Periods", "  5"},
      {{"set", "CL_Comm_InactiveTimer=30"}, "CL_Comm_InactiveTimer", " 30"},
      {{"set", "CL_Comm_InactiveTimer=30"}, "CL_Comm_LowBatt1", "Off"},
      {{"set", "CL_Comm_InactiveTimer=30"}, "CL_Comm_LowBatt1_Periods", "Off"},
      {{"set", "CL_Comm_LockoutPenaltyTimer=20"}, "CL_Comm_LockoutPenaltyTimer", " 20"},
      {{"set", "CL_Comm_LockoutPenaltyTimer=20"}, "CL_Comm_LowBatt2", "Off"},
      {{"set", "CL_Comm_AtResetTimer_A=45"}, "CL_Comm_AtResetTimer_A", " 45"},
      {{"set", "CL_Comm_AtResetTimer_B=90"}, "CL_Comm_AtResetTimer_B", " 90"},
  };
  for (const char* name : {"RX93LMR.qcl", "RX93PMR.qcl", "RX93QPMR.qcl", "RX93DPMR.qcl"}) {
    for (const auto& c : cases) {
      std::vector<std::string> args = {c.edit[0], dir_.Dir() + name, "-o", Out()};
      args.insert(args.end(), c.edit.begin() + 1, c.edit.end());
      const std::string what = std::string(name) + " " + c.edit[1] + ": " + c.cell;
      ASSERT_EQ(Run(args), 0) << what << err_.str();
      ASSERT_EQ(Run({"get", Out(), c.cell}), 0) << what << err_.str();
      EXPECT_EQ(out_.str(), "CT_Null." + std::string(c.cell) + "[0]\t" + c.shows + "\n") << what;
    }
  }
}

TEST_F(CliCells, AKeyOnAFullMemoryIsRefused) {
  const std::string full = FullLmr();
  EXPECT_EQ(Run({"get", full, "CL_Mch_Bank_Total"}), 0);
  ASSERT_EQ(out_.str(), "CT_Null.CL_Mch_Bank_Total[0]\t128\n");
  EXPECT_EQ(Run({"key", full, "-o", Out(), "CT_Mch.CL_Mch_FreqR[128]", "4"}), kCliCellError);
  EXPECT_NE(err_.str().find("error: " + std::string("No more channels")), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find("key refused"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Out()));
}

TEST_F(CliCells, UsageErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {"get", Lmr()},
      {"get", Lmr(), "-o", Out(), "CL_Mch_No"},
      {"set", Lmr(), "CL_Mch_No=1"},
      {"set", Lmr(), "-o", Out()},
      {"key", Lmr(), "-o", Out(), "CL_Mch_No"},
  };
  for (const auto& args : bad) EXPECT_EQ(Run(args), kCliUsageError) << args[0] << " " << args.size();
  EXPECT_EQ(Run({"get", dir_.Dir() + "missing.qcl", "CL_Mch_No"}), 1) << "the clone file result code";
}

}  // namespace
