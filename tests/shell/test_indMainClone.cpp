// The model controller's clone information, read and write against the demo radio on
// a virtual clock: the identity and post-read hooks, the read's range, the write's
// image checks, questions, password step and the copy it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "cell/ChooserGrid.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/indActiveCell.h"
#include "channel/datCh.h"
#include "channel/datChKinds.h"
#include "clone/cmcDemoRadio.h"
#include "clone/indCloneMan.h"
#include "image/cmcImageMap.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "shell/indEnviron.h"
#include "shell/indImagePacking.h"
#include "shell/indMain.h"
#include "support/ProgramDir.h"
#include "support/TestProgram.h"

namespace {

struct InfoView : indMainView {
  void ShowCloneInfo(const std::string& sheet, const std::string& caption) override {
    shown.push_back(sheet + "|" + caption);
  }
  void CloseSheet() override { ++closed; }
  std::vector<std::string> shown;
  int closed = 0;
};

// The program's long-lived objects with a clone manager whose port is the demo radio,
// loaded with the initial image of the first model type.
struct RadioProgram : Program {
  explicit RadioProgram(const ProgramDir& dir) : Program(dir, true), demo(ServeDemoRadio(dir)) { main.SetView(&view); }
  ~RadioProgram() { main.SetView(nullptr); }

  int Finish() { return FinishClone(); }
  cmcSimRadio& Radio() { return demo.Radio(); }
  // The texts of the prompts shown, in order.
  std::vector<std::string> Asked() const {
    std::vector<std::string> texts;
    for (const auto& a : prompts.asked) texts.push_back(a.text);
    return texts;
  }
  std::string Key(const char* key) { return mainOverlay.GetText(key); }

  cmcDemoRadio& demo;
  InfoView view;
};

class CloneOrchestration : public ::testing::Test {
 protected:
  ProgramDir dir_;
  RadioProgram p_{dir_};
};

TEST_F(CloneOrchestration, InformationOpensTheInformationSheetWithTheRadiosRecord) {
  p_.main.CloneInfo();
  EXPECT_EQ(p_.Finish(), 0);
  ASSERT_EQ(p_.view.shown.size(), 1u);
  EXPECT_EQ(p_.view.shown[0], "GI_Sheet_CloneInfo|" + p_.Key("GI_Sys_AppTitle"));
  const auto& info = p_.main.RadioInfo();
  EXPECT_EQ(info[0], 78);
  EXPECT_EQ(std::string(info.begin() + 37, info.begin() + 49), "202401000123");
  EXPECT_EQ(std::string(info.begin() + 62, info.begin() + 66), "7D7F");
  EXPECT_EQ(p_.main.IdentityBytes(), (std::array<uint8_t, 4>{0x36, 0x21, 0x00, 0x01}));
  EXPECT_TRUE(p_.main.IdentityKnown());
  // The radio is asked with model code 0: this family has alternate models.
  ASSERT_FALSE(p_.Radio().ServiceLog().empty());
  EXPECT_EQ(p_.Radio().ServiceLog()[0].modelCode, 0);
}

TEST_F(CloneOrchestration, ModelCodesOfTheRadio) {
  struct Case {
    int model;
    int outcome;
    bool alt1, alt2;
  };
  const Case cases[] = {
      {0x3621, 0, false, false},
      {0x2926, 0, true, false},
      {0x3179, 0, false, true},
      {0x1234, indCloneMan::kIdentityRefused, false, false},
  };
  for (const auto& c : cases) {
    p_.Radio().GetIdentity().modelCode = c.model;
    p_.main.ClearIdentityFlags();
    p_.main.CloneInfo();
    EXPECT_EQ(p_.Finish(), c.outcome) << std::hex << c.model;
    EXPECT_EQ(p_.main.Alternate1Seen(), c.alt1) << std::hex << c.model;
    EXPECT_EQ(p_.main.Alternate2Seen(), c.alt2) << std::hex << c.model;
  }
}

TEST_F(CloneOrchestration, SubCodesOfTheRadio) {
  struct Case {
    int sub;
    bool makerReserve;
    int outcome;
  };
  const Case cases[] = {
      {0x0000, false, 0},  {0x0001, false, 0},  {0x0101, false, 0}, {0x0100, false, 0},
      {0x0002, false, 11}, {0x0102, false, 11}, {0x0002, true, 0},  {0x0009, true, 0},
  };
  for (const auto& c : cases) {
    p_.Radio().GetIdentity().subCode = c.sub;
    p_.main.makerReserveMode = c.makerReserve;
    p_.main.CloneInfo();
    EXPECT_EQ(p_.Finish(), c.outcome) << std::hex << c.sub << (c.makerReserve ? " in maker reserve mode" : "");
  }
}

TEST_F(CloneOrchestration, InformationRecordFaults) {
  // The E1 answer is the radio's first output: FE FE EF EE E1, four code bytes, then the
  // record from byte 9 (its length byte) to byte 86, then FD.
  struct Case {
    const char* name;
    int drop, corrupt;
    uint8_t revision;
    int outcome;
  };
  const Case cases[] = {
      {"77 bytes", 86, -1, 1, indCloneMan::kIdentityRefused},
      {"first byte 79", -1, 9, 1, indCloneMan::kIdentityRefused},
      {"data revision 2", -1, -1, 2, indCloneMan::kNewerRadio},
      {"data revision 0", -1, -1, 0, 0},
  };
  for (const auto& c : cases) {
    ProgramDir dir;
    RadioProgram p(dir);
    p.Radio().GetFaults().dropByte = c.drop;
    p.Radio().GetFaults().corruptByte = c.corrupt;
    p.Radio().GetIdentity().dataRevision = c.revision;
    p.main.CloneInfo();
    EXPECT_EQ(p.Finish(), c.outcome) << c.name;
    EXPECT_EQ(p.view.shown.empty(), c.outcome != 0) << c.name;
    if (c.outcome == indCloneMan::kIdentityRefused) {
      EXPECT_EQ(p.main.RadioInfo()[0], 0) << c.name << ": not taken";
    }
  }
}

TEST_F(CloneOrchestration, ReadRangeEndsAtTheRadiosHighestAddress) {
  struct Case {
    int highest;
    int end;
  };
  const Case cases[] = {{0x7D7F, 0x7D7F}, {0x1234, 0x123F}, {0x7D70, 0x7D7F}, {0x0FF0, 0x0FFF}};
  for (const auto& c : cases) {
    ProgramDir dir;
    RadioProgram p(dir);
    p.Radio().GetIdentity().highestAddress = c.highest;
    // The radio sends exactly what it reports, so any other range fails the read.
    p.Radio().SetReadRanges(cmcAddressRanges{{0, c.end}});
    p.main.CloneRead();
    const int outcome = p.Finish();
    EXPECT_NE(outcome, dst_CDrv_Result::kMissing) << std::hex << c.highest;
    EXPECT_NE(outcome, dst_CDrv_Result::kOutside) << std::hex << c.highest;
    EXPECT_EQ(p.main.CloneRanges().Count(), 1);
    EXPECT_EQ(p.main.CloneRanges()[0].start, 0);
    EXPECT_EQ(p.main.CloneRanges()[0].end, c.end) << std::hex << c.highest;
    EXPECT_EQ(p.main.CloneMan()->TotalBytes(), c.end + 1);
    EXPECT_EQ(p.Radio().ReadsServed(), 1);
  }
}

TEST_F(CloneOrchestration, AHighestAddressAboveTheExchangedAreaIsRefusedWithoutReading) {
  p_.Radio().GetIdentity().highestAddress = 0x7E00;
  p_.main.CloneRead();
  EXPECT_EQ(p_.Finish(), indCloneMan::kIdentityRefused);
  EXPECT_EQ(p_.Radio().ReadsServed(), 0);
  ASSERT_FALSE(p_.prompts.asked.empty());
  EXPECT_EQ(p_.prompts.asked.back().text, p_.main.CloneMan()->CloneErrorText(indCloneMan::kIdentityRefused));
}

TEST_F(CloneOrchestration, ReadReplacesTheDocumentWithTheRadiosData) {
  // The radio holds an LMR image; the program starts as a PMR with a file open.
  ASSERT_EQ(p_.demo.LoadInitialImage(dir_.Dir(), 0, p_.prompts, p_.mainOverlay), 0);
  ASSERT_FALSE(p_.main.OpenCloneFile(dir_.Dir() + "RX93PMR.qcl", false));
  ASSERT_EQ(p_.main.ModelType(), 1);
  p_.seen.clear();
  p_.main.CloneRead();
  EXPECT_EQ(p_.Finish(), 0);
  EXPECT_EQ(p_.main.ModelType(), 0) << "the model type comes from the radio's data";
  EXPECT_TRUE(p_.main.IsModified());
  EXPECT_EQ(p_.main.FileName(), "");
  for (int a = 0; a < cmcEeprom::kEepromSize; ++a)
    ASSERT_EQ(p_.main.Mirror().GetByte(a), p_.Radio().Image().GetByte(a)) << "mirror byte " << a;
  EXPECT_EQ(p_.main.CheckImageHeader(p_.main.Working(), true), 0);
  EXPECT_GE(p_.view.closed, 1);
  EXPECT_NE(std::find(p_.seen.begin(), p_.seen.end(), kEvFilterTree), p_.seen.end());
}

TEST_F(CloneOrchestration, ReadDataRefusedByThePostReadHookLeavesTheDocument) {
  cmcEeprom before;
  before.Assign(p_.main.Working());
  struct Case {
    const char* name;
    std::function<void(cmcEeprom&)> edit;
    int outcome;
  };
  const Case cases[] = {
      {"header version 2", [](cmcEeprom& i) { i.SetByte(258, 2); }, indCloneMan::kContentCheckFailed},
      {"no maker marker", [](cmcEeprom& i) { i.SetByte(512, 'z'); }, indCloneMan::kContentCheckFailed},
      {"newer data",
       [this](cmcEeprom& i) {
         cmcEeprom unpacked;
         unpacked.Assign(p_.main.Working());
         UnpackImage(unpacked);
         unpacked.SetByte(cmcImageMap::kDataRevision, 2);
         PackImage(unpacked, p_.main.ModelType());
         i.WriteBlock(0, unpacked.Data(), cmcEeprom::kEepromSize);
       },
       indCloneMan::kNewerData},
  };
  for (const auto& c : cases) {
    p_.Radio().Image().Assign(before);
    c.edit(p_.Radio().Image());
    p_.main.CloneRead();
    EXPECT_EQ(p_.Finish(), c.outcome) << c.name;
    EXPECT_TRUE(p_.main.Working().Equals(before)) << c.name;
    EXPECT_FALSE(p_.main.IsModified()) << c.name;
  }
}

TEST_F(CloneOrchestration, ClonePasswordIsAskedWhenTheRadioEnforcesOne) {
  p_.Radio().SetPassword("secret");
  p_.Radio().GetIdentity().flags = cmcSimRadio::kFlagPassword;

  // Cancelled: nothing is read.
  p_.main.CloneRead();
  EXPECT_EQ(p_.Finish(), indMain::kCloneCancelled);
  EXPECT_EQ(p_.Radio().ReadsServed(), 0);

  // Refused entries keep asking; the accepted one is sent with the read.
  p_.prompts.asked.clear();
  p_.prompts.texts = {"", "seventeen-chars-x", "secret"};
  p_.main.CloneRead();
  EXPECT_EQ(p_.Finish(), 0);
  const std::string notice = p_.Key("GI_AppInd_Opt_ClonePwd_Notice");
  const std::string refused = p_.Key("GI_AppInd_Opt_ClonePwd_OutofRange");
  EXPECT_EQ(p_.Asked(), (std::vector<std::string>{notice, refused, notice, refused, notice}));
  EXPECT_EQ(p_.environ.clonePassword, "secret");
  EXPECT_EQ(p_.Radio().ReadsServed(), 1);
  EXPECT_FALSE(p_.main.CloneMan()->SendPassword()) << "used by that read";

  // Not enforced: no question.
  p_.Radio().GetIdentity().flags = cmcSimRadio::kFlagPassword | cmcSimRadio::kFlagNotEnforced;
  p_.prompts.asked.clear();
  p_.main.SetModified(false);
  p_.main.CloneRead();
  EXPECT_EQ(p_.Finish(), 0);
  EXPECT_TRUE(p_.prompts.asked.empty());
}

// Makes channel n unused.
void ClearChannel(cmcEeprom& image, int n) {
  for (int i = 0; i < 4; ++i) image.SetByte(cmcImageMap::kChannelMain + cmcImageMap::kChannelMainSize * n + i, 0);
}

TEST_F(CloneOrchestration, WriteRefusesTheImageWithoutTouchingThePort) {
  struct Case {
    const char* name;
    std::function<void(cmcEeprom&)> edit;
    int errors;
    const char* key;
  };
  const Case cases[] = {
      {"no channel in use",
       [](cmcEeprom& i) {
         for (int n = 0; n < cmcImageMap::kChannelSlots; ++n) ClearChannel(i, n);
       },
       0, "GI_AppMess_CloneErr_NoActualCh"},
      {"start-up channel not in use",
       [](cmcEeprom& i) {
         ClearChannel(i, 100);
         i.SetByte(cmcImageMap::kStartChannel, 100);
       },
       0, "GI_AppMess_CloneErr_InvalidStartCh"},
      {"start-up channel beyond the channels", [](cmcEeprom& i) { i.SetByte(cmcImageMap::kStartChannel, 200); }, 0,
       "GI_AppMess_CloneErr_InvalidStartCh"},
      {"start-up channel an emergency preset",
       [](cmcEeprom& i) {
         datCh ch(&i);
         ch.Load(datChKind::kPmr, i.GetByte(cmcImageMap::kStartChannel));
         ch.preset = true;
         ch.presetNo = 35;
         ch.Store();
       },
       0, "GI_AppMess_CloneErr_InvalidStartCh"},
      {"warning checks count errors", [](cmcEeprom&) {}, 2, "GI_Mess_DataError"},
  };
  cmcEeprom before;
  before.Assign(p_.main.Working());
  for (const auto& c : cases) {
    p_.main.Working().Assign(before);
    c.edit(p_.main.Working());
    p_.main.SetWarningErrorCount([&c] { return c.errors; });
    p_.prompts.asked.clear();
    p_.main.StartCloneWrite();
    EXPECT_EQ(p_.main.CloneOutcome(), indMain::kCloneRefused) << c.name;
    EXPECT_FALSE(p_.main.CloneMan()->IsBusy()) << c.name;
    ASSERT_EQ(p_.prompts.asked.size(), 1u) << c.name;
    EXPECT_EQ(p_.prompts.asked[0].icon, cmcPromptIcon::Error);
    EXPECT_EQ(p_.prompts.asked[0].caption, p_.Key("GI_Sys_AppTitle"));
    EXPECT_EQ(p_.prompts.asked[0].text, p_.Key(c.key)) << c.name;
  }
  p_.clock.Advance(2000);
  EXPECT_EQ(p_.Radio().OpenCount(), 0) << "the port was never opened";
}

// The write asks the program's own warning checks: each model type's initial image
// passes them; an own MSK ID outside the individual range refuses a QarnPmr write, and
// is no reason to refuse the other model types, whose radios have no MSK signalling.
TEST(CloneWriteChecks, ErrorMarksRefuseTheWriteOnlyWhereTheRadioUsesTheSetting) {
  constexpr int kOwnId = 0xA68D;  // ID group 0's address word
  for (int type = 0; type < 4; ++type) {
    for (const bool ownIdOutside : {false, true}) {
      ProgramDir dir;
      RadioProgram p(dir);
      p.main.ChangeModelType(type, true);  // the caution is answered OK
      p.prompts.asked.clear();
      if (ownIdOutside) p.main.Working().SetWord(kOwnId, 4001);
      p.prompts.answers.assign(1, cmcPromptAnswer::Cancel);
      p.main.StartCloneWrite();
      const int outcome = p.Finish();
      const bool refused = ownIdOutside && type == 2;
      const std::string name = "model type " + std::to_string(type) + (ownIdOutside ? ", own ID 4001" : "");
      ASSERT_FALSE(p.Asked().empty()) << name;
      EXPECT_EQ(p.Asked()[0], p.Key(refused ? "GI_Mess_DataError" : "GI_Mess_Confirm_CloneWrite")) << name;
      EXPECT_EQ(outcome, refused ? indMain::kCloneRefused : indMain::kCloneCancelled) << name;
      EXPECT_EQ(p.Radio().InfoAnswers(), refused ? 0 : 1) << name;
    }
  }
}

TEST_F(CloneOrchestration, WriteSendsThePreparedCopyUpToThePackedEnd) {
  // The radio's own memory is marked, to show which bytes the write replaced.
  cmcSimRadio& radio = p_.Radio();
  for (int a = 0; a < cmcEeprom::kEepromSize; ++a) radio.Image().SetByte(a, 0xA5);
  const uint8_t ownRevision = p_.main.Working().GetByte(cmcImageMap::kHeaderDataRevision);
  radio.GetIdentity().dataRevision = ownRevision == 0 ? 1 : 0;
  p_.main.StartCloneWrite();
  EXPECT_EQ(p_.Finish(), 0);
  EXPECT_EQ(p_.Asked(),
            (std::vector<std::string>{p_.Key("GI_Mess_Confirm_CloneWrite"), p_.Key("GI_Mess_CloneWrite_Succeeded")}));
  EXPECT_EQ(radio.InfoAnswers(), 2) << "identified again after the question";
  EXPECT_EQ(radio.WritesServed(), 1);

  cmcEeprom copy;
  copy.Assign(p_.main.Working());
  p_.main.PrepareImage(copy, indMain::kPrepareWrite);
  const int end = (copy.GetWord(cmcImageMap::kPackedEnd) & ~0x7F) + 127;
  EXPECT_EQ(p_.main.CloneRanges()[0].start, 0x200);
  EXPECT_EQ(p_.main.CloneRanges()[0].end, end);
  EXPECT_EQ(end % 128, 127);
  EXPECT_EQ(radio.Image().GetByte(0x1FF), 0xA5) << "below the write range";
  EXPECT_EQ(radio.Image().GetByte(end + 1), 0xA5) << "past the packed end";
  EXPECT_EQ(radio.Image().GetByte(cmcImageMap::kHeaderDataRevision), radio.GetIdentity().dataRevision)
      << "the radio's data revision";
  for (int a = 0x200; a <= end; ++a) {
    if (a == cmcImageMap::kHeaderDataRevision) continue;
    ASSERT_EQ(radio.Image().GetByte(a), copy.GetByte(a)) << "byte " << a;
  }
  EXPECT_EQ(p_.main.Working().GetByte(cmcImageMap::kHeaderDataRevision), ownRevision)
      << "the working image keeps its own";
}

// The low-battery alerts as the common sheet edits them, on every model type: they come
// back from a saved file, and a clone write leaves them in the radio's memory, with
// the older pair at 41182 mirroring the alerts that are on.
TEST_F(CloneOrchestration, LowBatteryAlertsReachTheFileAndTheRadioOnEveryModelType) {
  indActiveCell& active = p_.dispatch;
  ChooserGrid grid;
  auto send = [&](uint32_t label, int key, const char* text) {
    cmcCellObj cell;
    cell.category = CT_Null;
    cell.label = label;
    cmcCellCapsule c;
    c.cell = &cell;
    c.keyCode = key;
    c.grid = &grid;
    if (text) {
      c.inputKind = cmcCellCapsule::kInputText;
      c.inputText = text;
    }
    active.Dispatch(c, false);
    return active.CellText(cell, 0);
  };
  for (int type = 0; type <= 3; ++type) {
    const std::string what = "model type " + std::to_string(type);
    p_.main.ChangeModelType(type, true);
    ASSERT_EQ(p_.demo.LoadInitialImage(dir_.Dir(), type, p_.prompts, p_.mainOverlay), 0) << what;
    EXPECT_EQ(send(CL_Comm_LowBatt1, ' ', nullptr), "On") << what;
    send(CL_Comm_LowBatt1_Periods, 0, "5");
    send(CL_Comm_LowBatt2_TX_End, ' ', nullptr);
    send(CL_Comm_InactiveTimer, 0, "30");
    const std::string saved = dir_.Dir() + "low-battery.qcl";
    ASSERT_FALSE(p_.main.SaveCloneFile(saved)) << what;
    ASSERT_FALSE(p_.main.OpenCloneFile(saved, false)) << what;
    EXPECT_EQ(send(CL_Comm_LowBatt1, 0, nullptr), "On") << what;
    EXPECT_EQ(send(CL_Comm_LowBatt1_Periods, 0, nullptr), "  5") << what;
    EXPECT_EQ(send(CL_Comm_LowBatt2_TX_End, 0, nullptr), "On") << what;
    EXPECT_EQ(send(CL_Comm_LowBatt2, 0, nullptr), "Off") << what;

    p_.prompts.asked.clear();
    p_.main.StartCloneWrite();
    ASSERT_EQ(p_.Finish(), 0) << what;
    cmcEeprom radio;
    radio.SetSize(cmcEeprom::kImageSize);
    radio.WriteBlock(0, p_.Radio().Image().Data(), cmcEeprom::kEepromSize);
    UnpackImage(radio);
    EXPECT_EQ(radio.GetByte(41190), 5) << what << ": alert 1 interval";
    EXPECT_EQ(radio.GetByte(41192) & 0xF8, 0x68) << what << ": alert 1 on, alert 2 at transmission end, kept";
    EXPECT_EQ(radio.GetByte(41182), 5) << what << ": the older pair mirrors alert 1";
    EXPECT_EQ(radio.GetByte(41183), 0) << what;
    EXPECT_EQ(radio.GetByte(0xA08F), 30) << what << ": the inactivity time";
  }
}

TEST_F(CloneOrchestration, WriteQuestionsAndTheirCancel) {
  struct Case {
    const char* name;
    bool makerReserve;
    uint8_t clonePassword;
    std::vector<const char*> keys;
  };
  const Case cases[] = {
      {"plain", false, 0, {"GI_Mess_Confirm_CloneWrite"}},
      {"image with a clone password", false, 1, {"GI_Mess_Confirm_CloneWriteClonePass", "GI_Mess_Confirm_CloneWrite"}},
      {"maker reserve mode",
       true,
       1,
       {"GI_Mess_Maker_Caution", "GI_Mess_Confirm_CloneWriteClonePass", "GI_Mess_Confirm_CloneWrite"}},
  };
  for (const auto& c : cases) {
    for (size_t cancelAt = 0; cancelAt < c.keys.size(); ++cancelAt) {
      ProgramDir dir;
      RadioProgram p(dir);
      p.main.makerReserveMode = c.makerReserve;
      p.main.Working().SetByte(cmcImageMap::kClonePassword, c.clonePassword);
      p.prompts.answers.assign(cancelAt, cmcPromptAnswer::Ok);
      p.prompts.answers.push_back(cmcPromptAnswer::Cancel);
      p.main.StartCloneWrite();
      EXPECT_EQ(p.Finish(), indMain::kCloneCancelled) << c.name;
      std::vector<std::string> expected;
      for (size_t i = 0; i <= cancelAt; ++i) expected.push_back(p.Key(c.keys[i]));
      EXPECT_EQ(p.Asked(), expected) << c.name << ", cancel at " << cancelAt;
      for (const auto& a : p.prompts.asked) EXPECT_EQ(a.buttons, cmcPromptButtons::OkCancel);
      EXPECT_EQ(p.Radio().InfoAnswers(), 1) << c.name;
      EXPECT_EQ(p.Radio().WritesServed(), 0) << c.name;
    }
  }
}

TEST_F(CloneOrchestration, MakerReserveWriteCoversTheWholeArea) {
  p_.main.makerReserveMode = true;
  p_.main.StartCloneWrite();
  EXPECT_EQ(p_.Finish(), 0);
  EXPECT_EQ(p_.main.CloneRanges()[0].start, 0);
}

TEST_F(CloneOrchestration, WritePasswordStepComesAfterTheQuestions) {
  p_.Radio().SetPassword("pw");
  p_.Radio().GetIdentity().flags = cmcSimRadio::kFlagPassword | cmcSimRadio::kFlagNotEnforced;
  p_.prompts.texts = {"pw"};
  p_.main.StartCloneWrite();
  EXPECT_EQ(p_.Finish(), 0);
  EXPECT_EQ(p_.Asked(),
            (std::vector<std::string>{p_.Key("GI_Mess_Confirm_CloneWrite"), p_.Key("GI_AppInd_Opt_ClonePwd_Notice"),
                                      p_.Key("GI_Mess_CloneWrite_Succeeded")}));
  EXPECT_TRUE(p_.Radio().ServiceLog().size() > 0);
  const auto& log = p_.Radio().ServiceLog();
  EXPECT_TRUE(
      std::any_of(log.begin(), log.end(), [](const auto& c) { return c.code == cmcSimRadio::kServicePassword; }));
}

TEST_F(CloneOrchestration, ACommandWhileAnExchangeRunsDoesNothing) {
  p_.main.CloneInfo();
  p_.clock.Advance(10);
  ASSERT_TRUE(p_.main.CloneMan()->IsBusy());
  p_.main.CloneRead();
  p_.main.StartCloneWrite();
  EXPECT_EQ(p_.Finish(), 0);
  EXPECT_EQ(p_.Radio().InfoAnswers(), 1);
  EXPECT_EQ(p_.view.shown.size(), 1u);
}

}  // namespace
