#include "image/cmcModelCodes.h"

#include "image/cmcQclFile.h"

bool cmcModelCodes::CheckModelCode(int model, int sub_code, int& code, bool* from_alternate) const {
  const bool alternate = (alternate1 != 0 && model == alternate1) || (alternate2 != 0 && model == alternate2);
  if (model != main_model && !alternate) {
    code = cmcQclFile::kModelError;
    return false;
  }
  if (sub_code != kSubCode && sub_code != kAltSubCode) {
    code = cmcQclFile::kSubCodeError;
    return false;
  }
  if (from_alternate) *from_alternate = alternate;
  return true;
}
