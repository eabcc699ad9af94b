#pragma once
// The program's two icon lists, drawn from the compiled-in pictures (":/icons/"): the
// tree list (nodes, sheets and sub-windows; a cell's image index points into it) and
// the tool bar list (tool bars and menus), in the order the overlays count them.
// Icons are drawn from their vectors at the size and pixel ratio asked, so they stay
// sharp at every screen scale.
#include <QIcon>
#include <QString>
#include <vector>

class cuiIcons {
 public:
  // Tree icons the program itself names.
  static constexpr int kBankFirst = 4;  // 4-7: bank off/on, empty/holding channels
  static constexpr int kWarning = 8;
  static constexpr int kError = 9;

  static const std::vector<QIcon>& Tree();
  static const std::vector<QIcon>& ToolBar();
  // An empty icon for an index outside the list.
  static QIcon TreeIcon(int index);
  static QIcon ToolBarIcon(int index);
  // The tree icon with a mark over its lower right corner: 0 the error mark, 1 the
  // warning mark (the tree's overlays), anything else none.
  static QIcon Marked(int index, int mark);
  // The application's icon; the theme's "rx93kit" when the picture is not compiled in.
  static QIcon Application();
  // The resource path of a picture by its file name without ".svg".
  static QString Path(const char* name);
};
