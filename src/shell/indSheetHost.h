#pragma once
// The model controller's sheet side, without windows: the sheet in the sheet pane,
// opened from a tree reference (its kind from the class tag and option text) where the
// sheet history left it, closed and reopened; the navigation tree's state, rebuilt and
// filtered for the model type, with the selection change delay and the warning and
// error marks; the 50 ms task that reopens a sheet when none is shown and runs the
// warning checks 250 ms after the last of a series of edits; the layout conditions the
// current sheet sets; and the events the controller turns into others. It is the
// document side's view (indMainView), and tells the windows around it what changed.
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "channel/sheets/indSheetMaker.h"
#include "runtime/cmcTask.h"
#include "runtime/cmcTick.h"
#include "shell/indMain.h"
#include "shell/indPaneLayout.h"
#include "shell/indTreeModel.h"
#include "shell/indWarningChecks.h"

class cmcCellCapsule;
class cmcEvMan;
class cmcGTex;
class cmcSheetView;
class indActiveCell;
class indCellShell;
class indEnviron;
struct cmcEvent;

class indSheetHost : public indMainView {
 public:
  // The warning-check tick and the periodic task's period.
  static constexpr int kWarningCheckDelayMs = 250;
  static constexpr int kTaskPeriodMs = 50;

  // What the windows around the host do; every call may be ignored.
  class Window {
   public:
    virtual ~Window() = default;
    // The caption is to be shown again (indMain::Caption).
    virtual void RefreshCaption() {}
    virtual void SetBusyCursor(bool) {}
    virtual void ShowCloneInfo(const std::string& /*sheet*/, const std::string& /*caption*/) {}
    // The sheet in the sheet pane changed; null when none is shown.
    virtual void SheetShown(indSheetMaker::Sheet* /*sheet*/) {}
    // The tree's nodes, captions, icons, marks or selection changed.
    virtual void TreeChanged() {}
    // Whether the keyboard focus is in the sheet pane, and moving it there or to the tree.
    virtual bool SheetFocused() { return false; }
    virtual void Focus(bool /*sheet*/) {}
    // Events 45 and 60 with 0: open the memory channel window, the popup help window.
    virtual void OpenMchWin() {}
    virtual void OpenPopupHelp() {}
  };

  // None of it is owned; all of it outlives the host.
  struct Seams {
    indMain& main;
    indEnviron& environ;
    cmcGTex& overlay;
    cmcEvMan& events;
    indActiveCell& dispatch;
    indCellShell& cells;
    const cmcClock& clock;
    cmcTimerHost& timers;
    const indSheetMaker& maker;
    cmcSheetView& view;  // the sheet pane's
  };

  // A sheet's place when it was last closed, under its reference.
  struct HistoryEntry {
    std::string ref;
    cmcSheetModel::Position at;
  };

  using CheckResult = indWarningChecks::Result;

  // Becomes the document side's view, runs the tree's "CallSheet" command and has every
  // edit schedule the warning check.
  explicit indSheetHost(const Seams& seams);
  ~indSheetHost() override;
  indSheetHost(const indSheetHost&) = delete;
  indSheetHost& operator=(const indSheetHost&) = delete;

  void SetWindow(Window* window) { window_ = window ? window : &noWindow_; }
  // The end of start-up: the tree is built (its first node opens its sheet) and the
  // periodic task runs until Stop.
  void Start();
  void Stop();
  // Sheets are reopened only while the main window is shown.
  void SetMainWindowShown(bool shown) { mainWindowShown_ = shown; }

  // ---- sheets ----
  // Closes the current sheet, then makes the one the reference names at the place
  // the history keeps for it.
  void OpenSheet(const std::string& ref);
  // Remembers the shown sheet's place at the head of the history and destroys it.
  void CloseSheet() override;
  // With a tree, runs the selected node's cell (opening its sheet); without one, opens
  // the history's first entry.
  void ReopenSheet();
  indSheetMaker::Sheet* Current() { return current_.get(); }
  const std::list<HistoryEntry>& History() const { return history_; }

  // ---- warning checks ----
  // (Re)starts the tick: the task runs the checks once it has run out.
  void ScheduleWarningCheck();
  // Evaluates "GI_WarningCheckList" and the bank checks, marks the tree, posts 35 and 29.
  CheckResult RunWarningChecks();

  // ---- the tree ----
  // Builds the tree afresh, filters it, selects its first node and appends the model
  // name to the first node's caption; closes the current sheet.
  void RebuildTree() override;
  indTreeModel* Tree() { return tree_.get(); }
  // The user selects a node: after the delay its cell runs unless the sheet it opens
  // is the one shown.
  void SelectNode(int node);
  // Expanding or collapsing a node runs the warning checks, so that marks move.
  void SetExpanded(int node, bool expanded);
  // Line 0 of "GI_Sys_TreeChangeDelay", in milliseconds.
  int TreeChangeDelay() const { return treeDelay_; }

  // ---- the layout ----
  // Whether the memory channel window was asked for: the View command turns it on and off.
  void SetMchWinRequested(bool requested) { mchWinRequested_ = requested; }
  bool BankSheetShown() const { return bankSheet_; }
  // The current sheet's conditions with the view settings.
  indPaneLayout::Conditions LayoutConditions() const;

  // indMainView
  void RefreshCaption() override { window_->RefreshCaption(); }
  void SetBusyCursor(bool busy) override { window_->SetBusyCursor(busy); }
  void ShowCloneInfo(const std::string& sheet, const std::string& caption) override {
    window_->ShowCloneInfo(sheet, caption);
  }

 private:
  void OnTask();
  void OnEvent(cmcEvent& event);
  void OnSelectionSettled();
  // The tree filtered for the controller's model type and modes (event 25).
  void FilterTree();
  // Runs a tree node's cell as a user's Enter.
  void RunNode(int node);
  // The layout side of opening a sheet: the conditions and the windows that follow.
  void ApplyLayoutConditions(const std::string& ref);

  Seams s_;
  Window noWindow_;
  Window* window_ = &noWindow_;
  std::unique_ptr<indSheetMaker::Sheet> current_;
  std::list<HistoryEntry> history_;
  std::unique_ptr<indTreeModel> tree_;
  int treeDelay_ = 0;
  std::unique_ptr<cmcTimer> selectionTimer_;
  cmcTask task_;
  cmcTick warningTick_;
  std::string pendingRef_;  // a sheet a sheet's own cell asked for: opened by the task
  bool mainWindowShown_ = false;
  bool sheetHadFocus_ = false;
  bool cellHelp_ = false;
  bool bankSheet_ = false;
  bool pHelpRequested_ = false;
  bool mchWinRequested_ = false;
};
