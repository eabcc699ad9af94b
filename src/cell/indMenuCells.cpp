#include "cell/indMenuCells.h"

#include "cell/cmcCellIds.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indMenuCommands.h"

namespace {

constexpr int kFlagTicked = 0;
constexpr int kFlagHidden = 1;
constexpr int kFlagDisabled = 2;
constexpr int kFlagCaption = 3;

void MenuCommand(indCellRequest& r) {
  indMenuCommands& menu = r.host.MenuCommands();
  if (!menu.Handles(r.label)) {
    // A command this build does not offer is shown with its caption, disabled.
    r.cell.SetFlag(kFlagDisabled, true);
    r.SetText(r.cell.CellText());
    return;
  }
  if (r.Key() == 13) menu.Execute(r.label, r.capsule);
  const dst_MenuState state = menu.StateOf(r.label, r.cell.index);
  r.cell.SetFlag(kFlagTicked, state.ticked);
  r.cell.SetFlag(kFlagHidden, state.hidden);
  r.cell.SetFlag(kFlagDisabled, state.disabled);
  if (state.caption) {
    r.cell.SetFlag(kFlagCaption, true);
    r.cell.SetText(*state.caption);
  }
  r.SetText(r.cell.CellText());
}

void PopupItem(indCellRequest& r) { r.SetText(r.cell.CellText()); }

}  // namespace

void indMenuCells::Register(indCellHandlers& t) {
  t.SetRange(CL_Menu_File_New, CL_Help_Popup, MenuCommand);
  t.SetRange(CL_Menu_Lang, CallSheet, MenuCommand);
  t.Set(CL_Langage_Select, MenuCommand);
  t.Set(CL_PMenu_NoItem, PopupItem);
  t.SetRange(CL_PMenu_Copy, CL_PMenu_Delete, PopupItem);
  t.Set(CL_PMenu_Help, PopupItem);
}
