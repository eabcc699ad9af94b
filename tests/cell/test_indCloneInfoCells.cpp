// The clone information cells show the record of the radio's last identification, as
// a clone information exchange with the demo radio leaves it, and change nothing.
#include <gtest/gtest.h>

#include "ProgramCells.h"
#include "cell/cmcCellIds.h"
#include "clone/cmcDemoRadio.h"

namespace {

class CloneInfoCells : public ProgramCells {
 protected:
  CloneInfoCells() : ProgramCells(true), radio_(p_.ServeDemoRadio(dir_).Radio()) {
    cmcSimRadio::Identity& id = radio_.GetIdentity();
    id.model = "RX93";
    id.firmwareRevision = 0x12;
    id.serial = "07E90500012C";
    id.checksum = 0xBEEF;
    id.flags = 0x02;  // over-voltage detection on, stun and kill off
    id.comment1 = "FIRST COMMENT";
    id.comment2 = "second";
  }
  cmcSimRadio& radio_;
};

TEST_F(CloneInfoCells, ShowTheRadiosRecordAfterTheExchangeReadOnly) {
  EXPECT_EQ(Draw(CT_Null, CL_CloneInfo_Revision, 0).text, "") << "nothing before an identification";
  p_.main.CloneInfo();
  ASSERT_EQ(p_.FinishClone(), 0);
  const struct {
    int label;
    const char* text;
  } cases[] = {
      {CL_CloneInfo_Model, "RX93"},
      {CL_CloneInfo_Revision, "1.2"},
      {CL_CloneInfo_Esn, "2025-05-0000300"},
      {CL_CloneInfo_CheckSum, "BEEF"},
      {CL_CloneInfo_Comment1, "FIRST COMMENT"},
      {CL_CloneInfo_Comment2, "second"},
      {CL_CloneInfo_StunKill, "Off"},
      {CL_CloneInfo_OverVolt, "On"},
      {CL_CloneInfo_Dummy, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Draw(CT_Null, c.label, 0).text, c.text) << c.label;
    const Reply typed = Send(CT_Null, c.label, 0, '5');
    EXPECT_EQ(typed.result, 0) << c.label << ": no editor opens";
    EXPECT_EQ(Send(CT_Null, c.label, 0, 0, 1, "changed").text, c.text) << c.label;
  }
  EXPECT_EQ(Draw(CT_Null, CL_CloneInfo_KeyBoard, 0).text, "70 *Yet*");
}

}  // namespace
