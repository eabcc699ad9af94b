#pragma once
// What the active cell dispatch needs from the program around it: the image and the
// default image, the model family, overlay texts, prompts, the channel clipboard and
// block-operation host, the shell's menu commands, the bank shown by the requesting
// view, what the value codecs read, the modes, the adjustment sequencer's live writes,
// and the shell's reactions to a request. The model controller's side
// implements it; tests use small fakes. Optional services default to doing nothing.
#include <cstdint>
#include <optional>
#include <string>

#include "cell/cmcChoiceContext.h"
#include "channel/datChBank.h"

class cmcCellCapsule;
class cmcEeprom;
class cmcEvMan;
class cmcFCache;
class cmcGTex;
class cmcPresetConfirmations;
class cmcPrompts;
class datChBlockHost;
class datClipCh;
class indMenuCommands;

class indCellHost {
 public:
  virtual ~indCellHost() = default;

  virtual cmcEeprom& Image() = 0;
  // The initial image fresh records come from.
  virtual const cmcEeprom& DefaultImage() = 0;
  // 0 LMR, 1 PMR, 2 QarnPmr, 3 dPMR446 (4 and 5 behave as 0).
  virtual int ModelFamily() = 0;
  // Line 0 of a main overlay key.
  virtual std::string Text(const std::string& key) = 0;
  virtual cmcPrompts& Prompts() = 0;
  virtual datClipCh& Clipboard() = 0;
  virtual datChBlockHost& BlockHost() = 0;
  virtual indMenuCommands& MenuCommands() = 0;

  // The bank of the view that made the request: the memory channel window (mchWin;
  // it may replace row by its current channel) or the sheet. None when no view
  // answers; the dispatch then takes the bank that holds the row.
  virtual std::optional<dst_BankContext> ViewBank(const cmcCellCapsule&, bool /*mchWin*/, int& /*row*/) {
    return std::nullopt;
  }
  // A record row changed: the memory channel window and the sheets follow it.
  virtual void AnnounceRow(int /*category*/, int /*row*/) {}
  // A user action ended: the model controller re-runs its checks, the shell refreshes.
  virtual void AfterUserAction() {}
  // A handler swallowed a key on a restricted setting: tell the user.
  virtual void ReportEditRestricted() {}
  // The memory use figures the budget compares against are recomputed.
  virtual void RecomputeMemory() {}
  // Opens the help file at the context the request names.
  virtual void OpenHelp(const cmcCellCapsule&) {}
  // The memory channel window: whether it is wanted, and showing it (created when absent).
  virtual bool MchWinWanted() { return false; }
  virtual void ShowMchWin() {}
  // The 12 serial-number characters of the radio information record; empty before any.
  virtual std::string RadioSerial() { return {}; }
  // Whether the user has confirmed PMR preset 61, 62 or 63 during this run.
  virtual bool PresetConfirmed(int /*preset*/) { return false; }
  // The confirmations of the reserved PMR presets the preset handling asks through; null
  // in hosts without one (each request then asks afresh).
  virtual cmcPresetConfirmations* PresetConfirmations() { return nullptr; }
  // The 78-byte radio information record of the last identification; empty before any.
  virtual std::string RadioInfo() { return {}; }
  // What the value codecs read: the main overlay, the sheet cell cache holding the
  // choice lists, and where their events go. Null in hosts without them.
  virtual cmcGTex* Overlay() { return nullptr; }
  virtual cmcFCache* CellCache() { return nullptr; }
  virtual cmcEvMan* Events() { return nullptr; }
  virtual bool ExtendedMode() { return false; }
  // The raw reading (0-255) behind an A/D or D/A read-out label.
  virtual int AdReading(int /*label*/) { return 0; }
  // What the value codecs read besides the request, gathered from the accessors above:
  // the overlay, the choice-list cache, the image, the model family, extended mode and
  // where events are posted.
  cmcChoiceContext CodecContext() {
    cmcChoiceContext context;
    context.overlay = Overlay();
    context.cache = CellCache();
    context.image = &Image();
    context.modelType = ModelFamily();
    context.extendedMode = ExtendedMode();
    context.events = Events();
    return context;
  }

  // The model controller's maker reserve mode.
  virtual bool MakerReserveMode() { return false; }
  // Whether Shift was held with the request's key (adjustment values then step by 5).
  virtual bool ShiftHeld() { return false; }
  // The adjustment sequencer: sends adjustment item 5-20, or the byte at an address
  // of the adjustment area, to the radio when the working image differs from the
  // radio mirror.
  virtual void LiveWriteItem(int /*item*/) {}
  virtual void LiveWriteByte(int /*address*/) {}
};
