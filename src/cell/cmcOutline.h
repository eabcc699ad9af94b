#pragma once
// The one reader of the overlay's outline sections: a section N is a basic cell (line
// 0 of "N_BasicCell") and a body ("N_Body", read up to the first line that begins with
// "#"), one cell descriptor a line. In an indented body the characters before a line's
// first "+" are its indentation and a deeper line starts a run of sub-items of the item
// read last; a flat body (tool bars) takes every line whole. Menus, tool bars, popup
// menus, the navigation tree and the overlay checks all read their sections here.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cell/cmcCellObj.h"

class cmcGTexBase;

class cmcOutline {
 public:
  enum class Form { kIndented, kFlat };

  struct Item {
    int level = 0;    // 0 for the body's first run, one more for each run below it
    int parent = -1;  // the item this one is a sub-item of; -1 at level 0
    int line = 0;     // the body line it was read from
    std::string descriptor;
    cmcCellObj cell;  // parsed over the basic cell, which it points at
  };

  // Reads the section's basic cell and body; a line that does not parse as a descriptor
  // gives an item with the basic cell's settings.
  cmcOutline(cmcGTexBase& overlay, std::string_view name, Form form = Form::kIndented);

  const std::vector<Item>& Items() const { return items_; }
  const cmcCellObj& BasicCell() const { return *basic_; }
  // Keeps the basic cell alive for cells copied out of the items.
  std::shared_ptr<const cmcCellObj> SharedBasicCell() const { return basic_; }
  // The items directly below parent (-1: the top level), in body order.
  std::vector<int> Children(int parent) const;

  // The indentation of an indented body line: the characters before its first "+"
  // (all of a line without one).
  static int IndentOf(std::string_view line);
  // The descriptor of an indented body line: the text after its first "+".
  static std::string_view DescriptorOf(std::string_view line);
  // Parses one descriptor over the basic cell as a body line is parsed.
  static cmcCellObj ParseItem(std::string_view descriptor, const cmcCellObj& basic, cmcGTexBase& overlay);

 private:
  // Reads the run that starts at line into parent; returns the first line after it.
  int ReadRun(int line, int level, int parent);
  void Add(int line, int level, int parent, std::string_view descriptor);

  cmcGTexBase& overlay_;
  std::string bodyKey_;
  std::vector<std::string> lines_;
  std::shared_ptr<cmcCellObj> basic_;
  std::vector<Item> items_;
};
