#include "shell/indModelMenuCommands.h"

#include "cell/cmcCellIds.h"
#include "shell/indMain.h"
#include "shell/indMenuCommandTable.h"

static_assert(CL_Model_Lmr == 39 && CL_Model_DPmr446 == 42, "the family is the label id minus 39");

void indModelMenuCommands::Register(indMenuCommandTable& table, indMain& main) {
  for (int label = CL_Model_Lmr; label <= CL_Model_DPmr446; ++label) {
    const int type = label - CL_Model_Lmr;
    table.Add(label, {[&main, type](cmcCellCapsule&) { main.ChangeModelType(type, true); },
                      [&main, type](int) {
                        dst_MenuState state;
                        state.ticked = main.ModelType() == type;
                        return state;
                      }});
  }
}
