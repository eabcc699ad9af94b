#include "shell/ui/cuiTree.h"

#include <QHeaderView>
#include <QSignalBlocker>

#include "sheet/ui/cuiCellStyle.h"
#include "shell/indSheetHost.h"
#include "shell/indTreeModel.h"
#include "shell/ui/cuiIcons.h"

namespace {
constexpr int kNodeRole = Qt::UserRole;
}

cuiTree::cuiTree(indSheetHost& host, QWidget* parent) : QTreeWidget(parent), host_(host) {
  setObjectName("NavigationTree");
  setHeaderHidden(true);
  setColumnCount(1);
  setUniformRowHeights(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setFrameShape(QFrame::NoFrame);
  connect(this, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnCurrentChanged(current); });
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { OnExpanded(item, true); });
  connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) { OnExpanded(item, false); });
}

QTreeWidgetItem* cuiTree::ItemOf(int node) const {
  return node >= 0 && node < static_cast<int>(items_.size()) ? items_[static_cast<size_t>(node)] : nullptr;
}

int cuiTree::NodeOf(const QTreeWidgetItem* item) const { return item ? item->data(0, kNodeRole).toInt() : -1; }

void cuiTree::Refresh() {
  if (refreshing_) return;
  refreshing_ = true;
  const QSignalBlocker blocker(this);
  const indTreeModel* tree = host_.Tree();
  std::vector<std::pair<int, std::string>> shape;
  if (tree)
    for (const auto& node : tree->Nodes()) shape.emplace_back(node.depth, node.Target());
  if (shape != shape_) {
    shape_ = std::move(shape);
    Rebuild();
  }
  if (tree) {
    for (size_t i = 0; i < items_.size(); ++i) {
      const indTreeModel::Node& node = tree->Nodes()[i];
      QTreeWidgetItem* item = items_[i];
      const QString caption = QString::fromStdString(node.caption);
      if (item->text(0) != caption) item->setText(0, caption);
      item->setIcon(0, cuiIcons::Marked(node.icon, node.mark));
      if (item->childCount() > 0 && item->isExpanded() != node.expanded) item->setExpanded(node.expanded);
    }
    QTreeWidgetItem* selected = ItemOf(tree->Selected());
    if (currentItem() != selected) setCurrentItem(selected);
  }
  refreshing_ = false;
}

void cuiTree::Rebuild() {
  clear();
  items_.clear();
  const indTreeModel* tree = host_.Tree();
  if (!tree) return;
  ApplyBasicCell();
  std::vector<QTreeWidgetItem*> parents;  // the last item at each depth
  for (size_t i = 0; i < tree->Nodes().size(); ++i) {
    const indTreeModel::Node& node = tree->Nodes()[i];
    const int parent = tree->Parent(static_cast<int>(i));
    QTreeWidgetItem* item =
        parent < 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(items_[static_cast<size_t>(parent)]);
    item->setData(0, kNodeRole, static_cast<int>(i));
    item->setText(0, QString::fromStdString(node.caption));
    items_.push_back(item);
  }
}

void cuiTree::ApplyBasicCell() {
  // The basic cell's font and background are the tree's; the shipped overlay names the
  // system's, which the conversion keeps.
  const cmcCellObj& basic = host_.Tree()->BasicCell();
  if (basic.font) setFont(cuiCellStyle::Font(*basic.font));
  QPalette p = palette();
  p.setColor(QPalette::Base, cuiCellStyle::Colour(basic.colour, p));
  setPalette(p);
}

void cuiTree::OnCurrentChanged(QTreeWidgetItem* item) {
  if (refreshing_ || !item) return;
  host_.SelectNode(NodeOf(item));
}

void cuiTree::OnExpanded(QTreeWidgetItem* item, bool expanded) {
  if (refreshing_) return;
  host_.SetExpanded(NodeOf(item), expanded);
}
