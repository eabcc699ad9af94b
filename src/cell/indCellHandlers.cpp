#include "cell/indCellHandlers.h"

#include "cell/indAdjParamCells.h"
#include "cell/indAdjustCells.h"
#include "cell/indBankCells.h"
#include "cell/indChannelCells.h"
#include "cell/indCheckCells.h"
#include "cell/indCloneInfoCells.h"
#include "cell/indCommonCells.h"
#include "cell/indDigitalCells.h"
#include "cell/indDtmfCells.h"
#include "cell/indEmergencyCells.h"
#include "cell/indFlexCells.h"
#include "cell/indInertCells.h"
#include "cell/indKeyCells.h"
#include "cell/indMakerCells.h"
#include "cell/indMdcCells.h"
#include "cell/indMemoryStatCells.h"
#include "cell/indMenuCells.h"
#include "cell/indMskCells.h"
#include "cell/indReadoutCells.h"
#include "cell/indRowCaptionCells.h"
#include "cell/indScanListCells.h"
#include "cell/indSetModeCells.h"
#include "cell/indToneCodeCells.h"
#include "cell/indTonePairCells.h"
#include "runtime/cmcFatal.h"

const indCellHandlers& indCellHandlers::Default() {
  static const indCellHandlers table = [] {
    indCellHandlers t;
    indInertCells::Register(t);
    indFlexCells::Register(t);
    indMenuCells::Register(t);
    indRowCaptionCells::Register(t);
    indCheckCells::Register(t);
    indMemoryStatCells::Register(t);
    indReadoutCells::Register(t);
    indChannelCells::Register(t);
    indBankCells::Register(t);
    indCloneInfoCells::Register(t);
    indTonePairCells::Register(t);
    indMskCells::Register(t);
    indDtmfCells::Register(t);
    indScanListCells::Register(t);
    indToneCodeCells::Register(t);
    indSetModeCells::Register(t);
    indCommonCells::Register(t);
    indEmergencyCells::Register(t);
    indKeyCells::Register(t);
    indDigitalCells::Register(t);
    indMakerCells::Register(t);
    indMdcCells::Register(t);
    indAdjustCells::Register(t);
    indAdjParamCells::Register(t);
    return t;
  }();
  return table;
}

void indCellHandlers::Set(int label, indCellHandler handler) {
  if (label < 0 || label >= kSlots || handlers_[static_cast<size_t>(label)] != nullptr)
    cmcFatal("Cell handler registered twice or out of range. (" + std::to_string(label) + ")");
  handlers_[static_cast<size_t>(label)] = handler;
}

void indCellHandlers::SetRange(int first, int last, indCellHandler handler) {
  for (int label = first; label <= last; ++label) Set(label, handler);
}

void indCellHandlers::Replace(int label, indCellHandler handler) {
  if (label >= 0 && label < kSlots) handlers_[static_cast<size_t>(label)] = handler;
}

indCellHandler indCellHandlers::Find(int64_t label) const {
  if (label < 0 || label >= kSlots) return nullptr;
  return handlers_[static_cast<size_t>(label)];
}

std::string indCellHandlers::YetText(int64_t label) { return std::to_string(label) + " *Yet*"; }
