// The main menu, the tool bars and the shell's commands without windows: outline
// sections made into menus and tool bars, the Edit menu's fill, and the command states.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/cmcCellIds.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "shell/indMainMenus.h"
#include "shell/indMenuModel.h"
#include "shell/indToolBarModel.h"
#include "support/TestProgram.h"

namespace {

using Lines = std::vector<std::string>;

// An overlay holding one outline section "N".
struct Section {
  explicit Section(const Lines& body) {
    lines = {"#N_BasicCell", "{(%CT_Null.CL_Null)}", "#N_Body"};
    lines.insert(lines.end(), body.begin(), body.end());
    lines.insert(lines.end(), {"#", "#End_Of_Ovl"});
    store.SetLines(lines);
  }
  Lines lines;
  cmcGTex store;
};

// Every item below id, depth first, as its depth in blanks followed by its caption.
void Shape(const indMenuModel& menu, int id, int depth, Lines& out) {
  for (const int child : menu.Find(id)->children) {
    out.push_back(std::string(static_cast<size_t>(depth), ' ') + menu.Find(child)->caption);
    Shape(menu, child, depth + 1, out);
  }
}
Lines Shape(const indMenuModel& menu) {
  Lines out;
  Shape(menu, indMenuModel::kRoot, 0, out);
  return out;
}

// The item bound to the label with that index.
const indMenuModel::Item* ItemOf(const indMenuModel& menu, int label, int index = 0) {
  std::vector<int> stack{indMenuModel::kRoot};
  while (!stack.empty()) {
    const indMenuModel::Item* item = menu.Find(stack.back());
    stack.pop_back();
    if (item->id != indMenuModel::kRoot && item->cell.label == static_cast<uint32_t>(label) &&
        item->cell.index == index)
      return item;
    stack.insert(stack.end(), item->children.begin(), item->children.end());
  }
  ADD_FAILURE() << "no item for label " << label << "[" << index << "]";
  static const indMenuModel::Item none;
  return &none;
}

class MenuModels : public ::testing::Test {
 protected:
  ProgramDir dir_;
  Program p_{dir_};
};

TEST_F(MenuModels, IndentationMakesSubmenus) {
  struct Case {
    const char* name;
    Lines body;
    Lines shape;
  };
  const Case cases[] = {
      {"a deeper second line makes a submenu of the first item", {"+File", " +New", "+View"}, {"File", " New", "View"}},
      {"a line at the first line's depth continues the outer menu after a submenu",
       {"+File", " +Font", "  +100 %", "  +125 %", " +Tool bar", "+Help"},
       {"File", " Font", "  100 %", "  125 %", " Tool bar", "Help"}},
      {"a line less indented than the first ends the menu",
       {" +File", "  +New", " +View", "+Lost"},
       {"File", " New", "View"}},
  };
  for (const auto& c : cases) {
    Section s(c.body);
    indMenuModel menu(s.store, "N", p_.dispatch, nullptr);
    menu.Build();
    EXPECT_EQ(Shape(menu), c.shape) << c.name;
  }
}

TEST_F(MenuModels, ItemsCarryCaptionShortcutAndIcon) {
  Section s(
      {"+&File", " +&New\t{(%CL_Menu_File_New:Ctrl+N)(ImageIndex=0)}", " +-", " +Sheet\t{(%CallSheet:GI_Sheet_X)}"});
  indMenuModel menu(s.store, "N", p_.dispatch, nullptr);
  menu.Build();
  const indMenuModel::Item* fileNew = ItemOf(menu, CL_Menu_File_New);
  EXPECT_EQ(fileNew->caption, "&New");
  EXPECT_EQ(fileNew->shortcut, "Ctrl+N");
  EXPECT_EQ(fileNew->icon, 0);
  EXPECT_EQ(fileNew->parent, menu.Root().children[0]);
  EXPECT_TRUE(menu.Find(menu.Find(fileNew->parent)->children[1])->Separator());
  EXPECT_EQ(ItemOf(menu, CallSheet)->shortcut, "") << "a sheet name is no key";
}

TEST(MenuShortcuts, OnlyKeysBecomeShortcuts) {
  const struct {
    const char* argument;
    bool key;
  } cases[] = {{"Ctrl+N", true},  {"Alt+F4", true},       {"F5", true},       {"Ctrl+Del", true}, {"Ins", true},
               {"Ctrl+Up", true}, {"Shift+Ctrl+S", true}, {"Enter", true},    {"", false},        {"F13", false},
               {"Ctrl+", false},  {"GI_Sheet_X", false},  {"Hyper+N", false}, {"n", false}};
  for (const auto& c : cases) EXPECT_EQ(indMenuModel::ShortcutOf(c.argument), c.key ? c.argument : "") << c.argument;
}

TEST_F(MenuModels, ToolBarGapsAndRows) {
  // A button, "-", a button, "/", a button: the first two buttons with an 8-pixel gap
  // in the first row, the third alone in a second row.
  Section s({"{(%CL_Menu_File_New)(ImageIndex=0)}New (Ctrl+N)", "{(%CL_Null)}-",
             "{(%CL_Menu_File_Open)(ImageIndex=1)}Open", "{(%CL_Null)}/", "{(%CL_Menu_File_Save)(ImageIndex=2)}Save"});
  indToolBarModel bar(s.store, "N", p_.dispatch, nullptr);
  bar.Build();
  using Kind = indToolBarModel::Entry::Kind;
  const struct {
    Kind kind;
    int row;
    int width;
    int icon;
    const char* hint;
  } expected[] = {{Kind::kButton, 0, 0, 0, "New (Ctrl+N)"},
                  {Kind::kGap, 0, 8, -1, ""},
                  {Kind::kButton, 0, 0, 1, "Open"},
                  {Kind::kRowBreak, 0, 1, -1, ""},
                  {Kind::kButton, 1, 0, 2, "Save"}};
  ASSERT_EQ(bar.Entries().size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const auto& e = bar.Entries()[i];
    EXPECT_EQ(e.kind, expected[i].kind) << i;
    EXPECT_EQ(e.row, expected[i].row) << i;
    EXPECT_EQ(e.Width(), expected[i].width) << i;
    EXPECT_EQ(e.icon, expected[i].icon) << i;
    EXPECT_EQ(e.hint, expected[i].hint) << i;
  }
  EXPECT_EQ(bar.RowCount(), 2);
  EXPECT_FALSE(bar.Wraps()) << "a row break turns wrapping off";
}

class MainMenus : public ::testing::Test {
 protected:
  indMainMenus::Seams Seams(Program& p) {
    return {p.mainOverlay, p.dispatch, p.events, p.cellHost.Menu(), p.main, p.environ, p.program.IndexOverlay()};
  }
  // Lets the event manager deliver what was posted.
  void Settle() { p_.clock.Advance(30); }
  Lines EditItems() { return menus_.Menu().Captions(menus_.Menu().FindByLabel(CL_Menu_Edit_Top)); }

  ProgramDir dir_;
  Program p_{dir_};
  indMainMenus menus_{Seams(p_)};
};

TEST_F(MainMenus, ShippedSectionsBuild) {
  const indMenuModel& menu = menus_.Menu();
  EXPECT_EQ(menu.Captions(indMenuModel::kRoot),
            (Lines{"&File", "&Edit", "&View", "&Port", "&Clone", "&Model", "&Language", "&Help"}));
  EXPECT_EQ(ItemOf(menu, CL_Menu_File_Exit)->shortcut, "Alt+F4");
  EXPECT_EQ(menus_.LimitedToolBar().RowCount(), 1);
  EXPECT_TRUE(menus_.LimitedToolBar().Wraps());
  EXPECT_GT(menus_.FullToolBar().Entries().size(), menus_.LimitedToolBar().Entries().size());
}

TEST_F(MainMenus, TheEditMenuNeverAccumulatesCopies) {
  const Lines noItem{"No commands for this page"};
  // Refreshes before the posted fill arrives each ask for it once more.
  for (int i = 0; i < 3; ++i) menus_.Refresh();
  Settle();
  EXPECT_EQ(EditItems(), noItem);
  menus_.Refresh();
  Settle();
  EXPECT_EQ(EditItems(), noItem) << "refreshing a filled Edit menu asks for nothing";

  // A sheet's popup menu replaces the entries; a fill for no sheet arriving after it
  // does not take its place.
  const intptr_t sheet = 0x5EE7;
  p_.events.PostText(kEvFillSubmenu, sheet, CL_Menu_Edit_Top, "GI_PMenu_Edit");
  p_.events.PostText(kEvFillSubmenu, 0, CL_Menu_Edit_Top, "GI_PMenu_NoItem");
  Settle();
  const Lines editMenu = EditItems();
  ASSERT_EQ(editMenu.size(), 13u);
  EXPECT_EQ(editMenu[0], "&Edit...");
  p_.events.PostText(kEvFillSubmenu, sheet, CL_Menu_Edit_Top, "GI_PMenu_Edit");
  Settle();
  EXPECT_EQ(EditItems(), editMenu) << "the same sheet's menu again";

  // Another sheet going does not take this one's entries; this one's going does, and
  // the "No item" entries come back, once.
  p_.events.Send(kEvClearSubmenu, 0x0BAD, CL_Menu_Edit_Top);
  EXPECT_EQ(EditItems(), editMenu);
  p_.events.Send(kEvClearSubmenu, sheet, CL_Menu_Edit_Top);
  EXPECT_EQ(EditItems(), Lines{});
  menus_.Refresh();
  menus_.Refresh();
  Settle();
  EXPECT_EQ(EditItems(), noItem);
}

TEST_F(MainMenus, ASheetsItemsRunOnlyOnALiveSheet) {
  p_.events.PostText(kEvFillSubmenu, 0x5EE7, CL_Menu_Edit_Top, "GI_PMenu_Edit");
  Settle();
  const indMenuModel::Item* copy = ItemOf(menus_.Menu(), CL_PMenu_Copy);
  EXPECT_EQ(copy->shortcut, "Ctrl+C");
  // No sheet answers for that owner: the click is dropped without touching it.
  menus_.Menu().Click(copy->id);
  EXPECT_EQ(p_.main.Clipboard().Count(), 0);
}

// Each mode and model type: what is ticked, hidden and disabled, and the tool bar shown.
TEST_F(MainMenus, CommandStatesFollowModesAndModelType) {
  struct Case {
    int modelType;
    bool factory;
    bool extended;
    bool toolbar;
  };
  const Case cases[] = {{0, false, false, true},
                        {1, false, false, true},
                        {2, true, false, true},
                        {3, false, true, true},
                        {1, true, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE("model " + std::to_string(c.modelType) + (c.factory ? " factory" : "") +
                 (c.extended ? " extended" : "") + (c.toolbar ? "" : " no tool bar"));
    p_.main.ChangeModelType(c.modelType, false);
    p_.main.factoryAdjustMode = c.factory;
    p_.main.extendedMode = c.extended;
    p_.environ.toolbarVisible = c.toolbar;
    menus_.Refresh();
    const indMenuModel& menu = menus_.Menu();
    for (int label = CL_Model_Lmr; label <= CL_Model_DPmr446; ++label)
      EXPECT_EQ(ItemOf(menu, label)->checked, label - CL_Model_Lmr == c.modelType) << label;
    EXPECT_EQ(ItemOf(menu, CL_Menu_Ad_Read)->visible, c.factory || c.extended);
    EXPECT_EQ(ItemOf(menu, CL_Menu_View_ToolBar)->checked, c.toolbar);
    const indToolBarModel* shown = menus_.ShownToolBar();
    EXPECT_EQ(shown, !c.toolbar ? nullptr : c.factory ? &menus_.FullToolBar() : &menus_.LimitedToolBar());

    // Printing, help, the language dialog, the A/D window: shown and disabled; the
    // clone commands want a clone manager, which this program has not.
    for (const int label : {CL_Menu_File_Print_Current, CL_Menu_File_Print_All, CL_Help_Contents, CL_Help_Popup,
                            CL_Menu_View_HelpWin, CL_Menu_Lang, CL_Menu_View_Ad, CL_Menu_View_Ad_Update,
                            CL_Menu_Ad_Read, CL_Menu_Clone_Read, CL_Menu_Clone_Write, CL_Menu_Clone_Info})
      EXPECT_FALSE(ItemOf(menu, label)->enabled) << label;
    for (const int label : {CL_Menu_File_New, CL_Menu_File_Open, CL_Menu_File_Save, CL_Menu_File_SaveAs,
                            CL_Menu_View_MchWin, CL_Menu_View_ToolBar, CL_Help_About, CL_Model_Lmr})
      EXPECT_TRUE(ItemOf(menu, label)->enabled) << label;
  }
}

TEST_F(MainMenus, CloneCommandsAreOfferedWithACloneManager) {
  Program withRadio{dir_, true};
  indMainMenus menus{Seams(withRadio)};
  menus.Refresh();
  for (const int label : {CL_Menu_Clone_Read, CL_Menu_Clone_Write, CL_Menu_Clone_Info})
    EXPECT_TRUE(ItemOf(menus.Menu(), label)->enabled) << label;
}

TEST_F(MainMenus, PortItemsTickTheChosenPort) {
  const struct {
    int comPort;
    int ticked;  // the COM item ticked; 0 for none
    bool usb;
  } cases[] = {{7, 0, true}, {3, 3, false}, {1, 1, false}, {5, 0, true}};
  for (const auto& c : cases) {
    p_.environ.comPort = c.comPort;
    menus_.Refresh();
    for (int port = 1; port <= 4; ++port)
      EXPECT_EQ(ItemOf(menus_.Menu(), CL_Menu_Port_Com, port)->checked, port == c.ticked) << c.comPort;
    EXPECT_EQ(ItemOf(menus_.Menu(), CL_Menu_Port_Usb)->checked, c.usb) << c.comPort;
  }
  // Without the window's port dialog the dialog items are not offered.
  EXPECT_FALSE(ItemOf(menus_.Menu(), CL_Menu_Port_ComList2)->enabled);
  std::vector<int> kinds;
  menus_.Commands().SetHooks({.portDialog = [&](int kind) { kinds.push_back(kind); }});
  menus_.Refresh();
  EXPECT_TRUE(ItemOf(menus_.Menu(), CL_Menu_Port_ComList2)->enabled);
  for (const int label : {CL_Menu_Port_Usb, CL_Menu_Port_ComList0, CL_Menu_Port_ComList1, CL_Menu_Port_ComList2})
    menus_.Menu().Click(ItemOf(menus_.Menu(), label)->id);
  EXPECT_EQ(kinds, (std::vector<int>{0, 0, 1, 2}));

  // A COM item sets the port; the speed items set the speed and tick the one chosen.
  menus_.Menu().Click(ItemOf(menus_.Menu(), CL_Menu_Port_Com, 2)->id);
  EXPECT_EQ(p_.environ.comPort, 2);
  EXPECT_TRUE(ItemOf(menus_.Menu(), CL_Menu_Port_Com, 2)->checked) << "a click refreshes the menu";
  for (const int speed : {0, 1, 1}) {
    menus_.Menu().Click(ItemOf(menus_.Menu(), CL_Menu_Port_SpeedHigh, speed)->id);
    EXPECT_EQ(p_.environ.comSpeedHigh, speed);
    EXPECT_EQ(ItemOf(menus_.Menu(), CL_Menu_Port_SpeedHigh, 0)->checked, speed == 0);
    EXPECT_EQ(ItemOf(menus_.Menu(), CL_Menu_Port_SpeedHigh, 1)->checked, speed == 1);
  }
}

TEST_F(MainMenus, RecentFileItemsShowTheirPaths) {
  p_.environ.recent.Clear();
  menus_.Refresh();
  const indMenuModel& menu = menus_.Menu();
  EXPECT_TRUE(ItemOf(menu, CL_Menu_File_Recent, 0)->visible) << "the first entry shows, empty";
  EXPECT_FALSE(ItemOf(menu, CL_Menu_File_Recent, 0)->enabled);
  EXPECT_FALSE(ItemOf(menu, CL_Menu_File_Recent, 1)->visible);

  p_.environ.recent.AddFront("/data/R&D/b.qcl");
  p_.environ.recent.AddFront("/data/a.qcl");
  menus_.Refresh();
  EXPECT_EQ(ItemOf(menu, CL_Menu_File_Recent, 0)->caption, "&1 /data/a.qcl");
  EXPECT_EQ(ItemOf(menu, CL_Menu_File_Recent, 1)->caption, "&2 /data/R&&D/b.qcl") << "an '&' shown, no accelerator";
  EXPECT_TRUE(ItemOf(menu, CL_Menu_File_Recent, 1)->enabled);
  EXPECT_FALSE(ItemOf(menu, CL_Menu_File_Recent, 2)->visible);
}

TEST_F(MainMenus, ViewCommands) {
  bool applied = false;
  menus_.Commands().SetHooks({.applyToolBars = [&] { applied = true; }});
  menus_.Menu().Click(ItemOf(menus_.Menu(), CL_Menu_View_ToolBar)->id);
  EXPECT_TRUE(applied);
  EXPECT_EQ(menus_.ShownToolBar(), nullptr);
  EXPECT_FALSE(ItemOf(menus_.Menu(), CL_Menu_View_ToolBar)->checked);

  menus_.Menu().Click(ItemOf(menus_.Menu(), CL_Menu_View_FontSize, 150)->id);
  EXPECT_EQ(p_.environ.fontSizePercentage, 150);
  EXPECT_TRUE(ItemOf(menus_.Menu(), CL_Menu_View_FontSize, 150)->checked);
  EXPECT_FALSE(ItemOf(menus_.Menu(), CL_Menu_View_FontSize, 100)->checked);

  const size_t from = p_.delivered.size();
  menus_.Menu().Click(ItemOf(menus_.Menu(), CL_Menu_View_MchWin)->id);
  EXPECT_EQ(p_.environ.mchView, 1);
  EXPECT_TRUE(ItemOf(menus_.Menu(), CL_Menu_View_MchWin)->checked);
  Settle();
  bool opened = false;
  for (size_t i = from; i < p_.delivered.size(); ++i)
    opened |= p_.delivered[i].code == kEvMchWinOpenClose && p_.delivered[i].argument == 0;
  EXPECT_TRUE(opened) << "the memory channel window is asked to open";
}

}  // namespace
