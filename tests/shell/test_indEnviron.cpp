#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "runtime/cmcMemoryInstanceGuard.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "shell/indEnviron.h"

namespace {

constexpr cmcSettingsRoot kUser = cmcSettingsRoot::CurrentUser;
constexpr cmcSettingsRoot kMachine = cmcSettingsRoot::LocalMachine;
const std::string kKey = indEnviron::kUserKey;
const indEnviron::Rect kFullHd{0, 0, 1920, 1040};

std::string Sub(const std::string& subkey) { return kKey + "\\" + subkey; }

// Every value a first run writes, by subkey, in writing order.
const std::vector<std::pair<std::string, std::vector<std::string>>> kWrittenSet = {
    {"Global",
     {"BBT", "ComPort", "ComSpeedHigh", "Current Directory", "MCH View", "DockFloatCheck", "AlignCheck",
      "FloatingCheck", "PHelp AlignCheck", "PHelp FloatingCheck", "PHelp View"}},
    {"Recent File List",
     {"Recent0", "Recent1", "Recent2", "Recent3", "Recent4", "Recent5", "Recent6", "Recent7", "Recent8", "Recent9"}},
    {"View Option", {"FontSize Percentage", "Toolbar Visible", "FontSize Printer"}},
    {"Window Position",
     {"Left",
      "Top",
      "Width",
      "Height",
      "SplitterV",
      "DockMemWinTop",
      "DockMemWinLeft",
      "DockMemWinHeight",
      "DockMemWinWidth",
      "DockMchWinTop",
      "DockMchWinLeft",
      "DockMchWinHeight",
      "DockMchWinWidth",
      "DockPHelpWinTop",
      "DockPHelpWinLeft",
      "DockPHelpWinHeight",
      "DockPHelpWinWidth",
      "FloatPHelpWinHeight",
      "FloatPHelpWinWidth",
      "S_MemWinHeight",
      "S_MemWinHeightWithMCH",
      "S_MemWinHeightWithHelp",
      "S_MemWinHeightWithMCHandHelp",
      "S_MchWinHeight",
      "S_MchWinHeightWithHelp",
      "S_HelpWinHeight",
      "S_HelpWinHeightWithMCH"}},
    {"Setup", {"ModelType", "Language"}},
    {"Password", {"MakerReserveMode", "AdjustMode", "MKRMode"}},
};

class Environ : public ::testing::Test {
 protected:
  std::unique_ptr<indEnviron> Make(indEnviron::Rect workArea = kFullHd) {
    guards_.push_back(std::make_unique<cmcMemoryInstanceGuard>(registry_));
    return std::make_unique<indEnviron>(indEnviron::kMutexName, indEnviron::kUserKey, indEnviron::kMachineKey, store_,
                                        *guards_.back(), workArea);
  }
  // Leaves a complete settings set in the store, written by a run that changed every
  // value the reset touches.
  void SeedChangedSet() {
    auto env = Make();
    env->comPort = 7;
    env->comSpeedHigh = 0;
    env->currentDirectory = "/home/dealer/clones";
    env->recent.AddFront("/home/dealer/clones/a.icf");
    env->fontSizePercentage = 150;
    env->toolbarVisible = 0;
    env->fontSizePrinter = 9;
    env->winLeft = 11;
    env->winTop = 12;
    env->winWidth = 613;
    env->winHeight = 414;
    env->splitterV = 240;
    env->modelType = 3;
    env->language = 1;
    env->adjustModeCode = "adj";
    env->mchView = 1;
    env->dockFloatCheck = 1;
    env->pHelpFloatingCheck = 1;
    env->alignCheck = 3;
    env->sHelpWinHeight = 77;
  }
  int32_t StoredInt(const std::string& subkey, const std::string& name) const {
    return store_.ReadInt(kUser, Sub(subkey), name).value_or(-12345);
  }

  cmcMemorySettingsStore store_;
  std::shared_ptr<cmcMemoryInstanceGuard::Registry> registry_ = std::make_shared<cmcMemoryInstanceGuard::Registry>();
  std::vector<std::unique_ptr<cmcMemoryInstanceGuard>> guards_;
};

TEST_F(Environ, FirstStartWithoutAKeyYieldsTheDefaults) {
  auto env = Make();
  ASSERT_TRUE(env->OwnsInstance());
  EXPECT_EQ(env->bbt, indEnviron::kMarker);
  EXPECT_EQ(env->modelType, 1);
  EXPECT_EQ(env->comPort, 1);
  EXPECT_EQ(env->comSpeedHigh, 1);
  EXPECT_EQ(env->fontSizePercentage, 100);
  EXPECT_EQ(env->toolbarVisible, 1);
  EXPECT_EQ(env->fontSizePrinter, 10);
  EXPECT_EQ(env->splitterV, 180);
  EXPECT_EQ(env->language, 0);
  EXPECT_EQ(env->pHelpView, 1);
  EXPECT_EQ(env->pHelpAlignCheck, 2);
  EXPECT_TRUE(env->mchDockRequest);
  EXPECT_TRUE(env->pHelpDockRequest);
  EXPECT_FALSE(env->closing);
  EXPECT_EQ(env->recent.Count(), 0);
  EXPECT_EQ(env->makerReserveModeCode, indEnviron::kDefaultMakerReserveCode);
  EXPECT_EQ(env->adjustModeCode, "");
  EXPECT_EQ(env->mkrModeCode, indEnviron::kDefaultMkrCode);
  EXPECT_EQ(std::string(indEnviron::kDefaultMakerReserveCode).size(), 7u);
  EXPECT_EQ(std::string(indEnviron::kDefaultMkrCode).size(), 14u);
  EXPECT_EQ(std::make_tuple(env->winLeft, env->winTop, env->winWidth, env->winHeight),
            std::make_tuple(448, 81, 1024, 768));
}

struct GeometryCase {
  indEnviron::Rect work;
  indEnviron::Rect expected;
};

void PrintTo(const GeometryCase& c, std::ostream* os) {
  *os << c.work.left << "," << c.work.top << " " << c.work.width << "x" << c.work.height;
}

class EnvironGeometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(EnvironGeometry, DefaultWindowIsNinetyPercentCentredAtThirtyPercentOfTheFreeHeight) {
  const auto r = indEnviron::DefaultGeometry(GetParam().work);
  const auto& e = GetParam().expected;
  EXPECT_EQ(std::make_tuple(r.left, r.top, r.width, r.height), std::make_tuple(e.left, e.top, e.width, e.height));
}

INSTANTIATE_TEST_SUITE_P(WorkAreas, EnvironGeometry,
                         ::testing::Values(GeometryCase{{0, 0, 1920, 1040}, {448, 81, 1024, 768}},
                                           GeometryCase{{0, 0, 800, 600}, {40, 18, 720, 540}},
                                           GeometryCase{{100, 40, 1920, 1040}, {548, 121, 1024, 768}},
                                           GeometryCase{{0, 0, 1001, 701}, {50, 21, 900, 630}}));

TEST_F(Environ, DestructionWritesExactlyTheExpectedSet) {
  Make().reset();
  int expected = 0;
  for (const auto& [subkey, names] : kWrittenSet) {
    for (const auto& name : names) {
      const bool present = store_.ReadInt(kUser, Sub(subkey), name) || store_.ReadText(kUser, Sub(subkey), name);
      EXPECT_TRUE(present) << subkey << "\\" << name;
      ++expected;
    }
  }
  EXPECT_EQ(store_.ValueCount(kUser), expected);
  EXPECT_EQ(store_.ValueCount(kMachine), 0);
  EXPECT_EQ(StoredInt("Global", "BBT"), indEnviron::kMarker);
  EXPECT_EQ(StoredInt("Global", "PHelp AlignCheck"), 2);
  EXPECT_EQ(store_.ReadText(kUser, Sub("Recent File List"), "Recent0"), "");
  EXPECT_EQ(store_.ReadText(kUser, Sub("Password"), "AdjustMode"), "00");
  EXPECT_EQ(store_.ReadText(kUser, Sub("Password"), "MakerReserveMode"),
            indEnviron::EncodeCode(indEnviron::kDefaultMakerReserveCode));
  EXPECT_TRUE(registry_->claimed.empty());
}

TEST_F(Environ, EverySettingSurvivesARestart) {
  {
    auto env = Make();
    env->comPort = 12;
    env->comSpeedHigh = 0;
    env->currentDirectory = "/home/dealer/my clones";
    for (int i = 0; i < 3; ++i) env->recent.AddFront("/home/dealer/f" + std::to_string(i) + ".icf");
    env->mchView = 1;
    env->dockFloatCheck = 1;
    env->alignCheck = 4;
    env->floatingCheck = 1;
    env->pHelpAlignCheck = 3;
    env->pHelpFloatingCheck = 0;
    env->pHelpView = 0;
    env->fontSizePercentage = 250;
    env->toolbarVisible = 0;
    env->fontSizePrinter = 11;
    env->winLeft = -5;
    env->splitterV = 300;
    env->dockMemWinHeight = 222;
    env->dockPHelpWinHeight = 111;
    env->floatPHelpWinWidth = 333;
    env->sMchWinHeightWithHelp = 99;
    env->modelType = 3;
    env->language = 2;
    env->makerReserveModeCode = "";
    env->adjustModeCode = "pass word";
    env->mkrModeCode = "m";
    env->clonePassword = "typed";
  }
  auto env = Make();
  EXPECT_EQ(env->comPort, 12);
  EXPECT_EQ(env->comSpeedHigh, 0);
  EXPECT_EQ(env->currentDirectory, "/home/dealer/my clones");
  ASSERT_EQ(env->recent.Count(), 3);
  EXPECT_EQ(env->recent.DisplayName(0, ""), "/home/dealer/f2.icf");
  EXPECT_EQ(env->recent.DisplayName(2, ""), "/home/dealer/f0.icf");
  EXPECT_EQ(std::make_tuple(env->mchView, env->dockFloatCheck, env->alignCheck, env->floatingCheck),
            std::make_tuple(1, 1, 4, 1));
  EXPECT_EQ(std::make_tuple(env->pHelpAlignCheck, env->pHelpFloatingCheck, env->pHelpView), std::make_tuple(3, 0, 0));
  EXPECT_FALSE(env->mchDockRequest);
  EXPECT_TRUE(env->pHelpDockRequest);
  EXPECT_EQ(std::make_tuple(env->fontSizePercentage, env->toolbarVisible, env->fontSizePrinter),
            std::make_tuple(250, 0, 11));
  EXPECT_EQ(std::make_tuple(env->winLeft, env->splitterV, env->dockMemWinHeight, env->dockPHelpWinHeight,
                            env->floatPHelpWinWidth, env->sMchWinHeightWithHelp),
            std::make_tuple(-5, 300, 222, 111, 333, 99));
  EXPECT_EQ(std::make_tuple(env->modelType, env->language), std::make_tuple(3, 2));
  EXPECT_EQ(env->makerReserveModeCode, "");
  EXPECT_EQ(env->adjustModeCode, "pass word");
  EXPECT_EQ(env->mkrModeCode, "m");
  EXPECT_EQ(env->clonePassword, "");
}

TEST_F(Environ, OneMissingValueResetsEverySettingAtTheNextStart) {
  SeedChangedSet();
  ASSERT_TRUE(store_.DeleteValue(kUser, Sub("View Option"), "FontSize Printer"));
  store_.WriteText(kMachine, indEnviron::kMachineKey, "UserName", "Dealer One");

  auto env = Make();
  EXPECT_EQ(env->comPort, 1);
  EXPECT_EQ(env->comSpeedHigh, 1);
  EXPECT_EQ(env->currentDirectory, "");
  EXPECT_EQ(env->recent.Count(), 0);
  EXPECT_EQ(env->fontSizePercentage, 100);
  EXPECT_EQ(env->toolbarVisible, 1);
  EXPECT_EQ(env->fontSizePrinter, 10);
  EXPECT_EQ(std::make_tuple(env->winLeft, env->winTop, env->winWidth, env->winHeight),
            std::make_tuple(448, 81, 1024, 768));
  EXPECT_EQ(env->splitterV, 180);
  EXPECT_EQ(env->modelType, 1);
  EXPECT_EQ(env->language, 0);
  EXPECT_EQ(env->adjustModeCode, "");
  EXPECT_EQ(std::make_tuple(env->mchView, env->dockFloatCheck, env->pHelpFloatingCheck), std::make_tuple(0, 0, 0));
  // Values the reset does not name keep what was read before the missing one.
  EXPECT_EQ(env->alignCheck, 3);
  // Installation information is read whether or not the user's settings were complete.
  EXPECT_EQ(env->userName, "Dealer One");
}

TEST_F(Environ, AWrongMarkerResetsTheSettings) {
  SeedChangedSet();
  store_.WriteInt(kUser, Sub("Global"), "BBT", 1234);
  auto env = Make();
  EXPECT_EQ(env->bbt, indEnviron::kMarker);
  EXPECT_EQ(env->comPort, 1);
  EXPECT_EQ(env->modelType, 1);
}

struct BoundCase {
  const char* subkey;
  const char* name;
  int32_t stored;
  int indEnviron::*field;
  int expected;
};

void PrintTo(const BoundCase& c, std::ostream* os) { *os << c.name << "=" << c.stored; }

class EnvironBounds : public Environ, public ::testing::WithParamInterface<BoundCase> {};

TEST_P(EnvironBounds, AppliesTheBoundsWhenReading) {
  Make().reset();
  const auto& c = GetParam();
  store_.WriteInt(kUser, Sub(c.subkey), c.name, c.stored);
  auto env = Make();
  EXPECT_EQ((*env).*c.field, c.expected) << c.name << " " << c.stored;
}

INSTANTIATE_TEST_SUITE_P(
    Values, EnvironBounds,
    ::testing::Values(BoundCase{"Global", "ComPort", 0, &indEnviron::comPort, 1},
                      BoundCase{"Global", "ComPort", 300, &indEnviron::comPort, 256},
                      BoundCase{"Global", "ComPort", 256, &indEnviron::comPort, 256},
                      BoundCase{"Global", "ComSpeedHigh", 5, &indEnviron::comSpeedHigh, 1},
                      BoundCase{"Global", "ComSpeedHigh", -1, &indEnviron::comSpeedHigh, 0},
                      BoundCase{"View Option", "FontSize Percentage", 5, &indEnviron::fontSizePercentage, 25},
                      BoundCase{"View Option", "FontSize Percentage", 2000, &indEnviron::fontSizePercentage, 1000},
                      BoundCase{"View Option", "FontSize Printer", 20, &indEnviron::fontSizePrinter, 12},
                      BoundCase{"View Option", "FontSize Printer", 3, &indEnviron::fontSizePrinter, 8},
                      BoundCase{"Setup", "ModelType", 258, &indEnviron::modelType, 2},
                      BoundCase{"Global", "PHelp AlignCheck", 0, &indEnviron::pHelpAlignCheck, 2},
                      BoundCase{"Global", "PHelp AlignCheck", 1, &indEnviron::pHelpAlignCheck, 1}));

TEST_F(Environ, ShowsTheFirstFourCharactersOfTheRevision) {
  store_.WriteText(kMachine, indEnviron::kMachineKey, "UserName", "U");
  store_.WriteText(kMachine, indEnviron::kMachineKey, "CompanyName", "C");
  store_.WriteText(kMachine, indEnviron::kMachineKey, "SerialNumber", "S-1");
  store_.WriteText(kMachine, indEnviron::kMachineKey, "Revision", "1.23b");
  auto env = Make();
  EXPECT_EQ(std::make_tuple(env->userName, env->companyName, env->serialNumber), std::make_tuple("U", "C", "S-1"));
  EXPECT_EQ(env->ShownRevision(), "1.23");
}

TEST_F(Environ, AMissingMachineValueLeavesTheFollowingOnesEmpty) {
  store_.WriteText(kMachine, indEnviron::kMachineKey, "UserName", "U");
  store_.WriteText(kMachine, indEnviron::kMachineKey, "SerialNumber", "S-1");
  store_.WriteText(kMachine, indEnviron::kMachineKey, "Revision", "1.23");
  auto env = Make();
  EXPECT_EQ(env->userName, "U");
  EXPECT_EQ(env->serialNumber, "");
  EXPECT_EQ(env->ShownRevision(), indEnviron::kRelease);  // the program's own release stands in
  EXPECT_STRNE(indEnviron::kRelease, "");
}

TEST_F(Environ, StoredAdjustCodeOfDoubleZeroMeansNoPassword) {
  Make().reset();
  store_.WriteText(kUser, Sub("Password"), "AdjustMode", indEnviron::EncodeCode("secret"));
  EXPECT_EQ(Make()->adjustModeCode, "secret");
  store_.WriteText(kUser, Sub("Password"), "AdjustMode", "00");
  EXPECT_EQ(Make()->adjustModeCode, "");
}

TEST(EnvironCodes, HexCodingOfAccessCodes) {
  struct Case {
    std::string code;
    std::string hex;
  };
  for (const Case& c : {Case{"", "00"}, Case{"abc", "616263"}, Case{"Z9 ~", "5A39207E"}, Case{"\xC3\xA9", "C3A9"}}) {
    EXPECT_EQ(indEnviron::EncodeCode(c.code), c.hex);
    EXPECT_EQ(indEnviron::DecodeCode(c.hex), c.code);
  }
  EXPECT_EQ(indEnviron::DecodeCode("61 6-2"), "ab");
  EXPECT_EQ(indEnviron::DecodeCode("6a62"), "jb");
  EXPECT_EQ(indEnviron::DecodeCode("616"), "a`");
  EXPECT_EQ(indEnviron::DecodeCode("610062"), "a");
}

TEST_F(Environ, ASecondInstanceNeitherLoadsNorWrites) {
  SeedChangedSet();
  auto first = Make();
  const int valuesBefore = store_.ValueCount(kUser);
  {
    auto second = Make();
    EXPECT_FALSE(second->OwnsInstance());
    EXPECT_EQ(second->comPort, 1);
    EXPECT_EQ(second->modelType, 1);
    second->comPort = 99;
    second->StoreWindowRecord("Adjust", 1, 2, 3, 4, 0, {-1, -1, -1, -1});
    EXPECT_EQ(second->GetWindowRecord("Other"), nullptr);
  }
  EXPECT_EQ(store_.ValueCount(kUser), valuesBefore);
  EXPECT_EQ(StoredInt("Global", "ComPort"), 7);
  EXPECT_TRUE(first->OwnsInstance());
  EXPECT_EQ(first->comPort, 7);
  EXPECT_EQ(first->modelType, 3);
}

TEST_F(Environ, SaveRunsOnceAndReleasesTheInstance) {
  auto env = Make();
  env->comPort = 5;
  env->Save();
  EXPECT_FALSE(env->OwnsInstance());
  EXPECT_TRUE(registry_->claimed.empty());
  EXPECT_EQ(StoredInt("Global", "ComPort"), 5);
  env->comPort = 6;
  env.reset();
  EXPECT_EQ(StoredInt("Global", "ComPort"), 5);
}

// Refuses every write of one value name, accepting all others.
class RefusingStore : public cmcMemorySettingsStore {
 public:
  explicit RefusingStore(std::string refused) : refused_(std::move(refused)) {}
  bool WriteInt(cmcSettingsRoot root, const std::string& key, const std::string& name, int32_t value) override {
    return name != refused_ && cmcMemorySettingsStore::WriteInt(root, key, name, value);
  }

 private:
  std::string refused_;
};

TEST(EnvironWriting, AFailedWriteStopsTheWritingSilently) {
  RefusingStore store("FontSize Percentage");
  auto registry = std::make_shared<cmcMemoryInstanceGuard::Registry>();
  cmcMemoryInstanceGuard guard(registry);
  { indEnviron env(indEnviron::kMutexName, indEnviron::kUserKey, indEnviron::kMachineKey, store, guard, kFullHd); }
  EXPECT_TRUE(store.ReadInt(kUser, Sub("Global"), "PHelp View").has_value());
  EXPECT_TRUE(store.ReadText(kUser, Sub("Recent File List"), "Recent9").has_value());
  EXPECT_FALSE(store.KeyExists(kUser, Sub("Window Position")));
  EXPECT_FALSE(store.KeyExists(kUser, Sub("Password")));
  EXPECT_TRUE(registry->claimed.empty());
}

TEST_F(Environ, ARefusingStoreLeavesNothingAndStillReleases) {
  store_.SetReadOnly(true);
  Make().reset();
  EXPECT_EQ(store_.ValueCount(kUser), 0);
  EXPECT_TRUE(registry_->claimed.empty());
}

TEST_F(Environ, UnlockFlagsAreWrittenOnlyWhenChanged) {
  {
    auto env = Make();
    env->unlockFlags[1] = 1;
  }
  const std::string global = Sub("Global");
  EXPECT_FALSE(store_.ReadInt(kUser, global, indEnviron::kUnlockFlagNames[0]).has_value());
  EXPECT_EQ(store_.ReadInt(kUser, global, indEnviron::kUnlockFlagNames[1]), 1);
  EXPECT_FALSE(store_.ReadInt(kUser, global, indEnviron::kUnlockFlagNames[2]).has_value());
  {
    auto env = Make();
    EXPECT_EQ(env->unlockFlags[1], 1);
    // Unchanged flags are not written: a value removed meanwhile stays removed.
    store_.DeleteValue(kUser, global, indEnviron::kUnlockFlagNames[1]);
  }
  EXPECT_FALSE(store_.ReadInt(kUser, global, indEnviron::kUnlockFlagNames[1]).has_value());
}

TEST_F(Environ, WindowRecordsAreStoredAndReadBackOnDemand) {
  {
    auto env = Make();
    EXPECT_EQ(env->GetWindowRecord("AdjustForm"), nullptr);
    env->StoreWindowRecord("AdjustForm", 1, 2, 3, 4, 0, {5, 6, 7, 8});
    env->StoreWindowRecord("DebugForm", 9, 9, 9, 9, 1, {-1, -1, -1, -1});
    auto& again = env->StoreWindowRecord("AdjustForm", 10, 20, 300, 400, 2, {5, 6, 7, 8});
    EXPECT_EQ(&again, env->GetWindowRecord("AdjustForm"));
    EXPECT_EQ(again.left, 10);
  }
  EXPECT_EQ(StoredInt("EditForm Position", "AdjustForm_Width"), 300);
  EXPECT_EQ(StoredInt("EditForm Position", "DebugForm_WindowState"), 1);

  auto env = Make();
  const indEnviron::WindowRecord* r = env->GetWindowRecord("AdjustForm");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(std::make_tuple(r->left, r->top, r->width, r->height, r->windowState),
            std::make_tuple(10, 20, 300, 400, 2));
  EXPECT_EQ(r->further, (std::array<int, 4>{-1, -1, -1, -1}));
  EXPECT_EQ(r->open, 0);
  store_.DeleteValue(kUser, Sub("EditForm Position"), "DebugForm_Top");
  EXPECT_EQ(env->GetWindowRecord("DebugForm"), nullptr);
}

TEST_F(Environ, SingleValueAccessReportsMissingAsMinusOne) {
  auto env = Make();
  EXPECT_EQ(env->ReadInt(kUser, Sub("Columns"), "Col0"), -1);
  EXPECT_TRUE(env->WriteInt(kUser, Sub("Columns\\Sheet1"), "Col0", 64));
  EXPECT_EQ(env->ReadInt(kUser, Sub("Columns\\Sheet1"), "Col0"), 64);
  EXPECT_TRUE(env->DeleteKey(kUser, kKey, "Columns"));
  EXPECT_EQ(env->ReadInt(kUser, Sub("Columns\\Sheet1"), "Col0"), -1);
}

}  // namespace
