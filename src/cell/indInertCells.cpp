#include "cell/indInertCells.h"

#include "cell/cmcCellIds.h"
#include "cell/indCellHandlers.h"

namespace {

void Inert(indCellRequest&) {}

}  // namespace

void indInertCells::Register(indCellHandlers& t) {
  for (const int label :
       {int{CL_Null}, int{Flex_Language_ChNo}, int{CL_ExtPort_ChSW_Table_MoveCH}, int{CL_Comm_ChAnnounceOnOff},
        int{CL_Adjust_LvRx_Sweep}, int{CL_Adjust_LvTx_Sweep}, int{CL_Adjust_Smeter_Sweep},
        int{CL_Adjust_Auto_LvRx_FL_Sweep}, int{CL_Adjust_Auto_LvRx_FH_Sweep}, int{CL_Adjust_Auto_LvTx_FL_Sweep},
        int{CL_Adjust_Auto_LvTx_FH_Sweep}, static_cast<int>(kNoLabel)})
    t.Set(label, Inert);
  t.SetRange(CL_Mdc_Alias2_Strip, CL_Mdc_Alias5_Text, Inert);
}
