#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "shell/cmcRecent.h"

namespace {

std::vector<std::string> Entries(const cmcRecent& r) {
  std::vector<std::string> out;
  for (int i = 0; i < r.Count(); ++i) out.push_back(r.DisplayName(i, ""));
  return out;
}

TEST(cmcRecent, AddFrontMovesAnEntryOfOtherLetterCaseToTheFront) {
  cmcRecent r;
  r.AddFront("/home/u/Radio A.icf");
  r.AddFront("/home/u/b.icf");
  r.AddFront("/HOME/U/radio a.ICF");
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"/HOME/U/radio a.ICF", "/home/u/b.icf"}));
}

TEST(cmcRecent, TheEleventhFileDropsTheOldest) {
  cmcRecent r;
  for (int i = 0; i < 11; ++i) r.AddFront("/f" + std::to_string(i));
  ASSERT_EQ(r.Count(), 10);
  EXPECT_EQ(r.DisplayName(0, ""), "/f10");
  EXPECT_EQ(r.DisplayName(9, ""), "/f1");
}

TEST(cmcRecent, AppendKeepsOrderAndDropsWhatDoesNotFit) {
  cmcRecent r(3);
  r.Append("/a");
  r.Append("/b");
  r.Append("/A");
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"/b", "/A"}));
  r.Append("/c");
  r.Append("/d");
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"/b", "/A", "/c"}));
}

TEST(cmcRecent, EmptyPathsAreNeverStored) {
  cmcRecent r;
  for (int i = 0; i < 10; ++i) r.Append("");
  r.AddFront("");
  EXPECT_EQ(r.Count(), 0);
}

TEST(cmcRecent, RemoveAndClearIgnoreLetterCase) {
  cmcRecent r;
  r.Append("/x/One");
  r.Append("/x/two");
  r.Remove("/X/ONE");
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"/x/two"}));
  r.Clear();
  EXPECT_EQ(r.Count(), 0);
  EXPECT_EQ(r.DisplayName(0, ""), "");
}

struct DisplayCase {
  const char* entry;
  const char* folder;
  const char* shown;
};

void PrintTo(const DisplayCase& c, std::ostream* os) { *os << c.entry << " in " << c.folder; }

class cmcRecentDisplay : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(cmcRecentDisplay, ShortensToTheFileNameOnlyInsideTheFolder) {
  cmcRecent r;
  r.AddFront(GetParam().entry);
  EXPECT_EQ(r.DisplayName(0, GetParam().folder), GetParam().shown);
  EXPECT_EQ(r.DisplayName(1, GetParam().folder), "");
}

INSTANTIATE_TEST_SUITE_P(Folders, cmcRecentDisplay,
                         ::testing::Values(DisplayCase{"/home/u/a.icf", "/home/u", "a.icf"},
                                           DisplayCase{"/home/u/a.icf", "/home/u/", "a.icf"},
                                           DisplayCase{"/home/u/a.icf", "/HOME/U", "a.icf"},
                                           DisplayCase{"/home/u/sub/a.icf", "/home/u", "/home/u/sub/a.icf"},
                                           DisplayCase{"/home/u/a.icf", "/home", "/home/u/a.icf"},
                                           DisplayCase{"/home/u/a.icf", "", "/home/u/a.icf"},
                                           DisplayCase{"/a.icf", "/", "a.icf"}, DisplayCase{"/a.icf", "", "/a.icf"}));

}  // namespace
