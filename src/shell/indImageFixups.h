#pragma once
// The consistency fix-ups that bring an image into a state the radio accepts, after it
// is loaded and before it is saved or written: settings the program does not let the
// user change come from the model's template (its initial image), summary bytes are
// recomputed from the records, and out-of-range values are cut back.
#include "image/cmcEeprom.h"

// Model types 4 and 5 behave as type 0.
int EffectiveModelType(int modelType);

// The channel record kind of a model type: 1 LMR, 2 PMR, 3 QarnPmr, 4 dPMR446.
int ChannelKindOf(int modelType);

// Every fix-up in its fixed order: the settings first, then the records; tmpl is the
// initial image of the model type.
void ApplyConsistencyFixups(cmcEeprom& image, const cmcEeprom& tmpl, int modelType);

// The byte and bit fix-ups of the header, key, option, text and bank areas.
void ApplySettingFixups(cmcEeprom& image, const cmcEeprom& tmpl, int modelType);

// The fix-ups that load and store records through the channel record layer: tone pairs,
// scan lists, DTMF memories, channels, code records and the signalling tables.
void ApplyRecordFixups(cmcEeprom& image, const cmcEeprom& tmpl, int modelType);

// Bank counts from the bank where the running total first exceeds 128 become 0.
void LimitBankCounts(cmcEeprom& image);

// Done once after loading: the key table's retired function codes become "C"; the ones
// that stood for a feature switch it on instead.
void CleanUpKeys(cmcEeprom& image);

// Done once after loading an image of the old list layout (bit 7 of 41228 clear): the
// code records' 2-bit field moves from byte 12 to byte 10; the layout bit is then set.
void MigrateLists(cmcEeprom& image);
