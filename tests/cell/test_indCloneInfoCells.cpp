// The clone information cells read the radio information record and change nothing.
#include <gtest/gtest.h>

#include <cstring>

#include "ProgramCells.h"
#include "cell/cmcCellIds.h"

namespace {

class CloneInfoCells : public ProgramCells {
 protected:
  void Identify() {
    auto& info = p_.main.radioInfo;
    info.fill(' ');
    info[0] = 78;
    std::memcpy(&info[1], "FIRST COMMENT   ", 16);
    std::memcpy(&info[17], "second          ", 16);
    info[33] = 0x12;
    std::memcpy(&info[37], "07E90500012C", 12);
    info[49] = 0xBE;
    info[50] = 0xEF;
    info[53] = 0x02;
    std::memcpy(&info[66], "RX93    ", 8);
  }
};

TEST_F(CloneInfoCells, ShowTheRecordReadOnly) {
  EXPECT_EQ(Draw(CT_Null, CL_CloneInfo_Revision, 0).text, "") << "nothing before an identification";
  Identify();
  const struct {
    int label;
    const char* text;
  } cases[] = {
      {CL_CloneInfo_Comment1, "FIRST COMMENT"},
      {CL_CloneInfo_Comment2, "second"},
      {CL_CloneInfo_Revision, "1.2"},
      {CL_CloneInfo_Esn, "2025-05-0000300"},
      {CL_CloneInfo_CheckSum, "BEEF"},
      {CL_CloneInfo_StunKill, "Off"},
      {CL_CloneInfo_OverVolt, "On"},
      {CL_CloneInfo_Model, "RX93"},
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
