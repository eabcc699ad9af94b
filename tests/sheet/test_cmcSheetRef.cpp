#include <gtest/gtest.h>

#include "sheet/cmcScrBlock.h"
#include "sheet/cmcSheetRef.h"

namespace {

using Kind = cmcSheetRef::Kind;

TEST(SheetRef, SplitsTagNameAndOption) {
  struct Case {
    const char* ref;
    const char* tag;
    const char* name;
    const char* option;
    Kind kind;
  };
  const Case cases[] = {
      {"[St_ChBank]GI_Sheet_Mch_Lmr,Bank 3", "St_ChBank", "GI_Sheet_Mch_Lmr", "Bank 3", Kind::kBank},
      {"[St_Common]GI_Sheet_Common", "St_Common", "GI_Sheet_Common", "", Kind::kCommon},
      {"GI_Sheet_TopPage", "", "GI_Sheet_TopPage", "", Kind::kPlain},
      {"GI_Sheet_Mdc_Alias,M", "", "GI_Sheet_Mdc_Alias", "M", Kind::kMemory},
      {"GI_Sheet_X,Mem", "", "GI_Sheet_X", "Mem", Kind::kMemory},
      {"GI_Sheet_X,m", "", "GI_Sheet_X", "m", Kind::kPlain},
      {"GI_Sheet_X, M", "", "GI_Sheet_X", " M", Kind::kPlain},
      // The tag wins over the option's letter.
      {"[St_Common]GI_Sheet_Mdc_Alias,M", "St_Common", "GI_Sheet_Mdc_Alias", "M", Kind::kCommon},
      {"[St_ChBank]GI_Sheet_X,M", "St_ChBank", "GI_Sheet_X", "M", Kind::kBank},
      {"[Other]GI_Sheet_X", "Other", "GI_Sheet_X", "", Kind::kPlain},
      {"[st_chbank]GI_Sheet_X", "st_chbank", "GI_Sheet_X", "", Kind::kPlain},
      // Only the first "," splits; brackets after it belong to the option.
      {"GI_Sheet_X,Bank 1,[St_ChBank]", "", "GI_Sheet_X", "Bank 1,[St_ChBank]", Kind::kPlain},
      {"x[St_Common]y,", "St_Common", "y", "", Kind::kCommon},
      {"[]GI_Sheet_X", "", "GI_Sheet_X", "", Kind::kPlain},
      {"[St_Common", "", "[St_Common", "", Kind::kPlain},
      {"", "", "", "", Kind::kPlain},
  };
  for (const auto& c : cases) {
    const cmcSheetRef ref(c.ref);
    EXPECT_EQ(ref.Text(), c.ref);
    EXPECT_EQ(ref.ClassTag(), c.tag) << c.ref;
    EXPECT_EQ(ref.SheetName(), c.name) << c.ref;
    EXPECT_EQ(ref.Option(), c.option) << c.ref;
    EXPECT_EQ(ref.SheetKind(), c.kind) << c.ref;
  }
}

TEST(ScrBlock, NameAndTrimmedItems) {
  struct Case {
    const char* text;
    const char* name;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {"Bank 3", "Bank", {"3"}},
      {"  Bank\t 7 \t", "Bank", {"7"}},
      {"Bank 1, 2 ,3", "Bank", {"1", "2", "3"}},
      {"Range a,,b", "Range", {"a", "", "b"}},
      {"Bank", "Bank", {}},
      {"Bank   ", "Bank", {}},
      {"M", "M", {}},
      {"", "", {}},
      {"\tBank\t3", "Bank\t3", {}},  // only a blank separates the name
  };
  for (const auto& c : cases) {
    const cmcScrBlock block(c.text);
    EXPECT_EQ(block.Name(), c.name) << c.text;
    ASSERT_EQ(block.Count(), static_cast<int>(c.items.size())) << c.text;
    for (int i = 0; i < block.Count(); ++i) EXPECT_EQ(block.Item(i), c.items[static_cast<size_t>(i)]) << c.text;
  }
}

TEST(ScrBlock, ItemsOutsideTheListAreEmpty) {
  const cmcScrBlock block("Bank 3");
  EXPECT_EQ(block.Item(-1), "");
  EXPECT_EQ(block.Item(1), "");
  EXPECT_EQ(cmcScrBlock("").Item(0), "");
}

}  // namespace
