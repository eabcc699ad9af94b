#include "shell/ui/cuiMenuBar.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>
#include <string>

#include "cell/cmcCellIds.h"
#include "cell/cmcCellNames.h"
#include "cell/cmcCellRegistry.h"
#include "shell/indMainMenus.h"
#include "shell/indMenuModel.h"
#include "shell/indToolBarModel.h"

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Whether another item of the menu carries the same label.
bool LabelShared(const indMenuModel& menu, int id, int label) {
  std::vector<int> stack{indMenuModel::kRoot};
  while (!stack.empty()) {
    const indMenuModel::Item* item = menu.Find(stack.back());
    stack.pop_back();
    if (item->id != id && item->id != indMenuModel::kRoot && item->cell.label == static_cast<uint32_t>(label))
      return true;
    stack.insert(stack.end(), item->children.begin(), item->children.end());
  }
  return false;
}

}  // namespace

cuiMenuBar* cuiMenuBar::Install(QMainWindow& window, indMainMenus& menus, IconOf icons) {
  return new cuiMenuBar(window, menus, std::move(icons));
}

cuiMenuBar::cuiMenuBar(QMainWindow& window, indMainMenus& menus, IconOf icons)
    : QObject(&window), window_(window), menus_(menus), icons_(std::move(icons)) {
  containers_[indMenuModel::kRoot] = window_.menuBar();
  Populate(window_.menuBar(), indMenuModel::kRoot);
  menus_.Menu().SetListener({[this](int id) { Rebuild(id); }, [this] { UpdateMenu(); }});

  full_.model = &menus_.FullToolBar();
  limited_.model = &menus_.LimitedToolBar();
  BuildToolBar(full_);
  window_.addToolBarBreak();
  BuildToolBar(limited_);
  full_.model->SetRefreshed([this] { UpdateToolBar(full_); });
  limited_.model->SetRefreshed([this] { UpdateToolBar(limited_); });
  menus_.Refresh();
}

cuiMenuBar::~cuiMenuBar() {
  menus_.Menu().SetListener({});
  full_.model->SetRefreshed({});
  limited_.model->SetRefreshed({});
}

QAction* cuiMenuBar::ActionOf(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

// ---- menus ----

QString cuiMenuBar::NameOf(const indMenuModel& menu, int id) const {
  const indMenuModel::Item* item = menu.Find(id);
  const auto label = static_cast<int>(item->cell.label);
  if (item->cell.label >= kNoLabel || label == CL_Null) return Text(item->caption).remove(QLatin1Char('&'));
  QString name = Text(std::string(LabelNameOf(item->cell.label)));
  if (LabelShared(menu, id, label)) name += QStringLiteral("[%1]").arg(item->cell.index);
  return name;
}

void cuiMenuBar::Rebuild(int id) {
  const auto it = containers_.find(id);
  if (it == containers_.end()) {
    // An item that was a command becomes a submenu: its parent makes it again as one.
    const indMenuModel::Item* item = menus_.Menu().Find(id);
    if (!item) return;
    submenus_.insert(id);
    Rebuild(item->parent);
    return;
  }
  Drop(it->second);
  Populate(it->second, id);
  UpdateMenu();
}

void cuiMenuBar::Drop(QWidget* container) {
  // Taken out now, deleted later: the action being triggered may be among them.
  for (QAction* action : container->actions()) {
    const int id = action->data().toInt();
    actions_.erase(id);
    containers_.erase(id);
    container->removeAction(action);
    if (QMenu* menu = action->menu()) {
      Drop(menu);
      menu->setParent(nullptr);
      menu->deleteLater();
    } else if (action->parent() == container) {
      action->setParent(nullptr);
      action->deleteLater();
    }
  }
}

void cuiMenuBar::Populate(QWidget* container, int id) {
  const indMenuModel& model = menus_.Menu();
  for (const int child : model.Find(id)->children) {
    const indMenuModel::Item* item = model.Find(child);
    QAction* action = nullptr;
    if (item->Separator()) {
      action = new QAction(container);
      action->setSeparator(true);
    } else if (!item->children.empty() || submenus_.contains(child)) {
      auto* menu = new QMenu(container);
      containers_[child] = menu;
      action = menu->menuAction();
      Populate(menu, child);
    } else {
      action = new QAction(container);
      connect(action, &QAction::triggered, this, [this, child] { menus_.Menu().Click(child); });
      if (!item->shortcut.empty())
        action->setShortcut(QKeySequence::fromString(Text(item->shortcut), QKeySequence::PortableText));
    }
    action->setData(child);
    action->setObjectName(NameOf(model, child));
    // A separator's "-" is no caption: styles draw a separator's text as a section title.
    if (!item->Separator()) action->setText(Text(item->caption));
    container->addAction(action);
    actions_[child] = action;
  }
}

void cuiMenuBar::UpdateMenu() {
  const indMenuModel& model = menus_.Menu();
  for (const auto& [id, action] : actions_) {
    const indMenuModel::Item* item = model.Find(id);
    if (!item) continue;
    action->setVisible(item->visible);
    if (item->Separator()) continue;
    action->setText(Text(item->caption));
    action->setEnabled(item->enabled);
    if (!action->menu()) {
      action->setCheckable(item->checked);
      action->setChecked(item->checked);
    }
    if (icons_ && item->icon >= 0) action->setIcon(icons_(item->icon));
  }
}

// ---- tool bars ----

void cuiMenuBar::BuildToolBar(Bar& bar) {
  const auto& entries = bar.model->Entries();
  bar.buttons.assign(entries.size(), nullptr);
  for (size_t i = 0; i < entries.size(); ++i) {
    const indToolBarModel::Entry& entry = entries[i];
    if (static_cast<size_t>(entry.row) >= bar.rows.size()) {
      if (!bar.rows.empty()) window_.addToolBarBreak();
      auto* row = new QToolBar(&window_);
      const QString name = Text(bar.model->Section());
      row->setObjectName(bar.rows.empty() ? name : name + QStringLiteral("/%1").arg(bar.rows.size()));
      row->setMovable(false);
      window_.addToolBar(Qt::TopToolBarArea, row);
      bar.rows.push_back(row);
    }
    QToolBar* row = bar.rows[static_cast<size_t>(entry.row)];
    using Kind = indToolBarModel::Entry::Kind;
    if (entry.kind == Kind::kGap) {
      auto* gap = new QWidget(row);
      gap->setFixedWidth(entry.Width());
      row->addWidget(gap);
    } else if (entry.kind == Kind::kButton) {
      QAction* button = row->addAction(Text(entry.hint));
      button->setToolTip(Text(entry.hint));
      const auto label = entry.cell.label;
      const bool shared = std::count_if(entries.begin(), entries.end(), [&](const indToolBarModel::Entry& other) {
                            return other.kind == Kind::kButton && other.cell.label == label;
                          }) > 1;
      QString name = label < kNoLabel ? Text(std::string(LabelNameOf(label))) : QString();
      if (shared) name += QStringLiteral("[%1]").arg(entry.cell.index);
      button->setObjectName(name);
      if (icons_ && entry.icon >= 0) button->setIcon(icons_(entry.icon));
      indToolBarModel* model = bar.model;
      const int index = static_cast<int>(i);
      connect(button, &QAction::triggered, this, [model, index] { model->Click(index); });
      bar.buttons[i] = button;
    }
  }
}

void cuiMenuBar::UpdateToolBar(Bar& bar) {
  const auto& entries = bar.model->Entries();
  for (size_t i = 0; i < entries.size() && i < bar.buttons.size(); ++i) {
    QAction* button = bar.buttons[i];
    if (!button) continue;
    button->setEnabled(entries[i].enabled);
    button->setCheckable(entries[i].checked);
    button->setChecked(entries[i].checked);
    if (icons_ && entries[i].icon >= 0) button->setIcon(icons_(entries[i].icon));
  }
  ApplyToolBars();
}

void cuiMenuBar::ApplyToolBars() {
  const indToolBarModel* shown = menus_.ShownToolBar();
  for (Bar* bar : {&full_, &limited_})
    for (QToolBar* row : bar->rows) row->setVisible(bar->model == shown);
}
