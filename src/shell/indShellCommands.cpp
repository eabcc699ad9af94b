#include "shell/indShellCommands.h"

#include <string>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcTextUtil.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "shell/indEnviron.h"
#include "shell/indMain.h"
#include "shell/indSheetHost.h"

namespace {

// The port numbers the Port menu lists one by one; a higher one is chosen in a dialog.
constexpr int kListedPorts = 4;

int IndexOf(const cmcCellCapsule& request) { return request.cell ? request.cell->index : 0; }

dst_MenuState Checked(bool checked) {
  dst_MenuState state;
  state.ticked = checked;
  return state;
}

dst_MenuState Disabled(bool checked = false) {
  dst_MenuState state = Checked(checked);
  state.disabled = true;
  return state;
}

dst_MenuState Caption(std::string caption) {
  dst_MenuState state;
  state.caption = std::move(caption);
  return state;
}

}  // namespace

indShellCommands::indShellCommands(const Seams& seams) : s_(seams) {
  AddFile();
  AddView();
  AddPort();
  AddClone();
  AddUnavailable();
  AddTexts();
}

indShellCommands::~indShellCommands() {
  for (const int label : added_) s_.table.Remove(label);
}

void indShellCommands::Add(int label, dst_MenuCommand command) {
  s_.table.Add(label, std::move(command));
  added_.push_back(label);
}

void indShellCommands::AddFile() {
  Add(CL_Menu_File_Recent, {[this](cmcCellCapsule& request) {
                              const std::string path = s_.environ.recent.DisplayName(IndexOf(request), "");
                              if (!path.empty()) s_.main.OpenCloneFile(path, true);
                            },
                            [this](int index) {
                              const std::string path = s_.environ.recent.DisplayName(index, "");
                              dst_MenuState state =
                                  Caption("&" + std::to_string(index + 1) + " " + cmcDoubleAmpersand(path));
                              state.disabled = path.empty();
                              state.hidden = path.empty() && index != 0;
                              return state;
                            }});
  Add(CL_Menu_File_Exit, {[this](cmcCellCapsule&) {
                            if (hooks_.exit) hooks_.exit();
                          },
                          [this](int) { return hooks_.exit ? dst_MenuState{} : Disabled(); }});
}

void indShellCommands::AddView() {
  Add(CL_Menu_View_MchWin, {[this](cmcCellCapsule&) {
                              int& view = s_.environ.mchView;
                              view = view ? 0 : 1;
                              s_.events.Send(kEvCommandStates);
                              s_.events.Post(kEvMchWinOpenClose, 0, view ? 0 : 1);
                              if (s_.sheets) s_.sheets->SetMchWinRequested(view != 0);
                              if (view && s_.sheets && s_.sheets->BankSheetShown())
                                s_.events.Post(kEvMchPaneShowHide, 0, 1);
                            },
                            [this](int) { return Checked(s_.environ.mchView != 0); }});
  Add(CL_Menu_View_FontSize, {[this](cmcCellCapsule& request) {
                                s_.environ.fontSizePercentage = IndexOf(request);
                                if (hooks_.fontChanged) hooks_.fontChanged();
                                // The sheet host's task reopens the sheet at the new size.
                                if (s_.sheets) s_.sheets->CloseSheet();
                                if (s_.events.Ask(kEvAskMchBank)) {
                                  s_.events.Send(kEvMchWinRecreate);
                                  if (s_.sheets && s_.sheets->BankSheetShown())
                                    s_.events.Post(kEvMchPaneShowHide, 0, 0);
                                }
                              },
                              [this](int index) { return Checked(s_.environ.fontSizePercentage == index); }});
  Add(CL_Menu_View_ToolBar, {[this](cmcCellCapsule&) {
                               s_.environ.toolbarVisible = s_.environ.toolbarVisible ? 0 : 1;
                               if (hooks_.applyToolBars) hooks_.applyToolBars();
                             },
                             [this](int) { return Checked(s_.environ.toolbarVisible != 0); }});
}

void indShellCommands::AddPort() {
  Add(CL_Menu_Port_Com, {[this](cmcCellCapsule& request) {
                           s_.environ.comPort = IndexOf(request);
                           s_.events.Send(kEvCommandStates);
                         },
                         [this](int index) { return Checked(s_.environ.comPort == index); }});
  const int dialogs[][2] = {
      {CL_Menu_Port_Usb, 0}, {CL_Menu_Port_ComList0, 0}, {CL_Menu_Port_ComList1, 1}, {CL_Menu_Port_ComList2, 2}};
  for (const auto& [label, kind] : dialogs) {
    const bool usb = label == CL_Menu_Port_Usb;
    Add(label, {[this, kind](cmcCellCapsule&) {
                  if (hooks_.portDialog) hooks_.portDialog(kind);
                },
                [this, usb](int) {
                  dst_MenuState state = Checked(usb && s_.environ.comPort > kListedPorts);
                  state.disabled = !hooks_.portDialog;
                  return state;
                }});
  }
  Add(CL_Menu_Port_SpeedHigh, {[this](cmcCellCapsule& request) { s_.environ.comSpeedHigh = IndexOf(request); },
                               [this](int index) { return Checked(s_.environ.comSpeedHigh == index); }});
}

void indShellCommands::AddClone() {
  const auto state = [this](int) { return s_.main.CloneMan() ? dst_MenuState{} : Disabled(); };
  Add(CL_Menu_Clone_Read, {[this](cmcCellCapsule&) { s_.main.CloneRead(); }, state});
  Add(CL_Menu_Clone_Write, {[this](cmcCellCapsule&) { s_.main.StartCloneWrite(); }, state});
  Add(CL_Menu_Clone_Info, {[this](cmcCellCapsule&) { s_.main.CloneInfo(); }, state});
  Add(CL_Help_About, {[this](cmcCellCapsule&) { s_.events.Post(kEvShowAbout); }, {}});
}

// Printing, help, the language dialog and the A/D window: shown, not yet offered.
void indShellCommands::AddUnavailable() {
  const auto none = [](cmcCellCapsule&) {};
  for (const int label : {CL_Menu_File_Print_Current, CL_Menu_File_Print_All, CL_Help_Contents, CL_Help_Popup,
                          CL_Menu_Lang, CL_Menu_View_Ad_Update})
    Add(label, {none, [](int) { return Disabled(); }});
  Add(CL_Menu_View_HelpWin, {none, [this](int) { return Disabled(s_.environ.pHelpView != 0); }});
  Add(CL_Menu_View_Ad, {none, [](int) { return Disabled(); }});
  Add(CL_Menu_Ad_Read, {none, [this](int) {
                          dst_MenuState state = Disabled();
                          state.hidden = !s_.main.factoryAdjustMode && !s_.main.extendedMode;
                          return state;
                        }});
}

void indShellCommands::AddTexts() {
  Add(CL_Language_Text,
      {{}, [this](int index) { return Caption(cmcField(s_.indexOverlay.GetLine("GI_Sys_Language", index), 0)); }});
  Add(CL_TopPage_Name, {{}, [this](int) { return Caption(s_.overlay.GetText("GI_Sys_AppTitle")); }});
  Add(CL_AppInfo_Revision, {{}, [this](int) { return Caption("Revision " + s_.environ.ShownRevision()); }});
}
