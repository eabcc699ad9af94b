#include "shell/indImageFixups.h"

#include <algorithm>
#include <cstdint>

#include "image/cmcImageMap.h"
#include "shell/indImageBits.h"

using namespace cmcImageMap;

namespace {

constexpr int kSummary = 658;  // first receivable channel; 659-674 the list and bank summaries

bool ChannelInUse(const cmcEeprom& image, int n) {
  const uint8_t* m = image.Data() + kChannelMain + kChannelMainSize * n;
  return ((m[0] & 0x7F) | m[1] | m[2] | m[3]) != 0;
}

bool ReceiveInhibited(const cmcEeprom& image, int n) {
  return (image.Data()[kChannelMain + kChannelMainSize * n] & 0x80) != 0;
}

bool AllBlanks(const cmcEeprom& image, int address, int count) {
  return std::all_of(image.Data() + address, image.Data() + address + count, [](uint8_t b) { return b == ' '; });
}

// Whether one of the 32 key bytes satisfies test.
template <typename Test>
bool AnyKey(const cmcEeprom& image, Test test) {
  return std::any_of(image.Data() + kKeyTable, image.Data() + kKeyTable + 32, test);
}

void CopyHeader(cmcEeprom& image, const cmcEeprom& t) {
  CopyBytes(image, t, kModelCode, 4);  // model code word, header version, 259
  CopyBytes(image, t, 264, 3);
  CopyBytes(image, t, kMakerMarker, 12);
  CopyBits(image, t, kSetModeFlags, 0x80);
  CopyBytes(image, t, 657, 2);
}

// The first channel in use, replaced by the first one that can receive (any in-use
// channel when bit 2 of 665 says inhibited channels count too).
void FindFirstChannel(cmcEeprom& image) {
  const bool anyInUse = GetBit(image, 665, 2);
  bool first = true;
  for (int n = 0; n < kChannelSlots; ++n) {
    if (!ChannelInUse(image, n)) continue;
    if (first) image.SetByte(kSummary, static_cast<uint8_t>(n));
    first = false;
    if (!ReceiveInhibited(image, n) || anyInUse) {
      image.SetByte(kSummary, static_cast<uint8_t>(n));
      return;
    }
  }
}

void FindFirstScanListAndDtmf(cmcEeprom& image, const cmcEeprom& t) {
  CopyBytes(image, t, 659, 2);
  for (int k = 0; k < kScanListCount; ++k)
    if (image.GetByte(kScanLists + kScanListSize * k + 10) & 0x0F) {
      image.SetByte(660, static_cast<uint8_t>(k));
      break;
    }
  CopyBytes(image, t, 661, 1);
  for (int k = 0; k < kDtmfMemoryCount; ++k)
    if (image.GetByte(kDtmfMemories + kDtmfMemorySize * k + 20) != 0) {
      image.SetByte(661, static_cast<uint8_t>(k));
      break;
    }
}

void CopyScanOptionBits(cmcEeprom& image, const cmcEeprom& t) {
  CopyBits(image, t, 665, 0xE8);
  CopyBits(image, t, kPriorityFlags, 0x60);
  CopyBytes(image, t, 666, 1);
}

// Per bank: the position of its first receivable channel, else of its first in-use one.
void FindBankFirstChannels(cmcEeprom& image) {
  int start = 0;
  for (int b = 0; b < kBanks; ++b) {
    const int count = image.GetWord(kBankCounts + 2 * b);
    int position = 0;
    bool found = false;
    for (int p = 0; p < count && start + p < kChannelSlots; ++p) {
      const int n = start + p;
      if (!ChannelInUse(image, n)) continue;
      if (!found) position = p;
      found = true;
      if (!ReceiveInhibited(image, n)) {
        position = p;
        break;
      }
    }
    image.SetByte(667 + b, static_cast<uint8_t>(position));
    start += count;
  }
}

void CopyOptionBytes(cmcEeprom& image, const cmcEeprom& t, int type) {
  if (type != 3) CopyBytes(image, t, kPriorityChannel, 2);  // and the scan-B channel
  if (image.GetByte(41197) == 0) CopyBytes(image, t, 41197, 1);
  CopyBytes(image, t, 36132, 3);
  CopyBits(image, t, 36135, 0xCF);
  if (image.GetByte(45359) == 0) {
    CopyBytes(image, t, 36132, 4);
    CopyBytes(image, t, 45359, 12);
  }
  CopyBits(image, t, 41086, 0x04);
  CopyBits(image, t, 41115, 0x20);
  CopyBytes(image, t, kModelTypeFlags, 2);
  if (type == 0 || type == 3) CopyBits(image, t, 41115, 0x03);
}

// Option bits that say which key functions the key table uses.
void DeriveKeyFlags(cmcEeprom& image, const cmcEeprom& t, int type) {
  const bool lmrLike = type == 0 || type == 3;
  CopyBits(image, t, 41116, 0x04);
  if (lmrLike) CopyBits(image, t, 41116, 0x02);
  SetBit(image, 41116, 0, AnyKey(image, [](uint8_t k) { return k == ' ' || k == 'f'; }));
  SetBit(image, kScramblerPort, 2, AnyKey(image, [](uint8_t k) { return k == 'I'; }));
  if (lmrLike) CopyBits(image, t, 41117, 0x40);
  CopyBits(image, t, 41117, 0x01);

  const int mode = image.GetByte(kScramblerPort) & 0x03;
  for (int i = 0; i < 3; ++i) {
    const auto used = [&](uint8_t k) { return k == '0' + i || k == '3' + i || (k == 'I' && mode == i); };
    const bool on = AnyKey(image, used);
    SetBit(image, kOptionLevels, 1 + i, on);
    if (!on) SetBit(image, kOptionLevels, 5 + i, false);
  }
}

void CopyModelOptions(cmcEeprom& image, const cmcEeprom& t, int type) {
  if (type != 2) CopyBits(image, t, 41118, 0xC0);
  SetBit(image, 41118, 5, !AllBlanks(image, 42611, 8));
  SetBit(image, kEmergencyFlags, 7, !AllBlanks(image, 42619, 8));
  if (type == 0 || type == 3) {
    CopyBits(image, t, 41119, 0x80);
    CopyBits(image, t, kWidthOptions, 0x10);
    CopyBytes(image, t, 41130, 1);
    CopyBytes(image, t, 41148, 1);
  }
  if (type == 1 || type == 2) CopyBytes(image, t, 41134, 1);
}

// The pair at 41182/41183 and its copies at 41190/41191, with presence and lock flags
// in 41192: a locked pair is restored from the copies, an unlocked one refreshes them.
void SyncPairCopies(cmcEeprom& image, const cmcEeprom& t) {
  constexpr int kFlags = 41192;
  if (GetBit(image, kFlags, 3)) {
    if (GetBit(image, kFlags, 5)) image.SetByte(41182, image.GetByte(41190));
    if (GetBit(image, kFlags, 4)) image.SetByte(41183, image.GetByte(41191));
  } else {
    SetBit(image, kFlags, 5, image.GetByte(41182) != 0);
    image.SetByte(41190, image.GetByte(41182));
    SetBit(image, kFlags, 7, false);
    SetBit(image, kFlags, 4, image.GetByte(41183) != 0);
    image.SetByte(41191, image.GetByte(41183));
    SetBit(image, kFlags, 6, false);
  }
  CopyBits(image, t, kFlags, 0x08);
}

void CleanCommentTexts(cmcEeprom& image, const cmcEeprom& t) {
  CopyBits(image, t, 41228, 0x80);
  for (int a = kCloneComments; a < kCloneComments + 2 * kCloneCommentSize; ++a) {
    const uint8_t b = image.GetByte(a);
    if (b < 0x20 || b > 0x7E) image.SetByte(a, ' ');
  }
}

}  // namespace

int EffectiveModelType(int modelType) { return (modelType >= 0 && modelType <= 3) ? modelType : 0; }

int ChannelKindOf(int modelType) { return EffectiveModelType(modelType) + 1; }

void LimitBankCounts(cmcEeprom& image) {
  int sum = 0;
  bool over = false;
  for (int b = 0; b < kBanks; ++b) {
    const int at = kBankCounts + 2 * b;
    sum += image.GetWord(at);
    over = over || sum > kChannelSlots;
    if (over) image.SetWord(at, 0);
  }
}

void ApplySettingFixups(cmcEeprom& image, const cmcEeprom& t, int modelType) {
  const int type = EffectiveModelType(modelType);
  CopyHeader(image, t);
  FindFirstChannel(image);
  FindFirstScanListAndDtmf(image, t);
  CopyScanOptionBits(image, t);
  FindBankFirstChannels(image);
  CopyOptionBytes(image, t, type);
  DeriveKeyFlags(image, t, type);
  CopyModelOptions(image, t, type);
  SyncPairCopies(image, t);
  SetBit(image, 35488, 6, true);
  LimitBankCounts(image);
  CleanCommentTexts(image, t);
}

void CleanUpKeys(cmcEeprom& image) {
  int a = 0, b = 0;
  for (int at = kKeyTable + 15; at >= kKeyTable; --at) {
    switch (image.GetByte(at)) {
      case 27:
        ++a, --b;
        break;
      case 28:
        --a, --b;
        break;
      case 37:
        ++a, ++b;
        break;
      case 38:
        --a, ++b;
        break;
      default:
        continue;
    }
    image.SetByte(at, 'C');
  }
  if (b > 0) SetBit(image, kEmergencyFlags, 5, true);
  if (a > 0) image.SetByte(46737, 1);
}

void MigrateLists(cmcEeprom& image) {
  if (GetBit(image, 41228, 7)) return;
  for (int k = 0; k < 11; ++k) {
    uint8_t* code = image.Data() + 42449 + 14 * k;
    code[10] = static_cast<uint8_t>((code[10] & ~0x03) | (code[12] & 0x03));
    code[12] = static_cast<uint8_t>(code[12] & ~0x0C);
  }
  SetBit(image, 41228, 7, true);
}
