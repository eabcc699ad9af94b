// The consistency fix-ups that go through the channel record layer, and the order in
// which all fix-ups run.
#include <algorithm>
#include <cmath>

#include "channel/datCh.h"
#include "channel/datChBank.h"
#include "channel/datChKinds.h"
#include "image/cmcImageMap.h"
#include "shell/indImageBits.h"
#include "shell/indImageFixups.h"

using namespace cmcImageMap;

namespace {

constexpr int kCodeRecords = 42449;  // 11 code records of 14 bytes
constexpr int kTxCodeDigits = 35768;
constexpr int kTxCodeRecords = 42129;

int RegionOf(int kind, int base) {
  const datChKindInfo& info = datChKindOf(kind);
  for (int r = 0; r < info.regionCount; ++r)
    if (info.regions[static_cast<size_t>(r)].base == base) return r;
  return -1;
}

// A store writes a record's regions back from its copy of the loaded bytes with the
// fields packed over them. Template bytes taken into both the image and that copy
// therefore survive a store exactly where the record has no field of its own.
void TakeTemplate(datCh& ch, const cmcEeprom& t, int base, int offset, int count) {
  const int region = RegionOf(ch.kind, base);
  if (region < 0) return;
  const datChRegion& g = datChKindOf(ch.kind).regions[static_cast<size_t>(region)];
  const int at = g.base + g.stride * ch.index + offset;
  CopyBytes(*ch.Image(), t, at, count);
  std::copy(t.Data() + at, t.Data() + at + count, ch.raw[static_cast<size_t>(region)].begin() + offset);
}

void RestoreTonePairs(datCh& ch, const cmcEeprom& t) {
  for (int k = 0; k < 40; ++k) {
    ch.Load(datChKind::kTonePair, k);
    TakeTemplate(ch, t, 41495, 0, 4);
    ch.Store();
  }
}

void RestoreScanLists(datCh& ch, const cmcEeprom& t) {
  for (int k = 0; k < kScanListCount; ++k) {
    ch.Load(datChKind::kScanList, k);
    TakeTemplate(ch, t, kScanLists, 8, 10);
    ch.Store();
  }
}

void RestoreDtmfMemories(datCh& ch, const cmcEeprom& t) {
  for (int k = 0; k < kDtmfMemoryCount; ++k) {
    ch.Load(datChKind::kDtmf, k);
    TakeTemplate(ch, t, kDtmfMemories, 0, kDtmfMemorySize);
    ch.Store();
  }
}

// Extension bits the radio derives from the channel or that only the template sets;
// loaded is the channel as it was before the fix-up. The flags of the receive code
// follow the code the channel leaves with (rxCode), so that saving a saved image
// changes nothing.
void FixExtension(cmcEeprom& image, const cmcEeprom& t, int type, int n, const datCh& loaded, bool rxCode) {
  const int x = kChannelExt + kChannelExtSize * n;
  if (type == 0 || type == 3) {
    CopyBits(image, t, x + 0, 0x40);
    CopyBits(image, t, x + 1, 0x08);
    CopyBits(image, t, x + 2, 0xF1);
    CopyBits(image, t, x + 7, 0xCF);
    CopyBytes(image, t, x + 8, 1);
    CopyBytes(image, t, x + 10, 1);
    SetBit(image, x + 2, 3, rxCode);
    SetBit(image, x + 2, 2, rxCode);
  }
  SetBit(image, x + 1, 0, rxCode);
  if (type != 2) {
    SetBit(image, x + 3, 3, false);
  } else if (!GetBit(image, x + 3, 3)) {
    SetBit(image, x + 3, 2, false);
  } else {
    SetBit(image, x + 11, 7, true);
    CopyBytes(image, t, x + 10, 1);
    CopyBits(image, t, x + 7, 0xC0);
  }
  if (loaded.preset && loaded.presetNo == 85) SetBit(image, kScanMaps + 3 * 16 + n / 8, 7 - n % 8, false);
}

// A channel's receive and transmit frequencies become 0, its inhibit bits kept: the
// channel is not in use, as a store of a channel not in use leaves it.
void ClearFrequencies(cmcEeprom& image, int n) {
  uint8_t* m = image.Data() + kChannelMain + kChannelMainSize * n;
  for (const int word : {0, 4}) {
    m[word] &= 0x80;
    std::fill(m + word + 1, m + word + 4, uint8_t{0});
  }
}

// Unmodelled channel bits come from the template's channel n; a channel not in use
// becomes the template's channel, still not in use: the templates whose banks are
// full repeat an in-use channel into every later slot, and a slot left empty in a
// bank must not come back in use. Non-preset channels in use in the banks are numbered
// in channel order, those that may transmit and those that may not each from 0; the
// slots beyond the banks are never packed, and keep the numbers they have, so that a
// slot opened later takes the same bytes from the default image.
void RestoreChannels(datCh& ch, const cmcEeprom& t, int type) {
  cmcEeprom& image = *ch.Image();
  const int kind = ChannelKindOf(type);
  const int banked = datChBank(&image).TotalChannels();
  int transmitting = 0, receiveOnly = 0;
  for (int n = 0; n < kChannelSlots; ++n) {
    ch.Load(kind, n);
    const datCh loaded = ch;
    TakeTemplate(ch, t, kChannelMain, 0, kChannelMainSize);
    TakeTemplate(ch, t, kChannelExt, 0, kChannelExtSize);
    if (ch.inUse) {
      if (!ch.preset && n < banked) ch.presetNo = 1 + (ch.inhT ? receiveOnly++ : transmitting++);
      ch.Store();
    } else {
      ClearFrequencies(image, n);
    }
    CopyBits(image, t, kChannelMain + kChannelMainSize * n + 20, 0x80);
    ch.Load(kind, n);
    FixExtension(image, t, type, n, loaded, ch.HasReceiveCode());
  }
}

int RoundHalfUp(double value) { return static_cast<int>(value + 0.5); }

void RestoreCodeRecords(datCh& ch, const cmcEeprom& t, int type) {
  cmcEeprom& image = *ch.Image();
  const int kind = (type == 1 || type == 2) ? datChKind::kRx5Tone : datChKind::k2Tone;
  for (int k = 0; k < 11; ++k) {
    ch.Load(kind, k);
    TakeTemplate(ch, t, kCodeRecords, 0, 14);
    if (type == 0) {
      for (size_t i = 0; i < 2; ++i) {
        const double f = ch.twoToneFreq[i];
        ch.twoToneBound[2 * i] = RoundHalfUp(0.98 * f);
        ch.twoToneBound[2 * i + 1] = RoundHalfUp(1.02 * f);
      }
    }
    ch.Store();
    const int rec = kCodeRecords + 14 * k;
    CopyBits(image, t, rec + 10, 0x08);
    if (type == 0) {
      CopyBytes(image, t, rec + 8, 1);
      CopyBits(image, t, rec + 10, 0xC0);
      CopyBits(image, t, rec + 11, 0x40);
      CopyBits(image, t, rec + 12, 0x80);
    }
  }
}

void RestoreTransmitCodes(datCh& ch, const cmcEeprom& t, int type) {
  for (int k = 0; k < 32; ++k) {
    if (type == 1 || type == 2) {
      ch.Load(datChKind::kTx5Tone, k);
      TakeTemplate(ch, t, kTxCodeDigits, 0, 4);
      TakeTemplate(ch, t, kTxCodeRecords, 0, 10);
      ch.Store();
    } else {
      CopyBits(*ch.Image(), t, kTxCodeRecords + 10 * k + 9, 0x10);
    }
  }
}

void RestoreMskTables(cmcEeprom& image, const cmcEeprom& t) {
  for (int k = 0; k < 8; ++k) {
    const int g = 42637 + 16 * k;
    CopyBytes(image, t, g + 10, 2);
    CopyBits(image, t, g + 12, 0xF8);
    CopyBits(image, t, g + 13, 0xF8);
    CopyBits(image, t, g + 14, 0x80);
  }
  for (int k = 0; k < 32; ++k) CopyBits(image, t, 42779 + 10 * k + 9, 0xC0);
  for (int k = 0; k < 24; ++k) CopyBits(image, t, 43427 + 12 * k + 8, 0x40);
}

}  // namespace

void ApplyRecordFixups(cmcEeprom& image, const cmcEeprom& tmpl, int modelType) {
  const int type = EffectiveModelType(modelType);
  datCh ch(&image);
  RestoreTonePairs(ch, tmpl);
  RestoreScanLists(ch, tmpl);
  RestoreDtmfMemories(ch, tmpl);
  RestoreChannels(ch, tmpl, type);
  RestoreCodeRecords(ch, tmpl, type);
  RestoreTransmitCodes(ch, tmpl, type);
  if (type == 2) RestoreMskTables(image, tmpl);
}

void ApplyConsistencyFixups(cmcEeprom& image, const cmcEeprom& tmpl, int modelType) {
  ApplySettingFixups(image, tmpl, modelType);
  ApplyRecordFixups(image, tmpl, modelType);
}
