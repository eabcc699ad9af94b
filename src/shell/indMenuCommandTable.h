#pragma once
// The shell's menu commands, one entry per label: what Enter runs and the item's
// state. Command groups add their labels from their own files; a label added twice
// is a programming error and fatal. Labels without an entry are not handled.
#include <functional>
#include <map>

#include "cell/indMenuCommands.h"

struct dst_MenuCommand {
  std::function<void(cmcCellCapsule&)> execute;
  std::function<dst_MenuState(int index)> state;  // none: never ticked, hidden or disabled
};

class indMenuCommandTable : public indMenuCommands {
 public:
  void Add(int label, dst_MenuCommand command);
  // Forgets the label's entry, for a command whose owner goes before the table.
  void Remove(int label) { commands_.erase(label); }

  bool Handles(int label) const override { return commands_.contains(label); }
  void Execute(int label, cmcCellCapsule& request) override;
  dst_MenuState StateOf(int label, int index) override;

 private:
  std::map<int, dst_MenuCommand> commands_;
};
