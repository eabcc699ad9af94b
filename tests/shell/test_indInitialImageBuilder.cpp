#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "channel/datCh.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcMemoryInstanceGuard.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "runtime/cmcScriptedPrompts.h"
#include "runtime/cmcVirtualClock.h"
#include "shell/indEnviron.h"
#include "shell/indInitialImageBuilder.h"
#include "shell/indMain.h"
#include "support/Slurp.h"
#include "support/TempDir.h"

namespace {

const std::string kDataDir = std::string(RX93_DATA_DIR) + "/";

// The checked-in initial clone file of each model type, its description being
// data/initial/<name>.txt, and the model type flag it must carry at 41179.
struct InitialFile {
  int modelType;
  const char* name;
  uint8_t flag;
};
constexpr InitialFile kInitialFiles[] = {
    {0, "RX93LMR", 0x01},
    {1, "RX93PMR", 0x02},
    {2, "RX93QPMR", 0x04},
    {3, "RX93DPMR", 0x20},
};

std::string DescriptionPath(const InitialFile& f) { return kDataDir + "initial/" + f.name + ".txt"; }
std::string ClonePath(const InitialFile& f) { return kDataDir + f.name + ".qcl"; }

// The model controller with the shipped overlay, finding the initial files in data/.
class Controller {
 public:
  explicit Controller(int modelType)
      : guard_(std::make_shared<cmcMemoryInstanceGuard::Registry>()),
        environ_(indEnviron::kMutexName, indEnviron::kUserKey, indEnviron::kMachineKey, store_, guard_,
                 indEnviron::Rect{0, 0, 1920, 1040}),
        events_(clock_),
        main_(Shipped(overlay_), environ_, events_, prompts, kDataDir, "/tmp") {
    environ_.modelType = modelType;
    main_.StartUp();
  }
  indMain& Main() { return main_; }
  cmcScriptedPrompts prompts;

 private:
  static cmcGTex& Shipped(cmcGTex& overlay) {
    overlay.SetFile(kDataDir + "RX93KITD_ENG.OVL");
    return overlay;
  }

  cmcMemorySettingsStore store_;
  cmcMemoryInstanceGuard guard_;
  indEnviron environ_;
  cmcVirtualClock clock_;
  cmcEvMan events_;
  cmcGTex overlay_;
  indMain main_;
};

TEST(InitialImages, EveryDescriptionRegeneratesItsCheckedInFileByteForByte) {
  std::set<std::string> described;
  for (const auto& entry : std::filesystem::directory_iterator(kDataDir + "initial"))
    if (entry.path().extension() == ".txt") described.insert(entry.path().stem().string());
  TempDir dir;
  for (const InitialFile& f : kInitialFiles) {
    SCOPED_TRACE(f.name);
    described.erase(f.name);
    indInitialImageBuilder builder;
    ASSERT_TRUE(builder.Build(Slurp(DescriptionPath(f)))) << builder.ErrorText();
    EXPECT_EQ(builder.ModelType(), f.modelType);
    EXPECT_EQ(builder.FirstUnsavedAddress(), -1);
    const std::string out = dir.Dir() + f.name + ".qcl";
    ASSERT_EQ(builder.WriteCloneFile(out), 0);
    EXPECT_TRUE(Slurp(out) == Slurp(ClonePath(f))) << "rebuild it with the initial-images target";
  }
  EXPECT_TRUE(described.empty()) << "a description without a checked-in file: " << *described.begin();
}

TEST(InitialImages, TheOverlayNamesTheFileOfEachModelType) {
  cmcGTex overlay;
  overlay.SetFile(kDataDir + "RX93KITD_ENG.OVL");
  for (const InitialFile& f : kInitialFiles)
    EXPECT_EQ(overlay.GetLine("GI_App_InitialFile", f.modelType), std::string(f.name) + ".qcl");
  // Model types 4 and 5 behave as LMR, also when their initial file is loaded.
  EXPECT_EQ(overlay.GetLine("GI_App_InitialFile", 4), "RX93LMR.qcl");
  EXPECT_EQ(overlay.GetLine("GI_App_InitialFile", 5), "RX93LMR.qcl");
  EXPECT_EQ(overlay.GetText("GI_Sys_LockoutNewerData"), "1");
}

TEST(InitialImages, PassTheStrictHeaderCheckWithTheirModelTypeFlags) {
  for (const InitialFile& f : kInitialFiles) {
    SCOPED_TRACE(f.name);
    Controller c(f.modelType);
    EXPECT_EQ(c.Main().CheckImageHeader(c.Main().Initial(), true), 0);
    EXPECT_EQ(c.Main().Initial().GetByte(cmcImageMap::kModelTypeFlags), f.flag);
    EXPECT_FALSE(c.Main().CheckNewerData(c.Main().Initial()));
    EXPECT_EQ(Slurp(ClonePath(f)).rfind("36210001\n#Comment=\n#MapRev=1\n0000100000", 0), 0u);
    EXPECT_TRUE(c.prompts.asked.empty());
  }
}

TEST(InitialImages, OpeningAndSavingGivesTheFileBackByteForByte) {
  TempDir dir;
  for (const InitialFile& f : kInitialFiles) {
    SCOPED_TRACE(f.name);
    Controller c(f.modelType);
    ASSERT_FALSE(c.Main().OpenCloneFile(ClonePath(f), false));
    EXPECT_EQ(c.Main().ModelType(), f.modelType);
    const std::string saved = dir.Dir() + "saved.qcl";
    ASSERT_FALSE(c.Main().SaveCloneFile(saved));
    EXPECT_TRUE(Slurp(saved) == Slurp(ClonePath(f)));
    EXPECT_TRUE(c.prompts.asked.empty());
  }
}

// Channels of a new document: the initial image unpacked as the template.
struct TemplateChannel {
  int modelType;
  int channel;
  bool inUse;
  uint32_t rx;
  uint32_t tx;
  bool dup;
  int preset;  // 0: not a preset channel
  int mode;
  int power;
};
constexpr TemplateChannel kTemplateChannels[] = {
    {0, 0, true, 464500000, 464500000, true, 0, 0, 2},
    {0, 2, true, 451025000, 456025000, false, 0, 0, 2},  // through a repeater
    {0, 3, true, 469500000, 469500000, true, 0, 0, 2},
    {0, 4, false, 0, 0, true, 0, 0, 2},
    {0, 15, false, 0, 0, true, 0, 0, 2},
    {1, 0, true, 476425000, 476425000, true, 1, 0, 2},
    {1, 1, false, 0, 0, true, 1, 0, 2},
    {2, 0, true, 460012500, 460012500, true, 0, 0, 2},
    {2, 2, true, 453025000, 458025000, false, 0, 0, 2},
    {2, 15, false, 0, 0, true, 0, 0, 2},
    {3, 0, true, 446103125, 446103125, true, 0, 3, 1},
    {3, 15, true, 446196875, 446196875, true, 0, 3, 1},
};

TEST(InitialImages, TemplateChannelsAreTheShippedChannels) {
  for (const TemplateChannel& t : kTemplateChannels) {
    SCOPED_TRACE("model type " + std::to_string(t.modelType) + ", channel " + std::to_string(t.channel));
    Controller c(t.modelType);
    datCh ch(&c.Main().Initial());
    ch.Load(indMain::ChannelKindOf(t.modelType), t.channel);
    EXPECT_EQ(ch.inUse, t.inUse);
    EXPECT_EQ(ch.freqR, t.rx);
    EXPECT_EQ(ch.freqT, t.tx);
    EXPECT_EQ(ch.dup, t.dup);
    EXPECT_EQ(ch.preset, t.preset != 0);
    if (t.preset != 0) {
      EXPECT_EQ(ch.presetNo, t.preset);
    }
    EXPECT_EQ(ch.chMode, t.mode);
    EXPECT_EQ(ch.rfPower, t.power);
  }
}

TEST(InitialImages, TheSixteenTemplateChannelsAreNarrowToneFreeAndUnnamed) {
  const std::array<uint8_t, 8> blank = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
  for (const InitialFile& f : kInitialFiles) {
    SCOPED_TRACE(f.name);
    Controller c(f.modelType);
    EXPECT_EQ(c.Main().Initial().GetWord(41163), 16) << "bank 0 holds the templates";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(c.Main().Initial().Data() + 41431), 8), "BANK 1  ");
    datCh ch(&c.Main().Initial());
    for (int n = 0; n < 16; ++n) {
      ch.Load(indMain::ChannelKindOf(f.modelType), n);
      EXPECT_EQ(ch.chName, blank) << n;
      EXPECT_TRUE(ch.nameEmpty) << n;
      EXPECT_EQ(ch.width, 1) << n;
      EXPECT_TRUE(ch.tot) << n;
      EXPECT_FALSE(ch.toneR.on || ch.toneT.on) << n;
      EXPECT_TRUE(ch.HasAttr(datCh::kAttrPriorityCleared)) << n;
      EXPECT_TRUE(ch.HasAttr(datCh::kAttrEmergencyCleared)) << n;
    }
  }
}

TEST(InitialImages, ChannelRecordsSitInTheFileAsTheRadioKeepsThem) {
  // Block 2 follows the 512 bytes of block 39 at 768: channel 0's main record is at 1280.
  struct Golden {
    int modelType;
    std::array<uint8_t, 22> record;
  };
  const Golden kGolden[] = {
      // 464.5 MHz both ways, tones off, blank name, width, name empty and duplex flags.
      {0, {0x1B, 0xAF, 0xB5, 0x20, 0x1B, 0xAF, 0xB5, 0x20, 0x80, 0x00, 0x80,
           0x00, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x64, 0x00}},
      // 446.103125 MHz, digital channel mode 3.
      {3, {0x1A, 0x96, 0xFE, 0x55, 0x1A, 0x96, 0xFE, 0x55, 0x80, 0x00, 0x80,
           0x00, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x67, 0x00}},
  };
  for (const Golden& g : kGolden) {
    SCOPED_TRACE(g.modelType);
    Controller c(g.modelType);
    std::array<uint8_t, 22> record{};
    c.Main().Initial().ReadBlock(1280, record.data(), 22);
    EXPECT_EQ(record, g.record);
  }
}

TEST(InitialImages, OpeningTheFileShowsTheBanksByTheirOwnNames) {
  Controller c(0);
  ASSERT_FALSE(c.Main().OpenCloneFile(ClonePath(kInitialFiles[0]), false));
  for (int b = 0; b < 8; ++b)
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(c.Main().Working().Data() + 41431 + 8 * b), 8),
              "BANK " + std::to_string(b + 1) + "  ");
}

struct BadDescription {
  const char* fault;
  const char* text;
  int line;
  const char* message;  // a part of the message
};

const BadDescription kBadDescriptions[] = {
    {"unknown statement", "model-type 0\nfrobnicate 1\n", 2, "unknown statement 'frobnicate'"},
    {"no model type first", "; settings\nbyte 600 = 01\n", 2, "'model-type' must come first"},
    {"model type out of range", "model-type 4\n", 1, "model-type N"},
    {"model type twice", "model-type 0\nmodel-type 1\n", 2, "already given on line 1"},
    {"unclosed text", "model-type 0\ntext 600 \"ABC\n", 2, "no closing quote"},
    {"odd hexadecimal", "model-type 0\nbyte 600 = 012\n", 2, "pairs of hexadecimal digits"},
    {"packed area", "model-type 0\nbyte 1000 = 01\n", 2, "packed area"},
    {"packing header", "model-type 0\nword 530 = 1\n", 2, "packing header word"},
    {"raw channel bytes", "model-type 0\nfill 39040 4 = 00\n", 2, "channel record"},
    {"block of another model type", "model-type 0\nbyte 42637 = 01\n", 2, "no block packed for model type 0"},
    {"outside the image", "model-type 0\nbyte 47254 = 01\n", 2, "outside the image"},
    {"word too large", "model-type 0\nword 41091 = 65536\n", 2, "0-65535"},
    {"unknown list", "model-type 0\nblank-names phone-book\n", 2, "blank-names LIST"},
    {"list of another model type", "model-type 0\nblank-names msk-status\n", 2, "no block packed"},
    {"unknown bank field", "model-type 0\nbank 0 colour red\n", 2, "unknown bank field 'colour'"},
    {"bank out of range", "model-type 0\nbank 8 channels 1\n", 2, "B 0-7"},
    {"unknown channel field", "model-type 0\nchannel 0 colour red\n", 2, "unknown channel field 'colour'"},
    {"frequency too precise", "model-type 0\nchannel 0 rx 464.5000001\n", 2, "'rx' expects megahertz"},
    {"frequency too high", "model-type 0\nchannel 0 rx 800\n", 2, "'rx' expects megahertz"},
    {"DTCS digit not octal", "model-type 0\nchannel 0 tone-rx dtcs:029n\n", 2, "'tone-rx' expects off"},
    {"number out of range", "model-type 0\nchannel 0 power 4\n", 2, "'power' expects a number 0-3, not '4'"},
    {"name too long", "model-type 0\nchannel 0 name \"ABCDEFGHI\"\n", 2, "up to 8 characters"},
    {"field without value", "model-type 0\nchannel 0 rx\n", 2, "'rx' has no value"},
    {"channel twice", "model-type 0\nchannel 3 rx 464.5\nchannel 3 rx 464.6\n", 3, "already described on line 2"},
    {"defaults after a channel", "model-type 0\nchannel 0 rx 464.5\ndefaults tot on\n", 3, "before the first channel"},
    {"frequency in the defaults", "model-type 0\ndefaults rx 464.5\n", 2, "belongs to a channel"},
    {"fewer than 16 channels", "model-type 0\n\nbank 0 channels 8\n", 3, "the banks hold 8 channels"},
    {"channel beyond the banks", "model-type 0\nbank 0 channels 16\nbyte 41179 = 01\nchannel 20 rx 464.5\n", 4,
     "lies beyond the 16 channels"},
    {"flags of another model type", "model-type 1\nbank 0 channels 16\n", 1, "give model type 0"},
    {"extension not shared",
     "model-type 0\nbank 0 channels 16\nbyte 41179 = 01\nchannel 0 rx 464.5\nchannel 1 rx "
     "464.6 power 1\n",
     5, "channel 1 differs from channel 0 in extension byte 0"},
    {"no model type at all", "; nothing\n", 0, "no 'model-type' line"},
};

TEST(InitialImageBuilder, DescriptionErrorsNameTheLineAndTheFault) {
  for (const BadDescription& bad : kBadDescriptions) {
    SCOPED_TRACE(bad.fault);
    indInitialImageBuilder builder;
    EXPECT_FALSE(builder.Build(bad.text));
    EXPECT_EQ(builder.LastError().line, bad.line);
    EXPECT_NE(builder.LastError().message.find(bad.message), std::string::npos) << builder.LastError().message;
  }
}

TEST(InitialImageBuilder, ErrorTextLeadsWithTheLine) {
  indInitialImageBuilder builder;
  EXPECT_FALSE(builder.Build("model-type 0 ; LMR\n\nfrobnicate\n"));
  EXPECT_EQ(builder.ErrorText(), "line 3: unknown statement 'frobnicate'");
}

TEST(InitialImageBuilder, ChannelsNotPresetAreNumberedAsSavingNumbersThem) {
  indInitialImageBuilder builder;
  ASSERT_TRUE(builder.Build(
      "model-type 0\nbank 0 channels 16\nbyte 41179 = 01\nchannel 0 rx 464.5\nchannel 1 rx 464.6 tx-inhibit on\n"
      "channel 2 rx 464.7\n"))
      << builder.ErrorText();
  cmcEeprom image;
  image.Assign(builder.Image());
  datCh ch(&image);
  const int expected[3] = {1, 1, 2};  // transmitting channels and receive-only ones count apart
  for (int n = 0; n < 3; ++n) {
    ch.Load(1, n);
    EXPECT_EQ(ch.presetNo, expected[n]) << n;
  }
}

}  // namespace
