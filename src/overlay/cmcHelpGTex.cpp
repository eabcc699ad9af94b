#include "overlay/cmcHelpGTex.h"

#include "overlay/cmcTextUtil.h"

int cmcHelpGTex::SetFile(const std::string& path) {
  if (HasSource()) return 0;
  ResetToFile(path);
  return 1;
}

std::string cmcHelpGTex::FindTopic(std::string_view section, std::string_view item) {
  std::string topic = " ";
  bool found = false;
  for (int i = 0; !topic.empty(); ++i) {
    const std::string line = GetLine(section, i);
    if (line == "#") break;
    if (cmcField(line, 0, '\t') == item) {
      topic = cmcField(line, 1, '\t');
      found = true;
    }
  }
  return found ? topic : std::string();
}
