#include "shell/indMainMenus.h"

#include "cell/cmcCellIds.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "shell/indEnviron.h"
#include "shell/indMain.h"
#include "shell/indMenuCommandTable.h"

namespace {

constexpr const char* kNoItemMenu = "GI_PMenu_NoItem";

}  // namespace

indMainMenus::indMainMenus(const Seams& seams)
    : s_(seams),
      commands_(
          {seams.table, seams.main, seams.environ, seams.events, seams.overlay, seams.indexOverlay, seams.sheets}),
      menu_(seams.overlay, "GI_Menu_Main", seams.dispatch, &seams.events),
      full_(seams.overlay, "GI_ToolBar_Main", seams.dispatch, &seams.events),
      limited_(seams.overlay, "GI_ToolBar_Main_Limited", seams.dispatch, &seams.events) {
  // An Edit menu that no sheet has filled shows the "No item" entries; the fill is
  // posted, so it never runs into the refresh that asks for it.
  s_.table.Add(CL_Menu_Edit_Top, {{}, [this](int) {
                                    const int edit = menu_.FindByLabel(CL_Menu_Edit_Top);
                                    if (edit != indMenuModel::kNone && menu_.Find(edit)->children.empty())
                                      s_.events.PostText(kEvFillSubmenu, 0, CL_Menu_Edit_Top, kNoItemMenu);
                                    return dst_MenuState{};
                                  }});
  s_.events.Listen<&indMainMenus::OnEvent>(this);
  menu_.Build();
  full_.Build();
  limited_.Build();
}

indMainMenus::~indMainMenus() {
  s_.events.Unlisten<&indMainMenus::OnEvent>(this);
  s_.table.Remove(CL_Menu_Edit_Top);
}

indToolBarModel* indMainMenus::ShownToolBar() {
  if (!s_.environ.toolbarVisible) return nullptr;
  return s_.main.factoryAdjustMode ? &full_ : &limited_;
}

void indMainMenus::Refresh() {
  menu_.Refresh();
  full_.Refresh();
  limited_.Refresh();
}

void indMainMenus::OnEvent(cmcEvent& event) {
  if (event.code != kEvCommandStates) return;
  s_.events.Send(kEvRefreshMenus);
  s_.events.Send(kEvRefreshToolBars);
}
