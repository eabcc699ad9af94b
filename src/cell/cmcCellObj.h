#pragma once
// A parsed cell: its binding (category, label, index, argument), layout switches,
// colour, font, popup menu, image index, flags and display text. A cell is reset
// from its base cell and then takes its own descriptor ("{...}") and text from one
// "|"-separated piece of overlay text. Cell models come from the main overlay.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cell/cmcCellColours.h"
#include "cell/cmcCellFont.h"
#include "cell/cmcCellNames.h"

class cmcGTexBase;

// The ten counters "@ch0" to "@ch9" of a sheet being built.
using cmcCellCounters = std::array<int32_t, 10>;

class cmcCellObj {
 public:
  // The fatal text for a cell or sheet definition outside what the grid can hold.
  static constexpr const char* kIllegalAssign = "Illegal Cell assign";
  // A cell's index lies within plus or minus this; copied rows and bank offsets add to it.
  static constexpr int32_t kMaxIndex = 0xFFFFFF;
  // layout: alignment, fit and joining switches.
  static constexpr uint8_t kHAlignMask = 0x03;  // 0 left, 1 centre, 2 right
  static constexpr uint8_t kVAlignMask = 0x0C;  // 0 top, 1 middle, 2 bottom
  static constexpr uint8_t kFitWidth = 0x10;
  static constexpr uint8_t kFitHeight = 0x20;
  static constexpr uint8_t kJoined = 0x40;
  static constexpr uint8_t kBottomRule = 0x80;
  // rule: rules, selection, tail; bits 5-7 are Flag0-Flag2.
  static constexpr uint8_t kTopRule = 0x01;
  static constexpr uint8_t kRightRuleMask = 0x06;  // 0 none, 1 full, 2 tick, 3 from the second pixel
  static constexpr uint8_t kSelectable = 0x08;
  static constexpr uint8_t kTail = 0x10;
  // mark: bits 0-4 are Flag3-Flag7.

  const cmcCellObj* base = nullptr;     // not owned
  cmcCellCounters* counters = nullptr;  // not owned; set only while parsing in a sheet
  uint32_t category = kNoCategory;
  uint32_t label = kNoLabel;
  int32_t index = 0;
  std::string argument;  // empty: none; for menu items also the shortcut text
  int32_t imageIndex = -1;
  uint8_t layout = 0;
  uint8_t rule = 0;
  uint8_t mark = 0;
  uint32_t colour = kClWindow;      // background
  std::optional<cmcCellFont> font;  // none: the sheet's basic cell font
  std::string popupMenu;            // overlay key of a popup menu; empty: none
  std::string text;                 // display text after escapes; empty: none

  // Takes the row text up to its first unescaped "|" as this cell, resets the cell
  // from base and, unless countOnly, applies the cell's descriptor and text with the
  // counters available. Cell models ("CellModel_" + name, line 0) are read from models,
  // the main overlay; without it a model is fatal. Returns what follows the "|" (empty
  // without one).
  std::string_view ParseCell(std::string_view row, cmcCellCounters* rowCounters, const cmcCellObj* baseCell,
                             cmcGTexBase* models, bool countOnly = false);
  // Switches and "(...)" properties, in order.
  void ApplyDescriptor(std::string_view descriptor);
  // One property, the text between the parentheses.
  void ApplyProperty(std::string_view property);
  // Trims, resolves escapes and counter expressions, and replaces the text.
  void ApplyText(std::string_view displayText);
  // Clears the cell's own parts, then takes the base's binding, switches, colour,
  // argument and text. Without a base, category and index are kept.
  void InheritFrom();
  // Replaces this cell with a deep copy of source.
  void CopyCell(const cmcCellObj& source) { *this = source; }

  const std::string& CellText() const { return text; }
  void SetText(std::string_view newText) { text = newText; }
  // The first non-empty popup menu name on this cell and its bases; empty for none.
  std::string_view PopupMenuName() const;

  int HAlign() const { return layout & kHAlignMask; }
  int VAlign() const { return (layout & kVAlignMask) >> 2; }
  int RightRule() const { return (rule & kRightRuleMask) >> 1; }
  bool Selectable() const { return rule & kSelectable; }
  // Flag n (0-7).
  bool Flag(int n) const { return n < 3 ? (rule >> (5 + n)) & 1 : (mark >> (n - 3)) & 1; }
  void SetFlag(int n, bool on);

 private:
  void ApplySwitch(char c, bool negated);
  void ApplyBinding(std::string_view binding);
  void ApplyCounterOp(std::string_view op);
  int32_t& Counter(std::string_view ref, std::size_t& after) const;

  cmcGTexBase* models_ = nullptr;  // not owned; set only while parsing
};
