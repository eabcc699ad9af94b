#include "shell/indSheetHost.h"

#include <algorithm>
#include <array>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellNumber.h"
#include "cell/indActiveCell.h"
#include "channel/datChBank.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcSheetRef.h"
#include "shell/indCellShell.h"
#include "shell/indEnviron.h"

namespace {

// Sheets without help for their cells.
constexpr const char* kNoCellHelp[] = {"GI_Sheet_TopPage", "GI_Sheet_Memory_CH_Top", "GI_Sheet_TreeTop",
                                       "GI_Sheet_TopPage_ADJ", "GI_Sheet_Maker"};

}  // namespace

indSheetHost::indSheetHost(const Seams& seams)
    : s_(seams),
      selectionTimer_(seams.timers.CreateTimer([this] { OnSelectionSettled(); })),
      task_(seams.timers),
      warningTick_(seams.clock) {
  s_.main.SetView(this);
  dst_MenuCommand callSheet;
  callSheet.execute = [this](cmcCellCapsule& request) {
    if (!request.cell) return;
    // A sheet's own cell must not destroy that sheet under it: the task opens the
    // sheet on its next turn.
    if (request.sheet)
      pendingRef_ = request.cell->argument;
    else
      OpenSheet(request.cell->argument);
  };
  s_.cells.Menu().Add(CallSheet, std::move(callSheet));
  s_.cells.SetAfterAction([this] { ScheduleWarningCheck(); });
  task_.SetCallback<&indSheetHost::OnTask>(this);
  s_.events.Listen<&indSheetHost::OnEvent>(this);
}

indSheetHost::~indSheetHost() {
  s_.events.Unlisten<&indSheetHost::OnEvent>(this);
  s_.cells.SetAfterAction({});
  s_.cells.Menu().Remove(CallSheet);
  s_.main.SetView(nullptr);
  task_.Stop();
  selectionTimer_->Stop();
  current_.reset();
}

void indSheetHost::Start() {
  RebuildTree();
  task_.SetPeriod(kTaskPeriodMs);
}

void indSheetHost::Stop() {
  task_.SetPeriod(-1);
  selectionTimer_->Stop();
}

// ---- sheets ----

void indSheetHost::OpenSheet(const std::string& ref) {
  CloseSheet();
  cmcSheetModel::Position at;
  for (const HistoryEntry& entry : history_)
    if (entry.ref == ref) at = entry.at;
  current_ = std::make_unique<indSheetMaker::Sheet>(s_.maker.Open(ref, s_.view, at));
  ApplyLayoutConditions(ref);
  window_->SheetShown(current_.get());
  window_->Focus(sheetHadFocus_);
}

void indSheetHost::CloseSheet() {
  if (!current_) return;
  const std::string ref = current_->model->Ref();
  history_.remove_if([&](const HistoryEntry& entry) { return entry.ref == ref; });
  history_.push_front({ref, current_->model->CurrentPosition()});
  sheetHadFocus_ = window_->SheetFocused();
  window_->SheetShown(nullptr);
  current_.reset();
}

void indSheetHost::ReopenSheet() {
  if (tree_) {
    RunNode(tree_->Selected());
  } else if (!history_.empty()) {
    OpenSheet(history_.front().ref);
  }
}

void indSheetHost::ApplyLayoutConditions(const std::string& ref) {
  const cmcSheetRef sheet(ref);
  cellHelp_ = std::none_of(std::begin(kNoCellHelp), std::end(kNoCellHelp),
                           [&](const char* name) { return sheet.SheetName() == name; });
  if (s_.environ.pHelpFloatingCheck == 0 && s_.environ.pHelpView == 1 && !pHelpRequested_) {
    s_.events.Post(kEvPHelpOpen, 0, 0);
    pHelpRequested_ = true;
  }
  s_.events.Post(kEvPHelpDockState, 0, cellHelp_ && pHelpRequested_ ? 1 : 0);
  bankSheet_ = sheet.SheetKind() == cmcSheetRef::Kind::kBank;
  if (s_.environ.mchView != 0 && !mchWinRequested_) {
    s_.events.Post(kEvMchWinOpenClose, 0, 0);
    mchWinRequested_ = true;
  }
  s_.events.Post(kEvMchPaneShowHide, 0, bankSheet_ && mchWinRequested_ ? 1 : 0);
}

indPaneLayout::Conditions indSheetHost::LayoutConditions() const {
  return {.bankSheet = bankSheet_,
          .cellHelp = cellHelp_,
          .helpView = s_.environ.pHelpView == 1,
          .mchView = s_.environ.mchView != 0};
}

// ---- the periodic task and the warning checks ----

void indSheetHost::OnTask() {
  if (!pendingRef_.empty()) {
    const std::string ref = std::move(pendingRef_);
    pendingRef_.clear();
    OpenSheet(ref);
  }
  if (!current_ && mainWindowShown_) ReopenSheet();
  if (warningTick_.IsArmed() && warningTick_.Remaining() == 0) {
    RunWarningChecks();
    s_.events.Post(kEvWarningCheckDone);
  }
}

void indSheetHost::ScheduleWarningCheck() { warningTick_.Start(kWarningCheckDelayMs); }

indSheetHost::CheckResult indSheetHost::RunWarningChecks() {
  const CheckResult result = indWarningChecks(s_.overlay, s_.dispatch).Run(s_.main.ModelType());
  if (tree_) {
    tree_->ApplyMarks(result.errors, result.warnings);
    window_->TreeChanged();
  }
  s_.events.Post(kEvRecomputeBankIcons);
  s_.events.Post(kEvRefreshBankHeader);
  return result;
}

// ---- the tree ----

void indSheetHost::RebuildTree() {
  selectionTimer_->Stop();
  tree_ = std::make_unique<indTreeModel>(s_.overlay);
  tree_->Build();
  int32_t delay = 0;
  treeDelay_ = ParseCellDecimal(s_.overlay.GetLine("GI_Sys_TreeChangeDelay", 0), delay) ? std::max(delay, 0) : 0;
  RunWarningChecks();
  CloseSheet();
  s_.events.Send(kEvFilterTree);
  SelectNode(0);
  tree_->AppendModelName(s_.main.ModelType());
  window_->TreeChanged();
}

void indSheetHost::FilterTree() {
  indTreeModel::Filter filter = indTreeModel::FilterFor(s_.main);
  tree_->ApplyFilter(filter);
  // The branches were labelled from the image; the bank captions elsewhere follow.
  for (int bank = 0; bank < indMain::BankCountOf(s_.main.ModelType()); ++bank)
    s_.events.PostText(kEvRelabelBank, 0, bank,
                       indTreeModel::BankLabel(bank, filter.bankNames[static_cast<size_t>(bank)]));
  window_->TreeChanged();
}

void indSheetHost::SelectNode(int node) {
  if (!tree_) return;
  tree_->Select(node);
  window_->TreeChanged();
  selectionTimer_->Start(std::max(treeDelay_, 1));
}

void indSheetHost::SetExpanded(int node, bool expanded) {
  if (!tree_) return;
  tree_->SetExpanded(node, expanded);
  RunWarningChecks();
}

void indSheetHost::OnSelectionSettled() {
  selectionTimer_->Stop();
  if (!tree_ || tree_->Selected() < 0) return;
  const indTreeModel::Node& node = tree_->Nodes()[static_cast<size_t>(tree_->Selected())];
  if (current_ && current_->model->Ref() == node.Target()) return;
  RunNode(tree_->Selected());
}

void indSheetHost::RunNode(int node) {
  if (!tree_ || node < 0 || node >= static_cast<int>(tree_->Nodes().size())) return;
  cmcCellObj cell;
  cell.CopyCell(tree_->Nodes()[static_cast<size_t>(node)].cell);
  s_.dispatch.RunCell(cell, 13);
}

// ---- events ----

void indSheetHost::OnEvent(cmcEvent& event) {
  switch (event.code) {
    case kEvFilterTree:
      if (tree_) FilterTree();
      break;
    case kEvRecomputeBankIcons:
      if (tree_) {
        const datChBank banks(&s_.main.Working(), &s_.main.Initial());
        std::array<bool, 8> enabled{}, holds{};
        for (int b = 0; b < 8; ++b) {
          enabled[static_cast<size_t>(b)] = banks.BankFlag(b);
          holds[static_cast<size_t>(b)] = banks.BankCount(b) != 0;
        }
        tree_->SetBankIcons(enabled, holds);
        window_->TreeChanged();
      }
      break;
    case kEvRelabelBank:
      if (tree_) {
        tree_->RelabelBank(static_cast<int>(event.argument), event.Text());
        window_->TreeChanged();
      }
      break;
    case kEvRelabelBanks: {
      const int bank = static_cast<int>(event.sender);
      if (!tree_ || bank >= 8 || bank > event.argument) break;
      const indTreeModel::Filter filter = indTreeModel::FilterFor(s_.main);
      const std::string label = indTreeModel::BankLabel(bank, filter.bankNames[static_cast<size_t>(bank)]);
      tree_->RelabelBank(bank, label);
      window_->TreeChanged();
      s_.events.PostText(kEvRelabelBanks, bank + 1, event.argument, label);
      break;
    }
    case kEvMchWinOpenClose:
      if (event.argument == 0)
        window_->OpenMchWin();
      else
        s_.events.Send(kEvMchWinClose);
      break;
    case kEvMchPaneShowHide:
      s_.events.Send(event.argument != 0 ? kEvMchPaneShow : kEvMchPaneHide);
      break;
    case kEvPHelpOpen:
      if (event.argument == 0)
        window_->OpenPopupHelp();
      else
        s_.events.Send(kEvPHelpClose);
      break;
    case kEvPHelpDockState:
      if (event.argument >= 0 && event.argument <= 2) {
        constexpr uint8_t kTurnedInto[] = {kEvPHelpHide, kEvPHelpDock, kEvPHelpShow};
        s_.events.Send(kTurnedInto[event.argument]);
      }
      break;
    default:
      break;
  }
}
