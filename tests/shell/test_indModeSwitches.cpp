// The command line's mode switches without a window: which arguments switch which
// mode on (whole arguments, any letter case), the caution asked for each, and a
// mode that is on already asking nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/cmcEvCodes.h"
#include "shell/indMain.h"
#include "shell/indModeSwitches.h"
#include "support/TestProgram.h"

namespace {

TEST(ModeSwitches, WholeArgumentsInAnyCaseSwitchTheModesOn) {
  const struct Case {
    const char* name;
    std::vector<std::string> arguments;
    bool maker, factory;
  } cases[] = {
      {"the program alone", {"/usr/bin/rx93kit"}, false, false},
      {"maker reserve", {"/usr/bin/rx93kit", "/zlkmakr"}, true, false},
      {"maker reserve in capitals", {"rx93kit", "/ZLKMAKR"}, true, false},
      {"without the slash", {"rx93kit", "zlkmakr"}, false, false},
      {"a longer argument", {"rx93kit", "/zlkmakr2"}, false, false},
      {"a shorter argument", {"rx93kit", "/zlkmak"}, false, false},
      {"factory adjustment", {"rx93kit", "/ZlkFactoryAdjustmentEnable"}, false, true},
      {"both, in either order", {"rx93kit", "/zlkfactoryadjustmentenable", "x", "/zlkmakr"}, true, true},
      {"the program path is an argument too", {"/zlkmakr"}, true, false},
  };
  for (const Case& c : cases) {
    ProgramDir dir;
    Program p(dir);
    indModeSwitches modes({p.main, p.mainOverlay, p.prompts, p.events},
                          {.makerPanel = [&](const std::string& text) { EXPECT_EQ(text, "Maker mode") << c.name; }});
    modes.Evaluate(c.arguments);
    EXPECT_EQ(p.main.makerReserveMode, c.maker) << c.name;
    EXPECT_EQ(p.main.factoryAdjustMode, c.factory) << c.name;
    const size_t cautions = p.prompts.asked.size();
    EXPECT_EQ(cautions, size_t{c.maker} + size_t{c.factory}) << c.name;
    if (c.maker) {
      EXPECT_EQ(p.prompts.asked[0].text, p.mainOverlay.GetText("GI_Mess_Maker_Caution")) << c.name;
    }
    if (c.factory) {
      EXPECT_EQ(p.prompts.asked.back().text, p.mainOverlay.GetText("GI_Mess_FactADJMode_Caution")) << c.name;
    }
    modes.Evaluate(c.arguments);
    EXPECT_EQ(p.prompts.asked.size(), cautions) << c.name << ": a mode on already asks nothing";
  }
}

TEST(ModeSwitches, CancelLeavesTheModeOffAndTheOtherIsStillAsked) {
  ProgramDir dir;
  Program p(dir);
  bool panel = false;
  p.prompts.answers = {cmcPromptAnswer::Cancel, cmcPromptAnswer::Ok};
  p.seen.clear();
  indModeSwitches({p.main, p.mainOverlay, p.prompts, p.events},
                  {.makerPanel = [&](const std::string&) { panel = true; }})
      .Evaluate({"rx93kit", "/zlkmakr", "/zlkfactoryadjustmentenable"});
  EXPECT_FALSE(p.main.makerReserveMode);
  EXPECT_FALSE(panel);
  EXPECT_TRUE(p.main.factoryAdjustMode);
  EXPECT_NE(std::find(p.seen.begin(), p.seen.end(), kEvCommandStates), p.seen.end())
      << "the menus and tool bars are refreshed";
}

}  // namespace
