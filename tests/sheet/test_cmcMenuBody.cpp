#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/cmcCellIds.h"
#include "overlay/cmcGTex.h"
#include "sheet/cmcMenuBody.h"

namespace {

TEST(MenuBody, ItemsSeparatorsShortcutsAndTheBasicCell) {
  const std::vector<std::string> lines = {
      "#M_BasicCell",
      "{(%CT_PopupMenu.)}",
      "#M_Body",
      "+&Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}",
      "+-\t{(%CT_Null.CL_Null)}",
      "+&Copy\t{(%CT_PopupMenu.CL_PMenu_Copy:Ctrl+C)}",
      "  +Deeper\t{(%CL_PMenu_Help)}",
      "#",
      "#End_Of_Ovl",
  };
  cmcGTex overlay;
  overlay.SetLines(lines);
  const cmcMenuBody menu(overlay, "M");
  ASSERT_EQ(menu.Items().size(), 4u);
  const auto& items = menu.Items();
  EXPECT_EQ(items[0].Caption(), "&Edit...");
  EXPECT_EQ(items[0].Shortcut(), "Enter");
  EXPECT_EQ(items[0].cell.label, static_cast<uint32_t>(CL_PMenu_Edit));
  EXPECT_TRUE(items[1].Separator());
  EXPECT_FALSE(items[2].Separator());
  EXPECT_EQ(items[2].Shortcut(), "Ctrl+C");
  EXPECT_EQ(items[3].depth, 2);
  EXPECT_EQ(items[3].cell.category, items[2].cell.category) << "the basic cell's category is inherited";
  EXPECT_EQ(items[3].Shortcut(), "");
}

}  // namespace
