#pragma once
// The overlay's item lists ("GI_AppItem_Ctcss", "GI_AppItem_Dtcs"): comma-separated
// items on the key's lines up to the first line that begins with "#", numbered from 0
// across all lines, found by their first characters (`FindItem`) or their number
// (`ItemAt`). Items are taken without surrounding blanks; an empty item is none.
#include <string>
#include <string_view>
#include <vector>

class cmcGTexBase;

struct cmcItemMatch {
  int count = 0;   // items that begin with the text
  int first = -1;  // index of the first of them, -1 when none
};

// Every item of the list in order.
std::vector<std::string> ReadItems(cmcGTexBase& overlay, std::string_view listKey);
// The items whose first characters equal the trimmed, upper-cased text (items shorter
// than the text never match), compared without regard to case.
cmcItemMatch FindItem(cmcGTexBase& overlay, std::string_view listKey, std::string_view text);
// Item n, empty when the list has no item n.
std::string ItemAt(cmcGTexBase& overlay, std::string_view listKey, int n);
// The index of the item equal to text, -1 when none is.
int ItemPosition(cmcGTexBase& overlay, std::string_view listKey, std::string_view text);
