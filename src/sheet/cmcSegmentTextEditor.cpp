#include "sheet/cmcSegmentTextEditor.h"

#include <algorithm>

#include "cell/cmcCellIds.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcRadioText.h"

namespace {

using C = cmcCodecCommon;

}  // namespace

cmcSegmentTextEditor::cmcSegmentTextEditor(const cmcCellCapsule& origin, cmcGTexBase& overlay,
                                           std::span<const uint8_t> codes, bool selectAll, int fieldLength,
                                           std::span<const uint8_t> userTable, cmcSheetModel::Answer valueLayer,
                                           cmcSheetView& paletteView, std::function<void()> close, cmcEvMan* events)
    : text_(cmcRadioText::RadioTextToEditable(codes)),
      fieldLength_(fieldLength),
      userTable_(userTable.begin(), userTable.end()),
      originLabel_(origin.cell ? origin.cell->label : kNoLabel),
      valueLayer_(valueLayer),
      session_(
          origin, valueLayer, [this] { return text_; }, std::move(close), events) {
  codes_ = cmcRadioText::EditableToRadioText(text_);
  const int length = static_cast<int>(text_.size());
  selStart_ = selectAll ? 0 : length;
  selLength_ = selectAll ? length : 0;
  cmcSheetModel::Seams seams{
      .overlay = overlay, .view = paletteView, .hooks = hooks_, .answer = [this](cmcCellCapsule& c, bool act) {
        return Answer(c, act);
      }};
  seams.grid = origin.grid;
  seams.events = events;
  palette_ = std::make_unique<cmcSheetModel>(seams, kPaletteSheet, cmcSheetDef::Model{});
}

void cmcSegmentTextEditor::SetText(const std::string& text, int selStart, int selLength) {
  text_ = text;
  codes_ = cmcRadioText::EditableToRadioText(text_);
  const int length = static_cast<int>(text_.size());
  selStart_ = std::clamp(selStart, 0, length);
  selLength_ = std::clamp(selLength, 0, length - selStart_);
}

void cmcSegmentTextEditor::Insert(uint8_t code) {
  const std::string piece = cmcRadioText::RadioTextToEditable(std::span<const uint8_t>(&code, 1));
  const std::string text = text_.substr(0, static_cast<size_t>(selStart_)) + piece +
                           text_.substr(static_cast<size_t>(selStart_ + selLength_));
  SetText(text, selStart_ + static_cast<int>(piece.size()), 0);
}

bool cmcSegmentTextEditor::TextKey(int virtualKey) {
  if (virtualKey == cmcSheetModel::kVkReturn) {
    session_.Confirm();
    return true;
  }
  if (virtualKey == cmcSheetModel::kVkEscape) {
    session_.Cancel();
    return true;
  }
  return false;
}

bool cmcSegmentTextEditor::TakeFocusRequest() {
  const bool requested = focusRequest_;
  focusRequest_ = false;
  return requested;
}

uint8_t cmcSegmentTextEditor::Answer(cmcCellCapsule& c, bool act) {
  if (!c.cell) return 0;
  if (c.cell->label == originLabel_) return 0;
  if (c.cell->label != Flex0) return valueLayer_ ? valueLayer_(c, act) : 0;
  const uint8_t code = static_cast<uint8_t>(c.cell->index);
  c.outputText.clear();
  if (!act) {
    cmcRadioText::DrawRadioText(c, std::span<const uint8_t>(&code, 1), 1, 1, 1, userTable_);
    return 0;
  }
  const int32_t key = c.keyCode;
  if (key == C::kKeySpace || key == cmcCellCapsule::kKeyActivate) {
    Insert(code);
    focusRequest_ = focusRequest_ || key == cmcCellCapsule::kKeyActivate;
  } else if (key == C::kKeyEnter) {
    session_.Confirm();
  } else if (key == C::kKeyBackspace || key == C::kKeyEscape) {
    focusRequest_ = true;
  } else if (key > C::kKeySpace && key < 128 && cmcRadioText::MaskOf(static_cast<uint8_t>(key), userTable_) != 0) {
    Insert(static_cast<uint8_t>(key));
    focusRequest_ = true;
  }
  return 0;
}
