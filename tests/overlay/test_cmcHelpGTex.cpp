#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "support/TempDir.h"

namespace {

// The help store has no array source and no GetText.
template <typename Store>
concept ServesArraysAndText = requires(Store s, std::vector<std::string> v) {
  s.GetText("k");
  s.SetLines(v);
};
static_assert(ServesArraysAndText<cmcGTex>);
static_assert(!ServesArraysAndText<cmcHelpGTex>);

constexpr const char* kSection = "GI_AppItem_KeyName_to_HtmlHelpName";

std::string Section(const std::vector<std::string>& lines) {
  std::string bytes = std::string("#") + kSection + "\n";
  for (const std::string& line : lines) bytes += line + "\n";
  return bytes;
}

struct TopicCase {
  const char* name;
  std::vector<std::string> lines;
  const char* item;
  const char* topic;
};

void PrintTo(const TopicCase& c, std::ostream* os) { *os << c.name; }

class FindTopicTest : public ::testing::TestWithParam<TopicCase> {};

TEST_P(FindTopicTest, MapsItemToTopic) {
  const TopicCase& c = GetParam();
  TempDir dir;
  cmcHelpGTex help;
  help.SetFile(dir.Write("help.OVL", Section(c.lines)));
  EXPECT_EQ(help.FindTopic(kSection, c.item), c.topic);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTopicTest,
    ::testing::Values(TopicCase{"Listed", {"CL_A\ta.htm", "CL_B\tb.htm", "#"}, "CL_B", "b.htm"},
                      TopicCase{"NotListed", {"CL_A\ta.htm", "#"}, "CL_Z", ""},
                      TopicCase{
                          "LastMatchWins", {"CL_X\tone.htm", "CL_Y\ty.htm", "CL_X\ttwo.htm", "#"}, "CL_X", "two.htm"},
                      // No closing "#" after it: reading on would be fatal, so the search must stop here.
                      TopicCase{"NoTabEndsWithEmptyTopic", {"CL_X", "CL_X\tlater.htm"}, "CL_X", ""},
                      TopicCase{"HashPrefixedLineIsAnEntry", {"#CL_H\th.htm", "#"}, "#CL_H", "h.htm"},
                      TopicCase{"StopsAtLoneHash", {"CL_A\ta.htm", "#", "CL_B\tb.htm"}, "CL_B", ""},
                      TopicCase{"TopicIsField1", {"CL_A\ta.htm\textra", "#"}, "CL_A", "a.htm"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HelpGTexTest, SectionWithoutClosingHashIsFatal) {
  TempDir dir;
  cmcHelpGTex help;
  help.SetFile(dir.Write("help.OVL", Section({"CL_A\ta.htm"})));
  EXPECT_EXIT(help.FindTopic(kSection, "CL_Z"), ::testing::ExitedWithCode(3),
              std::string("GTEX Error !\nThe index '") + kSection + "' was not found\\.");
}

TEST(HelpGTexTest, SetFileTakesEffectOnlyOnce) {
  TempDir dir;
  cmcHelpGTex help;
  EXPECT_EQ(help.SetFile(dir.Write("first.OVL", Section({"CL_A\tfirst.htm", "#"}))), 1);
  EXPECT_EQ(help.SetFile(dir.Write("second.OVL", Section({"CL_A\tsecond.htm", "#"}))), 0);
  EXPECT_EQ(help.FindTopic(kSection, "CL_A"), "first.htm");
  EXPECT_EQ(help.GetLine(kSection, 0), "CL_A\tfirst.htm");
}

}  // namespace
