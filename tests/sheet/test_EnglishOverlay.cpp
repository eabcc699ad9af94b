// The shipped English overlay, checked as a whole: every key the program's source
// reads exists, every sheet, menu, tool bar and tree line parses with its models,
// popup menus and target sheets present, every choice list has entries, every sheet
// reachable from the tree renders on each model type's initial image (and in maker
// reserve mode) without "*Yet*" or "error", and every stored setting the cell engine
// handles is on a sheet reachable for each model type it belongs to.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cell/ChooserGrid.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellNames.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcCellRegistry.h"
#include "cell/indActiveCell.h"
#include "cell/indCellHandlers.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcFatal.h"
#include "sheet/cmcSheetDef.h"
#include "sheet/cmcSheetRef.h"
#include "shell/indCellShell.h"
#include "shell/indSheetRender.h"
#include "shell/indTreeModel.h"
#include "support/Slurp.h"
#include "support/TestProgram.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kSuffixes[] = {"Lmr", "Pmr", "PmrB", "DPmr446"};

// Fatal errors become exceptions, so one bad line fails its test with the message
// instead of ending the test program.
class ThrowingSink : public cmcFatalSink {
 public:
  void Report(const std::string& text) override { throw std::runtime_error(text); }
};

class FatalAsException {
 public:
  FatalAsException() { cmcSetFatalSink(&sink_); }
  ~FatalAsException() { cmcSetFatalSink(nullptr); }

 private:
  ThrowingSink sink_;
};

// The keys of the main overlay and their lines, read as the store reads them.
class OverlayKeys {
 public:
  explicit OverlayKeys(const char* file) {
    std::istringstream in(Slurp((fs::path(RX93_DATA_DIR) / file).string()));
    std::string line, key;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > 1 && line[0] == '#' && line != "#End_Of_Ovl") {
        key = line.substr(1);
        if (!lines_.contains(key)) order_.push_back(key);
        dup_ += lines_.contains(key) ? key + " " : "";
        lines_[key];
        continue;
      }
      if (!key.empty()) lines_[key].push_back(line);
    }
  }
  bool Has(const std::string& key) const { return lines_.contains(key); }
  const std::vector<std::string>& Lines(const std::string& key) const { return lines_.at(key); }
  const std::vector<std::string>& Keys() const { return order_; }
  const std::string& Duplicates() const { return dup_; }
  // A sheet N is its three sections.
  bool HasSheet(const std::string& n) const { return Has(n + "_Style") && Has(n + "_BasicCell") && Has(n + "_Cells"); }
  // A menu, tool bar, popup menu or tree N is a basic cell and a body.
  bool HasMenu(const std::string& n) const { return Has(n + "_BasicCell") && Has(n + "_Body"); }

 private:
  std::map<std::string, std::vector<std::string>> lines_;
  std::vector<std::string> order_;
  std::string dup_;
};

const OverlayKeys& Keys() {
  static const OverlayKeys keys("RX93KITD_ENG.OVL");
  return keys;
}

// The language index and the help-name overlay hold the few keys the main one does not.
bool InOtherOverlays(const std::string& key) {
  static const OverlayKeys index("RX93KITD.OVL");
  static const OverlayKeys help("RX93KITD_ENG_HELP.OVL");
  return index.Has(key) || help.Has(key);
}

// Every "GI_" name inside a string literal of the program's source (tests excluded),
// with each "%s" filled by every model type's name suffix and each "%d" by 0.
std::set<std::string> KeysTheSourceReads() {
  std::set<std::string> keys;
  const std::regex literal(R"re("((?:[^"\\\n]|\\.)*)")re");
  const std::regex name(R"(GI_[A-Za-z0-9_%]+)");
  for (const char* dir : {"src", "apps"}) {
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(RX93_DATA_DIR) / ".." / dir)) {
      const std::string ext = entry.path().extension().string();
      if (ext != ".cpp" && ext != ".h") continue;
      const std::string text = Slurp(entry.path().string());
      for (std::sregex_iterator l(text.begin(), text.end(), literal), end; l != end; ++l) {
        const std::string body = (*l)[1];
        for (std::sregex_iterator n(body.begin(), body.end(), name); n != end; ++n) {
          std::string key = (*n)[0];
          if (key.back() == '_') continue;  // a prefix the code completes
          size_t d;
          while ((d = key.find("%d")) != std::string::npos) key.replace(d, 2, "0");
          if (key.find("%s") == std::string::npos) {
            keys.insert(key);
            continue;
          }
          for (const char* suffix : kSuffixes) {
            std::string filled = key;
            filled.replace(filled.find("%s"), 2, suffix);
            keys.insert(filled);
          }
        }
      }
    }
  }
  return keys;
}

TEST(EnglishOverlay, DefinesEveryKeyOnce) { EXPECT_EQ(Keys().Duplicates(), ""); }

TEST(EnglishOverlay, HoldsEveryKeyTheProgramReads) {
  const std::set<std::string> keys = KeysTheSourceReads();
  ASSERT_GT(keys.size(), 150u);
  for (const auto& key : keys) {
    const bool found = key.starts_with("GI_Sheet_") ? Keys().HasSheet(key)
                                                    : Keys().Has(key) || Keys().HasMenu(key) || InOtherOverlays(key);
    EXPECT_TRUE(found) << key;
  }
}

// Everything the overlay itself names: popup menus and the sheets that links, tree
// nodes and check cells open. Each missing name is reported once, with the first
// place that names it.
class NameCheck {
 public:
  ~NameCheck() {
    for (const auto& [problem, where] : problems_) ADD_FAILURE() << problem << " (first named by " << where << ")";
  }
  void Check(const cmcCellObj& cell, const std::string& where) {
    const std::string popup(cell.PopupMenuName());
    if (!popup.empty() && !Keys().HasMenu(popup)) problems_.emplace("no popup menu " + popup, where);
    if (cell.label == CallSheet && cell.category == CT_Null && !Keys().HasSheet(cmcSheetRef(cell.argument).SheetName()))
      problems_.emplace("no sheet " + cell.argument, where);
  }

 private:
  std::map<std::string, std::string> problems_;
};

class ShippedOverlay : public ::testing::Test {
 protected:
  ShippedOverlay() { overlay_.SetFile(std::string(RX93_DATA_DIR) + "/RX93KITD_ENG.OVL"); }

  // Parses every line of a menu-like body, checking the names its cells give.
  void ParseBody(const std::string& name) {
    ForEachBodyCell(
        name, [&](const cmcCellObj& cell, size_t line) { names_.Check(cell, name + " line " + std::to_string(line)); });
  }

  // Parses every line of a menu-like body over its basic cell and hands on each cell.
  template <typename Visit>
  void ForEachBodyCell(const std::string& name, Visit visit) {
    SCOPED_TRACE(name);
    cmcCellObj basic;
    basic.ParseCell(overlay_.GetLine(name + "_BasicCell", 0), nullptr, nullptr, &overlay_);
    const auto& lines = Keys().Lines(name + "_Body");
    for (size_t i = 0; i < lines.size() && !lines[i].starts_with("#"); ++i) {
      const size_t plus = lines[i].find('+');
      const std::string descriptor = plus == std::string::npos ? lines[i] : lines[i].substr(plus + 1);
      cmcCellObj cell;
      try {
        cell.ParseCell(descriptor, nullptr, &basic, &overlay_);
      } catch (const std::exception& e) {
        ADD_FAILURE() << "line " << i << ": " << e.what();
        continue;
      }
      visit(cell, i);
    }
  }

  FatalAsException fatal_;
  cmcGTex overlay_;
  NameCheck names_;
};

TEST_F(ShippedOverlay, EverySheetParsesOnEveryModelType) {
  int sheets = 0;
  for (const auto& key : Keys().Keys()) {
    if (!key.ends_with("_Cells")) continue;
    const std::string name = key.substr(0, key.size() - 6);
    if (!Keys().Has(name + "_Style")) continue;
    ++sheets;
    for (int family = 0; family <= 3; ++family) {
      for (bool maker : {false, true}) {
        SCOPED_TRACE(name + " family " + std::to_string(family) + (maker ? " maker" : ""));
        cmcSheetDef def(overlay_, name, cmcSheetRef::Kind::kCommon, {family, false, maker, 0x18});
        try {
          def.Build();
        } catch (const std::exception& e) {
          ADD_FAILURE() << e.what();
          continue;
        }
        for (int r = 0; r < def.RowCount(); ++r)
          for (int k = 0; k < def.ColCount(); ++k)
            names_.Check(def.CellAt(k, r), name + " row " + std::to_string(r) + " col " + std::to_string(k));
      }
    }
  }
  EXPECT_GT(sheets, 100);
}

TEST_F(ShippedOverlay, EveryMenuToolBarAndTreeLineParses) {
  for (const char* name : {"GI_Menu_Main", "GI_ToolBar_Main", "GI_ToolBar_Main_Limited", "GI_Tree_Main"}) {
    ASSERT_TRUE(Keys().HasMenu(name)) << name;
    ParseBody(name);
  }
  for (const auto& key : Keys().Keys())
    if (key.starts_with("GI_PMenu_") && key.ends_with("_Body")) ParseBody(key.substr(0, key.size() - 5));
  for (const char* key : {"GI_Tree_Branch_Mch_BankOperation", "GI_Tree_Branch_Mch_Bank"}) {
    cmcCellObj cell;
    const std::string line = indTreeModel::FillFormat(overlay_.GetLine(key, 0), "Lmr", 0);
    if (line == "None") continue;
    cell.ParseCell(line, nullptr, nullptr, &overlay_);
    names_.Check(cell, key);
  }
  for (const auto& line : Keys().Lines("GI_WarningCheckList")) {
    if (line.starts_with("#")) break;
    cmcCellObj cell;
    cell.ParseCell(line, nullptr, nullptr, &overlay_);
    EXPECT_TRUE(Keys().HasSheet(cmcSheetRef(cell.argument).SheetName())) << "warning check " << line;
  }
}

// The help-name overlay's two maps: a topic for every command of the main menu and
// tool bars, and for every label bound on a sheet (choice lists excepted).
TEST_F(ShippedOverlay, GivesEveryCommandAndSheetCellAHelpTopic) {
  const OverlayKeys help("RX93KITD_ENG_HELP.OVL");
  auto topics = [&](const std::string& section) {
    std::set<std::string> names;
    for (const auto& line : help.Lines(section)) {
      if (line == "#") break;
      const size_t tab = line.find('\t');
      if (tab != std::string::npos && tab + 1 < line.size()) names.insert(line.substr(0, tab));
    }
    return names;
  };
  const std::set<std::string> commands = topics("GI_AppItem_KeyName_to_HtmlHelpName");
  const std::set<std::string> cells = topics("GI_AppItem_CellName_to_HtmlHelpName");
  for (const char* name : {"GI_Menu_Main", "GI_ToolBar_Main", "GI_ToolBar_Main_Limited"}) {
    ForEachBodyCell(name, [&](const cmcCellObj& cell, size_t) {
      if (cell.label == kNoLabel || cell.label == CL_Null) return;
      EXPECT_TRUE(commands.contains(std::string(LabelNameOf(cell.label)))) << name << ": " << LabelNameOf(cell.label);
    });
  }
  std::set<std::string> missing;
  for (const auto& key : Keys().Keys()) {
    if (!key.starts_with("GI_Sheet_") || key.starts_with("GI_Sheet_Sel_") || !key.ends_with("_Cells")) continue;
    const std::string name = key.substr(0, key.size() - 6);
    for (int family = 0; family <= 3; ++family) {
      cmcSheetDef def(overlay_, name, cmcSheetRef::Kind::kCommon, {family, false, true, 0x18});
      def.Build();
      for (int r = 0; r < def.RowCount(); ++r) {
        for (int k = 0; k < def.ColCount(); ++k) {
          const uint32_t label = def.CellAt(k, r).label;
          if (label < kNoLabel && label != CL_Null && !cells.contains(std::string(LabelNameOf(label))))
            missing.insert(std::string(LabelNameOf(label)) + " on " + name);
        }
      }
    }
  }
  for (const auto& m : missing) ADD_FAILURE() << "no help topic for " << m;
}

// Column widths are kept per sheet under the sub-name "GI_CellWidthRegList" gives it:
// every sheet but the popup editors has one of its own.
TEST(EnglishOverlay, GivesEverySheetItsOwnColumnWidthName) {
  std::map<std::string, std::string> subNames;
  std::set<std::string> used;
  for (const auto& line : Keys().Lines("GI_CellWidthRegList")) {
    const size_t colon = line.find(':');
    if (line.starts_with("#") || colon == std::string::npos) break;
    subNames[line.substr(0, colon)] = line.substr(colon + 1);
    EXPECT_TRUE(used.insert(line.substr(colon + 1)).second) << "sub-name used twice: " << line;
  }
  for (const auto& key : Keys().Keys()) {
    if (!key.starts_with("GI_Sheet_") || key.starts_with("GI_Sheet_Sel_") || !key.ends_with("_Cells")) continue;
    const std::string name = key.substr(0, key.size() - 6);
    if (name == "GI_Sheet_FBitsR") continue;  // the flag editor, a popup sheet
    EXPECT_TRUE(subNames.contains(name)) << name;
  }
}

// The choice lists: each is a sheet whose entries carry a key label (one of the Flex
// labels) with the entry's value as index.
TEST_F(ShippedOverlay, EveryChoiceListHasEntries) {
  int lists = 0;
  for (const auto& key : Keys().Keys()) {
    if (!key.starts_with("GI_Sheet_Sel_") || !key.ends_with("_Cells")) continue;
    const std::string name = key.substr(0, key.size() - 6);
    ++lists;
    cmcSheetDef def(overlay_, name, cmcSheetRef::Kind::kPlain, {});
    def.Build();
    int entries = 0;
    for (int r = 0; r < def.RowCount(); ++r)
      for (int k = 0; k < def.ColCount(); ++k)
        entries += def.CellAt(k, r).label >= Flex0 && def.CellAt(k, r).label <= FlexLockCh;
    EXPECT_GT(entries, 0) << name;
  }
  EXPECT_GT(lists, 100);
}

// A label as a sheet binds it: its category and the first index it is shown with.
struct Binding {
  uint32_t category;
  int32_t index;
};

// The initial images of the model types 0-3.
constexpr const char* kInitialImages[] = {"RX93LMR.qcl", "RX93PMR.qcl", "RX93QPMR.qcl", "RX93DPMR.qcl"};

// The sheets reachable from the tree, rendered on the program's initial images.
class TreeSheets : public ::testing::Test {
 protected:
  TreeSheets() : program_(dir_), render_(program_.main, program_.mainOverlay, program_.events, program_.dispatch) {}

  // The labels shown on the sheets of the tree for a model type; failures for every
  // bound cell showing "*Yet*" (outside the adjustment procedures) or "error".
  std::map<uint32_t, Binding> Walk(int family, bool maker) {
    program_.main.ChangeModelType(family, true);
    program_.main.makerReserveMode = maker;
    std::map<uint32_t, Binding> shown;
    const auto sheets = render_.TreeSheets();
    EXPECT_GT(sheets.size(), 20u);
    for (const auto& sheet : sheets) {
      const std::string trace = sheet.ref + " on model type " + std::to_string(family) + (maker ? " (maker)" : "");
      try {
        render_.Render(sheet.ref, [&](const cmcCellObj& cell, const std::string& text) {
          if (cell.category == kNoCategory && cell.label == kNoLabel) return;
          shown.emplace(cell.label, Binding{cell.category, cell.index});
          const std::string where = trace + ": " + std::string(LabelNameOf(cell.label)) + "[" +
                                    std::to_string(cell.index) + "] shows '" + text + "'";
          if (text.find("*Yet*") != std::string::npos && !AdjustmentProcedure(cell.label, sheet.ref))
            ADD_FAILURE() << where;
          if (text.find("error") != std::string::npos) ADD_FAILURE() << where;
        });
      } catch (const std::exception& e) {
        ADD_FAILURE() << trace << ": " << e.what();
      }
    }
    program_.main.makerReserveMode = false;
    return shown;
  }

  // The guided adjustment cells wait for the adjustment sequencer; they may show
  // "*Yet*" on the adjustment sheets only.
  static bool AdjustmentProcedure(uint32_t label, const std::string& ref) {
    const std::string_view name = LabelNameOf(label);
    const bool sequencer = name.starts_with("CL_Adjust_Auto_") || name.starts_with("CL_Adjust_ChNo") ||
                           name == "CL_Adjust_ChRfPow" || name.starts_with("CL_Adjust_ModRatio_") ||
                           name.starts_with("CL_Adjust_Bpf") || name.ends_with("_Sweep") ||
                           name.starts_with("CL_Adjust_Smeter");
    return sequencer && (ref == "GI_Sheet_Maker_Procedure" || ref == "GI_Sheet_TopPage_ADJ");
  }

  FatalAsException fatal_;
  ProgramDir dir_;
  Program program_;
  indSheetRender render_;

  // Changes a setting as a user would from the sheet being rendered: the space key,
  // or, when that leaves the image as it was, the first of a few typed texts that
  // changes it.
  void Change(const cmcCellObj& shown) {
    const cmcEeprom& image = program_.main.Working();
    const std::vector<uint8_t> before(image.Data(), image.Data() + image.GetSize());
    auto changed = [&] { return !std::equal(before.begin(), before.end(), image.Data()); };
    cmcCellObj cell;
    cell.CopyCell(shown);
    ChooserGrid grid;
    cmcCellCapsule key;
    key.cell = &cell;
    key.keyCode = ' ';
    key.grid = &grid;
    render_.Send(key);
    for (const char* text : {"A", "1", "100.0"}) {
      if (changed()) return;
      cmcCellCapsule typed;
      typed.cell = &cell;
      typed.grid = &grid;
      typed.inputKind = cmcCellCapsule::kInputText;
      typed.inputText = text;
      render_.Send(typed);
    }
  }

  // Whether a change of the cell (as Change makes it) on the model type's initial image
  // is lost when the document is saved and opened again.
  bool LostOnSaving(int family, const Binding& binding, uint32_t label) {
    program_.main.ChangeModelType(family, true);
    EXPECT_FALSE(program_.main.OpenCloneFile(dir_.Dir() + kInitialImages[family], false));
    cmcCellObj cell;
    cell.category = binding.category;
    cell.label = label;
    cell.index = binding.index;
    const std::string initial = program_.dispatch.CellText(cell, 0);
    Change(cell);
    const std::string changed = program_.dispatch.CellText(cell, 0);
    if (changed == initial) return false;
    const std::string saved = dir_.Dir() + "probe.qcl";
    EXPECT_FALSE(program_.main.SaveCloneFile(saved));
    EXPECT_FALSE(program_.main.OpenCloneFile(saved, false));
    return program_.dispatch.CellText(cell, 0) != changed;
  }
};

// Labels that are no stored setting: commands, captions, marks, statistics,
// read-outs, and labels that draw nothing.
bool StoredSetting(uint32_t label) {
  const std::string_view n = LabelNameOf(label);
  if (label <= FlexLockCh || n.starts_with("CL_Menu_") || n.starts_with("CL_Model_") || n.starts_with("CL_Help_") ||
      n.starts_with("CL_Check_") || n.starts_with("CL_CloneInfo_") || n.starts_with("CL_PMenu_") ||
      n.starts_with("CL_Misc_") || n.starts_with("CL_WinAD_") || n.starts_with("CL_WinDA_") ||
      n.starts_with("CL_Language") || n.starts_with("CL_Langage") || n.starts_with("CL_EeDebugWin_"))
    return false;
  static const std::set<uint32_t> notStored = {CL_TopPage_Name,
                                               CL_AppInfo_Revision,
                                               CallSheet,
                                               CL_MchWin_No,
                                               CL_Mch_No,
                                               CL_Mch_No_Pmr,
                                               CL_Bank_SmarTrunk,
                                               CL_Bank_UsedQty,
                                               CL_Bank_UsedTotal,
                                               CL_Bank_UsedLeft,
                                               CL_Mch_Bank_Total,
                                               CL_Mch_Bank_Left,
                                               CL_Mch_UsedCHs,
                                               CL_Mch_UsedCHs_Total,
                                               CL_Mch_UsedCHs_Left,
                                               CL_ExtPort_ChSW_Table_MoveCH,
                                               CL_Comm_ChAnnounceOnOff,
                                               CL_Dtmf_ChNo};
  if (notStored.contains(label)) return false;
  if (label >= CL_Mdc_Alias2_Strip && label <= CL_Mdc_Alias5_Text) return false;
  return true;
}

// Bits: the model types a label belongs to (1 LMR, 2 PMR, 4 QarnPmr, 8 dPMR446); 0
// for a label kept off the sheets on purpose.
int ModelTypesOf(uint32_t label) {
  constexpr int L = 1, P = 2, Q = 4, D = 8, All = L | P | Q | D;
  struct One {
    uint32_t label;
    int types;
  };
  static const One kLabels[] = {
      // Channel settings that one family shows through another label of the same bits.
      {CL_Mch_Nar, L | D},
      {CL_Mch_WNM, Q},
      {CL_Mch_SigType_Log_Lmr, L | D},
      {CL_Mch_SigType_Dec_Lmr, D},
      {CL_Mch_Log_Msk, Q},
      {CL_Mch_2Tone, L | D},  // QarnPmr channels carry no 2-tone fields
      {CL_Mch_RxCNo2, L | D},
      {CL_Mch_Mdc_On, L | Q},  // dPMR446 radios have no MDC
      {CL_Mch_Mdc_System, L | Q},
      {CL_Mch_Nar_Pmr, 0},      // the width without the preset channels' lock; the sheets use CL_Mch_WNM_Pmr
      {CL_Mch_Log_Msk_Pmr, 0},  // PMR radios have no MSK; the bits are CL_Mch_SigType_Log_Pmr's
      {CL_KDisp_Key_Pmr446_RightUp, D},
      {CL_KDisp_Key_Pmr446_Upper, D},
      {CL_KDisp_Key_Pmr446_Lower, D},
      {CL_KDisp_Key_Pmr446_Opf1, D},
      {CL_Comm_Tot, D},  // shown while image byte 0x10B bit 4 is set, on dPMR446
      {CL_Comm_Tot_ID_Out, P | Q | D},
      {CL_Comm_Tot_Dtmf_ID_Out, L},
      {CL_Comm_LockoutDig, Q | D},
      {CL_Comm_Dig_Rs232c_Speed, D},
      {CL_Comm_Dig_Rs232c_Mode, D},
      {CL_Comm_Msk_DosTimer, Q},
      {CL_Comm_Msk_CoastTimer, Q},
      {CL_Comm_Msk_Mdc_SelfID, L | P | Q},
      {CL_Emer_QARN_Code_Mandown, Q},
      {CL_Emer_QARN_Code_LoneWorker, Q},
      {CL_Emer_QARN_Code_EmerKey, Q},
      {CL_Dtmf_CodeID, L},  // the emergency and ID memories of LMR radios
      {CL_Dtmf_CodeEmer, L},
      {CL_ScanList_Prio1_CH, L | P | Q},  // bank and channel
      {CL_ScanList_Prio2_CH, L | P | Q},
      {CL_ScanList_TX_CH, L | P | Q},
      {CL_ScanList_Prio1_CH_29SR, D},  // channel only
      {CL_ScanList_Prio2_CH_29SR, D},
      {CL_ScanList_TX_CH_29SR, D},
      {CL_ScanComm_AutoChCall_PmrOnly, P | Q},
      {CL_Maker_Digital_TxPolar, Q | D},
      {CL_Maker_Digital_RxPolar, Q | D},
      {CL_Maker_Digital_Let, Q | D},
      {CL_Maker_Digital_Tack, Q | D},
  };
  struct Range {
    uint32_t first, last;
    int types;
  };
  static const Range kRanges[] = {
      {CL_Mch_No, CL_Mch_Scrm_Code, L | Q | D},
      {CL_Mch_No_Pmr, CL_Mch_Scrm_Code_Pmr, P},
      {CL_Mch_CB, CL_Mch_CTone_Edit, P},
      {CL_Mch_Atr_Pmr446, CL_Mch_Lockout_Pmr446, D},
      {CL_Mch_Msk_Sig, CL_Mch_Msk_RxCNo, Q},
      {CL_Mch_Dig_Sig, CL_Mch_Dig_Sig, D},
      {CL_Msk_AdrRange_Individual, CL_Msk_Presl_Ptt_Side, Q},
      {CL_Dig_ProgMes_Busy, CL_Dig_Tim_L0Level, D},
      {CL_Mdc_System_List_Text, CL_Mdc_General_Log_Action_Type, L | P | Q},
  };
  for (const auto& one : kLabels)
    if (label == one.label) return one.types;
  for (const auto& r : kRanges)
    if (label >= r.first && label <= r.last) return r.types;
  return All;
}

// Every stored setting a tree sheet shows, changed once on the model type's initial
// image (stepped with the space key, or, where that changes nothing, typed in), shows
// the same after the document is saved and opened again: a sheet never offers a
// setting that saving drops or puts back.
TEST_F(TreeSheets, KeepEveryChangeOfTheirSettingsThroughSavingAndOpening) {
  const std::string saved = dir_.Dir() + "saved.qcl";
  auto changeable = [](const cmcCellObj& cell) {
    const std::string_view name = LabelNameOf(cell.label);
    // A key on the new-channel row's frequency adds a channel; the bank mode resets the banks.
    return StoredSetting(cell.label) && !name.starts_with("CL_Mch_FreqR") && cell.label != CL_Bank_SelBankFree;
  };
  for (int family = 0; family <= 3; ++family) {
    program_.main.ChangeModelType(family, true);
    for (bool maker : {false, true}) {
      program_.main.makerReserveMode = maker;
      for (const auto& sheet : render_.TreeSheets()) {
        ASSERT_FALSE(program_.main.OpenCloneFile(dir_.Dir() + kInitialImages[family], false));
        render_.Render(sheet.ref, [&](const cmcCellObj& shown, const std::string&) {
          if (changeable(shown)) Change(shown);
        });
        std::map<std::string, std::string> before, after;
        auto collect = [&](std::map<std::string, std::string>& texts) {
          render_.Render(sheet.ref, [&](const cmcCellObj& cell, const std::string& text) {
            if (changeable(cell))
              texts[std::string(LabelNameOf(cell.label)) + "[" + std::to_string(cell.index) + "]"] = text;
          });
        };
        collect(before);
        ASSERT_FALSE(program_.main.SaveCloneFile(saved));
        ASSERT_FALSE(program_.main.OpenCloneFile(saved, false));
        collect(after);
        for (const auto& [cell, text] : before)
          if (after[cell] != text)
            ADD_FAILURE() << sheet.ref << " on model type " << family << (maker ? " (maker)" : "") << ": " << cell
                          << " showed '" << text << "', after saving '" << after[cell] << "'";
      }
    }
    program_.main.makerReserveMode = false;
  }
}

// Where a setting that no sheet shows is probed: the first record of its list, or the
// radio-wide setting.
Binding ProbeBinding(uint32_t label) {
  const std::string_view name = LabelNameOf(label);
  if (name.starts_with("CL_Mch_")) return {CT_Mch, 0};
  if (name.starts_with("CL_Msk_Msg_Status_")) return {CT_MSK_Msg_Status, 0};
  if (name.starts_with("CL_Msk_Cfg_")) return {CT_MSK_Cfg, 0};
  return {CT_Null, 0};
}

// Every stored setting of the model types it belongs to is on a sheet of their trees,
// unless the model type's saving puts it back (the sheets then leave it off).
TEST_F(TreeSheets, RenderOnEveryModelTypeAndHoldEveryStoredSetting) {
  const auto& handlers = indCellHandlers::Default();
  std::map<uint32_t, Binding> anywhere;
  std::map<uint32_t, Binding> shown[4];
  for (int family = 0; family <= 3; ++family) {
    shown[family] = Walk(family, false);
    shown[family].merge(Walk(family, true));
    anywhere.insert(shown[family].begin(), shown[family].end());
  }
  for (int family = 0; family <= 3; ++family) {
    for (uint32_t label = 0; label < kNoLabel; ++label) {
      if (!handlers.Has(label) || !StoredSetting(label) || !(ModelTypesOf(label) & (1 << family))) continue;
      if (shown[family].contains(label)) continue;
      if (LostOnSaving(family, anywhere.contains(label) ? anywhere[label] : ProbeBinding(label), label)) continue;
      ADD_FAILURE() << LabelNameOf(label) << " (" << label << ") is on no sheet of model type " << family;
    }
  }
}

}  // namespace
