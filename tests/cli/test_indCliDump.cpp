// rx93kit-cli dump run in-process on a program folder whose overlay carries a small
// tree and test sheets of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "channel/datChBank.h"
#include "cli/indCli.h"
#include "support/TestProgram.h"

namespace {

constexpr char kSections[] = R"(#GI_Tree_Main_BasicCell
{(Font=DEFAULT_CHARSET,,clWindowText,,,,)}
#GI_Tree_Main_Body
+{(%CT_Null.CallSheet:GI_Sheet_T_Top)}Top
 +{(%CT_Null.CallSheet:GI_Sheet_Memory_CH_Top)}Memory channels
 +{(%CT_Null.CallSheet:GI_Sheet_T_Lmr)(Flag1=1)}LMR only
 +{(%CT_Null.CallSheet:GI_Sheet_T_Maker)(Flag0=1)}Maker
 +{(%CT_Null.CallSheet:GI_Sheet_T_Win)}Window\nsheet
 +{(%CT_Null.CallSheet:GI_Sheet_T_Top)}Top again
 +{(%CT_Null.)}No sheet
#
#GI_Tree_Branch_Mch_BankOperation
{(%CT_Null.CallSheet:[St_Common]GI_Sheet_T_BankOp)}Banks
#GI_Tree_Branch_Mch_Bank
{(%%CT_Null.CallSheet:[St_ChBank]GI_Sheet_T_Mch_%s,Bank %d)}Bank %d
#GI_AppInd_Model
 LMR
 PMR
 QarnPmr
 dPMR446
#GI_Sheet_T_Top_Style
(TitleString=Top)
#GI_Sheet_T_Top_BasicCell
{(Font=DEFAULT_CHARSET,,clWindowText,,,,)}
#GI_Sheet_T_Top_Cells
Welcome|to\nthe||sheet||

:(Only_DPmr446 1)
dPMR446 only
{(%CT_Null.CL_Misc_ChNo_1Base[4])}|{(%CT_Null.CL_Misc_ChNo_0Base[4])}own text
#
#GI_Sheet_Memory_CH_Top_Style

#GI_Sheet_Memory_CH_Top_BasicCell

#GI_Sheet_Memory_CH_Top_Cells
Channels
#
#GI_Sheet_T_Lmr_Style

#GI_Sheet_T_Lmr_BasicCell

#GI_Sheet_T_Lmr_Cells
lmr
#
#GI_Sheet_T_Maker_Style

#GI_Sheet_T_Maker_BasicCell

#GI_Sheet_T_Maker_Cells
maker
#
#GI_Sheet_T_Win_Style

#GI_Sheet_T_Win_BasicCell

#GI_Sheet_T_Win_Cells
{(%CT_Mch_Win.CL_MchWin_No[5])}
#
#GI_Sheet_T_BankOp_Style

#GI_Sheet_T_BankOp_BasicCell

#GI_Sheet_T_BankOp_Cells
:(Only_Lmr 1)
LMR line
All line
#
#GI_Sheet_T_Mch_Lmr_Style

#GI_Sheet_T_Mch_Lmr_BasicCell

#GI_Sheet_T_Mch_Lmr_Cells
No|Frequency
{(%CT_Mch.CL_Mch_No[0])}
#
#GI_Sheet_T_Mch_DPmr446_Style

#GI_Sheet_T_Mch_DPmr446_BasicCell

#GI_Sheet_T_Mch_DPmr446_Cells
No
{(%CT_Mch.CL_Mch_No[0])}
#
)";

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The heading lines of a whole dump.
std::vector<std::string> Headings(const std::string& text) {
  std::vector<std::string> headings;
  for (const auto& line : SplitLines(text))
    if (line.rfind("# ", 0) == 0) headings.push_back(line);
  return headings;
}

class CliDump : public ::testing::Test {
 protected:
  CliDump() {
    dir_.PrependSections(kSections);
    // Banks in use: four channels in bank 0 and four in bank 1, saved as Save does.
    Program program(dir_);
    EXPECT_FALSE(program.main.OpenCloneFile(dir_.Dir() + "RX93LMR.qcl", false));
    datChBank(&program.main.Working()).SetBankMode(true);
    lmr_ = dir_.Dir() + "banks.qcl";
    EXPECT_FALSE(program.main.SaveCloneFile(lmr_));
  }
  int Run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return RunCli(args, out_, err_, dir_.Dir());
  }
  std::vector<std::string> Lines() const { return SplitLines(out_.str()); }

  ProgramDir dir_;
  std::string lmr_;
  std::ostringstream out_, err_;
};

TEST_F(CliDump, OneSheetAsATable) {
  struct Case {
    const char* file;
    const char* ref;
    const char* table;
  };
  const Case cases[] = {
      {"banks.qcl", "GI_Sheet_T_Top", "Welcome\tto the\t\tsheet\n\n5\t4\n"},
      {"RX93DPMR.qcl", "GI_Sheet_T_Top", "Welcome\tto the\t\tsheet\n\ndPMR446 only\n5\t4\n"},
      {"banks.qcl", "[St_Common]GI_Sheet_T_BankOp", "LMR line\nAll line\n"},
      {"RX93PMR.qcl", "[St_Common]GI_Sheet_T_BankOp", "All line\n"},
      {"banks.qcl", "GI_Sheet_T_BankOp", "LMR line\nAll line\n"},  // a plain sheet knows no Only_Lmr
      {"banks.qcl", "GI_Sheet_T_Win", "1-  1\n"},                  // the window's bank 0, first channel
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run({"dump", dir_.Dir() + c.file, c.ref}), 0) << c.ref << err_.str();
    EXPECT_EQ(out_.str(), c.table) << c.file << " " << c.ref;
  }
}

TEST_F(CliDump, BankSheetsShowTheirBank) {
  // Bank 0 holds channels 0-3 and bank 1 channels 4-7: each sheet lists its own
  // channels, then the new-channel row.
  ASSERT_EQ(Run({"dump", lmr_, "[St_ChBank]GI_Sheet_T_Mch_Lmr,Bank 1"}), 0) << err_.str();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"No\tFrequency", "2-  1", "2-  2", "2-  3", "2-  4", "New"}));
  ASSERT_EQ(Run({"dump", lmr_, "[St_ChBank]GI_Sheet_T_Mch_Lmr,Bank 0"}), 0) << err_.str();
  EXPECT_EQ(Lines().size(), 6u);
  EXPECT_EQ(Lines()[1], "1-  1");
  EXPECT_EQ(Lines()[5], "New");
}

TEST_F(CliDump, EveryTreeSheetForTheModel) {
  ASSERT_EQ(Run({"dump", lmr_}), 0) << err_.str();
  std::vector<std::string> expected = {"# Top LMR\tGI_Sheet_T_Top", "# Memory channels\tGI_Sheet_Memory_CH_Top",
                                       "# Banks\t[St_Common]GI_Sheet_T_BankOp"};
  const auto headings = Headings(out_.str());
  ASSERT_EQ(headings.size(), 3u + 8u + 2u) << out_.str().substr(0, 2000);
  for (int b = 0; b < 8; ++b) {
    const std::string& h = headings[static_cast<size_t>(3 + b)];
    EXPECT_EQ(h.substr(0, 4), "# " + std::to_string(b + 1) + ":") << h;
    EXPECT_EQ(h.substr(h.find('\t') + 1), "[St_ChBank]GI_Sheet_T_Mch_Lmr,Bank " + std::to_string(b));
  }
  EXPECT_EQ(std::vector<std::string>(headings.begin(), headings.begin() + 3), expected);
  EXPECT_EQ(headings[11], "# LMR only\tGI_Sheet_T_Lmr");
  EXPECT_EQ(headings[12], "# Window sheet\tGI_Sheet_T_Win");
  const auto lines = Lines();
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[1], "Welcome\tto the\t\tsheet") << "each table follows its heading";
  EXPECT_EQ(lines.back(), "1-  1");
}

TEST_F(CliDump, ModelTypeAndMakerModeChooseTheSheets) {
  ASSERT_EQ(Run({"dump", dir_.Dir() + "RX93DPMR.qcl"}), 0) << err_.str();
  auto headings = Headings(out_.str());
  ASSERT_EQ(headings.size(), 3u + 7u + 1u);
  EXPECT_EQ(headings[0], "# Top dPMR446\tGI_Sheet_T_Top");
  EXPECT_EQ(headings[9].substr(headings[9].find('\t') + 1), "[St_ChBank]GI_Sheet_T_Mch_DPmr446,Bank 6");
  EXPECT_EQ(headings[10], "# Window sheet\tGI_Sheet_T_Win");

  ASSERT_EQ(Run({"dump", "--maker", lmr_}), 0) << err_.str();
  headings = Headings(out_.str());
  ASSERT_EQ(headings.size(), 3u + 8u + 3u);
  EXPECT_EQ(headings[12], "# Maker\tGI_Sheet_T_Maker");
}

TEST_F(CliDump, UsageAndFileErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {"dump"},
      {"dump", lmr_, "GI_Sheet_T_Top", "extra"},
      {"dump", lmr_, "-o", "out.qcl"},
      {"dump", "--bogus", lmr_},
      {"get", lmr_, "CL_Mch_No[0]", "--maker"},
  };
  for (const auto& args : bad) EXPECT_EQ(Run(args), kCliUsageError) << args.back();
  EXPECT_EQ(Run({"dump", dir_.Dir() + "no-such-file.qcl"}), 1);
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_NE(out_.str().find("dump FILE [SHEET] [--maker]"), std::string::npos);
}

// A sheet the tree does not offer is refused before anything is rendered, with the
// sheets it does offer; another form or bank of a listed sheet is known.
TEST_F(CliDump, AnUnknownSheetListsTheKnownOnes) {
  for (const char* ref : {"GI_Sheet_Nope", "[St_ChBank]GI_Sheet_T_Mch_Lmr,Bank 9", "GI_Sheet_T_Maker"}) {
    EXPECT_EQ(Run({"dump", lmr_, ref}), kCliUsageError) << ref;
    EXPECT_EQ(out_.str(), "") << ref;
    const auto lines = SplitLines(err_.str());
    ASSERT_GE(lines.size(), 2u) << ref;
    EXPECT_EQ(lines[0], "rx93kit-cli: unknown sheet '" + std::string(ref) + "'; the sheets of this file are:");
    EXPECT_EQ(lines[1], "GI_Sheet_T_Top\tTop LMR");
  }
  EXPECT_EQ(Run({"dump", "--maker", lmr_, "GI_Sheet_T_Maker"}), 0) << "the maker sheet is known in maker mode";
}

}  // namespace

// The shipped overlay and initial images: a whole dump of each model type's initial
// image prints every sheet of its tree, every bank included, and no cell waits for a
// handler.
TEST(CliDumpShipped, EveryInitialImagePrintsItsTree) {
  const ProgramDir dir;
  const struct {
    const char* file;
    const char* bankSheet;
    int banks;
  } images[] = {{"RX93LMR.qcl", "GI_Sheet_Mch_Lmr", 8},
                {"RX93PMR.qcl", "GI_Sheet_Mch_Pmr", 8},
                {"RX93QPMR.qcl", "GI_Sheet_Mch_PmrB", 8},
                {"RX93DPMR.qcl", "GI_Sheet_Mch_DPmr446", 7}};
  for (const auto& image : images) {
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"dump", dir.Dir() + image.file}, out, err, dir.Dir()), 0) << image.file << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(out.str().find("*Yet*"), std::string::npos) << image.file;
    const auto headings = Headings(out.str());
    EXPECT_GT(headings.size(), 25u) << image.file;
    int banks = 0;
    for (const auto& h : headings) banks += h.find(std::string("[St_ChBank]") + image.bankSheet) != std::string::npos;
    EXPECT_EQ(banks, image.banks) << image.file;
  }
}

// Every sheet of every shipped initial image, with and without the maker mode, prints
// exactly as recorded: the goldens guard the sheet building the dump runs on.
TEST(CliDumpShipped, EveryInitialImageMatchesItsGolden) {
  const ProgramDir dir;
  for (const char* image : {"RX93LMR", "RX93PMR", "RX93QPMR", "RX93DPMR"})
    for (const bool maker : {false, true}) {
      std::vector<std::string> args = {"dump", dir.Dir() + image + ".qcl"};
      if (maker) args.push_back("--maker");
      std::ostringstream out, err;
      ASSERT_EQ(RunCli(args, out, err, dir.Dir()), 0) << image << err.str();
      const std::string golden = std::string(RX93_TEST_DATA) + "/dump/" + image + (maker ? "_maker" : "") + ".txt";
      const std::vector<std::string> expected = SplitLines(Slurp(golden)), actual = SplitLines(out.str());
      ASSERT_FALSE(expected.empty()) << golden;
      EXPECT_EQ(actual.size(), expected.size()) << golden;
      for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
        if (actual[i] != expected[i]) {
          ADD_FAILURE() << golden << " line " << i + 1 << ":\n  golden: " << expected[i] << "\n  dumped: " << actual[i];
          break;
        }
      EXPECT_TRUE(out.str() == Slurp(golden)) << golden << ": not byte-identical";
    }
}
