#pragma once
// The active cell dispatch's host in the program: the model controller's working and
// initial images, model type, modes, clipboard and memory figures; the main overlay
// with the choice-list cache the value codecs read; the prompts; the block-operation host; the shell's menu commands
// (the model-family items are in from the start); and the views, reached through events: the sheet answers its bank to
// event 28, the memory channel window its bank and current channel to event 53 (answer data the bank, window the
// channel).
#include <functional>
#include <string>

#include "cell/cmcFCache.h"
#include "cell/cmcPresetConfirmations.h"
#include "cell/indCellHost.h"
#include "shell/indBlockHost.h"
#include "shell/indMenuCommandTable.h"

class cmcEvMan;
class indEnviron;
class indMain;

class indCellShell : public indCellHost {
 public:
  // Opens the help file (full path) at the context of the request.
  using HelpOpener = std::function<void(const std::string& file, const cmcCellCapsule& request)>;

  // exeDir ends with "/".
  indCellShell(indMain& main, indEnviron& environ, cmcGTex& overlay, cmcEvMan& events, cmcPrompts& prompts,
               std::string exeDir);

  cmcEeprom& Image() override;
  const cmcEeprom& DefaultImage() override;
  int ModelFamily() override;
  std::string Text(const std::string& key) override;
  cmcPrompts& Prompts() override { return prompts_; }
  datClipCh& Clipboard() override;
  datChBlockHost& BlockHost() override { return blockHost_; }
  indMenuCommands& MenuCommands() override { return menu_; }

  std::optional<dst_BankContext> ViewBank(const cmcCellCapsule& request, bool mchWin, int& row) override;
  void AnnounceRow(int category, int row) override;
  void AfterUserAction() override;
  void ReportEditRestricted() override;
  void RecomputeMemory() override;
  void OpenHelp(const cmcCellCapsule& request) override;
  bool MchWinWanted() override;
  void ShowMchWin() override;
  std::string RadioSerial() override;
  bool PresetConfirmed(int preset) override;
  cmcPresetConfirmations* PresetConfirmations() override { return &presets_; }
  std::string RadioInfo() override;
  cmcGTex* Overlay() override { return &overlay_; }
  cmcFCache* CellCache() override { return &cache_; }
  cmcEvMan* Events() override { return &events_; }
  bool ExtendedMode() override;
  bool MakerReserveMode() override;
  bool ShiftHeld() override { return shiftQuery_ && shiftQuery_(); }

  indMenuCommandTable& Menu() { return menu_; }
  void SetHelpOpener(HelpOpener opener) { helpOpener_ = std::move(opener); }
  // Run after every user action, once the modified flag is up to date (the sheet host
  // schedules its warning check).
  void SetAfterAction(std::function<void()> hook) { afterAction_ = std::move(hook); }
  // The user interface answers whether Shift is held; without it Shift never is.
  void SetShiftQuery(std::function<bool()> query) { shiftQuery_ = std::move(query); }
  // How many keys handlers have refused on restricted settings so far.
  int RestrictedReports() const { return restrictedReports_; }

 private:
  bool MchWinExists();

  indMain& main_;
  indEnviron& environ_;
  cmcGTex& overlay_;
  cmcEvMan& events_;
  cmcPrompts& prompts_;
  std::string exeDir_;
  indBlockHost blockHost_;
  indMenuCommandTable menu_;
  HelpOpener helpOpener_;
  cmcFCache cache_;
  cmcPresetConfirmations presets_;
  std::function<bool()> shiftQuery_;
  std::function<void()> afterAction_;
  int restrictedReports_ = 0;
};
