// Typed text through the dispatch, as the sheets' editor and the command line commit
// it, on the LMR initial image: the text a cell shows is always taken back, a choice
// takes the text of any of its entries, and a refusal says why and what the cell takes.
#include <gtest/gtest.h>

#include "ProgramCells.h"
#include "cell/cmcCellIds.h"

namespace {

class TypedText : public ProgramCells {
 protected:
  void SetUp() override {
    UseFamily(0);
    EditChannel(1, [](datCh& c) {
      c.inUse = true;
      c.freqR = 455000000;
      c.freqT = 455000000;
      c.inhT = false;
      c.toneR = c.toneT = {};
    });
  }
};

TEST_F(TypedText, WhatTheCellTakesAndWhyItRefuses) {
  const struct {
    const char* what;
    int category;
    int label;
    int row;
    const char* typed;
    std::string refusal;  // the start of it; empty when the text is taken
    const char* shown;    // afterwards
  } cases[] = {
      {"the transmit frequency's own arrow", CT_Mch, CL_Mch_FreqT, 1, "<-", "", "<-"},
      {"the frequency it already holds", CT_Mch, CL_Mch_FreqT, 1, "455", "", "<-"},
      {"a receive frequency below the band", CT_Mch, CL_Mch_FreqR, 1, "146.52",
       "receive frequencies run from 450.000001 to 520 MHz", "455.000000"},
      {"a frequency off the raster", CT_Mch, CL_Mch_FreqR, 1, "455.0001",
       "frequencies lie on the 2.5 kHz or the 3.125 kHz raster", "455.000000"},
      {"a tone that is off typed as off", CT_Mch, CL_Mch_CTone_R, 1, "off", "", "Off"},
      {"a CTCSS tone", CT_Mch, CL_Mch_CTone_R, 1, "67.0", "", "67.0"},
      {"the transmit tone it follows", CT_Mch, CL_Mch_CTone_T, 1, "67.0", "", "<-"},
      {"no tone at all", CT_Mch, CL_Mch_CTone_R, 1, "xyz", "tones are OFF, a CTCSS tone from 67.0 to 254.1 Hz", "67.0"},
      {"a choice by its entry's text", CT_Mch, CL_Mch_Nar, 1, "narrow", "", "Narrow"},
      {"no entry of the choice", CT_Mch, CL_Mch_Nar, 1, "Medium", "the choices are Narrow, Wide", "Narrow"},
      {"a name the radio can show", CT_Mch, CL_Mch_Text, 1, "HOME.1", "", "HOME.1"},
      {"a character the radio cannot show", CT_Mch, CL_Mch_Text, 1, "B\xC3\xBCro",
       "'\xC3\xBC' is not a character the radio can show", "HOME.1"},
      {"a name longer than the field", CT_Mch, CL_Mch_Text, 1, "ABCDEFGHI", "radio texts here take up to 6", "HOME.1"},
      {"a name on a channel not in use", CT_Mch, CL_Mch_Text, 5, "X",
       "the channel is not in use: type its receive frequency first", ""},
      {"a value shown only", CT_Null, CL_Bank_UsedTotal, 0, "9", "this cell shows a value and takes no typed text",
       "2"},
      {"the value shown, typed back", CT_Null, CL_Bank_UsedTotal, 0, "2", "", "2"},
      {"a timer out of range", CT_Null, CL_Comm_InactiveTimer, 0, "300", "times run from 0 to 255 in steps of 1",
       "255"},
  };
  for (const auto& c : cases) {
    const Reply r = Type(c.category, c.label, c.row, c.typed);
    EXPECT_EQ(r.refusal.substr(0, c.refusal.size()), c.refusal) << c.what << ": " << r.refusal;
    if (c.refusal.empty()) {
      EXPECT_EQ(r.refusal, "") << c.what;
    }
    EXPECT_EQ(Draw(c.category, c.label, c.row).text, c.shown) << c.what;
  }
}

}  // namespace
