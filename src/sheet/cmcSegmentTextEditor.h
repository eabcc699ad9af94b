#pragma once
// The segment text editor's logic: a radio text (character codes) edited as text in
// its editable form, the caret or selection in it, and a palette sheet of the radio's
// display characters ("GI_Sheet_Sel_Text") whose cells (label 1, the code as index)
// it answers itself: Space or an activation inserts the cell's character at the caret
// (the activation also sends the focus to the text), Enter confirms, Backspace or
// Escape send the focus to the text, and a typed display character is inserted there.
// Confirming answers with the text.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "sheet/cmcCellEditorSession.h"
#include "sheet/cmcSheetHooks.h"
#include "sheet/cmcSheetModel.h"

class cmcEvMan;
class cmcGTexBase;
class cmcSheetView;

class cmcSegmentTextEditor {
 public:
  static constexpr char kPaletteSheet[] = "GI_Sheet_Sel_Text";

  // codes: the text to edit; selectAll: the whole text selected, else the caret at its
  // end; fieldLength and userTable: how the value layer draws radio texts.
  cmcSegmentTextEditor(const cmcCellCapsule& origin, cmcGTexBase& overlay, std::span<const uint8_t> codes,
                       bool selectAll, int fieldLength, std::span<const uint8_t> userTable,
                       cmcSheetModel::Answer valueLayer, cmcSheetView& paletteView, std::function<void()> close = {},
                       cmcEvMan* events = nullptr);

  cmcSheetModel& Palette() { return *palette_; }
  cmcCellEditorSession& Session() { return session_; }

  // The text box: its text, the radio codes it stands for, the selection.
  const std::string& Text() const { return text_; }
  const std::vector<uint8_t>& Codes() const { return codes_; }
  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  // The user changed the text box.
  void SetText(const std::string& text, int selStart, int selLength);
  // Enter in the text box confirms; Escape cancels and closes. True when used.
  bool TextKey(int virtualKey);
  // Replaces the selection with one character and puts the caret after it.
  void Insert(uint8_t code);
  // How the preview draws the codes (the value layer's radio text drawing).
  int FieldLength() const { return fieldLength_; }
  std::span<const uint8_t> UserTable() const { return userTable_; }
  // Whether the palette asked for the focus to go to the text box since last asked.
  bool TakeFocusRequest();

  // The palette's answer for its cells.
  uint8_t Answer(cmcCellCapsule& request, bool act);

 private:
  std::string text_;
  std::vector<uint8_t> codes_;
  int selStart_ = 0;
  int selLength_ = 0;
  int fieldLength_;
  std::vector<uint8_t> userTable_;
  bool focusRequest_ = false;
  uint32_t originLabel_;
  cmcSheetModel::Answer valueLayer_;
  cmcSheetHooks hooks_;
  cmcCellEditorSession session_;
  std::unique_ptr<cmcSheetModel> palette_;
};
