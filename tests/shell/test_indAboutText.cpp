// The About box's texts: the label's "%s" places filled in order, "%%" as "%", and
// the values' own text never read as a format.
#include <gtest/gtest.h>

#include "shell/indAboutText.h"
#include "support/TestProgram.h"

namespace {

TEST(AboutText, FillReplacesEachPlaceInOrder) {
  const struct {
    const char* format;
    std::vector<std::string> arguments;
    const char* expected;
  } cases[] = {
      {"%s; user: %s", {"A", "B"}, "A; user: B"},
      {"%s and %s", {"only"}, "only and "},
      {"100%% %s", {"x"}, "100% x"},
      {"%s", {"50%s %d"}, "50%s %d"},
      {"trailing %", {}, "trailing %"},
      {"%d stays", {"x"}, "%d stays"},
  };
  for (const auto& c : cases) EXPECT_EQ(indAboutText::Fill(c.format, c.arguments), c.expected) << c.format;
}

TEST(AboutText, LabelCarriesTitleRevisionAndTheInstallation) {
  ProgramDir dir;
  Program p(dir);
  p.environ.revision = "1.02";
  p.environ.userName = "Kim";
  p.environ.companyName = "";
  p.environ.serialNumber = "42";
  const indAboutText text(p.mainOverlay, p.environ);
  EXPECT_EQ(text.Label(), "RX-93KIT Dealer  Revision 1.02; user: Kim; company: ; serial number: 42");
  EXPECT_EQ(text.Caption(), "About RX-93KIT Dealer");
  EXPECT_EQ(text.Button(), "OK");
}

}  // namespace
