#include "shell/indMenuCommandTable.h"

#include <string>

#include "runtime/cmcFatal.h"

void indMenuCommandTable::Add(int label, dst_MenuCommand command) {
  if (!commands_.emplace(label, std::move(command)).second)
    cmcFatal("Menu command added twice. (" + std::to_string(label) + ")");
}

void indMenuCommandTable::Execute(int label, cmcCellCapsule& request) {
  const auto it = commands_.find(label);
  if (it != commands_.end() && it->second.execute) it->second.execute(request);
}

dst_MenuState indMenuCommandTable::StateOf(int label, int index) {
  const auto it = commands_.find(label);
  if (it == commands_.end() || !it->second.state) return {};
  return it->second.state(index);
}
