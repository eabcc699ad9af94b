#include "shell/indFileMenuCommands.h"

#include "cell/cmcCellIds.h"
#include "shell/indMain.h"
#include "shell/indMenuCommandTable.h"

namespace {

dst_MenuCommand Run(std::function<void()> work) {
  return {[work = std::move(work)](cmcCellCapsule&) { work(); }, {}};
}

}  // namespace

void indFileMenuCommands::Register(indMenuCommandTable& table, indMain& main) {
  table.Add(CL_Menu_File_New, Run([&main] { main.NewClone(); }));
  table.Add(CL_Menu_File_Open, Run([&main] { main.OpenFileDialog(); }));
  table.Add(CL_Menu_File_Save, Run([&main] { main.SaveClone(); }));
  table.Add(CL_Menu_File_SaveAs, Run([&main] { main.SaveAsDialog(); }));
}
