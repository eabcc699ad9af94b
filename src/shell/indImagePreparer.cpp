#include "shell/indImagePreparer.h"

#include "image/cmcImageMap.h"
#include "shell/indImageFixups.h"
#include "shell/indImagePacking.h"

namespace {

constexpr int kTemplateStamp = 42604;  // always the template's

}  // namespace

void indImagePreparer::PrepareImage(cmcEeprom& image, int purpose) const {
  if (image.GetSize() != cmcEeprom::kImageSize || tmpl_.GetSize() != cmcEeprom::kImageSize) return;
  if (purpose == kLoaded) {
    UnpackImage(image);
    CleanUpKeys(image);
    MigrateLists(image);
    ClearIdentity();
  }
  ApplyConsistencyFixups(image, tmpl_, modelType_);
  // Stamped before packing, so the packed copy that leaves carries the same revision
  // as the fixed layout and reads back as data of this program's revision.
  image.SetByte(cmcImageMap::kDataRevision, 1);
  image.SetByte(kTemplateStamp, tmpl_.GetByte(kTemplateStamp));
  if (purpose == kSave || purpose == kWrite) {
    ClearIdentity();
    PackImage(image, modelType_);
  }
}
