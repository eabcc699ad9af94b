#pragma once
// The channel memory's sheet kinds made by the sheet maker over an in-memory overlay: a
// bank sheet "GI_Sheet_Mch_Lmr" (a caption row and one channel row, extended to 138
// rows), the MDC alias list "GI_Sheet_Mdc_Alias", the memory channel window's LMR and
// PMR sheets and a common sheet "GI_Sheet_Cond" whose model conditions the tests write.
// The image holds the bank counts, names and flags the tests set; bound cells show
// "<label>:<index>"; the event manager runs on a virtual clock and records what it sends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "channel/datChBank.h"
#include "channel/datChKinds.h"
#include "channel/sheets/indSheetMaker.h"
#include "image/cmcEeprom.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualClock.h"
#include "sheet/cmcFixedMeasure.h"
#include "support/RecordingSheetView.h"

struct SheetKindRig {
  explicit SheetKindRig(const std::string& bankOperation = "{(%CT_Null.CallSheet:GI_Sheet_Ops)}Banks",
                        const std::vector<std::string>& conditionCells = {"a"}) {
    lines = {
        "#GI_Tree_Branch_Mch_BankOperation",
        bankOperation,
        "#GI_AppInd_MchSheet_Printer_Head",
        "Bank",
        "#GI_AppInd_MchSheet_Printer_SmarTrunk",
        "(SmarTrunk)",
        "#GI_AppInd_Sheet_Title_LeftCH",
        "more channels fit",
        "#GI_Sheet_Mch_Lmr_Style",
        "(TitleString=Bank)(FixedCols=1)(FixedRows=1)",
        "#GI_Sheet_Mch_Lmr_BasicCell",
        "",
        "#GI_Sheet_Mch_Lmr_Cells",
        "No|Receive",
        "{S(%CT_Mch.CL_Mch_No[0])}|{S(%CT_Mch.CL_Mch_FreqR[0])}",
        "#",
        "#GI_Sheet_Mdc_Alias_Style",
        "(FixedCols=1)(FixedRows=1)",
        "#GI_Sheet_Mdc_Alias_BasicCell",
        "",
        "#GI_Sheet_Mdc_Alias_Cells",
        "No|Alias",
        "{S(%CT_MDC_Alias.CL_Misc_ChNo_1Base[0])}|{S(%CT_MDC_Alias.CL_Mdc_Alias1_Text[0])}",
        "#",
        "#GI_Sheet_Mch_Win_CONV_LMR_Style",
        "(FixedCols=1)(FixedRows=1)",
        "#GI_Sheet_Mch_Win_CONV_LMR_BasicCell",
        "",
        "#GI_Sheet_Mch_Win_CONV_LMR_Cells",
        "Channel|{S(%CT_Mch_Win.CL_MchWin_No[0])}",
        "Receive|{S(%CT_Mch_Win.CL_Mch_FreqR[0])}",
        "#",
        "#GI_Sheet_Mch_Win_CONV_PMR_Style",
        "(FixedCols=1)(FixedRows=1)",
        "#GI_Sheet_Mch_Win_CONV_PMR_BasicCell",
        "",
        "#GI_Sheet_Mch_Win_CONV_PMR_Cells",
        "Channel|{S(%CT_Mch_Win.CL_MchWin_No[0])}",
        "Receive|{S(%CT_Mch_Win.CL_Mch_FreqR_Pmr[0])}",
        "Code|{S(%CT_Mch_Win.CL_Mch_FreqR_Pmr[0])}",
        "#",
        "#GI_Sheet_Cond_Style",
        "",
        "#GI_Sheet_Cond_BasicCell",
        "",
        "#GI_Sheet_Cond_Cells",
    };
    lines.insert(lines.end(), conditionCells.begin(), conditionCells.end());
    lines.insert(lines.end(), {"#", "#End_Of_Ovl"});
    overlay.SetLines(lines);
    image.SetSize(cmcEeprom::kImageSize);
    defaults.SetSize(cmcEeprom::kImageSize);
    events.Listen(&SheetKindRig::Record, this);
  }

  static void Record(void* self, cmcEvent& e) {
    if (e.mode != cmcEvMode::Asked) static_cast<SheetKindRig*>(self)->sent.push_back({e.code, e.argument});
  }

  datChBank Banks() { return datChBank(&image, &defaults); }
  // Bank counts in order; the banks after them hold none.
  void SetBanks(const std::vector<int>& counts) {
    for (int b = 0; b < 8; ++b) Banks().SetBankCount(b, b < static_cast<int>(counts.size()) ? counts[b] : 0);
  }
  void SetBankName(int bank, const std::string& name) {
    const datChRegion& names = datChKindOf(datChKind::kBank).regions[0];
    for (int i = 0; i < 8; ++i)
      image.SetByte(names.base + names.stride * bank + i,
                    static_cast<uint8_t>(i < static_cast<int>(name.size()) ? name[static_cast<size_t>(i)] : ' '));
  }

  // The events sent or posted, as (code, argument).
  struct Sent {
    int code;
    intptr_t argument;
    bool operator==(const Sent&) const = default;
  };
  std::vector<Sent> Of(int code) const {
    std::vector<Sent> found;
    for (const Sent& s : sent)
      if (s.code == code) found.push_back(s);
    return found;
  }

  // The shown rows' first cells' indexes.
  static std::vector<int> ShownIndexes(const cmcSheetModel& sheet, int col = 0) {
    std::vector<int> indexes;
    for (int r = sheet.Def().FixedRows(); r < sheet.RowCount(); ++r)
      if (sheet.RowShown(r)) indexes.push_back(sheet.Def().CellAt(col, r).index);
    return indexes;
  }

  cmcVirtualClock clock;
  cmcEvMan events{clock};
  std::vector<std::string> lines;  // the overlay reads them in place
  cmcGTex overlay;
  cmcEeprom image;
  cmcEeprom defaults;
  cmcFixedMeasure measure;
  RecordingSheetView view;
  cmcSheetDef::Model model;
  std::vector<Sent> sent;
  indSheetMaker maker{{.overlay = overlay,
                       .events = events,
                       .image = image,
                       .defaults = defaults,
                       .answer =
                           [](cmcCellCapsule& c, bool) {
                             c.outputText = std::to_string(c.cell->label) + ":" + std::to_string(c.cell->index);
                             return uint8_t{0};
                           },
                       .model = [this] { return model; },
                       .measure = measure}};
};
