#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/ChannelCodecFixture.h"
#include "cell/cmcAttributeCodecs.h"
#include "cell/cmcCellIds.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualClock.h"

namespace {

constexpr uint8_t kPri = datCh::kAttrPriority;
constexpr uint8_t kPriOff = datCh::kAttrPriorityCleared;
constexpr uint8_t kScanB = datCh::kAttrScanB;
constexpr uint8_t kEmg = datCh::kAttrEmergency;
constexpr uint8_t kEmgOff = datCh::kAttrEmergencyCleared;
constexpr uint8_t kTrunk = datCh::kAttrSmarTrunk;
constexpr uint8_t kStart = datCh::kAttrStart;

const std::vector<std::string> kLines = {"#End_Of_Ovl"};

class AttributeCodecTest : public ChannelCodecFixture {
 protected:
  AttributeCodecTest() : ChannelCodecFixture(kLines) {
    codec_.events = &events_;
    events_.Listen<&AttributeCodecTest::OnEvent>(this);
  }
  void OnEvent(cmcEvent& e) {
    if (e.mode == cmcEvMode::Posted) announced_.push_back(e.code);
  }
  // The events posted since the last call.
  std::vector<uint8_t> Announced() {
    clock_.Advance(20);
    std::vector<uint8_t> out;
    out.swap(announced_);
    return out;
  }

  cmcVirtualClock clock_;
  cmcEvMan events_{clock_};
  std::vector<uint8_t> announced_;
};

const std::vector<uint8_t> kAnnouncement = {kEvRecomputeBankIcons, kEvRefreshBankHeader};

TEST_F(AttributeCodecTest, LmrLettersAndAnswers) {
  const struct {
    const char* name;
    uint8_t from;
    int answer;
    uint8_t to;
    const char* shown;
  } cases[] = {
      {"priority", 0, 1, kPri, "A"},
      {"scan-B", kPri, 2, kPri | kScanB, "AB"},
      {"emergency in force", kEmgOff, 3, kEmg, "E"},
      {"emergency cleared", kEmg, 4, kEmgOff, ""},
      {"SmarTrunk on, no letter", 0, 5, kTrunk, ""},
      {"SmarTrunk toggles off", kTrunk | kPri, 5, kPri, "A"},
      {"an answer of no action", kPri, 6, kPri, "A"},
      {"priority already set", kPri | kScanB | kEmg, 1, kPri | kScanB | kEmg, "ABE"},
  };
  for (const auto& c : cases) {
    uint8_t attr = c.from;
    Answer(Flex0, c.answer);
    const bool changed = AttributeCodec(codec_, request_, attr);
    EXPECT_EQ(changed, c.from != c.to) << c.name;
    EXPECT_EQ(attr, c.to) << c.name;
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
    EXPECT_EQ(Announced(), changed ? kAnnouncement : std::vector<uint8_t>{}) << c.name;
  }
}

TEST_F(AttributeCodecTest, EnterOpensTheAttributeChooser) {
  uint8_t attr = kPri;
  Press(13);
  EXPECT_FALSE(AttributeCodec(codec_, request_, attr));
  EXPECT_EQ(codec_.result, cmcCodecCommon::kResultPopup);
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_Mch_Atr");
  EXPECT_EQ(grid_.opened[0].keyLabel, Flex0);

  Press(13, false);
  EXPECT_FALSE(AttributeCodec(codec_, request_, attr));
  EXPECT_EQ(grid_.opened.size(), 1u);

  Answer(Flex1, 1);  // an answer of another chooser
  attr = 0;
  EXPECT_FALSE(AttributeCodec(codec_, request_, attr));
  EXPECT_TRUE(Announced().empty());
}

TEST_F(AttributeCodecTest, PmrLettersAndAnswers) {
  const struct {
    const char* name;
    bool inUse;
    uint8_t from;
    int answer;
    uint8_t to;
    const char* shown;
  } cases[] = {
      {"priority in force", true, kPriOff, 1, kPri, "P"},
      {"priority needs a channel in use", false, kPriOff, 1, kPriOff, ""},
      {"emergency in force", true, kEmgOff, 3, kEmg, "E"},
      {"emergency needs a channel in use", false, kEmgOff, 3, kEmgOff, ""},
      {"emergency cleared on any channel", false, kEmg, 4, kEmgOff, ""},
      {"priority cleared on any channel", false, kPri, 6, kPriOff, ""},
      {"start channel", true, kPri, 7, kPri | kStart, "SP"},
      {"start needs a channel in use", false, 0, 7, 0, ""},
      {"scan-B is no PMR answer", true, 0, 2, 0, ""},
  };
  for (const auto& c : cases) {
    Channel(c.inUse ? 476'425'000 : 0, c.inUse ? 476'425'000 : 0);
    channel_.attr = c.from;
    Answer(Flex0, c.answer);
    const bool changed = PmrAttributeCodec(codec_, request_, channel_);
    EXPECT_EQ(changed, c.from != c.to) << c.name;
    EXPECT_EQ(channel_.attr, c.to) << c.name;
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
    EXPECT_EQ(Announced(), changed ? kAnnouncement : std::vector<uint8_t>{}) << c.name;
  }
}

}  // namespace
