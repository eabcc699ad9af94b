// The shipped English overlay, checked as a whole: every key the program's source
// reads exists, every sheet, menu, tool bar and tree line parses with its models,
// popup menus and target sheets present, every choice list has entries, every sheet
// reachable from the tree renders on each model type's initial image (and in maker
// reserve mode) without "*Yet*" or "error", every stored setting the cell engine
// handles is on a sheet reachable for each model type it belongs to, and every setting
// a sheet shows, changed alone, leaves that sheet as it was through saving and opening.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
#include "cell/cmcOutline.h"
#include "cell/indActiveCell.h"
#include "cell/indCellHandlers.h"
#include "overlay/cmcGTex.h"
#include "sheet/TreeSheetFixture.h"
#include "sheet/cmcSheetDef.h"
#include "sheet/cmcSheetRef.h"
#include "shell/indCellShell.h"
#include "shell/indSheetRender.h"
#include "shell/indTreeModel.h"
#include "support/Slurp.h"
#include "support/TestProgram.h"

namespace {

using namespace treesheets;
namespace fs = std::filesystem;

constexpr const char* kSuffixes[] = {"Lmr", "Pmr", "PmrB", "DPmr446"};

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

  // Reads a menu-like body through the program's outline reader and hands on each
  // cell; every line up to the body's end must be read (a line indented less than the
  // first would end the body there).
  template <typename Visit>
  void ForEachBodyCell(const std::string& name, Visit visit) {
    SCOPED_TRACE(name);
    const auto form = name.starts_with("GI_ToolBar_") ? cmcOutline::Form::kFlat : cmcOutline::Form::kIndented;
    size_t lines = 0;
    for (const auto& line : Keys().Lines(name + "_Body")) {
      if (line.starts_with("#")) break;
      ++lines;
    }
    try {
      const cmcOutline body(overlay_, name, form);
      EXPECT_EQ(body.Items().size(), lines) << "lines left out of the outline";
      for (const auto& item : body.Items()) visit(item.cell, static_cast<size_t>(item.line));
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
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

// The sheets reachable from the tree, rendered on the program's initial images.
class TreeSheets : public TreeSheetFixture {
 protected:
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

  // Whether a change of the cell (as Change makes it) on the model type's initial image
  // is lost when the document is saved and opened again.
  bool LostOnSaving(int family, const Binding& binding, uint32_t label) {
    OpenInitial(family);
    if (!Change(binding, label)) return false;
    const std::string changed = Text(binding, label);
    EXPECT_TRUE(SaveAndOpen());
    return Text(binding, label) != changed;
  }

  // The text of every cell the sheet shows, by cell.
  struct CellText {
    uint32_t label;
    std::string text;
  };
  std::map<std::string, CellText> SheetTexts(const std::string& ref) {
    std::map<std::string, CellText> texts;
    render_.Render(ref, [&](const cmcCellObj& cell, const std::string& text) {
      texts[std::string(LabelNameOf(cell.label)) + "[" + std::to_string(cell.index) + "]"] = {cell.label, text};
    });
    return texts;
  }
};

// Whether two images hold the same settings. The packed area (768 to the end of the
// radio's memory) is left out: saving rebuilds it and no cell reads it. What a cell
// shows depends on nothing but the image and the modes, so images that hold the same
// settings show the same sheets.
bool SameSettings(const cmcEeprom& a, const cmcEeprom& b) {
  constexpr int kPackedFrom = 768, kPackedTo = cmcEeprom::kEepromSize;
  return std::equal(a.Data(), a.Data() + kPackedFrom, b.Data()) &&
         std::equal(a.Data() + kPackedTo, a.Data() + a.GetSize(), b.Data() + kPackedTo);
}

// Every stored setting a tree sheet shows, changed alone on the model type's initial
// image (stepped with the space key, or, where that changes nothing, typed in), leaves
// its sheet as it was through saving and opening: the cell and every other cell of the
// sheet show what they showed before saving. Each setting is changed alone: settings
// that saving derives from one another hide each other's loss when changed together.
TEST_F(TreeSheets, KeepEveryChangeOfTheirSettingsThroughSavingAndOpening) {
  for (int family = 0; family <= 3; ++family) {
    const cmcEeprom initial = OpenInitial(family);
    for (const auto& [label, shown] : ShownLabels()) {
      if (!StoredSetting(label)) continue;
      program_.main.makerReserveMode = shown.maker;
      Working().Assign(initial);
      if (!Change(shown.binding, label)) continue;
      cmcEeprom changed;
      changed.Assign(Working());
      ASSERT_TRUE(SaveAndOpen()) << LabelNameOf(label);
      if (SameSettings(changed, Working())) continue;
      const auto after = SheetTexts(shown.sheet);
      Working().Assign(changed);
      for (const auto& [cell, before] : SheetTexts(shown.sheet))
        if (after.at(cell).text != before.text)
          ADD_FAILURE() << shown.sheet << " on model type " << family << (shown.maker ? " (maker)" : "")
                        << ", after changing " << LabelNameOf(label) << ": " << cell << " showed '" << before.text
                        << "', after saving '" << after.at(cell).text << "'";
    }
    program_.main.makerReserveMode = false;
  }
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
