#pragma once
// A memory sheet (option text "M"): a list whose rows grow and shrink with the entries
// in use. The MDC alias list shows its aliases and the new-alias row after them; an
// alias added or removed (events 32 and 33) shows or hides rows, and the cursor keeps
// its cell while that stays shown.
#include "channel/sheets/indSheetKind.h"

class cmcEeprom;
class cmcEvMan;
struct cmcEvent;

class indMemorySheet : public indSheetKind {
 public:
  indMemorySheet(cmcEvMan& events, cmcEeprom& image, const cmcEeprom& defaults);
  ~indMemorySheet() override;
  indMemorySheet(const indMemorySheet&) = delete;
  indMemorySheet& operator=(const indMemorySheet&) = delete;

  bool RowShown(const cmcSheetDef& def, int row) override;

 private:
  void OnEvent(cmcEvent& event);

  cmcEvMan& events_;
  cmcEeprom& image_;
  const cmcEeprom& defaults_;
};
