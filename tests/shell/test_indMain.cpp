// The model controller's document operations on the shipped overlays and initial images.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "channel/datChBank.h"
#include "image/cmcImageMap.h"
#include "image/cmcQclFile.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcScriptedPrompts.h"
#include "shell/indEnviron.h"
#include "shell/indImagePacking.h"
#include "shell/indMain.h"
#include "support/Slurp.h"
#include "support/TestProgram.h"

namespace {

class ModelController : public ::testing::Test {
 protected:
  ProgramDir dir_;
  Program p_{dir_};
};

TEST_F(ModelController, StartsUntitledOnThePackedInitialImage) {
  EXPECT_FALSE(p_.main.IsModified());
  EXPECT_EQ(p_.main.Caption(), "Untitled - " + p_.mainOverlay.GetText("GI_Sys_AppTitle"));
  EXPECT_TRUE(p_.main.Working().Equals(p_.main.Mirror()));
  EXPECT_TRUE(p_.main.Working().Equals(p_.main.SavedState()));
  EXPECT_EQ(p_.main.CheckImageHeader(p_.main.Working(), true), 0) << "the packed image carries its end marker";
  EXPECT_EQ(p_.main.ModelType(), 1) << "a first start is a PMR";
}

TEST_F(ModelController, HeaderChecks) {
  struct Case {
    const char* name;
    int address;
    uint8_t value;
    int lenient, strict;
  };
  const Case cases[] = {
      {"model code high byte", 256, 0x37, 1, 1}, {"header version 2", 258, 2, 1, 1},
      {"data revision 2", 520, 2, 1, 1},         {"data revision 1", 520, 1, 0, 0},
      {"maker marker", 512, 'z', 0, 1},          {"second model code", 522, 0x11, 0, 1},
  };
  for (const auto& c : cases) {
    cmcEeprom image;
    image.Assign(p_.main.Working());
    image.SetByte(c.address, c.value);
    EXPECT_EQ(p_.main.CheckImageHeader(image, false), c.lenient) << c.name;
    EXPECT_EQ(p_.main.CheckImageHeader(image, true), c.strict) << c.name;
  }
}

TEST_F(ModelController, ModelCodesAndAlternates) {
  struct Case {
    int model, sub;
    bool ok;
    int error;
    bool alt1, alt2;
  };
  const Case cases[] = {
      {0x3621, 1, true, 0, false, false},  {0x2926, 0x100, true, 0, true, false}, {0x3179, 1, true, 0, false, true},
      {0x1234, 1, false, 3, false, false}, {0x3621, 2, false, 4, false, false},
  };
  for (const auto& c : cases) {
    p_.main.ClearIdentityFlags();
    int error = 0;
    EXPECT_EQ(p_.main.CheckModelCode(c.model, c.sub, error), c.ok) << std::hex << c.model;
    if (!c.ok) {
      EXPECT_EQ(error, c.error);
    } else {
      EXPECT_EQ(p_.main.Alternate1Seen(), c.alt1);
      EXPECT_EQ(p_.main.Alternate2Seen(), c.alt2);
    }
  }
  const cmcAddressRanges write = p_.main.MakeCloneRanges(0);
  EXPECT_EQ(write[0].start, 0x200);
  EXPECT_EQ(write[0].end, 0x7D7F);
  EXPECT_EQ(p_.main.MakeCloneRanges(3)[0].start, 0);
}

TEST_F(ModelController, RefusedFilesLeaveTheDocumentAlone) {
  const std::string badHeader = p_.SaveVariant(dir_, "version2.qcl", [](cmcEeprom& i) { i.SetByte(258, 2); });
  const std::string newer = p_.SaveVariant(dir_, "newer.qcl", [this](cmcEeprom& i) {
    i.SetByte(cmcImageMap::kDataRevision, 2);
    PackImage(i, p_.main.ModelType());
  });
  struct Case {
    std::string path;
    int code;
  };
  const Case cases[] = {
      {std::string(RX93_TEST_DATA) + "/image/header_with_letter.qcl", 6},
      {std::string(RX93_TEST_DATA) + "/image/map_revision_2.qcl", 5},
      {dir_.Dir() + "missing.qcl", 1},
      {badHeader, 8},
      {newer, 9},
  };
  const cmcEeprom before = [&] {
    cmcEeprom b;
    b.Assign(p_.main.Working());
    return b;
  }();
  for (const auto& c : cases) {
    p_.prompts.asked.clear();
    EXPECT_TRUE(p_.main.OpenCloneFile(c.path, false)) << c.path;
    EXPECT_EQ(p_.main.LastFileError(), c.code) << c.path;
    EXPECT_TRUE(p_.main.Working().Equals(before)) << c.path;
    EXPECT_EQ(p_.main.FileName(), "");
    ASSERT_EQ(p_.prompts.asked.size(), 1u) << c.path;
    EXPECT_EQ(p_.prompts.asked[0].icon, cmcPromptIcon::Warning);
  }
}

TEST(ModelControllerLockout, NewerDataPassesWhenTheLockoutIsOff) {
  ProgramDir dir;
  dir.SetKey("GI_Sys_LockoutNewerData", "0");
  Program p(dir);
  const std::string newer = p.SaveVariant(dir, "newer.qcl", [&](cmcEeprom& i) {
    i.SetByte(cmcImageMap::kDataRevision, 2);
    PackImage(i, p.main.ModelType());
  });
  EXPECT_FALSE(p.main.OpenCloneFile(newer, false));
}

TEST_F(ModelController, SaveThenOpenRoundTrip) {
  // An edit, saved: the file name, folder, recent list and modified flag follow.
  p_.main.Working().SetByte(41230, 'A');
  p_.main.MarkModifiedIfChanged();
  EXPECT_TRUE(p_.main.IsModified());
  const std::string path = dir_.Dir() + "radio.qcl";
  ASSERT_FALSE(p_.main.SaveCloneFile(path));
  EXPECT_FALSE(p_.main.IsModified());
  EXPECT_EQ(p_.main.FileName(), path);
  EXPECT_EQ(p_.environ.currentDirectory + "/", dir_.Dir());
  EXPECT_EQ(p_.environ.recent.DisplayName(0, ""), path);
  EXPECT_EQ(p_.main.Caption(), "radio.qcl - " + p_.mainOverlay.GetText("GI_Sys_AppTitle"));
  const std::string firstLines = Slurp(path).substr(0, 12);
  EXPECT_EQ(firstLines, "36210001\n#Co");

  p_.main.NewClone();
  EXPECT_EQ(p_.main.Working().GetByte(41230), p_.main.Initial().GetByte(41230));
  ASSERT_FALSE(p_.main.OpenCloneFile(path, false));
  EXPECT_EQ(p_.main.Working().GetByte(41230), 'A');
  EXPECT_FALSE(p_.main.IsModified());

  // Saving what was opened writes the same bytes.
  const std::string again = dir_.Dir() + "again.qcl";
  ASSERT_FALSE(p_.main.SaveCloneFile(again));
  EXPECT_EQ(Slurp(again), Slurp(path));
}

// A bank grown by blank channels keeps them blank through saving and opening on every
// model type, though the dPMR446 initial image holds an in-use channel in every slot
// after its sixteenth.
TEST_F(ModelController, AGrownBankKeepsItsChannelsThroughSavingAndOpening) {
  for (int type = 0; type <= 3; ++type) {
    p_.main.ChangeModelType(type, false);
    datChBank banks(&p_.main.Working(), &p_.main.Initial());
    const int used = banks.UsedTotal();
    banks.ChangeBankSize(indMain::ChannelKindOf(type), 0, banks.BankCount(0) + 2);
    const int total = banks.TotalChannels();
    const std::string path = dir_.Dir() + "grown.qcl";
    ASSERT_FALSE(p_.main.SaveCloneFile(path));
    cmcEeprom saved;
    saved.Assign(p_.main.Working());
    p_.main.NewClone();
    ASSERT_FALSE(p_.main.OpenCloneFile(path, false));
    const datChBank opened(&p_.main.Working());
    EXPECT_EQ(opened.TotalChannels(), total) << "model type " << type;
    EXPECT_EQ(opened.UsedTotal(), used) << "model type " << type;
    for (int n = 0; n < total; ++n) {
      for (const auto& [base, size] : {std::pair{0x7F80, 22}, std::pair{0x9879, 16}}) {
        const int at = base + size * n;
        EXPECT_TRUE(std::equal(saved.Data() + at, saved.Data() + at + size, p_.main.Working().Data() + at))
            << "model type " << type << " channel " << n;
      }
    }
  }
}

TEST_F(ModelController, UnsavedChangesQuestion) {
  p_.main.Working().SetByte(41230, 'B');
  p_.main.MarkModifiedIfChanged();

  p_.prompts.answers = {cmcPromptAnswer::Cancel};
  EXPECT_EQ(p_.main.AskSaveChanges(), indMain::kAnswerCancel);
  p_.prompts.answers = {cmcPromptAnswer::No};
  EXPECT_EQ(p_.main.AskSaveChanges(), indMain::kAnswerNo);
  EXPECT_TRUE(p_.main.IsModified());

  // Yes on an untitled document asks for a file; cancelling that cancels the question.
  p_.prompts.answers = {cmcPromptAnswer::Yes};
  EXPECT_EQ(p_.main.AskSaveChanges(), indMain::kAnswerCancel);
  ASSERT_EQ(p_.prompts.dialogs.size(), 1u);
  EXPECT_TRUE(p_.prompts.dialogs[0].save);
  EXPECT_EQ(p_.prompts.dialogs[0].fileName, "Untitled");

  p_.prompts.answers = {cmcPromptAnswer::Yes};
  p_.prompts.paths = {dir_.Dir() + "kept.qcl"};
  EXPECT_EQ(p_.main.AskSaveChanges(), indMain::kAnswerYes);
  EXPECT_FALSE(p_.main.IsModified());
  EXPECT_EQ(p_.main.FileName(), dir_.Dir() + "kept.qcl");
}

TEST_F(ModelController, NewCloneRelabelsBanksAndAnnouncesTheImage) {
  p_.seen.clear();
  p_.main.NewClone();
  EXPECT_NE(std::find(p_.seen.begin(), p_.seen.end(), kEvNewImage), p_.seen.end());
  p_.clock.Advance(20);  // the bank labels are posted
  EXPECT_EQ(std::count(p_.seen.begin(), p_.seen.end(), kEvRelabelBank), 8);
}

TEST_F(ModelController, ModelTypeChange) {
  p_.prompts.answers = {cmcPromptAnswer::Cancel};
  p_.main.ChangeModelType(0, true);
  EXPECT_EQ(p_.main.ModelType(), 1);

  p_.main.ChangeModelType(0, true);
  EXPECT_EQ(p_.main.ModelType(), 0);
  EXPECT_NE(p_.main.Initial().GetByte(cmcImageMap::kModelTypeFlags) & 0x01, 0);
  EXPECT_TRUE(p_.main.Working().Equals(p_.main.SavedState()));

  // A file of another model type switches the model type without asking.
  const std::string path = dir_.Dir() + "lmr.qcl";
  ASSERT_FALSE(p_.main.SaveCloneFile(path));
  p_.main.ChangeModelType(3, true);
  const size_t asked = p_.prompts.asked.size();
  ASSERT_FALSE(p_.main.OpenCloneFile(path, false));
  EXPECT_EQ(p_.main.ModelType(), 0);
  EXPECT_EQ(p_.prompts.asked.size(), asked);
}

TEST(ModelControllerDeathTest, MissingInitialImageIsFatal) {
  ProgramDir dir;
  std::filesystem::remove(dir.Dir() + "RX93PMR.qcl");  // the initial file of the default model type
  EXPECT_EXIT(Program p(dir), ::testing::ExitedWithCode(3), "Cannot open '.*RX93PMR\\.qcl'\\.");
}

}  // namespace

TEST(ModelControllerAdjust, AdjustmentReadsWaitForTheAdjustmentPassword) {
  struct Case {
    const char* name;
    const char* code;                // the "AdjustMode" code
    std::vector<std::string> typed;  // one entry per ask; none: cancelled
    std::vector<bool> allowed;       // AllowAdjustRead, call by call
    size_t prompts;                  // questions and error boxes shown in all
  };
  const Case cases[] = {
      {"no code configured", "", {}, {true, true}, 0},
      {"the code once", "adj", {"adj"}, {true, true}, 1},
      {"a wrong entry, then the code", "adj", {"adx", "adj"}, {false, true, true}, 3},
      {"cancelled", "adj", {}, {false, false}, 2},
  };
  for (const auto& c : cases) {
    ProgramDir dir;
    Program p(dir);
    p.environ.adjustModeCode = c.code;
    p.prompts.texts.assign(c.typed.begin(), c.typed.end());
    for (size_t i = 0; i < c.allowed.size(); ++i) {
      EXPECT_EQ(p.main.AllowAdjustRead(), c.allowed[i]) << c.name << ", call " << i;
      EXPECT_EQ(p.main.AdjustReadAllowed(), c.allowed[i]) << c.name << ", call " << i;
    }
    EXPECT_EQ(p.prompts.asked.size(), c.prompts) << c.name;
    for (const auto& a : p.prompts.asked) {
      if (a.icon == cmcPromptIcon::Error) {
        EXPECT_EQ(a.text, p.mainOverlay.GetText("GI_AppInd_Opt_AdjReadPwd_Error"));
      }
    }
  }
}
