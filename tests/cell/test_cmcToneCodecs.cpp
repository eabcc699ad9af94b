#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/ChannelCodecFixture.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcToneCodecs.h"
#include "image/cmcImageMap.h"

namespace {

constexpr uint8_t kDone = cmcCodecCommon::kResultDone;
constexpr uint8_t kPopup = cmcCodecCommon::kResultPopup;
constexpr uint8_t kEditor = cmcCodecCommon::kResultEditor;
constexpr uint8_t kCentre = cmcChannelCodecContext::kAlignCentre;
constexpr uint8_t kRight = cmcChannelCodecContext::kAlignRight;

// The 50 CTCSS tones, then two user tones, off and DTCS (items 50-53).
const std::vector<std::string> kCtcss = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",   "85.4",   "88.5",  "91.5",  "94.8",
    "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8",  "123.0",  "127.3", "131.8", "136.5",
    "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5",  "167.9",  "171.3", "173.8", "177.3",
    "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",  "203.5",  "206.5", "210.7", "218.1",
    "225.7", "229.1", "233.6", "241.8", "250.3", "254.1", "USER A", "USER B", "OFF",   "DTCS"};

constexpr int kCode023 = 023;
constexpr int kCode025 = 025;
constexpr int kCode026 = 026;
constexpr int kCode047 = 047;
constexpr int kCode754 = 0754;  // no DTCS item

std::vector<std::string> Lines() {
  std::vector<std::string> lines = {"#GI_AppItem_Ctcss"};
  for (size_t i = 0; i < kCtcss.size(); i += 10) {
    std::string line;
    for (size_t j = i; j < std::min(i + 10, kCtcss.size()); ++j) line += (j > i ? "," : "") + kCtcss[j];
    lines.push_back(line);
  }
  lines.insert(lines.end(), {"#", "#GI_AppItem_Dtcs", "023,025,026,031", "032,036,043,047", "#"});
  // The CTCSS choice lists: an entry per tone, off, and DTCS keyed FlexDtcs; the
  // user-tone-free list shows its texts with " Hz" and has no user tones.
  const auto toneList = [&](const std::string& key, bool userTones, const std::string& suffix) {
    lines.push_back("#" + key + "_Cells");
    for (int i = 0; i < 52; ++i) {
      if (!userTones && (i == 50 || i == 51)) continue;
      lines.push_back("{(%" + std::string(i == 0 ? "CT_Null." : "") + "Flex0[" + std::to_string(i) + "])}" +
                      kCtcss[static_cast<size_t>(i)] + suffix);
    }
    lines.push_back("{(%Flex0[52])}OFF");
    lines.push_back("{(%FlexDtcs[53])}DTCS");
    lines.push_back("#");
  };
  toneList("GI_Sheet_Sel_Mch_CTone", true, "");
  toneList("GI_Sheet_Sel_Mch_CTone_ExUser", false, " Hz");
  toneList("GI_Sheet_Sel_SetMode_CTone", false, "");
  lines.insert(lines.end(), {"#GI_Sheet_Sel_Mch_Dtcs_Cells", "{(%CT_Null.Flex1[0])}D023", "{(%Flex1[1])}D025",
                             "{(%Flex1[2])}D026", "{(%Flex1[3])}D031", "{(%Flex1[4])}D032", "{(%Flex1[5])}D036",
                             "{(%Flex1[6])}D043", "{(%Flex1[7])}D047", "#", "#GI_Sheet_Sel_Mch_DtcsInv_Cells",
                             "{(%CT_Null.Flex2[0])}Normal", "{(%Flex2[1])}Inverted", "#", "#End_Of_Ovl"});
  return lines;
}

datChTone Ctcss(int index) {
  datChTone t;
  t.on = true;
  t.ctcssIndex = index;
  return t;
}
datChTone Dtcs(int code, bool inverted = false) {
  datChTone t;
  t.on = true;
  t.dtcs = true;
  t.dtcsCode = code;
  t.inverted = inverted;
  return t;
}
datChTone Off() { return datChTone{}; }

enum class Form { Lmr, Dpmr, Pmr, Pmr446 };

class ToneCodecTest : public ChannelCodecFixture {
 protected:
  ToneCodecTest() : ChannelCodecFixture(Lines()) {}

  bool Run(Form form, bool receive = true) {
    codec_.modelType = form == Form::Dpmr ? 3 : form == Form::Pmr ? 1 : 0;
    switch (form) {
      case Form::Pmr:
        return PmrToneCodec(codec_, request_, channel_, receive);
      case Form::Pmr446:
        return Pmr446ToneCodec(codec_, request_, channel_, receive);
      default:
        return ToneCodec(codec_, request_, channel_, receive);
    }
  }
  void Tones(const datChTone& rx, const datChTone& tx) {
    channel_.toneR = rx;
    channel_.toneT = tx;
  }
};

TEST_F(ToneCodecTest, ShowsTheToneInEachForm) {
  const struct {
    const char* name;
    Form form;
    datChTone tone;
    const char* shown;
  } cases[] = {
      {"CTCSS", Form::Lmr, Ctcss(8), "88.5"},
      {"off", Form::Lmr, Off(), "OFF"},
      {"DTCS with its polarity", Form::Lmr, Dtcs(kCode023), "023N"},
      {"DTCS inverted", Form::Lmr, Dtcs(kCode023, true), "023I"},
      {"a DTCS code of no item", Form::Lmr, Dtcs(kCode754), "754N"},
      {"dPMR446: the user-tone-free list", Form::Dpmr, Ctcss(8), "88.5 Hz"},
      {"dPMR446: DTCS through its list", Form::Dpmr, Dtcs(kCode025, true), "D025I"},
      {"PMR: the DTCS list entry alone", Form::Pmr, Dtcs(kCode025, true), "D025"},
      {"PMR446: DTCS through its list", Form::Pmr446, Dtcs(kCode026), "D026N"},
      {"PMR446: a code of no item falls back to its digits", Form::Pmr446, Dtcs(kCode754), "754N"},
  };
  for (const auto& c : cases) {
    Tones(c.tone, Off());
    Draw();
    EXPECT_FALSE(Run(c.form)) << c.name;
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
    EXPECT_EQ(codec_.textAlign, kRight) << c.name;
    EXPECT_EQ(codec_.result, kDone) << c.name;
  }
}

TEST_F(ToneCodecTest, TypedTones) {
  const struct {
    const char* name;
    Form form;
    const char* typed;
    bool changed;
    datChTone tone;
    const char* shown;
  } cases[] = {
      {"DTCS inverted, lower-case i", Form::Lmr, "023i", true, Dtcs(kCode023, true), "023I"},
      {"DTCS normal", Form::Lmr, " 047N ", true, Dtcs(kCode047), "047N"},
      {"DTCS without polarity is normal", Form::Lmr, "754", true, Dtcs(kCode754), "754N"},
      {"the one item beginning with 88", Form::Lmr, "88", true, Ctcss(8), "88.5"},
      {"two characters, several items: the first", Form::Lmr, "10", true, Ctcss(12), "100.0"},
      {"one character, several items: refused", Form::Lmr, "1", false, Ctcss(3), "74.4"},
      {"one character, one item", Form::Lmr, "o", true, Off(), "OFF"},
      {"no item", Form::Lmr, "55", false, Ctcss(3), "74.4"},
      {"not octal and no item", Form::Lmr, "089", false, Ctcss(3), "74.4"},
      {"empty", Form::Lmr, "  ", false, Ctcss(3), "74.4"},
      {"the off item", Form::Lmr, "off", true, Off(), "OFF"},
      {"a user tone", Form::Lmr, "user b", true, Ctcss(51), "USER B"},
      {"PMR: a listed code", Form::Pmr, "025", true, Dtcs(kCode025), "D025"},
      {"PMR: no polarity", Form::Pmr, "025I", false, Ctcss(3), "74.4"},
      {"PMR: a code of no item", Form::Pmr, "754", false, Ctcss(3), "74.4"},
      {"PMR: item 51 first is refused", Form::Pmr, "USER B", false, Ctcss(3), "74.4"},
      {"PMR: item 50 first is taken", Form::Pmr, "USER", true, Ctcss(50), "USER A"},
      {"dPMR446: a listed code", Form::Dpmr, "026n", true, Dtcs(kCode026), "D026N"},
      {"dPMR446: a code of no item", Form::Dpmr, "754", false, Ctcss(3), "74.4 Hz"},
      {"PMR446: a code of no item", Form::Pmr446, "754i", false, Ctcss(3), "74.4 Hz"},
  };
  for (const auto& c : cases) {
    Tones(Ctcss(3), Ctcss(7));
    Type(c.typed);
    EXPECT_EQ(Run(c.form), c.changed) << c.name;
    EXPECT_EQ(channel_.toneR.on, c.tone.on) << c.name;
    EXPECT_EQ(channel_.toneR.dtcs, c.tone.dtcs) << c.name;
    if (c.tone.dtcs) {
      EXPECT_EQ(channel_.toneR.dtcsCode, c.tone.dtcsCode) << c.name;
      EXPECT_EQ(channel_.toneR.inverted, c.tone.inverted) << c.name;
    } else {
      EXPECT_EQ(channel_.toneR.ctcssIndex, c.tone.ctcssIndex) << c.name;
    }
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
  }
}

TEST_F(ToneCodecTest, SpaceAndBackspace) {
  const struct {
    const char* name;
    Form form;
    datChTone from;
    int key;
    datChTone to;
    const char* shown;
  } cases[] = {
      {"LMR DTCS: space toggles N to I", Form::Lmr, Dtcs(kCode023), ' ', Dtcs(kCode023, true), "023I"},
      {"LMR DTCS: backspace toggles I to N", Form::Lmr, Dtcs(kCode023, true), 8, Dtcs(kCode023), "023N"},
      {"CTCSS: space steps the list", Form::Lmr, Ctcss(8), ' ', Ctcss(9), "91.5"},
      {"CTCSS: backspace steps back", Form::Lmr, Ctcss(8), 8, Ctcss(7), "85.4"},
      {"CTCSS: the step after the last tone is off", Form::Lmr, Ctcss(51), ' ', Off(), "OFF"},
      {"off: space wraps to the first tone", Form::Lmr, Off(), ' ', Ctcss(0), "67.0"},
      {"PMR DTCS: space steps to the next code", Form::Pmr, Dtcs(kCode023), ' ', Dtcs(kCode025), "D025"},
      {"PMR DTCS: backspace wraps to the last code", Form::Pmr, Dtcs(kCode023), 8, Dtcs(kCode047), "D047"},
      {"PMR DTCS of no item: space starts at the first code", Form::Pmr, Dtcs(kCode754), ' ', Dtcs(kCode023), "D023"},
  };
  for (const auto& c : cases) {
    Tones(c.from, Off());
    Press(c.key);
    EXPECT_TRUE(Run(c.form)) << c.name;
    EXPECT_EQ(channel_.toneR.on, c.to.on) << c.name;
    EXPECT_EQ(channel_.toneR.dtcs, c.to.dtcs) << c.name;
    if (c.to.dtcs) {
      EXPECT_EQ(channel_.toneR.dtcsCode, c.to.dtcsCode) << c.name;
      EXPECT_EQ(channel_.toneR.inverted, c.to.inverted) << c.name;
    } else if (c.to.on) {
      EXPECT_EQ(channel_.toneR.ctcssIndex, c.to.ctcssIndex) << c.name;
    }
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
  }
}

TEST_F(ToneCodecTest, EnterOpensTheToneChooserOnTheChoiceValue) {
  const struct {
    const char* name;
    Form form;
    datChTone tone;
    const char* list;
    int value;
  } cases[] = {
      {"CTCSS index", Form::Lmr, Ctcss(8), "GI_Sheet_Sel_Mch_CTone", 8},
      {"off is 52", Form::Lmr, Off(), "GI_Sheet_Sel_Mch_CTone", 52},
      {"DTCS is 53", Form::Lmr, Dtcs(kCode023), "GI_Sheet_Sel_Mch_CTone", 53},
      {"dPMR446 list", Form::Dpmr, Ctcss(8), "GI_Sheet_Sel_Mch_CTone_ExUser", 8},
      {"PMR list", Form::Pmr, Ctcss(8), "GI_Sheet_Sel_Mch_CTone", 8},
      {"PMR446 list", Form::Pmr446, Ctcss(8), "GI_Sheet_Sel_Mch_CTone_ExUser", 8},
  };
  for (const auto& c : cases) {
    Tones(c.tone, Off());
    grid_.opened.clear();
    Press(13);
    EXPECT_FALSE(Run(c.form)) << c.name;
    EXPECT_EQ(codec_.result, kPopup) << c.name;
    ASSERT_EQ(grid_.opened.size(), 1u) << c.name;
    EXPECT_EQ(grid_.opened[0].listKey, c.list) << c.name;
    EXPECT_EQ(grid_.opened[0].keyLabel, Flex0) << c.name;
    EXPECT_EQ(grid_.opened[0].value, c.value) << c.name;
  }
}

TEST_F(ToneCodecTest, ChosenCtcssEntries) {
  Tones(Dtcs(kCode023), Off());
  Answer(Flex0, 5);
  EXPECT_TRUE(Run(Form::Lmr));
  EXPECT_TRUE(channel_.toneR.on);
  EXPECT_FALSE(channel_.toneR.dtcs);
  EXPECT_EQ(channel_.toneR.ctcssIndex, 5);

  Answer(Flex0, 52);
  EXPECT_TRUE(Run(Form::Lmr));
  EXPECT_FALSE(channel_.toneR.on);
  EXPECT_EQ(channel_.toneR.ctcssIndex, 0);
  EXPECT_EQ(request_.outputText, "OFF");
}

TEST_F(ToneCodecTest, TheDtcsChainOfLmr) {
  Tones(Ctcss(3), Off());
  Answer(FlexDtcs, 53);
  EXPECT_FALSE(Run(Form::Lmr));
  EXPECT_EQ(reopened_, "000N");  // the editor on the DTCS text
  EXPECT_TRUE(grid_.opened.empty());

  Answer(Flex1, 2);
  EXPECT_TRUE(Run(Form::Lmr));
  EXPECT_EQ(channel_.toneR.dtcsCode, kCode026);
  EXPECT_TRUE(channel_.toneR.on && channel_.toneR.dtcs);
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_Mch_DtcsInv");
  EXPECT_EQ(grid_.opened[0].keyLabel, Flex2);
  EXPECT_EQ(grid_.opened[0].value, 0);
  EXPECT_EQ(codec_.result, kPopup);

  Answer(Flex2, 1);
  EXPECT_TRUE(Run(Form::Lmr));
  EXPECT_TRUE(channel_.toneR.inverted);
  EXPECT_EQ(request_.outputText, "026I");
}

TEST_F(ToneCodecTest, TheDtcsChainsOfTheOtherForms) {
  Tones(Dtcs(kCode025), Off());
  Answer(FlexDtcs, 53);
  EXPECT_FALSE(Run(Form::Dpmr));
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_Mch_Dtcs");
  EXPECT_EQ(grid_.opened[0].keyLabel, Flex1);
  EXPECT_EQ(grid_.opened[0].value, 1);  // the code's position among the items

  grid_.opened.clear();
  Answer(Flex1, 7);
  EXPECT_TRUE(Run(Form::Pmr));
  EXPECT_EQ(channel_.toneR.dtcsCode, kCode047);
  EXPECT_TRUE(grid_.opened.empty());  // no polarity on PMR

  Answer(FlexDtcs, 53);
  EXPECT_FALSE(Run(Form::Pmr));
  EXPECT_EQ(reopened_, "047");

  Answer(Flex2, 1);
  EXPECT_FALSE(Run(Form::Pmr));
  EXPECT_FALSE(channel_.toneR.inverted);
}

TEST_F(ToneCodecTest, ReceiveChangesCarryAnEqualTransmitTone) {
  Tones(Ctcss(8), Ctcss(8));
  Type("67");
  EXPECT_TRUE(Run(Form::Lmr));
  EXPECT_EQ(channel_.toneT.ctcssIndex, 0);

  Tones(Ctcss(8), Ctcss(9));
  Type("67");
  EXPECT_TRUE(Run(Form::Lmr));
  EXPECT_EQ(channel_.toneT.ctcssIndex, 9);

  Tones(Dtcs(kCode023), Dtcs(kCode023));
  Press(' ');
  EXPECT_TRUE(Run(Form::Lmr));
  EXPECT_TRUE(channel_.toneT.inverted);
}

TEST_F(ToneCodecTest, TransmitToneEqualToTheReceiveToneShowsArrow) {
  const struct {
    const char* name;
    datChTone rx, tx;
    const char* shown;
    uint8_t align;
  } cases[] = {
      {"equal CTCSS", Ctcss(8), Ctcss(8), "<-", kCentre},
      {"equal DTCS", Dtcs(kCode023, true), Dtcs(kCode023, true), "<-", kCentre},
      {"polarity differs", Dtcs(kCode023, true), Dtcs(kCode023), "023N", kRight},
      {"both off", Off(), Off(), "OFF", kRight},
      {"different", Ctcss(8), Ctcss(9), "91.5", kRight},
  };
  for (const auto& c : cases) {
    Tones(c.rx, c.tx);
    Draw();
    Run(Form::Lmr, false);
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
    EXPECT_EQ(codec_.textAlign, c.align) << c.name;
  }
}

TEST_F(ToneCodecTest, DpmrTransmitToneOnlyShows) {
  Tones(Off(), Dtcs(kCode023));
  Press(' ');
  EXPECT_FALSE(Run(Form::Dpmr, false));
  EXPECT_FALSE(channel_.toneT.inverted);
  Press(13);
  EXPECT_FALSE(Run(Form::Dpmr, false));
  EXPECT_TRUE(grid_.opened.empty());
  Type("025");
  EXPECT_FALSE(Run(Form::Dpmr, false));
  EXPECT_EQ(request_.outputText, "D023N");

  // The PMR446 form edits both sides.
  Press(' ');
  EXPECT_TRUE(Run(Form::Pmr446, false));
  EXPECT_TRUE(channel_.toneT.inverted);
}

TEST_F(ToneCodecTest, APrintableKeyOpensTheEditorWithIt) {
  Tones(Ctcss(8), Off());
  Press('1');
  EXPECT_FALSE(Run(Form::Lmr));
  EXPECT_EQ(codec_.result, kEditor);
  EXPECT_EQ(request_.outputText, "1");
  EXPECT_EQ(request_.selStart, 1);

  Press('1', false);
  EXPECT_FALSE(Run(Form::Lmr));
  EXPECT_EQ(codec_.result, kDone);
  EXPECT_EQ(request_.outputText, "88.5");
}

class SetModeToneTest : public ToneCodecTest {
 protected:
  void Store(bool dtcs, int value) {
    image_.SetByte(cmcImageMap::kSetModeFlags, dtcs ? 0x41 : 0x01);
    image_.SetByte(cmcImageMap::kSetModeTone, static_cast<uint8_t>(value));
  }
  bool Dtcs() const { return (image_.GetByte(cmcImageMap::kSetModeFlags) & 0x40) != 0; }
  int Value() const { return image_.GetByte(cmcImageMap::kSetModeTone); }
  bool Run() { return SetModeToneCodec(codec_, request_); }
};

TEST_F(SetModeToneTest, TypedTones) {
  const struct {
    const char* name;
    const char* typed;
    bool changed;
    bool dtcs;
    int value;
    const char* shown;
  } cases[] = {
      {"a listed DTCS code stores its position", "031", true, true, 3, "D031"},
      {"a DTCS code of no item", "754", false, false, 8, "88.5"},
      {"a CTCSS start", "10", true, false, 12, "100.0"},
      {"one character, several items", "1", false, false, 8, "88.5"},
      {"item 51 refused", "user b", false, false, 8, "88.5"},
      {"item 52 refused", "off", false, false, 8, "88.5"},
  };
  for (const auto& c : cases) {
    Store(false, 8);
    Type(c.typed);
    EXPECT_EQ(Run(), c.changed) << c.name;
    EXPECT_EQ(Dtcs(), c.dtcs) << c.name;
    EXPECT_EQ(Value(), c.value) << c.name;
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
    EXPECT_EQ(image_.GetByte(cmcImageMap::kSetModeFlags) & 0x01, 1) << c.name;  // other flags kept
  }
}

TEST_F(SetModeToneTest, KeysAndAnswers) {
  Store(true, 1);
  Press(' ');
  EXPECT_TRUE(Run());
  EXPECT_EQ(Value(), 2);
  EXPECT_EQ(request_.outputText, "D026");

  Store(false, 8);
  Press(' ');
  EXPECT_TRUE(Run());
  EXPECT_FALSE(Dtcs());
  EXPECT_EQ(Value(), 9);

  Answer(FlexDtcs, 53);
  EXPECT_FALSE(Run());
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_Mch_Dtcs");
  EXPECT_EQ(grid_.opened[0].keyLabel, Flex1);

  Answer(Flex1, 5);
  EXPECT_TRUE(Run());
  EXPECT_TRUE(Dtcs());
  EXPECT_EQ(Value(), 5);
  EXPECT_EQ(request_.outputText, "D036");

  Answer(Flex0, 20);
  EXPECT_TRUE(Run());
  EXPECT_FALSE(Dtcs());
  EXPECT_EQ(Value(), 20);
  EXPECT_EQ(request_.outputText, "131.8");
}

}  // namespace
