#include "cell/indPopupCommands.h"

#include <cstdio>
#include <string>

#include "cell/cmcCellGrid.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellRegistry.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "channel/datChBlockOps.h"

namespace {

constexpr int kMchWinTicked = 0;  // Flag0 of the menu item

// Hexadecimal digits to a number; false when one is not a digit.
bool HexField(const std::string& text, size_t at, size_t count, long& value) {
  value = 0;
  for (size_t i = at; i < at + count; ++i) {
    const char c = text[i];
    int digit = 0;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else
      return false;
    value = value * 16 + digit;
  }
  return true;
}

}  // namespace

void indPopupCommands::Run(indCellRequest& r) {
  const int command = r.capsule.commandArgument;
  switch (command) {
    case CL_PMenu_Copy:
    case CL_PMenu_Paste:
    case CL_PMenu_CarryUp:
    case CL_PMenu_CarryDown:
    case CL_PMenu_Clear:
    case CL_PMenu_Delete:
    case CL_PMenu_Insert:
      BlockOperation(r, command);
      break;
    case CL_PMenu_Help:
      r.host.OpenHelp(r.capsule);
      break;
    case CL_PMenu_MCHWin:
      MchWin(r);
      break;
    case CL_PMenu_WinCopy:
      WinCopy(r);
      break;
    default:
      break;
  }
}

void indPopupCommands::BlockOperation(indCellRequest& r, int command) {
  if (r.kind == 0) return;
  cmcCellCapsule& c = r.capsule;
  dst_ChBlock block;
  block.multiSel = c.multiSelection;
  block.rangeLo = c.rangeLow;
  block.rangeHi = c.rangeHigh;
  // Carrying banks moves their channels: the operation works on the channel kind.
  int kind = r.kind;
  if (r.category == CT_BankOp && (command == CL_PMenu_CarryUp || command == CL_PMenu_CarryDown))
    kind = RecordKindOf(CT_Mch, r.family);
  datChBlockOps ops(&r.host.Image(), &r.host.DefaultImage(), r.host.Clipboard(), r.host.Prompts(), r.host.BlockHost());
  ops.Run(command, block, r.category, kind, r.row, r.bank);
  c.multiSelection = static_cast<uint8_t>(block.multiSel);
  c.rangeLow = block.rangeLo;
  c.rangeHigh = block.rangeHi;
  if (block.jump) {
    c.jump.set = 1;
    c.jump.category = static_cast<uint32_t>(r.category);
    c.jump.label = static_cast<uint32_t>(r.label);
    c.jump.index = block.jumpRow;
  }
  r.mask |= block.mask;
  r.host.RecomputeMemory();
}

void indPopupCommands::MchWin(indCellRequest& r) {
  r.host.ShowMchWin();
  // The popup item that asked, when it came along as the parent capsule, is ticked
  // while the window is wanted.
  cmcCellCapsule* item = r.capsule.parent;
  if (item && item->cell && item->cell->label == CL_PMenu_MCHWin)
    item->cell->SetFlag(kMchWinTicked, r.host.MchWinWanted());
}

void indPopupCommands::WinCopy(indCellRequest& r) {
  if (r.label != CL_CloneInfo_Esn || !r.capsule.grid) return;
  const std::string serial = r.host.RadioSerial();
  long year = 0, month = 0, number = 0;
  if (serial.size() < 12 || !HexField(serial, 0, 4, year) || !HexField(serial, 4, 2, month) ||
      !HexField(serial, 6, 6, number))
    return;
  char text[80];
  std::snprintf(text, sizeof text, "%04ld%02ld%07ld", year, month, number);
  r.capsule.grid->SetClipboardText(text);
}
