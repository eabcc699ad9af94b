#pragma once
// The navigation tree: shows the sheet host's tree state (indTreeModel) with the node
// icons, the bank icons and the warning and error marks, and forwards what the user
// does, selecting a node (its sheet opens after the change delay) and expanding or
// collapsing one (the marks move), to the host. It decides nothing itself.
#include <QTreeWidget>
#include <vector>

class indSheetHost;

class cuiTree : public QTreeWidget {
  Q_OBJECT
 public:
  explicit cuiTree(indSheetHost& host, QWidget* parent = nullptr);

  // Shows the host's tree again: nodes, captions, icons, marks, expansion, selection.
  void Refresh();
  // The item of a node, nullptr when there is none.
  QTreeWidgetItem* ItemOf(int node) const;

 private:
  void Rebuild();
  void ApplyBasicCell();
  void OnCurrentChanged(QTreeWidgetItem* item);
  void OnExpanded(QTreeWidgetItem* item, bool expanded);
  int NodeOf(const QTreeWidgetItem* item) const;

  indSheetHost& host_;
  std::vector<QTreeWidgetItem*> items_;             // by node index
  std::vector<std::pair<int, std::string>> shape_;  // the depth and target of each node shown
  bool refreshing_ = false;
};
