// The memory channel cells in the program: the duplex flags the frequencies force, the
// transmit frequency following the receive one, the PMR preset chooser and presets,
// the channel mode a typed frequency leaves, representative field cells with their
// record bits, and a walk over every channel label on each model's initial image.
#include <gtest/gtest.h>

#include <set>

#include "ProgramCells.h"
#include "cell/cmcCellIds.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellRequest.h"

namespace {

constexpr int kCentre = 1;
constexpr int kRight = 2;

class ChannelCells : public ProgramCells {
 protected:
  // Channel 1 in use on receive rx and transmit tx.
  void Tune(uint32_t rx, uint32_t tx) {
    EditChannel(1, [&](datCh& c) {
      c.inUse = true;
      c.freqR = rx;
      c.freqT = tx;
      c.inhT = false;
    });
  }
};

TEST_F(ChannelCells, DupIsForcedByTheFrequenciesEvenOnARedraw) {
  const struct {
    uint32_t rx, tx;
    bool before, after;
    const char* text;
    const char* why;
  } cases[] = {
      {455000000, 455000000, false, true, "---", "simplex: the flag is set and stored on the redraw"},
      {530000000, 535000000, true, false, "---", "above 520 MHz: the flag is cleared"},
      {455000000, 460000000, false, false, "Duplex", "a duplex pair: the choice is free"},
  };
  for (const auto& c : cases) {
    Tune(c.rx, c.tx);
    EditChannel(1, [&](datCh& ch) { ch.dup = c.before; });
    const Reply r = Draw(CT_Mch, CL_Mch_Dup, 1);
    EXPECT_EQ(r.text, c.text) << c.why;
    EXPECT_EQ((MainByte(1, 20) >> 2) & 1, c.after ? 1 : 0) << c.why << ": M 20 bit 2";
    if (std::string(c.text) == "---") {
      EXPECT_EQ(r.align, kCentre) << c.why;
    }
  }
}

TEST_F(ChannelCells, DupEnaIsForcedSetWhileTheFrequenciesDecide) {
  Tune(455000000, 455000000);
  EditChannel(1, [](datCh& ch) { ch.dupEna = false; });
  EXPECT_EQ(Draw(CT_Mch, CL_Mch_DupEna, 1).text, "---");
  EXPECT_EQ(ExtByte(1, 13) >> 7, 1) << "X 13 bit 7 stored at once";
  Tune(455000000, 460000000);
  EXPECT_EQ(Draw(CT_Mch, CL_Mch_DupEna, 1).text, "Not allowed");
  Send(CT_Mch, CL_Mch_DupEna, 1, ' ');
  EXPECT_EQ(ExtByte(1, 13) >> 7, 0) << "space steps it off";
}

TEST_F(ChannelCells, TransmitFollowsReceiveWhileTheyAreEqual) {
  const struct {
    uint32_t tx;
    uint32_t txAfter;
    const char* txText;
    int txAlign;
  } cases[] = {
      {455000000, 460000000, "<-", kCentre},
      {465000000, 465000000, "465.000000", kRight},
  };
  for (const auto& c : cases) {
    Tune(455000000, c.tx);
    Type(CT_Mch, CL_Mch_FreqR, 1, "460");
    EXPECT_EQ(Channel(1).freqR, 460000000u);
    EXPECT_EQ(Channel(1).freqT, c.txAfter);
    const Reply t = Draw(CT_Mch, CL_Mch_FreqT, 1);
    EXPECT_EQ(t.text, c.txText);
    EXPECT_EQ(t.align, c.txAlign);
  }
}

TEST_F(ChannelCells, ATypedReceiveFrequencySetsTheChannelMode) {
  for (const int family : {0, 2, 3}) {
    UseFamily(family);
    Tune(455000000, 455000000);
    EditChannel(1, [family](datCh& ch) { ch.chMode = family == 3 ? 0 : 3; });
    Type(CT_Mch, CL_Mch_FreqR, 1, "456.0125");
    EXPECT_EQ(Channel(1).freqR, 456012500u) << family;
    EXPECT_EQ(MainByte(1, 20) & 3, family == 3 ? 3 : 0) << "family " << family;
  }
}

TEST_F(ChannelCells, PmrEnterOnAFreeChannelOpensThePresetChooserOnItsLastSimplexRow) {
  UseFamily(1);
  EditChannel(1, [](datCh& ch) {
    ch.inUse = true;
    ch.freqR = ch.freqT = 470000000;
    ch.preset = false;
  });
  const Reply r = Send(CT_Mch, CL_Mch_FreqR_Pmr, 1, 13);
  EXPECT_EQ(r.result, indCellRequest::kResultPopupOpened);
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_Mch_Freq");
  EXPECT_EQ(grid_.opened[0].value, 80);
}

TEST_F(ChannelCells, AChosenPresetMakesAPresetChannel) {
  UseFamily(1);
  EditChannel(1, [](datCh& ch) {
    ch.inUse = true;
    ch.freqR = ch.freqT = 470000000;
    ch.preset = false;
  });
  Send(CT_Mch, CL_Mch_FreqR_Pmr, 1, 0, 0, {}, Flex0, 2);  // row 3
  const datCh ch = Channel(1);
  EXPECT_EQ(ch.freqR, 476475000u);
  EXPECT_TRUE(ch.preset);
  EXPECT_EQ(ExtByte(1, 5) & 0x7F, 2) << "X 5 holds the preset number - 1";
  EXPECT_EQ(Draw(CT_Mch, CL_Mch_CB, 1).text, "PMR-03");
}

TEST_F(ChannelCells, AReservedPresetStaysOnlyWhenConfirmed) {
  UseFamily(1);
  EditChannel(1, [](datCh& ch) {
    ch.inUse = true;
    ch.freqR = ch.freqT = 470000000;
    ch.preset = false;
  });
  p_.prompts.answers.push_back(cmcPromptAnswer::Cancel);
  Send(CT_Mch, CL_Mch_FreqR_Pmr, 1, 0, 0, {}, FlexLockCh, 60);
  EXPECT_NE(Channel(1).freqR, 476437500u + 20 * 25000u) << "cancelled: the row comes back from the default image";
  EXPECT_FALSE(shell_.PresetConfirmed(61));
  Send(CT_Mch, CL_Mch_FreqR_Pmr, 1, 0, 0, {}, FlexLockCh, 60);
  EXPECT_EQ(Channel(1).freqR, 476437500u + 20 * 25000u) << "confirmed: preset 61 stays";
  EXPECT_TRUE(shell_.PresetConfirmed(61));
  EXPECT_EQ(p_.prompts.asked.size(), 2u);
}

TEST_F(ChannelCells, FieldCellsWorkTheirRecordBits) {
  const struct {
    int family, label, key;
    const char* typed;
    int region, byte, bitMask, expected;
    const char* text;
  } cases[] = {
      {0, CL_Mch_Inh, ' ', nullptr, 0, 0, 0x80, 0x80, "Inhibited"},
      {0, CL_Mch_TxInh, ' ', nullptr, 0, 4, 0x80, 0x80, "Inhibited"},
      {0, CL_Mch_RfPo, 8, nullptr, 1, 0, 0x03, 0x03, "High"},
      {0, CL_Mch_Tot, ' ', nullptr, 1, 0, 0x10, 0x10, "On"},
      {0, CL_Mch_Lockout, 8, nullptr, 1, 15, 0x10, 0x10, "Tone + carrier"},
      {0, CL_Mch_Scrm_Code, 0, "12", 1, 6, 0xFF, 12, "12"},
      {0, CL_Mch_Scan_List, 0, "16", 0, 21, 0xFF, 16, "16"},
      {0, CL_Mch_RogerBeep, ' ', nullptr, 1, 15, 0x40, 0x40, "On"},
      {1, CL_Mch_Call_Pmr, 8, nullptr, 1, 2, 0x1C, 0x1C, "Any"},
      {1, CL_Mch_Id_C_Pmr, 0, "99", 1, 10, 0x7F, 99, "99"},
      {1, CL_Mch_Form_Pmr, 0, "C", 1, 7, 0x0F, 0x0C, "C"},
  };
  for (const auto& c : cases) {
    UseFamily(c.family);
    EditChannel(1, [](datCh& ch) {
      ch.inUse = true;
      ch.freqR = ch.freqT = 455000000;
      ch.inhR = ch.inhT = ch.tot = false;
      ch.rfPower = ch.lockout = ch.callPmr = 0;
      ch.raw[1][15] &= 0x0F;
    });
    const Reply r = c.typed ? Type(CT_Mch, c.label, 1, c.typed) : Send(CT_Mch, c.label, 1, c.key);
    const uint8_t b = c.region == 0 ? MainByte(1, c.byte) : ExtByte(1, c.byte);
    EXPECT_EQ(b & c.bitMask, c.expected) << c.label;
    EXPECT_EQ(Draw(CT_Mch, c.label, 1).text, c.text) << c.label;
    EXPECT_TRUE(r.mask & indCellRequest::kMaskRecord) << c.label;
  }
}

TEST_F(ChannelCells, ToneFlagsCopyTheReceiveToneWhenBothTurnOn) {
  UseFamily(1);
  EditChannel(1, [](datCh& ch) {
    ch.inUse = true;
    ch.freqR = ch.freqT = 470000000;
    ch.preset = false;
    ch.ctoneSel = false;
    ch.ctoneEdit = true;
    ch.toneR = {true, false, false, 8, 0};
    ch.toneT = {};
  });
  Send(CT_Mch, CL_Mch_CTone_Sel, 1, ' ');
  EXPECT_TRUE(Channel(1).ctoneSel);
  EXPECT_EQ(Channel(1).toneT, Channel(1).toneR);
  EXPECT_EQ(MainByte(1, 11), 8) << "the transmit tone word takes CTCSS item 8";
}

TEST_F(ChannelCells, MskCellsOfAnAnalogueQarnChannelAreDashes) {
  UseFamily(2);
  EditChannel(1, [](datCh& ch) {
    ch.inUse = true;
    ch.freqR = ch.freqT = 455000000;
    ch.mskSig = false;
  });
  for (const int label : {CL_Mch_Msk_Rpt, CL_Mch_Msk_Stn, CL_Mch_Msk_RxCNo}) {
    const Reply r = Send(CT_Mch, label, 1, '5');
    EXPECT_EQ(r.text, "----") << label;
    EXPECT_EQ(r.align, kCentre) << label;
  }
  Send(CT_Mch, CL_Mch_Msk_Sig, 1, ' ');
  EXPECT_EQ(ExtByte(1, 3) & 0x08, 0x08) << "X 3 bit 3";
  Type(CT_Mch, CL_Mch_Msk_RxCNo, 1, "");
  Send(CT_Mch, CL_Mch_Msk_RxCNo, 1, '1');
  EXPECT_EQ(ExtByte(1, 11) & 0x40, 0x40) << "digit 1 is X 11 bit 6";
  Type(CT_Mch, CL_Mch_Msk_Rpt, 1, "45");
  EXPECT_EQ(ExtByte(1, 8) & 0x7F, 45);
  EXPECT_EQ(Draw(CT_Mch, CL_Mch_Msk_Rpt, 1).text, "45");
}

TEST_F(ChannelCells, AnalogueReceiveCodesOfAnMskQarnChannelAreDashes) {
  UseFamily(2);
  EditChannel(1, [](datCh& ch) {
    ch.inUse = true;
    ch.freqR = ch.freqT = 455000000;
    ch.mskSig = true;
    ch.rxCode = 0x60;  // MSK receive digits 1 and 2, outside the analogue code list
  });
  for (const int label : {CL_Mch_RxCNo_Pmr, CL_Mch_RxCNo2}) {
    const Reply r = Send(CT_Mch, label, 1, '3');
    EXPECT_EQ(r.text, "----") << label;
    EXPECT_EQ(r.align, kCentre) << label;
  }
  EXPECT_EQ(ExtByte(1, 11), 0x60) << "the digits stay";
  EXPECT_EQ(Draw(CT_Mch, CL_Mch_Msk_RxCNo, 1).text.substr(0, 2), "12");
}

// Saving sets the channel mute from the receive code selection the channel leaves with,
// so the cell shows that state whatever bit the image holds, refuses every key and
// commit, and its marks and the bank's check read the same state.
TEST_F(ChannelCells, ChannelMuteShowsWhatSavingGivesTheRadioAndTakesNoKeys) {
  constexpr uint8_t kMarks = cmcCellCapsule::kWarningMark | cmcCellCapsule::kErrorMark;
  const struct {
    int family, label, rxCode;
    bool msk, stored;
    const char* text;
    const char* why;
  } cases[] = {
      {0, CL_Mch_CH_Mute, 0, false, true, "Off", "LMR, no 2-tone code: the stored mute is dropped"},
      {0, CL_Mch_CH_Mute, 5, false, false, "On", "LMR, a receive code mutes"},
      {1, CL_Mch_CH_Mute_Pmr, 3, false, false, "On", "PMR, a receive code mutes"},
      {1, CL_Mch_CH_Mute_Pmr, 0, false, true, "Off", "PMR, no receive code"},
      {2, CL_Mch_CH_Mute, 0, false, true, "Off", "QarnPmr analogue channel, no receive code"},
      {2, CL_Mch_CH_Mute, 0, true, false, "On", "QarnPmr MSK channel: saving gives it a receive code"},
      {2, CL_Mch_CH_Mute_Pmr, 0, true, false, "On", "the same under the PMR label"},
      {3, CL_Mch_CH_Mute, 0, false, true, "Off", "dPMR446, no receive code"},
  };
  for (const auto& c : cases) {
    UseFamily(c.family);
    EditChannel(1, [&](datCh& ch) {
      ch.inUse = true;
      ch.freqR = ch.freqT = 455000000;
      ch.rxCode = c.rxCode;
      ch.mskSig = c.msk;
      ch.chMute = c.stored;
      ch.selPmr = true;  // the digital channel's other checked settings suit it
      ch.callPmr = ch.pttPmr = 0;
    });
    const Reply shown = Draw(CT_Mch, c.label, 1);
    EXPECT_EQ(shown.text, c.text) << c.why;
    EXPECT_EQ(shown.state & kMarks, 0) << c.why;
    if (c.family == 2) {
      EXPECT_EQ(Draw(CT_Null, CL_Check_Mch, 0).state & cmcCellCapsule::kErrorMark, 0) << c.why << ": the check";
    }

    cmcEeprom before;
    before.Assign(Image());
    const int reports = shell_.RestrictedReports();
    Send(CT_Mch, c.label, 1, ' ');
    Send(CT_Mch, c.label, 1, 8);
    Send(CT_Mch, c.label, 1, 13);
    Send(CT_Mch, c.label, 1, '1');
    // Typing what the cell shows changes nothing; typing the other value is refused.
    for (const std::string typed : {"On", "Off"})
      EXPECT_EQ(Type(CT_Mch, c.label, 1, typed).refusal.empty(), typed == c.text) << c.why << ": typed " << typed;
    EXPECT_TRUE(Image().Equals(before)) << c.why;
    EXPECT_EQ(shell_.RestrictedReports(), reports + 4) << c.why;
    EXPECT_TRUE(grid_.opened.empty()) << c.why << ": no chooser";

    cmcEeprom saved;
    saved.Assign(Image());
    p_.main.PrepareImage(saved, indMain::kPrepareSave);
    datCh radio(&saved);
    radio.Load(Kind(), 1);
    EXPECT_EQ(radio.chMute ? "On" : "Off", std::string(c.text)) << c.why << ": what saving gives the radio";
  }
}

// Every channel label, on each model's initial image, with key 0 and then committing
// the text it shows: no "*Yet*" but for the labels without a handler, and no change.
TEST_F(ChannelCells, EveryChannelLabelDrawsAndItsTextCommitsUnchanged) {
  const std::set<int> noHandler = {CL_Mch_Msk_Log, CL_Mch_Dig_ComID, CL_Mch_Dig_CC_R, CL_Mch_Dig_CC_T};
  for (int family = 0; family <= 3; ++family) {
    UseFamily(family);
    for (int label = CL_Mch_No; label <= CL_Mch_Dig_CC_T; ++label) {
      const bool pmr446 = label >= CL_Mch_Atr_Pmr446 && label <= CL_Mch_Lockout_Pmr446;
      const int category = pmr446 ? CT_Mch_Pmr446 : CT_Mch;
      for (const int row : {0, 1, 5}) {
        // Draw twice: the duplex flags settle on the first redraw.
        Draw(category, label, row);
        const Reply shown = Draw(category, label, row);
        // Rows not in use skip the label switch and draw nothing.
        const bool yet = shown.text.find("*Yet*") != std::string::npos;
        EXPECT_TRUE(noHandler.contains(label) ? yet || shown.text.empty() : !yet)
            << "family " << family << " label " << label;
        cmcEeprom before;
        before.Assign(Image());
        Type(category, label, row, shown.text);
        EXPECT_TRUE(Image().Equals(before))
            << "family " << family << " label " << label << " row " << row << " text \"" << shown.text << "\"";
      }
    }
  }
}

}  // namespace
