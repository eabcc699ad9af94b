#include "shell/indFileMenuCommands.h"

#include "cell/cmcCellIds.h"
#include "shell/indEnviron.h"
#include "shell/indMain.h"
#include "shell/indMenuCommandTable.h"

namespace {

dst_MenuCommand Toggle(int& setting) {
  return {[&setting](cmcCellCapsule&) { setting = setting ? 0 : 1; },
          [&setting] {
            dst_MenuState state;
            state.ticked = setting != 0;
            return state;
          }};
}

dst_MenuCommand Run(std::function<void()> work) {
  return {[work = std::move(work)](cmcCellCapsule&) { work(); }, {}};
}

}  // namespace

void indFileMenuCommands::Register(indMenuCommandTable& table, indMain& main, indEnviron& environ) {
  table.Add(CL_Menu_File_New, Run([&main] { main.NewClone(); }));
  table.Add(CL_Menu_File_Open, Run([&main] { main.OpenFileDialog(); }));
  table.Add(CL_Menu_File_Save, Run([&main] { main.SaveClone(); }));
  table.Add(CL_Menu_File_SaveAs, Run([&main] { main.SaveAsDialog(); }));
  table.Add(CL_Menu_Port_SpeedHigh, Toggle(environ.comSpeedHigh));
  table.Add(CL_Menu_View_ToolBar, Toggle(environ.toolbarVisible));
}
