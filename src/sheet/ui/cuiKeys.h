#pragma once
// The one table from Qt's keys into the sheet model's: the virtual key codes the
// model handles on key down (navigation, function keys, Enter, Escape and the editing
// keys), the character a key press types (Enter 13, Escape 27, Backspace 8 and the
// printable characters) and the modifier bits.
#include <QKeyEvent>
#include <cstdint>

class cuiKeys {
 public:
  // The virtual key of the event's key; 0 for none.
  static int VirtualKey(int qtKey);
  static int VirtualKey(const QKeyEvent& event) { return VirtualKey(event.key()); }
  // The character the key types; 0 for none.
  static int Character(const QKeyEvent& event);
  static uint8_t Modifiers(Qt::KeyboardModifiers modifiers);
};
