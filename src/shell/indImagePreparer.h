#pragma once
// `PrepareImage`: brings an image into the consistent state the radio and the sheets
// rely on, after it was loaded (purpose 0: unpacked and cleaned up) or before it is saved
// to a clone file (1) or written to the radio (2: packed again). The template is the
// initial image of the model type; the model controller's identity flags are cleared
// through the callback it hands in.
#include <functional>

#include "image/cmcEeprom.h"

class indImagePreparer {
 public:
  static constexpr int kLoaded = 0;
  static constexpr int kSave = 1;
  static constexpr int kWrite = 2;

  indImagePreparer(const cmcEeprom& tmpl, int modelType, std::function<void()> clearIdentity = {})
      : tmpl_(tmpl), modelType_(modelType), clearIdentity_(std::move(clearIdentity)) {}

  void PrepareImage(cmcEeprom& image, int purpose) const;

 private:
  void ClearIdentity() const {
    if (clearIdentity_) clearIdentity_();
  }

  const cmcEeprom& tmpl_;
  int modelType_;
  std::function<void()> clearIdentity_;
};
