#include "sheet/ui/cuiKeys.h"

#include "sheet/cmcSheetModel.h"

namespace {

using M = cmcSheetModel;

struct KeyPair {
  int qt;
  int vk;
};

constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, 0x08},      {Qt::Key_Tab, 0x09},
    {Qt::Key_Return, M::kVkReturn}, {Qt::Key_Enter, M::kVkReturn},
    {Qt::Key_Escape, M::kVkEscape}, {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, M::kVkPrior},  {Qt::Key_PageDown, M::kVkNext},
    {Qt::Key_End, M::kVkEnd},       {Qt::Key_Home, M::kVkHome},
    {Qt::Key_Left, M::kVkLeft},     {Qt::Key_Up, M::kVkUp},
    {Qt::Key_Right, M::kVkRight},   {Qt::Key_Down, M::kVkDown},
    {Qt::Key_Insert, 0x2D},         {Qt::Key_Delete, 0x2E},
};

}  // namespace

int cuiKeys::VirtualKey(int qtKey) {
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return M::kVkF1 + (qtKey - Qt::Key_F1);
  for (const KeyPair& k : kKeys)
    if (k.qt == qtKey) return k.vk;
  return 0;
}

int cuiKeys::Character(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Backspace:
      return 8;
    default:
      break;
  }
  if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return 0;
  const QString text = event.text();
  if (text.size() != 1) return 0;
  const char16_t c = text.at(0).unicode();
  return c >= 32 && c != 127 && c < 256 ? c : 0;
}

uint8_t cuiKeys::Modifiers(Qt::KeyboardModifiers modifiers) {
  uint8_t bits = 0;
  if (modifiers & Qt::ShiftModifier) bits |= M::kShift;
  if (modifiers & Qt::ControlModifier) bits |= M::kCtrl;
  if (modifiers & Qt::AltModifier) bits |= M::kAlt;
  return bits;
}
