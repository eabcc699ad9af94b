#include "channel/datChBank.h"

#include <algorithm>

#include "channel/datCh.h"
#include "channel/datChBits.h"
#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"

namespace {

bool ValidBank(int b) { return b >= 0 && b < cmcImageMap::kBanks; }

constexpr uint8_t kPointerAttrs = datCh::kAttrPriority | datCh::kAttrScanB | datCh::kAttrEmergency | datCh::kAttrStart;

}  // namespace

int datChBank::BankCount(int b) const { return ValidBank(b) ? image_->GetWord(cmcImageMap::kBankCounts + 2 * b) : 0; }

int datChBank::SetBankCount(int b, int count) {
  if (!ValidBank(b)) return 0;
  count = std::clamp(count, 0, 0xFFFF);
  image_->SetWord(cmcImageMap::kBankCounts + 2 * b, count);
  return count;
}

int datChBank::BankFirst(int b) const {
  if (!ValidBank(b)) return 0;
  int first = 0;
  for (int i = 0; i < b; ++i) first += BankCount(i);
  return first;
}

int datChBank::BankLast(int b) const {
  if (!ValidBank(b)) return 0;
  return std::max(BankFirst(b) + BankCount(b) - 1, 0);
}

int datChBank::TotalChannels() const {
  int total = 0;
  for (int b = 0; b < cmcImageMap::kBanks; ++b) total += BankCount(b);
  return total;
}

int datChBank::BankOfOrdinal(int k) const {
  int sum = 0;
  for (int b = 0; b < cmcImageMap::kBanks; ++b) {
    sum += BankCount(b);
    if (sum >= k) return b;
  }
  return 0;
}

int datChBank::BankOfChannel(int n) const {
  if (n < 0) return cmcImageMap::kBanks;
  int sum = 0;
  for (int b = 0; b < cmcImageMap::kBanks; ++b) {
    sum += BankCount(b);
    if (n < sum) return b;
  }
  return cmcImageMap::kBanks;
}

bool datChBank::ChannelInUse(int n) const {
  const int a = cmcImageMap::kChannelMain + cmcImageMap::kChannelMainSize * n;
  return ((image_->GetByte(a) & 0x7F) | image_->GetByte(a + 1) | image_->GetByte(a + 2) | image_->GetByte(a + 3)) != 0;
}

int datChBank::UsedInBank(int b) const {
  if (!ValidBank(b)) return 0;
  const int first = BankFirst(b);
  const int end = std::min(first + BankCount(b), cmcImageMap::kChannelSlots);
  int used = 0;
  for (int n = first; n < end; ++n) used += ChannelInUse(n) ? 1 : 0;
  return used;
}

int datChBank::UsedTotal() const {
  int used = 0;
  for (int b = 0; b < cmcImageMap::kBanks; ++b) used += UsedInBank(b);
  return used;
}

int datChBank::UsedInRange(int first, int last) const {
  if (first < 0 || last >= cmcImageMap::kChannelSlots || first > last) return -1;
  int used = 0;
  for (int n = first; n <= last; ++n) used += ChannelInUse(n) ? 1 : 0;
  return used;
}

dst_BankContext datChBank::Context(int b) const {
  if (!ValidBank(b)) return {};
  return {b, BankFirst(b), BankLast(b), BankCount(b)};
}

bool datChBank::BankFlag(int b) const {
  return ValidBank(b) && datGetBit(image_->GetByte(cmcImageMap::kBankFlags), 7 - b);
}

void datChBank::SetBankFlag(int b, bool on) {
  if (!ValidBank(b)) return;
  uint8_t flags = image_->GetByte(cmcImageMap::kBankFlags);
  datSetBit(flags, 7 - b, on);
  image_->SetByte(cmcImageMap::kBankFlags, flags);
}

void datChBank::SetBankMode(bool on) {
  for (int b = 0; b < cmcImageMap::kBanks; ++b) SetBankCount(b, 0);
  if (on) {
    SetBankCount(0, 4);
    SetBankCount(1, 4);
  } else {
    SetBankCount(0, cmcImageMap::kChannelSlots);
  }
}

bool datChBank::RoomFor(int category, int k) const {
  const int u1 = image_->GetWord(cmcImageMap::kBudgetWord1);
  const int u2 = image_->GetWord(cmcImageMap::kBudgetWord2);
  const int cap = cmcImageMap::kGroupOneLimit;
  if (IsChannelCategory(category)) return 22 * k < cap - u1 && u2 + 38 * k <= cap;
  if (category == kCategoryMdcAlias) return u1 < cap && u2 + 12 * k <= cap;
  return u2 <= cap;
}

int datChBank::MostThatFit(int category, int k) const {
  for (int j = k; j >= 0; --j)
    if (RoomFor(category, j)) return j;
  return 0;
}

void datChBank::MoveChannel(int kind, int from, int to) {
  datCh ch(image_);
  ch.Load(kind, from);
  ch.SetAttr(datCh::kAttrSmarTrunk, BankFlag(BankOfChannel(to)));
  ch.StoreAt(to);
}

int datChBank::DeleteChannel(int kind, int n, int count) {
  if (!datChKind::IsChannel(kind) || count < 1 || count > cmcImageMap::kChannelSlots || n < 0 || n >= count) return 0;
  for (int l = 0; l < cmcImageMap::kScanListCount; ++l) {
    const int rec = cmcImageMap::kScanLists + cmcImageMap::kScanListSize * l;
    uint8_t b8 = image_->GetByte(rec + 8);
    uint8_t b12 = image_->GetByte(rec + 12);
    uint8_t b13 = image_->GetByte(rec + 13);
    for (int j = 0; j < 4; ++j) {
      const int at = rec + 14 + j;
      const int ref = image_->GetByte(at);
      if (ref == n) {
        image_->SetByte(at, 0);
        // The reference kind nibble that pointed at the removed channel falls back.
        if (j == 0 && (b12 & 0xF0) == 0x50) b12 &= 0x0F;
        if (j == 1 && (b12 & 0x0F) == 0x05) b12 &= 0xF0;
        if (j == 2 && (b13 & 0xF0) == 0x50) b13 = static_cast<uint8_t>((b13 & 0x0F) | 0x10);
        if (j == 3 && (b13 & 0x0F) == 0x05) {
          b13 &= 0xF0;
          b8 &= 0x7F;
        }
      } else if (ref > n) {
        image_->SetByte(at, static_cast<uint8_t>(ref - 1));
      }
    }
    image_->SetByte(rec + 8, b8);
    image_->SetByte(rec + 12, b12);
    image_->SetByte(rec + 13, b13);
  }
  for (int i = n + 1; i < count; ++i) MoveChannel(kind, i, i - 1);
  ResetFromDefault(kind, count - 1);
  return kMaskRecord | kMaskLayout;
}

int datChBank::InsertChannel(int kind, int n, int count) {
  if (!datChKind::IsChannel(kind) || count < 1 || count > cmcImageMap::kChannelSlots || n < 0 || n >= count) return 0;
  for (int l = 0; l < cmcImageMap::kScanListCount; ++l) {
    const int rec = cmcImageMap::kScanLists + cmcImageMap::kScanListSize * l;
    for (int j = 0; j < 4; ++j) {
      const int ref = image_->GetByte(rec + 14 + j);
      if (ref >= n && ref < 0xFF) image_->SetByte(rec + 14 + j, static_cast<uint8_t>(ref + 1));
    }
  }
  for (int i = count - 2; i >= n; --i) MoveChannel(kind, i, i + 1);
  ResetFromDefault(kind, n);
  return kMaskRecord | kMaskLayout;
}

void datChBank::ResetFromDefault(int kind, int n) {
  datCh here(image_);
  here.Load(kind, n);
  // The default image is only read: the record is loaded from it, then rebound.
  datCh fresh(const_cast<cmcEeprom*>(defaults_));
  fresh.Load(kind, n);
  fresh.Bind(image_);
  fresh.attr = here.attr;
  fresh.StoreAt(n);
}

void datChBank::BankSizeRange(int b, int& lo, int& hi) const {
  lo = hi = 0;
  if (!ValidBank(b)) return;
  const int count = BankCount(b);
  const int free = MostThatFit(2, cmcImageMap::kChannelSlots - TotalChannels());
  int trailing = 0;
  datCh ch(image_);
  for (int n = BankFirst(b) + count - 1; trailing < count && n >= 0; --n, ++trailing) {
    ch.Load(datChKind::kLmr, n);
    if (ch.inUse || ch.HasAttr(kPointerAttrs)) break;
  }
  lo = count - trailing;
  hi = count + free;
}

int datChBank::ChangeBankSize(int kind, int b, int newCount) {
  if (!ValidBank(b)) return 0;
  int lo = 0, hi = 0;
  BankSizeRange(b, lo, hi);
  newCount = std::clamp(newCount, lo, hi);
  const int count = BankCount(b);
  int mask = kMaskAttrOrBank;
  // Only the channels of the banks move. The slots beyond them are saved nowhere and
  // hold the default image's channels whenever a document is opened, so they keep them.
  int total = TotalChannels();
  if (newCount > count) {
    int pos = count > 0 ? BankLast(b) + 1 : BankFirst(b);
    for (int i = count; i < newCount; ++i, ++pos) {
      mask |= InsertChannel(kind, pos, ++total);
      datCh ch(image_);
      ch.Load(kind, pos);
      if (ch.inUse) {
        ch.inUse = false;
        ch.Store();
      }
    }
  } else if (newCount < count) {
    int pos = BankLast(b);
    for (int i = newCount; i < count; ++i, --pos) mask |= DeleteChannel(kind, pos, total--);
  }
  SetBankCount(b, newCount);
  return mask;
}

int datChBank::MdcAliasCount() const { return image_->GetWord(cmcImageMap::kMdcAliasCount); }

void datChBank::SetMdcAliasCount(int count) {
  image_->SetWord(cmcImageMap::kMdcAliasCount, std::clamp(count, 0, 0xFFFF));
}

void datChBank::IncMdcAliasCount() {
  const int count = MdcAliasCount();
  if (count < cmcImageMap::kMdcAliasSlots) SetMdcAliasCount(count + 1);
}

void datChBank::DecMdcAliasCount() {
  const int count = MdcAliasCount();
  if (count > 0) SetMdcAliasCount(count - 1);
}
