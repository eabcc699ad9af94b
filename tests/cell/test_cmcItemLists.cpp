#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/cmcItemLists.h"
#include "overlay/cmcGTex.h"

namespace {

const std::vector<std::string> kLines = {
    "#Items", "67.0,69.3, 88.5 ,100.0", "103.5,107.2,", "Off", "#", "#End_Of_Ovl",
};

class ItemListTest : public ::testing::Test {
 protected:
  ItemListTest() { overlay_.SetLines(kLines); }
  cmcGTex overlay_;
};

TEST_F(ItemListTest, NumbersItemsAcrossLines) {
  const struct {
    int n;
    const char* item;
  } cases[] = {
      {0, "67.0"}, {2, "88.5"}, {3, "100.0"}, {4, "103.5"}, {6, "Off"}, {7, ""}, {-1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ItemAt(overlay_, "Items", c.n), c.item) << c.n;
}

TEST_F(ItemListTest, FindItemCountsItemsBeginningWithTheText) {
  const struct {
    const char* name;
    const char* text;
    int count;
    int first;
  } cases[] = {
      {"a unique start", "88", 1, 2},
      {"several: the first in list order", "10", 3, 3},
      {"one character matching several", "1", 3, 3},
      {"case and blanks do not matter", " of ", 1, 6},
      {"a text longer than every item", "100.00", 0, -1},
      {"no item", "5", 0, -1},
      {"the whole item", "69.3", 1, 1},
  };
  for (const auto& c : cases) {
    const cmcItemMatch m = FindItem(overlay_, "Items", c.text);
    EXPECT_EQ(m.count, c.count) << c.name;
    EXPECT_EQ(m.first, c.first) << c.name;
  }
  EXPECT_EQ(ItemPosition(overlay_, "Items", "100.0"), 3);
  EXPECT_EQ(ItemPosition(overlay_, "Items", "100"), -1);
}

}  // namespace
