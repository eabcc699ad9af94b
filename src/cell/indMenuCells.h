#pragma once
// Menu-command cells (file, view, port, clone, model family, help, language and
// adjustment items): Enter runs the shell's command; every request refreshes the
// item's ticked, hidden and disabled flags and, where the shell gives one, its
// caption (Flag3). Commands the shell does not handle draw as labels without a
// handler. Popup-menu items show their caption; their work is a command argument.
class indCellHandlers;

class indMenuCells {
 public:
  static void Register(indCellHandlers& table);
};
