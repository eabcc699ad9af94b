#include "channel/datChBlockOps.h"

#include <algorithm>

#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "runtime/cmcPrompts.h"

namespace {
constexpr int kUserCharLast = cmcImageMap::kUserCharCount - 1;
}

datChBlockOps::datChBlockOps(cmcEeprom* image, const cmcEeprom* defaults, datClipCh& clipboard, cmcPrompts& prompts,
                             datChBlockHost& host)
    : image_(image),
      defaults_(defaults),
      clipboard_(clipboard),
      prompts_(prompts),
      host_(host),
      banks_(image, defaults) {}

bool datChBlockOps::AllowedRange(int category, int kind, const dst_BankContext& bank, int aliasCount, int& lo,
                                 int& hi) {
  const datChKindInfo& info = datChKindOf(kind);
  lo = info.first;
  hi = info.last;
  if (category == 2 || category == 3 || category == 5) {
    lo = std::max(lo, bank.first);
    hi = std::min(hi, bank.first + bank.count - 1);
  } else if (category == datChBank::kCategoryMdcAlias) {
    hi = std::min(hi, aliasCount - 1);
  }
  return lo <= hi;
}

void datChBlockOps::Run(int command, dst_ChBlock& req, int category, int kind, int row, const dst_BankContext& bank) {
  if (category == kCategoryBank && (command == kCmdCarryUp || command == kCmdCarryDown)) {
    CarryBanks(req, kind, row, command == kCmdCarryUp ? -1 : 1);
    return;
  }
  int lo = 0, hi = 0;
  const bool any = AllowedRange(category, kind, bank, banks_.MdcAliasCount(), lo, hi);
  if (!any && command != kCmdInsert) return;
  switch (command) {
    case kCmdCopy:
      Copy(req, kind, row, lo, hi);
      break;
    case kCmdPaste:
      Paste(req, kind, row, lo, hi);
      break;
    case kCmdCarryUp:
      Carry(req, kind, row, lo, hi, -1);
      break;
    case kCmdCarryDown:
      Carry(req, kind, row, lo, hi, 1);
      break;
    case kCmdClear:
      Clear(req, kind, row, lo, hi);
      break;
    case kCmdDelete:
      Delete(req, kind, row, lo, hi, bank);
      break;
    case kCmdInsert:
      Insert(req, category, kind, row, lo, hi, bank);
      break;
    default:
      break;
  }
}

bool datChBlockOps::Block(const dst_ChBlock& req, int row, int lo, int hi, int& first, int& last) const {
  first = last = row;
  if (req.multiSel & dst_ChBlock::kSelBlock) {
    first = std::min(req.rangeLo, req.rangeHi);
    last = std::max(req.rangeLo, req.rangeHi);
  }
  first = std::max(first, lo);
  last = std::min(last, hi);
  return first <= last;
}

bool datChBlockOps::AnyInUse(int kind, int first, int last) const {
  datCh rec(image_);
  for (int i = first; i <= last; ++i) {
    rec.Load(kind, i);
    if (rec.inUse) return true;
  }
  return false;
}

bool datChBlockOps::Confirm(const std::string& key) {
  return prompts_.Ask(cmcPromptIcon::Warning, cmcPromptButtons::OkCancel, host_.Text("GI_Sys_AppTitle"),
                      host_.Text(key)) == cmcPromptAnswer::Ok;
}

void datChBlockOps::Error(const std::string& key) {
  prompts_.Show(cmcPromptIcon::Error, host_.Text("GI_Sys_AppTitle"), host_.Text(key));
}

void datChBlockOps::Select(dst_ChBlock& req, int first, int last) {
  req.multiSel |= dst_ChBlock::kSelResult;
  req.rangeLo = first;
  req.rangeHi = last;
}

void datChBlockOps::Copy(dst_ChBlock& req, int kind, int row, int lo, int hi) {
  int first = 0, last = 0;
  if (row < lo || row > hi || !Block(req, row, lo, hi, first, last)) return;
  clipboard_.Copy(image_, kind, first, last - first + 1);
  Select(req, first, last);
  host_.Status(host_.Text("GI_AppMess_S_Copy"));
}

void datChBlockOps::Paste(dst_ChBlock& req, int kind, int row, int lo, int hi) {
  if (row < lo || row > hi || !clipboard_.CanPaste(kind)) return;
  const int n = std::min(clipboard_.Count(), hi - row + 1);
  if (AnyInUse(kind, row, row + n - 1) && !Confirm("GI_AppMess_Conv_Overwrite")) return;
  clipboard_.Paste(image_, kind, row, n);
  if (n == 1)
    host_.Post(datChBlockHost::kEvRowChanged, row);
  else
    host_.Post(datChBlockHost::kEvRefreshAll, 0);
  Select(req, row, row + n - 1);
  req.mask |= datChBank::kMaskRecord;
  host_.Status(host_.Text("GI_AppMess_S_Paste"));
}

void datChBlockOps::CarryRows(int kind, int first, int last, int step) {
  const int len = last - first + 1;
  const int neighbour = step > 0 ? last + 1 : first - 1;
  if (datChKind::IsChannel(kind)) {
    for (int l = 0; l < cmcImageMap::kScanListCount; ++l) {
      for (int j = 0; j < 4; ++j) {
        const int at = cmcImageMap::kScanLists + cmcImageMap::kScanListSize * l + 14 + j;
        const int ref = image_->GetByte(at);
        if (ref >= first && ref <= last)
          image_->SetByte(at, static_cast<uint8_t>(ref + step));
        else if (ref == neighbour)
          image_->SetByte(at, static_cast<uint8_t>(ref - step * len));
      }
    }
  }
  datClipCh passed, moved;
  passed.Copy(image_, kind, neighbour, 1);
  moved.Copy(image_, kind, first, len);
  moved.Paste(image_, kind, first + step, len);
  passed.Paste(image_, kind, step > 0 ? first : last, 1);
}

void datChBlockOps::Carry(dst_ChBlock& req, int kind, int row, int lo, int hi, int step) {
  int first = row, last = row;
  if (req.multiSel & dst_ChBlock::kSelBlock) {
    first = std::min(req.rangeLo, req.rangeHi);
    last = std::max(req.rangeLo, req.rangeHi);
  }
  if (first < lo || last > hi) return;
  if (step > 0 ? last >= hi : first <= lo) return;
  CarryRows(kind, first, last, step);
  Select(req, first + step, last + step);
  req.jump = true;
  req.jumpRow = step > 0 ? last + step : first + step;
  req.mask |= datChBank::kMaskRecord;
}

void datChBlockOps::RestoreRows(int kind, int first, int last) {
  if (defaults_ == nullptr || first > last) return;
  datClipCh scratch;
  // The default image is only read.
  scratch.Copy(const_cast<cmcEeprom*>(defaults_), kind, first, last - first + 1);
  scratch.PasteRestoring(image_, kind, first, last - first + 1);
  for (int row = first; row <= last; ++row) host_.Post(datChBlockHost::kEvRowChanged, row);
}

void datChBlockOps::Clear(dst_ChBlock& req, int kind, int row, int lo, int hi) {
  int first = 0, last = 0;
  if (!datChKindAllowsRowChange(kind) || !Block(req, row, lo, hi, first, last)) return;
  if (!Confirm("GI_AppMess_Conv_Clear")) return;
  int priority = -1, emergency = -1;
  if (datChKind::IsChannel(kind)) {
    datCh ch(image_);
    for (int i = first; i <= last; ++i) {
      ch.Load(kind, i);
      if (ch.HasAttr(datCh::kAttrPriority)) priority = i;
      if (ch.HasAttr(datCh::kAttrEmergency)) emergency = i;
    }
  }
  RestoreRows(kind, first, last);
  datCh ch(image_);
  if (priority >= 0) {
    ch.Load(kind, priority);
    ch.SetAttr(datCh::kAttrPriorityCleared, true);
    ch.Store();
  }
  if (emergency >= 0) {
    ch.Load(kind, emergency);
    ch.SetAttr(datCh::kAttrEmergencyCleared, true);
    ch.Store();
  }
  req.mask |= datChBank::kMaskRecord;
  host_.Status(host_.Text("GI_AppMess_S_Clear"));
}

void datChBlockOps::ShiftTable(int kind, int first, int len, int tableLast, bool remove) {
  datClipCh rest;
  if (remove) {
    if (first + len <= tableLast) {
      rest.Copy(image_, kind, first + len, tableLast - first - len + 1);
      rest.Paste(image_, kind, first, rest.Count());
    }
    RestoreRows(kind, tableLast - len + 1, tableLast);
  } else {
    if (first + len <= tableLast) {
      rest.Copy(image_, kind, first, tableLast - first - len + 1);
      rest.Paste(image_, kind, first + len, rest.Count());
    }
    RestoreRows(kind, first, std::min(first + len - 1, tableLast));
  }
}

void datChBlockOps::Delete(dst_ChBlock& req, int kind, int row, int lo, int hi, const dst_BankContext& bank) {
  int first = 0, last = 0;
  if (!datChKindAllowsRowChange(kind) || !Block(req, row, lo, hi, first, last)) return;
  if (AnyInUse(kind, first, last) && !Confirm("GI_AppMess_Conv_Delete")) return;
  const int len = last - first + 1;
  if (kind == datChKind::kMdcAlias) {
    for (int i = 0; i < len; ++i) host_.Send(datChBlockHost::kEvDeleteAlias, bank, first);
  } else if (kind == datChKind::kUserChar) {
    ShiftTable(kind, first, len, kUserCharLast, true);
  } else {
    datCh ch(image_);
    int priority = -1, emergency = -1;
    for (int i = first; i <= last; ++i) {
      ch.Load(kind, i);
      if (ch.HasAttr(datCh::kAttrStart)) {
        Error("GI_AppMess_ChErr_DelStart");
        return;
      }
      if (ch.HasAttr(datCh::kAttrPriority)) priority = i;
      if (ch.HasAttr(datCh::kAttrEmergency)) emergency = i;
    }
    if (priority >= 0) {
      ch.Load(kind, priority);
      ch.SetAttr(datCh::kAttrPriorityCleared, true);
      ch.Store();
    }
    if (emergency >= 0) {
      ch.Load(kind, emergency);
      ch.SetAttr(datCh::kAttrEmergencyCleared, true);
      ch.Store();
    }
    host_.SetBulkDelete(true);
    for (int i = 0; i < len; ++i) host_.Send(datChBlockHost::kEvDeleteChannel, bank, first);
    host_.SetBulkDelete(false);
  }
  req.multiSel &= ~dst_ChBlock::kSelResult;
  req.jump = true;
  req.jumpRow = first;
  req.mask |= datChBank::kMaskRecord | datChBank::kMaskLayout;
  host_.Post(datChBlockHost::kEvRefreshAll, 0);
  host_.Status(host_.Text("GI_AppMess_S_Delete"));
}

void datChBlockOps::Insert(dst_ChBlock& req, int category, int kind, int row, int lo, int hi,
                           const dst_BankContext& bank) {
  int first = 0, last = 0;
  // The row just past the range (the new-channel or new-alias row) may take an insert.
  if (!datChKindAllowsRowChange(kind) || !Block(req, row, lo, hi + 1, first, last)) return;
  for (int i = first; i <= last; ++i) {
    if (kind == datChKind::kMdcAlias) {
      if (banks_.MdcAliasCount() > 99 || !banks_.RoomFor(datChBank::kCategoryMdcAlias, 1)) {
        Error("GI_AppMess_ChErr_Overflow");
        return;
      }
      host_.Send(datChBlockHost::kEvInsertAlias, bank, first);
      host_.RecomputeMemory();
    } else if (kind == datChKind::kUserChar) {
      ShiftTable(kind, first, 1, kUserCharLast, false);
    } else {
      if (banks_.TotalChannels() > 127 || !banks_.RoomFor(category, 1)) {
        Error("GI_AppMess_ChErr_Overflow");
        return;
      }
      host_.Send(datChBlockHost::kEvInsertChannel, bank, first);
      host_.RecomputeMemory();
    }
  }
  Select(req, first, last);
  req.mask |= datChBank::kMaskRecord | datChBank::kMaskLayout;
  host_.Status(host_.Text("GI_AppMess_S_Insert"));
}

void datChBlockOps::CarryBanks(dst_ChBlock& req, int kind, int bank, int step) {
  int first = bank, last = bank;
  if (req.multiSel & dst_ChBlock::kSelBlock) {
    first = std::min(req.rangeLo, req.rangeHi);
    last = std::max(req.rangeLo, req.rangeHi);
  }
  if (first < 0 || last >= cmcImageMap::kBanks || first + step < 0 || last + step >= cmcImageMap::kBanks) return;
  auto move = [&](int b) {
    const int other = b + step;
    const int count = banks_.BankCount(b);
    const int passed = banks_.BankCount(other);
    const int start = banks_.BankFirst(b);
    if (count > 0)
      for (int t = 0; t < passed; ++t) CarryRows(kind, start + step * t, start + step * t + count - 1, step);
    banks_.SetBankCount(b, passed);
    banks_.SetBankCount(other, count);
    const bool flag = banks_.BankFlag(b);
    banks_.SetBankFlag(b, banks_.BankFlag(other));
    banks_.SetBankFlag(other, flag);
  };
  if (step > 0)
    for (int b = last; b >= first; --b) move(b);
  else
    for (int b = first; b <= last; ++b) move(b);
  host_.Post(datChBlockHost::kEvBankIcons, 0);
  host_.Post(datChBlockHost::kEvBankRange, std::min(first, first + step), std::max(last, last + step));
  Select(req, first + step, last + step);
  req.jump = true;
  req.jumpRow = step > 0 ? last + step : first + step;
  req.mask |= datChBank::kMaskRecord | datChBank::kMaskLayout;
}
