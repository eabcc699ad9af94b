#pragma once
// The overlay the number, timer, digit and flag codecs read (the timer's "off" text
// and the user-set enable choice), with the request helpers of ChoiceFixture, a grid
// that records the flag-bits editor, and a popup editor's answer.
#include <string>
#include <vector>

#include "cell/CellTestDoubles.h"
#include "cell/ChoiceFixture.h"

inline const std::vector<std::string> kNumberCodecLines = {
    "#GI_AppInd_TimerOff", "Off", "#",           "#GI_Sheet_Sel_UserSetEnable_Cells", "{(%CT_Null.Flex0[0])}Disable",
    "{(%Flex0[1])}Enable", "#",   "#End_Of_Ovl",
};

class NumberFixture : public ChoiceFixture {
 protected:
  NumberFixture() : ChoiceFixture(kNumberCodecLines) {}

  // A key on the grid that records flag-bits editors.
  void PressOnEditorGrid(int key) {
    Press(key);
    request_.grid = &editors_;
  }
  // A popup editor's answer text.
  void AnswerText(const std::string& text) {
    Fresh();
    request_.inputKind = cmcCellCapsule::kInputPopupAnswer;
    request_.inputText = text;
    request_.grid = &editors_;
  }

  RecordingGrid editors_;
};
