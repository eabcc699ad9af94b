#pragma once
// The items of a menu section of an overlay, as a sheet's popup menu shows them: line
// 0 of "N_BasicCell" is every item's base cell; each line of "N_Body" up to the first
// that begins with "#" is one item, its depth the number of characters before its first
// "+", its cell the descriptor after that "+" (the cell's text is the caption, its
// argument the shortcut text). An item whose caption is "-" is a separator.
#include <deque>
#include <memory>
#include <string>

#include "cell/cmcCellObj.h"

class cmcGTexBase;

class cmcMenuBody {
 public:
  struct Item {
    int depth = 0;
    cmcCellObj cell;
    const std::string& Caption() const { return cell.CellText(); }
    const std::string& Shortcut() const { return cell.argument; }
    bool Separator() const { return cell.CellText() == "-"; }
  };

  // Reads the sections of name from overlay; cell models come from models (none: the
  // overlay itself).
  cmcMenuBody(cmcGTexBase& overlay, const std::string& name, cmcGTexBase* models = nullptr);
  // The items point at the basic cell as their base.
  cmcMenuBody(const cmcMenuBody&) = delete;
  cmcMenuBody& operator=(const cmcMenuBody&) = delete;

  const std::string& Name() const { return name_; }
  const std::deque<Item>& Items() const { return items_; }
  std::deque<Item>& Items() { return items_; }

 private:
  std::string name_;
  std::unique_ptr<cmcCellObj> basic_;
  std::deque<Item> items_;
};
