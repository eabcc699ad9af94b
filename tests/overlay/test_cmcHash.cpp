#include <gtest/gtest.h>

#include "overlay/cmcHash.h"

namespace {

struct BucketCase {
  const char* name;
  std::string key;
  uint32_t buckets;
  uint32_t expected;
};

TEST(cmcHash, BucketsOfWorkedValues) {
  const BucketCase cases[] = {
      {"abc in the default table", "abc", 1031, 937},
      {"abc in the colour table", "abc", 101, 99},
      {"empty key", "", 1031, 0},
      {"high byte counts as negative", std::string(1, '\xE9'), 1031, 492},
  };
  for (const auto& c : cases) EXPECT_EQ(cmcHashBucket(c.key, c.buckets), c.expected) << c.name;
}

TEST(cmcHash, ZeroBucketsMeans1031) {
  EXPECT_EQ(cmcHash(0).BucketCount(), 1031u);
  EXPECT_EQ(cmcHash(101).BucketCount(), 101u);
  EXPECT_EQ(cmcHash2().BucketCount(), 1031u);
}

TEST(cmcHash, FindsExactKeysOnly) {
  cmcHash table(101);
  table.Add("CT_Mch", 1);
  table.Add("ct_mch", 2);
  table.Add("", 3);
  ASSERT_NE(table.Find("CT_Mch"), nullptr);
  EXPECT_EQ(table.Find("CT_Mch")->value, 1);
  EXPECT_EQ(table.Find("ct_mch")->value, 2);
  EXPECT_EQ(table.Find("")->value, 3);
  EXPECT_EQ(table.Find("CT_Mc"), nullptr);
  EXPECT_EQ(table.Find("CT_Mch "), nullptr);
}

TEST(cmcHash, ManyKeysInFewBucketsAllFound) {
  cmcHash table(3);
  for (int i = 0; i < 500; ++i) table.Add("key" + std::to_string(i), i);
  for (int i = 0; i < 500; ++i) ASSERT_EQ(table.Find("key" + std::to_string(i))->value, i);
}

TEST(cmcHash2, HoldsPointersItDoesNotOwn) {
  int record = 7;
  {
    cmcHash2 table;
    table.Add("sheet", &record);
    EXPECT_EQ(table.Find("sheet")->value, &record);
  }
  EXPECT_EQ(record, 7);
}

TEST(cmcHashDeathTest, DuplicateKeysAreFatalWithTheClassText) {
  EXPECT_EXIT(
      {
        cmcHash table;
        table.Add("x", 1);
        table.Add("x", 2);
      },
      ::testing::ExitedWithCode(3), "^Overlapped Hash table\\.\n$");
  EXPECT_EXIT(
      {
        cmcHash2 table;
        table.Add("x", nullptr);
        table.Add("x", nullptr);
      },
      ::testing::ExitedWithCode(3), "^Overlapped Hash2 table\\.\n$");
}

}  // namespace
