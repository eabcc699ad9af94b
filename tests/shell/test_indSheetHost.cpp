// The sheet host over the program's objects and shipped data: the tree it builds and
// filters, the selection delay, opening, closing and reopening sheets with their
// history, the warning checks on the virtual clock and the marks they leave, and the
// layout conditions with the events that follow a sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cell/cmcCellIds.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellRequest.h"
#include "channel/sheets/indSheetMaker.h"
#include "image/cmcImageMap.h"
#include "runtime/cmcEvCodes.h"
#include "sheet/cmcFixedMeasure.h"
#include "shell/indSheetHost.h"
#include "support/RecordingSheetView.h"
#include "support/TestProgram.h"

namespace {

// The answer of the stand-in user tone check, a check of "GI_WarningCheckList" whose
// target is the "User tones" node under "Signalling".
uint8_t gUserToneMarks = 0;
constexpr const char* kUserTones = "[St_Common]GI_Sheet_UserTone";
constexpr const char* kCommon = "[St_Common]GI_Sheet_Common";
constexpr const char* kTopPage = "GI_Sheet_TopPage";
constexpr const char* kBank0 = "[St_ChBank]GI_Sheet_Mch_Pmr,Bank 0";

indCellHandlers WithStandIns() {
  indCellHandlers table = indCellHandlers::Default();
  table.Replace(CL_Check_User_Tone_Encode, [](indCellRequest& r) { r.capsule.state |= gUserToneMarks; });
  return table;
}

struct RecordingWindow : indSheetHost::Window {
  void RefreshCaption() override { ++captions; }
  void SheetShown(indSheetMaker::Sheet* sheet) override { shown.push_back(sheet ? sheet->model->Ref() : "-"); }
  void TreeChanged() override { ++treeChanges; }
  bool SheetFocused() override { return sheetFocused; }
  void Focus(bool sheet) override { focus.push_back(sheet); }
  void OpenMchWin() override { ++mchWinOpened; }
  void OpenPopupHelp() override { ++helpOpened; }

  int captions = 0;
  std::vector<std::string> shown;  // "-" when the pane emptied
  int treeChanges = 0;
  bool sheetFocused = false;
  std::vector<bool> focus;
  int mchWinOpened = 0;
  int helpOpened = 0;
};

struct HostRig {
  // sections: overlay sections put before the shipped ones.
  explicit HostRig(const std::string& sections = "") : prepared(Prepare(dir, sections)) {
    host->SetWindow(&window);
    gUserToneMarks = 0;
  }
  static bool Prepare(const ProgramDir& dir, const std::string& sections) {
    if (!sections.empty()) dir.PrependSections(sections);
    return true;
  }

  // The tree's node with that target, -1 for none.
  int Node(const std::string& target) { return host->Tree()->FindByTarget(target); }
  const indTreeModel::Node& NodeAt(int i) { return host->Tree()->Nodes()[static_cast<size_t>(i)]; }
  std::string Shown() { return host->Current() ? host->Current()->model->Ref() : ""; }
  int Seen(int code) { return static_cast<int>(std::count(p.seen.begin(), p.seen.end(), code)); }

  ProgramDir dir;
  bool prepared;
  Program p{dir};
  indCellHandlers handlers = WithStandIns();
  indActiveCell dispatch{p.cellHost, handlers};
  cmcFixedMeasure measure;
  RecordingSheetView view;
  indSheetMaker maker{{.overlay = p.mainOverlay,
                       .events = p.events,
                       .image = p.main.Working(),
                       .defaults = p.main.Initial(),
                       .answer = [this](cmcCellCapsule& c, bool act) { return dispatch.Dispatch(c, act); },
                       .model = [this] { return p.main.SheetModel(); },
                       .measure = measure}};
  indSheetHost::Seams Seams() {
    return {p.main, p.environ, p.mainOverlay, p.events, dispatch, p.cellHost, p.clock, p.clock, maker, view};
  }
  std::optional<indSheetHost> host{std::in_place, Seams()};
  RecordingWindow window;
};

int BankNodes(indTreeModel& tree) {
  int n = 0;
  for (const auto& node : tree.Nodes()) n += indTreeModel::BankOfNode(node) >= 0;
  return n;
}

int Children(indTreeModel& tree, int node) {
  int n = 0;
  for (int i = node + 1; i < tree.SubtreeEnd(node); i = tree.SubtreeEnd(i)) ++n;
  return n;
}

TEST(SheetHost, TheTreeFollowsTheModelType) {
  const std::string lmrOnly =
      "#GI_Tree_Main_Body\n+Radio\t{(%CallSheet:GI_Sheet_TopPage)}\n"
      " +LMR only\t{(%CallSheet:[St_Common]GI_Sheet_LmrOnly)(Flag1=1)}\n"
      " +Memory channels\t{(%CallSheet:GI_Sheet_Memory_CH_Top)}\n#\n";
  struct Case {
    const char* name;
    std::string sections;
    std::vector<int> types;
    int bankNodes, memoryChildren;  // under the last type
    bool lmrNode;
  };
  const Case cases[] = {
      {"dPMR446: 7 banks", "", {3}, 7, 8, false},
      {"LMR: 8 banks", "", {0}, 8, 9, false},
      {"PMR: 8 banks", "", {0, 1}, 8, 9, false},
      {"QarnPmr: 8 banks", "", {2}, 8, 9, false},
      {"banks not in use: one child, for bank 0", "#GI_Tree_Branch_Mch_BankOperation\nNone\n", {0}, 1, 1, false},
      {"a class 1 node on LMR", lmrOnly, {0}, 8, 9, true},
      {"gone on PMR", lmrOnly, {0, 1}, 8, 9, false},
      {"back on LMR", lmrOnly, {0, 1, 0}, 8, 9, true},
  };
  for (const auto& c : cases) {
    HostRig rig(c.sections);
    rig.host->Start();
    for (const int type : c.types) rig.p.main.ChangeModelType(type, false);
    indTreeModel& tree = *rig.host->Tree();
    EXPECT_EQ(BankNodes(tree), c.bankNodes) << c.name;
    EXPECT_EQ(Children(tree, rig.Node("GI_Sheet_Memory_CH_Top")), c.memoryChildren) << c.name;
    EXPECT_EQ(rig.Node("[St_Common]GI_Sheet_LmrOnly") >= 0, c.lmrNode) << c.name;
    EXPECT_EQ(tree.Selected(), 0) << c.name << ": a rebuild selects the first node";
    EXPECT_NE(tree.Nodes()[0].caption.find(rig.p.mainOverlay.GetLine("GI_AppInd_Model", c.types.back())),
              std::string::npos)
        << c.name;
  }
}

TEST(SheetHost, SelectingTheShownSheetsNodeDoesNotReopenIt) {
  HostRig rig;
  rig.host->Start();
  ASSERT_EQ(rig.host->TreeChangeDelay(), 300);
  rig.host->SetMainWindowShown(true);
  rig.p.clock.Advance(50);
  EXPECT_EQ(rig.window.shown, std::vector<std::string>{kTopPage}) << "the task opens the first node's sheet";
  rig.p.clock.Advance(400);
  EXPECT_EQ(rig.window.shown.size(), 1u) << "the delayed selection finds its sheet shown";

  const int common = rig.Node(kCommon);
  rig.host->SelectNode(common);
  rig.p.clock.Advance(290);
  EXPECT_EQ(rig.Shown(), kTopPage) << "within the delay";
  rig.p.clock.Advance(20);
  EXPECT_EQ(rig.Shown(), kCommon);
  const cmcSheetModel* shown = rig.host->Current()->model.get();

  rig.host->SelectNode(common);
  rig.p.clock.Advance(400);
  EXPECT_EQ(rig.host->Current()->model.get(), shown);
  EXPECT_EQ(rig.window.shown, (std::vector<std::string>{kTopPage, "-", kCommon}));

  // Selecting again within the delay restarts it: only the last node opens.
  rig.host->SelectNode(rig.Node(kUserTones));
  rig.p.clock.Advance(200);
  rig.host->SelectNode(rig.Node(kTopPage));
  rig.p.clock.Advance(200);
  EXPECT_EQ(rig.Shown(), kCommon);
  rig.p.clock.Advance(150);
  EXPECT_EQ(rig.Shown(), kTopPage);
  EXPECT_EQ(std::count(rig.window.shown.begin(), rig.window.shown.end(), kUserTones), 0);
}

TEST(SheetHost, TheHistoryKeepsEachSheetsPlace) {
  HostRig rig;
  rig.host->OpenSheet(kCommon);
  cmcSheetModel* common = rig.host->Current()->model.get();
  const int row = common->Row();
  common->MoveBySteps(0, 2);
  const cmcSheetModel::Position left = common->CurrentPosition();
  ASSERT_NE(left.row, row);
  const auto at = [&] { return std::pair(rig.host->Current()->model->Col(), rig.host->Current()->model->Row()); };
  rig.window.sheetFocused = true;
  rig.host->OpenSheet(kTopPage);
  rig.host->OpenSheet(kUserTones);
  ASSERT_EQ(rig.host->History().size(), 2u);
  EXPECT_EQ(rig.host->History().front().ref, kTopPage);

  rig.host->OpenSheet(kCommon);
  EXPECT_EQ(at(), std::pair(left.col, left.row));
  EXPECT_EQ(rig.window.focus.front(), false) << "the first sheet: the focus stays in the tree";
  EXPECT_EQ(rig.window.focus.back(), true) << "the grid had the focus when the last sheet closed";
  EXPECT_EQ(rig.host->History().front().ref, kUserTones);
  EXPECT_EQ(rig.host->History().size(), 3u) << "one entry per sheet";

  // Without a tree, reopening takes the history's first entry.
  rig.host->CloseSheet();
  EXPECT_EQ(rig.host->History().front().ref, kCommon);
  rig.host->ReopenSheet();
  EXPECT_EQ(rig.Shown(), kCommon);
  EXPECT_EQ(at(), std::pair(left.col, left.row));
}

TEST(SheetHost, TheWarningCheckRunsOnce250msAfterTheLastEdit) {
  HostRig rig;
  rig.host->Start();
  rig.p.clock.Advance(1000);  // the first node's sheet opened by the delayed selection, and its check
  const int before = rig.Seen(kEvWarningCheckDone);
  rig.p.main.Working().SetByte(41230, 'X');  // an edit the dispatch made
  for (int i = 0; i < 3; ++i) {
    rig.p.cellHost.AfterUserAction();
    rig.p.clock.Advance(100);
  }
  EXPECT_TRUE(rig.p.main.IsModified());
  EXPECT_EQ(rig.window.captions, 1) << "the caption shows the change once";
  rig.p.clock.Advance(140);  // 240 ms after the last edit
  EXPECT_EQ(rig.Seen(kEvWarningCheckDone), before);
  rig.p.clock.Advance(80);
  EXPECT_EQ(rig.Seen(kEvWarningCheckDone), before + 1);
  rig.p.clock.Advance(1000);
  EXPECT_EQ(rig.Seen(kEvWarningCheckDone), before + 1);
}

TEST(SheetHost, AWarningUnderACollapsedBranchMarksTheAncestor) {
  HostRig rig;
  rig.host->Start();
  const int signalling = rig.Node("GI_Sheet_Signal");
  const int userTones = rig.Node(kUserTones);
  ASSERT_FALSE(rig.NodeAt(signalling).expanded);
  gUserToneMarks = cmcCellCapsule::kWarningMark;
  const indSheetHost::CheckResult result = rig.host->RunWarningChecks();
  EXPECT_EQ(result.warnings, std::vector<std::string>{kUserTones});
  EXPECT_EQ(rig.NodeAt(signalling).mark, indTreeModel::kWarningMark);

  rig.host->SetExpanded(signalling, true);
  EXPECT_EQ(rig.NodeAt(signalling).mark, indTreeModel::kNoMark) << "expanding reruns the checks";
  EXPECT_EQ(rig.NodeAt(userTones).mark, indTreeModel::kWarningMark);

  gUserToneMarks = cmcCellCapsule::kWarningMark | cmcCellCapsule::kErrorMark;
  rig.host->SetExpanded(signalling, false);
  EXPECT_EQ(rig.NodeAt(signalling).mark, indTreeModel::kErrorMark) << "an error wins";
  gUserToneMarks = 0;
  rig.host->RunWarningChecks();
  EXPECT_EQ(rig.NodeAt(signalling).mark, indTreeModel::kNoMark);
}

TEST(SheetHost, ASheetSetsTheLayoutConditionsAndItsWindowsFollow) {
  struct Case {
    const char* name;
    const char* ref;
    int mchView, pHelpView;
    int state;
    std::vector<int> sent;  // the events the posted ones turned into
  };
  const Case cases[] = {
      {"a bank sheet with both views", kBank0, 1, 1, 4, {kEvPHelpDock, kEvMchPaneShow}},
      {"the top page: no help, no bank", kTopPage, 1, 1, 1, {kEvPHelpHide, kEvMchPaneHide}},
      {"a common sheet, help view off", kCommon, 0, 0, 7, {kEvPHelpHide, kEvMchPaneHide}},
      {"a bank sheet, help view off", kBank0, 1, 0, 6, {kEvPHelpHide, kEvMchPaneShow}},
  };
  for (const auto& c : cases) {
    HostRig rig;
    rig.p.environ.mchView = c.mchView;
    rig.p.environ.pHelpView = c.pHelpView;
    rig.host->OpenSheet(c.ref);
    rig.p.seen.clear();
    rig.p.clock.Advance(20);
    EXPECT_EQ(indPaneLayout::StateOf(rig.host->LayoutConditions()), c.state) << c.name;
    std::vector<int> turned;
    for (const int code : rig.p.seen)
      if (code == kEvPHelpDock || code == kEvPHelpHide || code == kEvMchPaneShow || code == kEvMchPaneHide)
        turned.push_back(code);
    EXPECT_EQ(turned, c.sent) << c.name;
    EXPECT_EQ(rig.window.mchWinOpened, c.mchView) << c.name;
    EXPECT_EQ(rig.window.helpOpened, c.pHelpView) << c.name;
  }
}

TEST(SheetHost, ASheetsOwnLinkOpensItsSheetOnTheNextTurn) {
  HostRig rig;
  rig.host->Start();
  rig.host->OpenSheet(kTopPage);
  cmcCellObj link;
  link.ParseCell("{(%CT_Null.CallSheet:[St_Common]GI_Sheet_Common)}", nullptr, nullptr, &rig.p.mainOverlay);
  cmcCellCapsule request;
  request.cell = &link;
  request.keyCode = 13;
  request.sheet = rig.host->Current()->model.get();
  rig.dispatch.Dispatch(request, true);
  EXPECT_EQ(rig.Shown(), kTopPage) << "the sheet whose cell runs stays until the request returns";
  rig.p.clock.Advance(50);
  EXPECT_EQ(rig.Shown(), kCommon);
}

TEST(SheetHost, ASecondHostTakesOverTheTreesCommand) {
  HostRig rig;
  rig.host.reset();
  rig.host.emplace(rig.Seams());
  rig.host->Start();
  rig.host->SelectNode(rig.Node(kCommon));
  rig.p.clock.Advance(400);
  EXPECT_EQ(rig.Shown(), kCommon);
}

TEST(SheetHost, BankLabelsFollowTheImage) {
  HostRig rig;
  rig.host->Start();
  const int bank3 = rig.Node("[St_ChBank]GI_Sheet_Mch_Pmr,Bank 3");
  ASSERT_GE(bank3, 0);
  const std::string name = "NEWNAME ";
  for (int i = 0; i < 8; ++i) rig.p.main.Working().SetByte(cmcImageMap::kBankNames + 8 * 3 + i, name[i]);
  rig.p.events.Post(kEvRelabelBanks, 0, 7);
  rig.p.clock.Advance(30);
  EXPECT_NE(rig.NodeAt(bank3).caption, "4: NEWNAME") << "one bank per turn";
  rig.p.clock.Advance(60);
  EXPECT_EQ(rig.NodeAt(bank3).caption, "4: NEWNAME");
}

}  // namespace
