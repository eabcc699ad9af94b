#include "image/cmcModelCodes.h"

#include "image/cmcQclFile.h"

bool cmcModelCodes::CheckModelCode(int model, int subCode, int& code, bool* fromAlternate) const {
  const bool alternate = (alternate1 != 0 && model == alternate1) || (alternate2 != 0 && model == alternate2);
  if (model != mainModel && !alternate) {
    code = cmcQclFile::kModelError;
    return false;
  }
  if (subCode != kSubCode && subCode != kAltSubCode) {
    code = cmcQclFile::kSubCodeError;
    return false;
  }
  if (fromAlternate) *fromAlternate = alternate;
  return true;
}
