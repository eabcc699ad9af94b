#pragma once
// A menu without a window: the items of an outline section (the main menu, or a sheet's
// popup menu), each with its cell, caption, shortcut, icon and the checked, visible and
// enabled state the cell dispatch gives it. A click runs the item's cell with Enter, or
// hands an item a sheet's popup menu filled in to that sheet; Refresh asks the dispatch
// for every state. An item's sub-items can be filled from another section and cleared:
// a fill replaces what the item held, so repeated fills never pile up copies; a fill
// that names no sheet never replaces a sheet's items, and a sheet clears only its own.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cell/cmcCellObj.h"

class cmcEvMan;
class cmcGTexBase;
class cmcSheetModel;
class indActiveCell;
struct cmcEvent;

class indMenuModel {
 public:
  static constexpr int kRoot = 0;
  static constexpr int kNone = -1;

  struct Item {
    int id = kRoot;
    int parent = kNone;
    cmcCellObj cell;
    std::string caption;   // "&" marks the accelerator, "&&" shows an "&"
    std::string shortcut;  // a key such as "Ctrl+N"; empty for none
    int icon = -1;
    bool checked = false;
    bool visible = true;
    bool enabled = true;
    cmcSheetModel* owner = nullptr;  // the sheet whose popup menu filled the item in
    std::vector<int> children;
    std::shared_ptr<const cmcCellObj> basic;  // the cell's base
    bool Separator() const { return caption == "-"; }
  };

  // What a window over the menu hears.
  struct Listener {
    std::function<void(int id)> rebuilt;  // the item's sub-items changed (kRoot: the whole menu)
    std::function<void()> refreshed;      // captions, icons or states may have changed
  };

  // With events, the menu answers 9 (refresh), 10 (clear the sub-items of the item with
  // the label given as argument) and 11 (fill them from the section named by the text,
  // for the sheet given as sender), and asks 12 for the context of a sheet's items.
  indMenuModel(cmcGTexBase& overlay, std::string section, indActiveCell& dispatch, cmcEvMan* events);
  ~indMenuModel();
  indMenuModel(const indMenuModel&) = delete;
  indMenuModel& operator=(const indMenuModel&) = delete;

  void SetListener(Listener listener) { listener_ = std::move(listener); }
  // A popup menu of that sheet: its items run on the sheet's current cell.
  void SetOwner(cmcSheetModel* sheet) { owner_ = sheet; }
  // Takes another section (a language change); the next Build reads it.
  void SetSection(std::string section) { section_ = std::move(section); }
  // Clears the menu and reads it from the section.
  void Build();
  // Re-evaluates every item, depth first.
  void Refresh();
  // The user chose the item; an item no longer in the menu does nothing.
  void Click(int id);

  // Replaces the item's sub-items with the section's items; owner: the sheet they run on.
  void Fill(int id, const std::string& section, cmcSheetModel* owner);
  // Clears the item's sub-items; a sheet clears only its own.
  void Clear(int id, cmcSheetModel* owner = nullptr);

  const Item* Find(int id) const;
  const Item& Root() const { return *Find(kRoot); }
  // Depth first, the first item whose cell has the label; kNone for none.
  int FindByLabel(int label) const;
  // The captions of the item's sub-items, for tests and the checker.
  std::vector<std::string> Captions(int id) const;

  // The key a menu descriptor's argument names ("Ctrl+N", "Alt+F4", "F5", "Del",
  // "Ctrl+Up"...); empty when the argument is no key (a sheet name, a number).
  static std::string ShortcutOf(std::string_view argument);

 private:
  void OnEvent(cmcEvent& event);
  void AddItems(int parent, const std::string& section, cmcSheetModel* owner);
  void RemoveChildren(int id);
  void RefreshItem(int id);
  Item* Get(int id);
  void Rebuilt(int id);

  cmcGTexBase& overlay_;
  std::string section_;
  indActiveCell& dispatch_;
  cmcEvMan* events_;
  cmcSheetModel* owner_ = nullptr;
  Listener listener_;
  std::map<int, Item> items_;
  int nextId_ = 1;
  // The context of the refresh in progress: the sheet last asked and the cell it gave.
  cmcSheetModel* asked_ = nullptr;
  bool hasContext_ = false;
  cmcCellObj context_;
};
