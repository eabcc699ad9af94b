#pragma once
// Which model types' clone files keep an edit: the edited image is packed as a save
// packs it for each model type and unpacked as an open unpacks it, on the image as it
// was before the edit; a model type keeps the edit when every setting byte the edit
// changed comes back. The packed area itself is derived from the settings and is not
// compared.
#include <vector>

class cmcEeprom;

class indCliStorage {
 public:
  // The model types (0-3) whose files keep what changed from before to after.
  static std::vector<int> ModelTypesKeeping(const cmcEeprom& before, const cmcEeprom& after);
};
