#include "overlay/cmcGTex.h"

int cmcGTex::SetFile(const std::string& path) {
  ResetToFile(path);
  return 1;
}

int cmcGTex::SetLines(std::span<const std::string> lines) {
  if (HasSource()) return 0;
  UseLines(lines);
  return 1;
}
