// The main menu and tool bars on a window: actions found by their labels, states that
// follow the settings, the Edit menu filled once, and triggers that reach the commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "cell/cmcCellIds.h"
#include "runtime/cmcEvCodes.h"
#include "shell/indMainMenus.h"
#include "shell/ui/cuiMenuBar.h"
#include "support/QtApplication.h"
#include "support/TestProgram.h"

namespace {

class MenuBar : public ::testing::Test {
 protected:
  MenuBar() { cuiMenuBar::Install(window_, menus_); }
  QAction* Action(const char* name) {
    auto* action = window_.menuBar()->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
  }
  QMenu* EditMenu() { return Action("CL_Menu_Edit_Top")->menu(); }
  void Settle() { p_.clock.Advance(30); }

  struct AppFirst {
    AppFirst() { EnsureApp(); }
  } app_;
  ProgramDir dir_;
  Program p_{dir_};
  indMainMenus menus_{
      {p_.mainOverlay, p_.dispatch, p_.events, p_.cellHost.Menu(), p_.main, p_.environ, p_.program.IndexOverlay()}};
  QMainWindow window_;
};

TEST_F(MenuBar, ActionsCarryTheirLabelsCaptionsAndShortcuts) {
  QAction* open = Action("CL_Menu_File_Open");
  ASSERT_TRUE(open);
  EXPECT_EQ(open->text(), QStringLiteral("&Open..."));
  EXPECT_EQ(open->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
  EXPECT_EQ(window_.menuBar()->actions().size(), 8);
  EXPECT_TRUE(Action("CL_Menu_View_FontSize[125]"));
}

TEST_F(MenuBar, ComPortSevenTicksTheOtherPortItemOnly) {
  p_.environ.comPort = 7;
  p_.events.Send(kEvCommandStates);
  EXPECT_TRUE(Action("CL_Menu_Port_Usb")->isChecked());
  for (const char* name : {"CL_Menu_Port_Com[1]", "CL_Menu_Port_Com[2]", "CL_Menu_Port_Com[3]", "CL_Menu_Port_Com[4]"})
    EXPECT_FALSE(Action(name)->isChecked()) << name;
}

TEST_F(MenuBar, TheEditMenuNeverAccumulatesCopies) {
  for (int i = 0; i < 3; ++i) {
    p_.events.Send(kEvCommandStates);
    Settle();
    ASSERT_TRUE(EditMenu());
    EXPECT_EQ(EditMenu()->actions().size(), 1);
  }
  p_.events.PostText(kEvFillSubmenu, 0x5EE7, CL_Menu_Edit_Top, "GI_PMenu_Edit");
  Settle();
  EXPECT_EQ(EditMenu()->actions().size(), 13);
  p_.events.Send(kEvClearSubmenu, 0, CL_Menu_Edit_Top);
  p_.events.Send(kEvCommandStates);
  Settle();
  EXPECT_EQ(EditMenu()->actions().size(), 1);
}

TEST_F(MenuBar, TriggersRunTheCommandsAndTheToolBarFollowsTheRule) {
  Action("CL_Menu_Port_SpeedHigh[0]")->trigger();
  EXPECT_EQ(p_.environ.comSpeedHigh, 0);
  EXPECT_TRUE(Action("CL_Menu_Port_SpeedHigh[0]")->isChecked());
  EXPECT_FALSE(Action("CL_Menu_Port_SpeedHigh[1]")->isChecked());

  auto* limited = window_.findChild<QToolBar*>(QStringLiteral("GI_ToolBar_Main_Limited"));
  auto* full = window_.findChild<QToolBar*>(QStringLiteral("GI_ToolBar_Main"));
  ASSERT_TRUE(limited && full);
  QAction* com3 = limited->findChild<QAction*>(QStringLiteral("CL_Menu_Port_Com[3]"));
  ASSERT_TRUE(com3);
  com3->trigger();
  EXPECT_EQ(p_.environ.comPort, 3);
  EXPECT_TRUE(com3->isChecked()) << "a checked cell makes a check button shown pressed";
  EXPECT_TRUE(Action("CL_Menu_Port_Com[3]")->isChecked()) << "and the menu follows";
  EXPECT_FALSE(limited->isHidden());
  EXPECT_TRUE(full->isHidden());
  Action("CL_Menu_View_ToolBar")->trigger();
  EXPECT_TRUE(limited->isHidden()) << "View > Tool bar hides it";
  EXPECT_FALSE(Action("CL_Menu_View_ToolBar")->isChecked());
}

}  // namespace
