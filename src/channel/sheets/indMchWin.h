#pragma once
// The memory channel window without its widgets: the bank and channel it shows; its
// sheet, "GI_Sheet_Mch_Win_CONV_PMR" for the PMR family and "GI_Sheet_Mch_Win_CONV_LMR"
// otherwise, made again when the family changes, with every window cell on the current
// channel; next and previous within the bank, which the shown bank sheet's cursor
// follows (or which are collected for the next bank sheet); and the application events
// it answers (1, 46-59). The widgets forward the buttons and do what the frame is told.
#include <cstdint>
#include <memory>
#include <string>

#include "sheet/cmcSheetHooks.h"
#include "sheet/cmcSheetModel.h"

class cmcSheetView;
class datChBank;
class indSheetMaker;
struct cmcEvent;

class indMchWin : public cmcSheetHooks {
 public:
  // What the window's widgets do for it; every call may be ignored.
  class Frame {
   public:
    virtual ~Frame() = default;
    // The sheet shown is about to go (it is made again): nothing may use it from now on.
    virtual void SheetGoing() {}
    // A new sheet is shown: on construction and whenever it is made again.
    virtual void SheetChanged(cmcSheetModel& /*sheet*/) {}
    // Where the sheet of that name was left, and keeping it: placement and docking go
    // with it in the window's own record.
    virtual cmcSheetModel::Position SavedPosition(const std::string& /*sheetName*/) { return {}; }
    virtual void SavePosition(const std::string& /*sheetName*/, const cmcSheetModel::Position& /*at*/) {}
    virtual void ShowPane(bool /*shown*/) {}  // events 56 and 57
    virtual void Undock() {}                  // event 58
    virtual void Raise() {}                   // event 59
    // The window goes (events 1 and 46), its position saved; the frame may destroy
    // the window inside this call.
    virtual void Close() {}
  };

  // owner: the value event 1 names when the window's owner closes (0 for none).
  indMchWin(const indSheetMaker& maker, cmcSheetView& view, Frame& frame, int bank, int channel, intptr_t owner = 0);
  ~indMchWin() override;
  indMchWin(const indMchWin&) = delete;
  indMchWin& operator=(const indMchWin&) = delete;

  // The buttons: one channel on within the current bank, or back; nothing at the
  // bank's last (first) channel or without a bank.
  void NextChannel();
  void PreviousChannel();
  // Makes the sheet again when the family's sheet name changed, then puts every window
  // cell on the current channel and repaints.
  void Rebuild();
  // Saves the position, then the frame closes the window.
  void Close();

  // The sheet name for a model family.
  static const char* SheetNameFor(int family);
  // The cells that show the window's channel: categories 4 and 6, the channel number.
  static bool IsWindowCell(const cmcCellObj& cell);

  int Bank() const { return bank_; }  // -1 for none
  int Channel() const { return channel_; }
  // The cursor movement collected while no bank sheet was shown.
  int CollectedMove() const { return collected_; }
  const std::string& SheetName() const { return name_; }
  cmcSheetModel& Sheet() { return *sheet_; }

  void BeforeCell(cmcCellObj& cell, int col, int row) override;

 private:
  void OnEvent(cmcEvent& event);
  datChBank Banks() const;
  // Makes the sheet under the family's name, at the position given.
  void Recreate(const cmcSheetModel::Position& at);
  void Step(int delta);
  void FitUnsizedColumns();
  void RepaintAll();

  const indSheetMaker& maker_;
  cmcSheetView& view_;
  Frame& frame_;
  int bank_;
  int channel_;
  intptr_t owner_;
  int collected_ = 0;
  std::string name_;
  std::unique_ptr<cmcSheetModel> sheet_;
};
