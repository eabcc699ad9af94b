#include "cell/cmcPmrPresets.h"

#include "cell/cmcPresetConfirmations.h"
#include "channel/datCh.h"
#include "channel/datClipCh.h"
#include "image/cmcEeprom.h"

namespace {

// Scan list 4 is the lowest bit of the record's four memberships.
constexpr int kScanList4 = 0x01;

void SetScanList4(datCh& ch, bool on) { ch.scan = on ? ch.scan | kScanList4 : ch.scan & ~kScanList4; }

// The settings every preset row gives: transmit allowed, a preset, width 1, timer on.
void MakePreset(datCh& ch, bool duplex) {
  ch.dup = duplex;
  ch.dupEna = duplex;
  ch.inhT = false;
  ch.preset = true;
  ch.width = 1;
  ch.tot = true;
}

}  // namespace

bool ApplyPmrPreset(datCh& channel, int p, const cmcEeprom& defaults, cmcPresetConfirmations& confirmations) {
  if (p <= 0) return false;
  if (p <= 80) {
    MakePreset(channel, true);
    SetScanList4(channel, false);
  } else if (p <= 90) {
    MakePreset(channel, false);
    SetScanList4(channel, p != 85);
  } else if (p <= 99) {
    MakePreset(channel, false);
    SetScanList4(channel, true);
  } else {
    channel.dup = true;
    channel.dupEna = true;
    channel.inhT = true;
    channel.preset = false;
    channel.ResetPmrFreeChannel();
    SetScanList4(channel, false);
  }
  if (p == 5 || p == 35 || p == 85) {
    // The emergency presets carry no tones.
    channel.ctoneSel = true;
    channel.ctoneEdit = false;
    channel.toneR = datChTone{};
    channel.toneT = channel.toneR;
    channel.ResetPmrFreeChannel();
  } else if (p == 22 || p == 23) {
    channel.inhT = true;
  }
  channel.presetNo = p;  // the record keeps p - 1
  channel.Store();

  if (!cmcPresetConfirmations::NeedsConfirmation(p) || confirmations.Confirm(p)) return false;
  RestoreChannelRow(channel, defaults);
  return true;
}

void RestoreChannelRow(datCh& channel, const cmcEeprom& defaults) {
  datClipCh scratch;
  // The clipboard only reads the image it copies from.
  scratch.Copy(const_cast<cmcEeprom*>(&defaults), channel.kind, channel.index, 1);
  scratch.PasteRestoring(channel.Image(), channel.kind, channel.index, 1);
  channel.Reload();
}
