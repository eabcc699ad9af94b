#include "shell/indCellShell.h"

#include "cell/cmcCellIds.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "shell/indEnviron.h"
#include "shell/indFileMenuCommands.h"
#include "shell/indMain.h"
#include "shell/indModelMenuCommands.h"

namespace {

constexpr size_t kSerialLength = 12;

}  // namespace

indCellShell::indCellShell(indMain& main, indEnviron& environ, cmcGTex& overlay, cmcEvMan& events, cmcPrompts& prompts,
                           std::string exeDir)
    : main_(main),
      environ_(environ),
      overlay_(overlay),
      events_(events),
      prompts_(prompts),
      exeDir_(std::move(exeDir)),
      blockHost_(overlay, events, main),
      cache_(overlay),
      presets_(prompts, overlay) {
  indModelMenuCommands::Register(menu_, main_);
  indFileMenuCommands::Register(menu_, main_);
}

cmcEeprom& indCellShell::Image() { return main_.Working(); }
const cmcEeprom& indCellShell::DefaultImage() { return main_.Initial(); }
int indCellShell::ModelFamily() { return main_.ModelType(); }
std::string indCellShell::Text(const std::string& key) { return overlay_.GetText(key); }
datClipCh& indCellShell::Clipboard() { return main_.Clipboard(); }

bool indCellShell::MakerReserveMode() { return main_.makerReserveMode; }

std::optional<dst_BankContext> indCellShell::ViewBank(const cmcCellCapsule&, bool mchWin, int& row) {
  const auto answer = events_.Ask(mchWin ? kEvAskMchBank : kEvAskBankSheet);
  if (!answer) return std::nullopt;
  if (mchWin) row = static_cast<int>(answer->window);
  return datChBank(&main_.Working(), &main_.Initial()).Context(static_cast<int>(answer->data));
}

bool indCellShell::MchWinExists() { return events_.Ask(kEvAskMchBank) != nullptr; }

void indCellShell::AnnounceRow(int category, int row) {
  if (!MchWinExists()) return;
  if (category == CT_Mch_Win || category == CT_Mch_Win_Pmr446)
    events_.Post(kEvRefreshRow, 0, row);
  else
    events_.Post(kEvMchWinRefresh);
}

void indCellShell::AfterUserAction() {
  main_.MarkModifiedIfChanged();
  if (afterAction_) afterAction_();
  events_.Send(kEvCommandStates);
}

void indCellShell::ReportEditRestricted() {
  ++restrictedReports_;
  blockHost_.Status(Text("GI_AppMess_S_EditRestrected"));
}

void indCellShell::RecomputeMemory() { main_.RecomputeMemory(); }

void indCellShell::OpenHelp(const cmcCellCapsule& request) {
  if (helpOpener_) helpOpener_(exeDir_ + Text("GI_Sys_MyHelpFile"), request);
}

bool indCellShell::MchWinWanted() { return environ_.mchView != 0; }

void indCellShell::ShowMchWin() {
  if (!MchWinExists()) {
    environ_.mchView = 1;
    events_.Send(kEvCommandStates);
    events_.Post(kEvMchWinOpenClose, 0, 0);
  }
  events_.Post(kEvMchPaneShowHide, 0, 1);
}

std::string indCellShell::RadioSerial() {
  const auto& info = main_.RadioInfo();
  if (info[0] != indMain::kRadioInfoSize) return {};
  return std::string(reinterpret_cast<const char*>(info.data()) + indMain::kInfoSerial, kSerialLength);
}

bool indCellShell::PresetConfirmed(int preset) {
  return cmcPresetConfirmations::NeedsConfirmation(preset) && presets_.Confirmed(preset);
}

std::string indCellShell::RadioInfo() {
  const auto& info = main_.RadioInfo();
  if (info[0] != indMain::kRadioInfoSize) return {};
  return std::string(reinterpret_cast<const char*>(info.data()), info.size());
}

bool indCellShell::ExtendedMode() { return main_.extendedMode; }
