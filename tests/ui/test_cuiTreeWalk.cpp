// The walk over the navigation tree on all four model types: selecting each node, as
// the user does in the tree, opens the node's sheet in the sheet pane after the
// change delay, and the sheet paints.
#include <gtest/gtest.h>

#include <QTreeWidgetItem>

#include "sheet/ui/cuiSheet.h"
#include "shell/ui/cuiTree.h"
#include "support/DesktopRig.h"

namespace {

TEST(TreeWalk, EveryNodeOpensItsSheetOnEveryModelType) {
  DesktopRig rig;
  cuiMainWindow& w = rig.Build();
  for (const int type : {0, 1, 2, 3}) {
    rig.p.main.ChangeModelType(type, true);  // on the type's own initial image
    rig.Settle();
    const std::vector<indTreeModel::Node> nodes = rig.Host().Tree()->Nodes();
    ASSERT_GT(nodes.size(), 1u);
    for (size_t i = 0; i < nodes.size(); ++i) {
      const std::string where = "model type " + std::to_string(type) + ", node " + nodes[i].caption;
      QTreeWidgetItem* item = w.Tree()->ItemOf(static_cast<int>(i));
      ASSERT_NE(item, nullptr) << where;
      w.Tree()->setCurrentItem(item);
      rig.Settle();
      EXPECT_EQ(rig.Host().Tree()->Selected(), static_cast<int>(i)) << where;
      EXPECT_EQ(rig.Shown(), nodes[i].Target()) << where;
      ASSERT_NE(rig.Host().Current(), nullptr) << where;
      EXPECT_EQ(w.Sheet()->Model(), rig.Host().Current()->model.get()) << where;
      EXPECT_FALSE(w.Sheet()->grab().isNull()) << where;
    }
  }
}

}  // namespace
