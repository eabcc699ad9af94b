#include <gtest/gtest.h>

#include <string>

#include "overlay/cmcLanguages.h"
#include "support/TempDir.h"

namespace {

constexpr const char* kHelpSection = "GI_AppItem_KeyName_to_HtmlHelpName";

std::string MainOverlay(const std::string& help, const std::string& title) {
  return "#GI_Sys_MyHelpOvl\n" + help + "\n#GI_Sys_AppTitle\n" + title + "\n#End_Of_Ovl\n";
}

std::string HelpOverlay(const std::string& topic) {
  return std::string("#") + kHelpSection + "\nCL_Menu_Open\t" + topic + "\n#\n#End_Of_Ovl\n";
}

// Three languages, each with its main overlay and help overlay.
class LanguagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("EN.OVL", MainOverlay("HELP_EN.OVL", "English title"));
    dir_.Write("DE.OVL", MainOverlay("HELP_DE.OVL", "Deutscher Titel"));
    dir_.Write("FR.OVL", MainOverlay("HELP_FR.OVL",
                                     "Titre fran\xC3\xA7"
                                     "ais"));
    dir_.Write("HELP_EN.OVL", HelpOverlay("en_open.htm"));
    dir_.Write("HELP_DE.OVL", HelpOverlay("de_open.htm"));
    dir_.Write("HELP_FR.OVL", HelpOverlay("fr_open.htm"));
    WriteIndex(
        "English\tEN.OVL\nDeutsch\tDE.OVL\nFran\xC3\xA7"
        "ais\tFR.OVL\n#\n");
  }
  void WriteIndex(const std::string& languageLines) {
    dir_.Write("RX93KITD.OVL", "#GI_Sys_Language\n" + languageLines + "#End_Of_Ovl\n");
  }

  TempDir dir_;
  cmcGTex index_;
  cmcGTex main_;
  cmcHelpGTex help_;
  cmcLanguages langs_{dir_.Dir(), index_, main_, help_};
};

TEST_F(LanguagesTest, StoredIndexOutOfRangeSelectsLanguage0) {
  // (stored index, index used, main overlay title)
  const std::tuple<int, int, const char*> cases[] = {
      {0, 0, "English title"},
      {1, 1, "Deutscher Titel"},
      {2, 2,
       "Titre fran\xC3\xA7"
       "ais"},
      {3, 0, "English title"},
      {7, 0, "English title"},
      {-1, 0, "English title"},
  };
  for (const auto& [stored, used, title] : cases) {
    EXPECT_EQ(langs_.Open(stored), used) << stored;
    EXPECT_EQ(langs_.Current(), used);
    EXPECT_EQ(main_.GetText("GI_Sys_AppTitle"), title) << stored;
  }
}

TEST_F(LanguagesTest, CountsAndNamesTheLanguages) {
  langs_.Open(0);
  EXPECT_EQ(langs_.Count(), 3);
  EXPECT_EQ(langs_.Name(0), "English");
  EXPECT_EQ(langs_.Name(2),
            "Fran\xC3\xA7"
            "ais");
}

TEST_F(LanguagesTest, CountEndsAtAnyLineBeginningWithHash) {
  WriteIndex("English\tEN.OVL\nDeutsch\tDE.OVL\n#GI_Sys_Other\nx\n");
  EXPECT_EQ(langs_.Open(1), 1);
  EXPECT_EQ(langs_.Count(), 2);
}

TEST_F(LanguagesTest, CountStopsAt255) {
  std::string lines;
  for (int i = 0; i < 300; ++i) lines.append("L").append(std::to_string(i)).append("\tEN.OVL\n");
  WriteIndex(lines);  // no closing "#": lines past 255 are never read
  EXPECT_EQ(langs_.Open(260), 0);
  EXPECT_EQ(langs_.Count(), 255);
  EXPECT_EQ(langs_.Name(254), "L254");
}

TEST_F(LanguagesTest, LanguageLineWithoutTabIsFatalAtTheMainOverlay) {
  WriteIndex("English\n#\n");
  EXPECT_EXIT(langs_.Open(0), ::testing::ExitedWithCode(3),
              "GTEX Error !\nThe index 'GI_Sys_MyHelpOvl' was not found\\.");
}

TEST(LanguagesMissingIndexTest, MissingIndexOverlayIsFatal) {
  TempDir dir;
  cmcGTex index, main;
  cmcHelpGTex help;
  cmcLanguages langs(dir.Dir(), index, main, help);
  EXPECT_EXIT(langs.Open(0), ::testing::ExitedWithCode(3),
              "GTEX Error !\nThe index 'GI_Sys_Language' was not found\\.");
}

TEST_F(LanguagesTest, SwitchReopensMainOverlayButKeepsTheFirstHelpMap) {
  langs_.Open(0);
  EXPECT_EQ(help_.FindTopic(kHelpSection, "CL_Menu_Open"), "en_open.htm");
  EXPECT_TRUE(langs_.Switch(1));
  EXPECT_EQ(langs_.Current(), 1);
  EXPECT_EQ(main_.GetText("GI_Sys_AppTitle"), "Deutscher Titel");
  EXPECT_EQ(main_.GetText("GI_Sys_MyHelpOvl"), "HELP_DE.OVL");
  EXPECT_EQ(help_.FindTopic(kHelpSection, "CL_Menu_Open"), "en_open.htm");
}

TEST_F(LanguagesTest, SwitchToCurrentOrUnknownIndexDoesNothing) {
  langs_.Open(2);
  for (const int i : {2, 3, -1}) {
    EXPECT_FALSE(langs_.Switch(i)) << i;
    EXPECT_EQ(langs_.Current(), 2);
  }
  EXPECT_EQ(main_.GetText("GI_Sys_AppTitle"),
            "Titre fran\xC3\xA7"
            "ais");
}

}  // namespace
