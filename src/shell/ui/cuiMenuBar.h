#pragma once
// The main menu and the tool bars of indMainMenus on a main window: a QMenu per submenu
// and a QAction per item or button (its object name the label, with "[index]" where one
// label serves several items of the menu or of the tool bar), rebuilt when the model's items change and updated on
// every refresh; one QToolBar per row of each tool bar, gaps as fixed spacers, only the
// tool bar the rule picks shown (again after every tool bar refresh, so View > Tool bar
// needs no hook). Triggering an action clicks its item in the model.
#include <QIcon>
#include <QObject>
#include <functional>
#include <map>
#include <set>
#include <vector>

class QAction;
class QMainWindow;
class QToolBar;
class QWidget;
class indMainMenus;
class indMenuModel;
class indToolBarModel;

class cuiMenuBar : public QObject {
  Q_OBJECT
 public:
  // The tool bar icon list: the icon of an image index (a null icon shows the hint).
  using IconOf = std::function<QIcon(int imageIndex)>;

  // Fills the window's menu bar and adds the tool bars; the model must outlive this
  // object, which the window owns.
  static cuiMenuBar* Install(QMainWindow& window, indMainMenus& menus, IconOf icons = {});
  ~cuiMenuBar() override;

  // Shows the tool bar the rule picks and hides the other.
  void ApplyToolBars();
  // The action of a menu item (tests).
  QAction* ActionOf(int id) const;

 private:
  cuiMenuBar(QMainWindow& window, indMainMenus& menus, IconOf icons);

  // Menus.
  void Rebuild(int id);
  void Populate(QWidget* container, int id);
  void Drop(QWidget* container);
  void UpdateMenu();
  QString NameOf(const indMenuModel& menu, int id) const;

  // Tool bars.
  struct Bar {
    indToolBarModel* model = nullptr;
    std::vector<QToolBar*> rows;
    std::vector<QAction*> buttons;  // by entry; null for gaps and row breaks
  };
  void BuildToolBar(Bar& bar);
  void UpdateToolBar(Bar& bar);

  QMainWindow& window_;
  indMainMenus& menus_;
  IconOf icons_;
  std::map<int, QAction*> actions_;     // by item id
  std::map<int, QWidget*> containers_;  // the menu bar (root) and the submenus, by item id
  std::set<int> submenus_;              // items that became submenus once filled in
  Bar full_;
  Bar limited_;
};
