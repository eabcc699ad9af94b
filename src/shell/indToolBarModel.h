#pragma once
// A tool bar without a window, read from a flat outline section: one entry a body line;
// a descriptor whose text is "-" is an 8-pixel gap, one whose text is "/" a 1-pixel
// separator that ends the row of buttons (and turns off wrapping), any other a button
// with the descriptor's image index as icon and its text as hint. A click runs the
// button's cell with Enter; Refresh takes each button's checked and enabled state from
// the cell dispatch.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cell/cmcCellObj.h"

class cmcEvMan;
class cmcGTexBase;
class indActiveCell;
struct cmcEvent;

class indToolBarModel {
 public:
  static constexpr int kGapWidth = 8;
  static constexpr int kRowBreakWidth = 1;

  struct Entry {
    enum class Kind { kButton, kGap, kRowBreak };
    Kind kind = Kind::kButton;
    int row = 0;  // the row of buttons it lies in, from 0
    cmcCellObj cell;
    std::string hint;
    int icon = -1;
    bool checked = false;  // a checked cell makes a check button shown pressed
    bool enabled = true;
    // The separator's width; 0 for a button.
    int Width() const { return kind == Kind::kGap ? kGapWidth : kind == Kind::kRowBreak ? kRowBreakWidth : 0; }
  };

  // With events, the tool bar refreshes on event 20.
  indToolBarModel(cmcGTexBase& overlay, std::string section, indActiveCell& dispatch, cmcEvMan* events);
  ~indToolBarModel();
  indToolBarModel(const indToolBarModel&) = delete;
  indToolBarModel& operator=(const indToolBarModel&) = delete;

  // Told after every refresh.
  void SetRefreshed(std::function<void()> refreshed) { refreshed_ = std::move(refreshed); }
  void Build();
  void Refresh();
  // Runs the button's command; other entries do nothing.
  void Click(int index);

  const std::string& Section() const { return section_; }
  const std::vector<Entry>& Entries() const { return entries_; }
  int RowCount() const { return entries_.empty() ? 0 : entries_.back().row + 1; }
  // False once a row break has ended a row: the rows stay as the body sets them.
  bool Wraps() const { return wraps_; }

 private:
  void OnEvent(cmcEvent& event);

  cmcGTexBase& overlay_;
  std::string section_;
  indActiveCell& dispatch_;
  cmcEvMan* events_;
  std::function<void()> refreshed_;
  std::shared_ptr<const cmcCellObj> basic_;
  std::vector<Entry> entries_;
  bool wraps_ = true;
};
