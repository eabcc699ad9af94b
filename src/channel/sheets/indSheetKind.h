#pragma once
// A kind of sheet the program makes: the sheet model's hooks, told which sheet they
// belong to once it is built, so that application events can move its rows and its
// cursor. Common and plain sheets use it as it is: the definition applies the common
// sheet's model conditions.
#include "sheet/cmcSheetHooks.h"

class cmcSheetModel;

class indSheetKind : public cmcSheetHooks {
 public:
  // The sheet built over these hooks; null detaches them.
  virtual void Attach(cmcSheetModel* sheet) { sheet_ = sheet; }
  cmcSheetModel* Sheet() const { return sheet_; }

 protected:
  cmcSheetModel* sheet_ = nullptr;
};
