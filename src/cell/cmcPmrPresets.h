#pragma once
// What a PMR preset result does to a channel record: a preset row makes the channel a
// preset channel with that row's duplex, width, timer and scan-list-4 settings, a typed
// frequency makes it a free channel; the reserved presets 61-63 stay only when the user
// confirms them, otherwise the channel's row is restored from the default image.
class cmcEeprom;
class cmcPresetConfirmations;
class datCh;

// Applies preset result p (1-100, as `PmrFrequencyCodec` answers; 0 does nothing) to
// the loaded channel and stores it. Returns whether the row was restored instead.
bool ApplyPmrPreset(datCh& channel, int p, const cmcEeprom& defaults, cmcPresetConfirmations& confirmations);

// Copies the channel's row of the default image back into the channel's image through
// the channel clipboard (keeping the row's attributes) and loads the channel again.
void RestoreChannelRow(datCh& channel, const cmcEeprom& defaults);
