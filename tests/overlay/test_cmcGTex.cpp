#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "overlay/cmcGTex.h"
#include "support/TempDir.h"

namespace {

using Lines = std::vector<std::string>;

std::string Join(const Lines& lines, const std::string& eol) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + eol;
  return bytes;
}

Lines Words(const std::string& text) {
  std::istringstream in(text);
  Lines words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// prefix followed by the number (built by appending: GCC 12 warns falsely on operator+ here).
std::string Numbered(const char* prefix, int i) { return std::string(prefix).append(std::to_string(i)); }

const std::string kEols[] = {"\n", "\r\n"};

struct LookupCase {
  const char* name;
  Lines lines;
  const char* key;
  int n;
  const char* expected;
};

const LookupCase kLookups[] = {
    {"LoneHashIsContent", {"#A", "x", "#", "#B", "y", "#End_Of_Ovl"}, "A", 1, "#"},
    {"LoneHashDefinesNoKey", {"#A", "x", "#", "#B", "y", "#End_Of_Ovl"}, "B", 0, "y"},
    {"BlankAndLetterKey", {"#X", "no", "# X", "yes", "#End_Of_Ovl"}, " X", 0, "yes"},
    {"NextKeyLineIsLineZero", {"#A", "#B", "b0", "#End_Of_Ovl"}, "A", 0, "#B"},
    {"LinesRunPastNextKey", {"#A", "a0", "#B", "b0", "#End_Of_Ovl"}, "A", 2, "b0"},
    {"FirstDefinitionWins", {"#A", "first", "#A", "second", "#End_Of_Ovl"}, "A", 0, "first"},
    {"KeysAreCaseSensitive", {"#a", "lower", "#A", "upper", "#End_Of_Ovl"}, "A", 0, "upper"},
    {"EndKeyIsIndexed", {"#A", "a0", "#End_Of_Ovl", "tail"}, "End_Of_Ovl", 0, "tail"},
    {"TextAfterEndByLineNumber", {"#A", "a0", "#End_Of_Ovl", "tail"}, "A", 2, "tail"},
    {"EmptyLineIsContent", {"#A", "", "a1", "#End_Of_Ovl"}, "A", 0, ""},
    {"LinesBeforeFirstKeyIgnored", {"#junk?", "x", "#A", "a0"}, "A", 0, "a0"},
    {"BytesReturnedUnchanged",
     {"#GI_Sys_AppTitle",
      "Gr\xC3\xB6\xC3\x9F"
      "e \xE6\x97\xA5\tx ",
      "#End_Of_Ovl"},
     "GI_Sys_AppTitle",
     0,
     "Gr\xC3\xB6\xC3\x9F"
     "e \xE6\x97\xA5\tx "},
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.name; }

class LookupTest : public ::testing::TestWithParam<std::tuple<LookupCase, std::string>> {};

TEST_P(LookupTest, ReturnsTheLine) {
  const auto& [c, eol] = GetParam();
  TempDir dir;
  cmcGTex store;
  store.SetFile(dir.Write("t.OVL", Join(c.lines, eol)));
  EXPECT_EQ(store.GetLine(c.key, c.n), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LookupTest,
                         ::testing::Combine(::testing::ValuesIn(kLookups), ::testing::ValuesIn(kEols)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param)[0] == '\r' ? "_CRLF" : "_LF");
                         });

TEST(GTexTest, LastLineMayLackItsLineEnd) {
  TempDir dir;
  cmcGTex store;
  store.SetFile(dir.Write("t.OVL", "#A\na0\n#B\nlast"));
  EXPECT_EQ(store.GetText("B"), "last");
  EXPECT_EQ(store.GetLine("A", 2), "last");
}

TEST(GTexTest, LoneHashAndEndMarkIndexing) {
  TempDir dir;
  cmcGTex store;
  store.SetFile(dir.Write("t.OVL", Join({"#A", "#", "#B", "#End_Of_Ovl", "#Late"}, "\n")));
  store.GetText("End_Of_Ovl");
  EXPECT_EQ(store.KeyOrder(), (Lines{"A", "B", "End_Of_Ovl"}));
}

struct FatalCase {
  const char* name;
  const char* content;  // nullptr: no such file
  const char* key;
  int n;
};

const FatalCase kFatals[] = {
    {"KeyAfterEnd", "#A\na\n#End_Of_Ovl\n#Late\nx\n", "Late", 0},
    {"MissingKey", "#A\na\n#End_Of_Ovl\n", "Nope", 0},
    {"MissingKeyNoEndMark", "#A\na\n", "Nope", 0},
    {"TooFewLines", "#A\na0\n", "A", 1},
    {"EmptyFile", "", "GI_Sys_Language", 0},
    {"NoSuchFile", nullptr, "GI_Sys_Language", 0},
};

void PrintTo(const FatalCase& c, std::ostream* os) { *os << c.name; }

class FatalTest : public ::testing::TestWithParam<FatalCase> {};

TEST_P(FatalTest, EndsTheProcessNamingTheKey) {
  const FatalCase& c = GetParam();
  TempDir dir;
  cmcGTex store;
  store.SetFile(c.content ? dir.Write("t.OVL", c.content) : dir.Dir() + "absent.OVL");
  EXPECT_EXIT(store.GetLine(c.key, c.n), ::testing::ExitedWithCode(3),
              std::string("GTEX Error !\nThe index '") + c.key + "' was not found\\.");
}

INSTANTIATE_TEST_SUITE_P(Cases, FatalTest, ::testing::ValuesIn(kFatals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GTexTest, UnopenablePathsAreFatal) {
  TempDir dir;
  for (const std::string& path : {std::string(), dir.Dir()}) {
    cmcGTex store;
    store.SetFile(path);
    EXPECT_EXIT(store.GetText("GI_Sys_MyHelpOvl"), ::testing::ExitedWithCode(3),
                "GTEX Error !\nThe index 'GI_Sys_MyHelpOvl' was not found\\.");
  }
}

struct PieceCase {
  std::size_t length;
  std::vector<std::size_t> pieces;
};

void PrintTo(const PieceCase& c, std::ostream* os) { *os << c.length << " bytes"; }

class LongLineTest : public ::testing::TestWithParam<std::tuple<PieceCase, std::string>> {};

TEST_P(LongLineTest, SplitsIntoPiecesOf8191Bytes) {
  const auto& [c, eol] = GetParam();
  TempDir dir;
  cmcGTex store;
  store.SetFile(dir.Write("t.OVL", Join({"#A", std::string(c.length, 'a'), "next"}, eol)));
  int n = 0;
  for (const std::size_t piece : c.pieces) EXPECT_EQ(store.GetLine("A", n++), std::string(piece, 'a'));
  EXPECT_EQ(store.GetLine("A", n), "next");
}

INSTANTIATE_TEST_SUITE_P(Cases, LongLineTest,
                         ::testing::Combine(::testing::Values(PieceCase{8190, {8190}}, PieceCase{8191, {8191, 0}},
                                                              PieceCase{9000, {8191, 809}},
                                                              PieceCase{16382, {8191, 8191, 0}}),
                                            ::testing::ValuesIn(kEols)));

TEST(GTexTest, CrLfAndLfFilesReadAlikeAcrossManyReadBuffers) {
  // About 150 KiB of lines of varying length, so CR LF pairs fall on every kind of
  // boundary of the reader's buffer.
  Lines lines = {"#L"};
  for (int i = 0; i < 3000; ++i) lines.push_back(std::string(static_cast<std::size_t>(i % 97), 'a' + i % 26));
  TempDir dir;
  cmcGTex lf, crlf;
  lf.SetFile(dir.Write("lf.OVL", Join(lines, "\n")));
  crlf.SetFile(dir.Write("crlf.OVL", Join(lines, "\r\n")));
  for (int n = 0; n < 3000; ++n) ASSERT_EQ(crlf.GetLine("L", n), lf.GetLine("L", n)) << "line " << n;
  EXPECT_EQ(crlf.GetLine("L", 2999), lines[3000]);
}

TEST(GTexTest, CursorMakesSequentialReadsCostOneLine) {
  Lines lines = {"#L"};
  for (int i = 0; i < 100; ++i) lines.push_back(Numbered("l", i));
  TempDir dir;
  cmcGTex store;
  store.SetFile(dir.Write("t.OVL", Join(lines, "\n")));
  // (line asked, lines read to reach it)
  const std::pair<int, int> steps[] = {{0, 1}, {1, 1}, {2, 1}, {1, 2}, {2, 1}, {50, 48}, {50, 51}, {0, 1}};
  for (const auto& [n, cost] : steps) {
    const auto before = store.Stats().lineReads;
    EXPECT_EQ(store.GetLine("L", n), Numbered("l", n));
    EXPECT_EQ(store.Stats().lineReads - before, static_cast<std::uint64_t>(cost)) << "line " << n;
  }
}

TEST(GTexTest, LineCacheHoldsTheLast64Lines) {
  Lines lines = {"#L"};
  for (int i = 0; i < 100; ++i) lines.push_back(Numbered("l", i));
  TempDir dir;
  const std::string path = dir.Write("t.OVL", Join(lines, "\r\n"));
  // (lines walked, file reads needed to read line 0 again)
  for (const auto& [walked, reads] : {std::pair{1, 0}, std::pair{64, 0}, std::pair{65, 1}}) {
    cmcGTex store;
    store.SetFile(path);
    for (int n = 0; n < walked; ++n) store.GetLine("L", n);
    const auto before = store.Stats().sourceReads;
    EXPECT_EQ(store.GetLine("L", 0), "l0");
    EXPECT_EQ(store.Stats().sourceReads - before, static_cast<std::uint64_t>(reads)) << walked << " walked";
  }
}

TEST(GTexTest, KeysFoundFromPosition11MoveToFront) {
  Lines lines;
  for (int i = 0; i < 15; ++i) {
    lines.push_back(Numbered("#K", 100 + i).erase(2, 1));
    lines.push_back("v");
  }
  TempDir dir;
  cmcGTex store;
  store.SetFile(dir.Write("t.OVL", Join(lines, "\n")));
  const std::pair<const char*, const char*> steps[] = {
      {"K14", "K00 K01 K02 K03 K04 K05 K06 K07 K08 K09 K10 K11 K12 K13 K14"},  // found by the scan
      {"K10", "K00 K01 K02 K03 K04 K05 K06 K07 K08 K09 K10 K11 K12 K13 K14"},  // position 10 stays
      {"K00", "K00 K01 K02 K03 K04 K05 K06 K07 K08 K09 K10 K11 K12 K13 K14"},
      {"K11", "K11 K00 K01 K02 K03 K04 K05 K06 K07 K08 K09 K10 K12 K13 K14"},  // position 11 moves
      {"K10", "K10 K11 K00 K01 K02 K03 K04 K05 K06 K07 K08 K09 K12 K13 K14"},
      {"K14", "K14 K10 K11 K00 K01 K02 K03 K04 K05 K06 K07 K08 K09 K12 K13"},
      {"K07", "K14 K10 K11 K00 K01 K02 K03 K04 K05 K06 K07 K08 K09 K12 K13"},
  };
  for (const auto& [key, order] : steps) {
    EXPECT_EQ(store.GetText(key), "v");
    EXPECT_EQ(store.KeyOrder(), Words(order)) << "after " << key;
  }
}

TEST(GTexTest, SetFileStartsOverWithTheNewFile) {
  TempDir dir;
  cmcGTex store;
  EXPECT_EQ(store.SetFile(dir.Write("one.OVL", "#A\none\n#End_Of_Ovl\n")), 1);
  EXPECT_EQ(store.GetText("A"), "one");
  EXPECT_EQ(store.SetFile(dir.Write("two.OVL", "#B\ntwo\n#A\ntwo-a\n")), 1);
  EXPECT_EQ(store.GetText("A"), "two-a");
  EXPECT_EQ(store.KeyOrder(), (Lines{"B", "A"}));
}

TEST(GTexTest, SetLinesServesAnArrayOnlyOnAFreshStore) {
  const Lines lines = {"#A", "a0", std::string(9000, 'z'), "a2", "#End_Of_Ovl", "#Late", "x"};
  cmcGTex store;
  EXPECT_EQ(store.SetLines(lines), 1);
  EXPECT_EQ(store.GetText("A"), "a0");
  EXPECT_EQ(store.GetLine("A", 1), std::string(8191, 'z'));  // one element is one line
  EXPECT_EQ(store.GetLine("A", 2), "a2");
  EXPECT_EQ(store.SetLines(lines), 0);
  EXPECT_EXIT(store.GetText("Late"), ::testing::ExitedWithCode(3), "The index 'Late' was not found");
}

TEST(GTexTest, SetLinesOnAStoreWithAFileChangesNothing) {
  TempDir dir;
  cmcGTex store;
  store.SetFile(dir.Write("t.OVL", "#A\nfrom file\n"));
  const Lines lines = {"#A", "from array", "#End_Of_Ovl"};
  EXPECT_EQ(store.SetLines(lines), 0);
  EXPECT_EQ(store.GetText("A"), "from file");
}

TEST(GTexTest, ArrayEndIsTooFewLines) {
  const Lines lines = {"#A", "a0"};
  cmcGTex store;
  store.SetLines(lines);
  EXPECT_EXIT(store.GetLine("A", 1), ::testing::ExitedWithCode(3), "The index 'A' was not found");
}

}  // namespace
