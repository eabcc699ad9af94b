#include "cell/indActiveCell.h"

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/indBlankRows.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indPopupCommands.h"
#include "channel/datChBank.h"
#include "overlay/cmcTextUtil.h"
#include "runtime/cmcFatal.h"

uint8_t indActiveCell::Dispatch(cmcCellCapsule& c, bool fromSheet) {
  if (!c.cell) cmcFatal("The cell dispatch was given no cell.");
  // A key, a text or a command is a user action; a request without one is a redraw.
  const bool userAction = c.keyCode != 0 || c.inputKind != 0 || c.commandArgument != 0;
  const bool typed = c.inputKind == cmcCellCapsule::kInputText;
  c.outputText.clear();
  c.refusal.clear();
  c.typedRead = false;
  c.state &= static_cast<uint8_t>(~(cmcCellCapsule::kWarningMark | cmcCellCapsule::kErrorMark));
  indCellRequest r(c, host_, *this);

  c.jump = {0, static_cast<uint32_t>(r.category), static_cast<uint32_t>(r.label), r.row};
  c.repeatKey = 0;
  if (c.keyCode == cmcCellCapsule::kKeyActivate) c.keyCode = 13;

  bool ended = false;
  if (c.commandArgument == CL_PMenu_Edit) {
    c.keyCode = 13;
    c.commandArgument = 0;
  } else if (c.commandArgument != 0) {
    indPopupCommands::Run(r);
    ended = true;
  }

  if (!ended && !indBlankRows::Jump(r)) {
    const bool onNewRowFreqR =
        r.newRow && datChBank::IsChannelCategory(r.category) && indBlankRows::IsFreqRLabel(r.label);
    if (!onNewRowFreqR || indBlankRows::AddChannel(r)) {
      if (const indCellHandler handler = handlers_.Find(r.label)) {
        handler(r);
        r.TakeCodecAnswer();
      } else
        r.SetText(indCellHandlers::YetText(r.label));
    }
  }

  if (typed) {
    if (r.editRestricted && c.refusal.empty()) c.refusal = host_.Text("GI_AppMess_S_EditRestrected");
    if (!c.typedRead && c.refusal.empty()) c.refusal = "this cell shows a value and takes no typed text";
    // Typing the very text the cell shows is never refused: it names the value it holds.
    if (!c.refusal.empty() && cmcTrim(ShownText(c)) == cmcTrim(c.inputText)) c.refusal.clear();
  }
  if (r.recordLoaded) r.mask |= indCellRequest::kMaskRecord;
  if (fromSheet && c.repaint) c.repaint(c.repaintContext, c, r.mask);
  if (userAction) host_.AfterUserAction();
  if (r.editRestricted) host_.ReportEditRestricted();
  return r.result;
}

std::string indActiveCell::ShownText(const cmcCellCapsule& request) {
  cmcCellObj probe;
  probe.CopyCell(*request.cell);
  cmcCellCapsule c;
  c.cell = &probe;
  c.sheet = request.sheet;
  c.bankIndex = request.bankIndex;
  Dispatch(c, false);
  return c.outputText;
}

std::string indActiveCell::CellText(cmcCellObj& cell, int keyCode) {
  cmcCellCapsule c;
  c.cell = &cell;
  c.keyCode = keyCode;
  return Dispatch(c, false) == indCellRequest::kResultDone ? c.outputText : std::string();
}

uint8_t indActiveCell::RunCell(cmcCellObj& cell, int keyCode) {
  cmcCellCapsule c;
  c.cell = &cell;
  c.keyCode = keyCode;
  return Dispatch(c, false);
}

uint8_t indActiveCell::Probe(int category, int label, int index) {
  cmcCellObj cell;
  cell.category = static_cast<uint32_t>(category);
  cell.label = static_cast<uint32_t>(label);
  cell.index = index;
  cmcCellCapsule c;
  c.cell = &cell;
  c.bankIndex = datChBank(&host_.Image(), &host_.DefaultImage()).BankOfOrdinal(index + 1);
  Dispatch(c, false);
  return c.state;
}

bool indActiveCell::WarningMarkOf(int category, int label, int index) {
  return Probe(category, label, index) & cmcCellCapsule::kWarningMark;
}

bool indActiveCell::ErrorMarkOf(int category, int label, int index) {
  return Probe(category, label, index) & cmcCellCapsule::kErrorMark;
}
