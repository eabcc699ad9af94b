#pragma once
// The program over the shipped data with the sheets of its tree, for the checks that walk
// every stored setting a model type offers: the labels that are stored settings, the
// model types each belongs to, where each is first shown, and requests sent to a cell as
// a user's key or typed text. Each setting is changed on a fresh copy of the model type's
// initial image, so that no other change can hide what happens to it.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "cell/ChooserGrid.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellNames.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcCellRegistry.h"
#include "cell/indActiveCell.h"
#include "runtime/cmcFatal.h"
#include "shell/indCellShell.h"
#include "shell/indSheetRender.h"
#include "support/TestProgram.h"

namespace treesheets {

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
  FatalAsException(const FatalAsException&) = delete;
  FatalAsException& operator=(const FatalAsException&) = delete;

 private:
  ThrowingSink sink_;
};

// The initial images of the model types 0-3.
inline constexpr const char* kInitialImages[] = {"RX93LMR.qcl", "RX93PMR.qcl", "RX93QPMR.qcl", "RX93DPMR.qcl"};

// A label as a sheet binds it: its category and the first index it is shown with.
struct Binding {
  uint32_t category;
  int32_t index;
};

// Where a label is first shown on the tree's sheets: its binding, the sheet and whether
// maker reserve mode was needed to show it.
struct Shown {
  Binding binding;
  std::string sheet;
  bool maker;
};

// Labels that are no stored setting: commands, captions, marks, statistics,
// read-outs, and labels that draw nothing.
inline bool StoredSetting(uint32_t label) {
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
inline int ModelTypesOf(uint32_t label) {
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

// Where a setting that no sheet shows is probed: the first record of its list, or the
// radio-wide setting.
inline Binding ProbeBinding(uint32_t label) {
  const std::string_view name = LabelNameOf(label);
  if (name.starts_with("CL_Mch_")) return {CT_Mch, 0};
  if (name.starts_with("CL_Msk_Msg_Status_")) return {CT_MSK_Msg_Status, 0};
  if (name.starts_with("CL_Msk_Cfg_")) return {CT_MSK_Cfg, 0};
  return {CT_Null, 0};
}

class TreeSheetFixture : public ::testing::Test {
 protected:
  TreeSheetFixture()
      : program_(dir_),
        active_(program_.dispatch),
        render_(program_.main, program_.mainOverlay, program_.events, active_) {}

  cmcEeprom& Working() { return program_.main.Working(); }

  // Switches to the model type and opens its initial image; the image as opened.
  cmcEeprom OpenInitial(int family) {
    program_.main.ChangeModelType(family, true);
    EXPECT_FALSE(program_.main.OpenCloneFile(dir_.Dir() + kInitialImages[family], false));
    cmcEeprom opened;
    opened.Assign(Working());
    return opened;
  }

  // Saves the document and opens the file again; false when either failed.
  bool SaveAndOpen() {
    const std::string path = scratch_.Dir() + "saved.qcl";
    return !program_.main.SaveCloneFile(path) && !program_.main.OpenCloneFile(path, false);
  }

  // Every label the tree's sheets show for the model type of the working image, in
  // maker reserve mode and without, where it is first shown.
  std::map<uint32_t, Shown> ShownLabels() {
    std::map<uint32_t, Shown> shown;
    for (bool maker : {false, true}) {
      program_.main.makerReserveMode = maker;
      for (const auto& sheet : render_.TreeSheets())
        render_.Render(sheet.ref, [&](const cmcCellObj& cell, const std::string&) {
          if (cell.label < kNoLabel) shown.emplace(cell.label, Shown{{cell.category, cell.index}, sheet.ref, maker});
        });
    }
    program_.main.makerReserveMode = false;
    return shown;
  }

  // A key pressed on the cell, as on a sheet with a grid that could open an editor.
  void Press(const Binding& at, uint32_t label, int key) {
    cmcCellObj cell = CellAt(at, label);
    cmcCellCapsule c;
    c.cell = &cell;
    c.keyCode = key;
    c.grid = &grid_;
    active_.Dispatch(c, false);
    grid_.opened.clear();
  }

  // A text typed into the cell's editor and committed.
  void Type(const Binding& at, uint32_t label, const std::string& text) {
    cmcCellObj cell = CellAt(at, label);
    cmcCellCapsule c;
    c.cell = &cell;
    c.grid = &grid_;
    c.inputKind = cmcCellCapsule::kInputText;
    c.inputText = text;
    active_.Dispatch(c, false);
    grid_.opened.clear();
  }

  std::string Text(const Binding& at, uint32_t label) {
    cmcCellObj cell = CellAt(at, label);
    return active_.CellText(cell, 0);
  }

  // Changes a setting as a user would: the space key, or, when that leaves the image as
  // it was, the first of a few typed texts that changes it. False when none did.
  bool Change(const Binding& at, uint32_t label) {
    cmcEeprom before;
    before.Assign(Working());
    Press(at, label, ' ');
    for (const char* text : {"A", "1", "100.0"}) {
      if (Working().Differs(before)) return true;
      Type(at, label, text);
    }
    return Working().Differs(before);
  }

  static cmcCellObj CellAt(const Binding& at, uint32_t label) {
    cmcCellObj cell;
    cell.category = at.category;
    cell.label = label;
    cell.index = at.index;
    return cell;
  }

  FatalAsException fatal_;
  ProgramDir dir_;
  // Saving syncs the file to disk; the checks save thousands of times, into memory.
  TempDir scratch_{TempDir::MemoryBacked()};
  Program program_;
  indActiveCell& active_;
  indSheetRender render_;
  ChooserGrid grid_;
};

}  // namespace treesheets
