// What the desktop program's start-up decides without a window: stored model types
// and language indexes out of range start as 0, the pre-release notice that
// "GI_Sys_BRC" asks for, and what a drop of files on the main window opens or says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/cmcMemoryInstanceGuard.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "runtime/cmcScriptedPrompts.h"
#include "runtime/cmcVirtualClock.h"
#include "shell/indFileDrop.h"
#include "shell/indProgram.h"
#include "shell/indStartChecks.h"
#include "support/ProgramDir.h"
#include "support/TestProgram.h"

namespace {

// Two runs of the program on one settings store: the first leaves its values, the
// second starts on them.
struct TwoRuns {
  indProgram::Seams Seams() { return {store, guard, {0, 0, 1280, 1024}, clock, prompts, dir.Dir(), dir.Dir()}; }
  ProgramDir dir;
  cmcMemorySettingsStore store;
  cmcMemoryInstanceGuard guard{std::make_shared<cmcMemoryInstanceGuard::Registry>()};
  cmcVirtualClock clock;
  cmcScriptedPrompts prompts;
};

TEST(StartUp, StoredValuesOutOfRangeStartAsZero) {
  struct Case {
    const char* name;
    int storedModelType, storedLanguage;
    int modelType, language;
  };
  const Case cases[] = {
      {"model type 6", 6, 0, 0, 0},
      {"model type -1", -1, 0, 0, 0},
      {"model type 3 is kept", 3, 0, 3, 0},
      {"a language beyond the list", 1, 7, 1, 0},
      {"the language count itself", 1, 1, 1, 0},  // the shipped index lists one language
  };
  for (const Case& c : cases) {
    TwoRuns runs;
    {
      indProgram first(runs.Seams());
      first.Environ().modelType = c.storedModelType;
      first.Environ().language = c.storedLanguage;
    }
    indProgram second(runs.Seams());
    EXPECT_EQ(second.Main().ModelType(), c.modelType) << c.name;
    EXPECT_EQ(second.Environ().language, c.language) << c.name;
  }
}

TEST(StartUp, PreReleaseNoticeFollowsTheOverlay) {
  struct Case {
    const char* line;
    bool shown;
  };
  const Case cases[] = {{"0", false}, {"1", true}, {"2", true}, {"", true}, {"beta", true}, {" 0", false}};
  for (const Case& c : cases) {
    EXPECT_EQ(indStartChecks::PreReleaseNoticeWanted(c.line), c.shown) << '"' << c.line << '"';
    ProgramDir dir;
    dir.SetKey("GI_Sys_BRC", c.line);
    Program p(dir);
    EXPECT_EQ(indStartChecks::ShowPreReleaseNotice(p.mainOverlay, p.prompts), c.shown) << '"' << c.line << '"';
    if (!c.shown) continue;
    ASSERT_EQ(p.prompts.asked.size(), 1u);
    EXPECT_EQ(p.prompts.asked[0].icon, cmcPromptIcon::Warning);
    EXPECT_EQ(p.prompts.asked[0].caption, "RX-93KIT Dealer(Beta)");
    EXPECT_EQ(p.prompts.asked[0].text, "RX-93KIT Dealer Beta Version");
  }
}

TEST(StartUp, ADropOpensOneCloneFileInAnyLetterCase) {
  struct Case {
    const char* name;
    std::vector<std::string> files;  // saved clone files, by name
    int error;
    const char* message;  // the message key shown, or none
  };
  const Case cases[] = {
      {"lower case", {"radio.qcl"}, indFileDrop::kOpened, nullptr},
      {"upper case", {"RADIO.QCL"}, indFileDrop::kOpened, nullptr},
      {"mixed case", {"Radio.QcL"}, indFileDrop::kOpened, nullptr},
      {"two files", {"a.qcl", "b.qcl"}, indFileDrop::kSeveralFiles, "GI_Mess_FileErr_MultiFileDrop"},
      {"another extension", {"radio.txt"}, indFileDrop::kNotACloneFile, "GI_Mess_FileErr_FileFormat"},
      {"no extension", {"radio"}, indFileDrop::kNotACloneFile, "GI_Mess_FileErr_FileFormat"},
      {"a dot only in the folder", {"x.qcl/radio"}, indFileDrop::kNotACloneFile, "GI_Mess_FileErr_FileFormat"},
  };
  for (const Case& c : cases) {
    ProgramDir dir;
    Program p(dir);
    std::vector<std::string> paths;
    for (const std::string& name : c.files)
      paths.push_back(name.find('/') == std::string::npos ? p.SaveVariant(dir, name, [](cmcEeprom&) {})
                                                          : dir.Dir() + name);
    EXPECT_EQ(indFileDrop(p.main, p.mainOverlay, p.prompts).Drop(paths), c.error) << c.name;
    if (c.error == indFileDrop::kOpened) {
      EXPECT_EQ(p.main.FileName(), paths.front()) << c.name;
      EXPECT_EQ(p.main.LastFileError(), 0) << c.name;
      EXPECT_TRUE(p.prompts.asked.empty()) << c.name;
    } else {
      EXPECT_EQ(p.main.FileName(), "") << c.name << ": nothing opened";
      ASSERT_EQ(p.prompts.asked.size(), 1u) << c.name;
      EXPECT_EQ(p.prompts.asked[0].icon, cmcPromptIcon::Warning) << c.name;
      EXPECT_EQ(p.prompts.asked[0].caption, "RX-93KIT Dealer") << c.name;
      EXPECT_EQ(p.prompts.asked[0].text, p.mainOverlay.GetText(c.message)) << c.name;
    }
  }
}

TEST(StartUp, AnEmptyDropMessageIsNotShown) {
  ProgramDir dir;
  dir.SetKey("GI_Mess_FileErr_MultiFileDrop", "");
  Program p(dir);
  EXPECT_EQ(indFileDrop(p.main, p.mainOverlay, p.prompts).Drop({"/tmp/a.qcl", "/tmp/b.qcl"}),
            indFileDrop::kSeveralFiles);
  EXPECT_TRUE(p.prompts.asked.empty());
}

TEST(StartUp, ADropAsksAboutUnsavedChangesFirst) {
  ProgramDir dir;
  Program p(dir);
  const std::string path = p.SaveVariant(dir, "other.qcl", [](cmcEeprom&) {});
  p.main.SetModified(true);
  p.prompts.answers.push_back(cmcPromptAnswer::Cancel);
  indFileDrop(p.main, p.mainOverlay, p.prompts).Drop({path});
  ASSERT_EQ(p.prompts.asked.size(), 1u);
  EXPECT_EQ(p.prompts.asked[0].buttons, cmcPromptButtons::YesNoCancel);
  EXPECT_EQ(p.main.FileName(), "") << "Cancel keeps the document";
}

}  // namespace
