#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/cmcSegmentModel.h"
#include "overlay/cmcGTex.h"

namespace {

TEST(cmcSegmentModel, ReadsSegmentsUpToTheEndLine) {
  const std::vector<std::string> lines = {
      " 2|(0,0)(4,0)(0,2)|(4,0)(4,2)(0,2) ",
      "-1|(-3,1)(1,1)(1,9)",
      "1|(1,1)(2,1)(1,2)",
      "// shapes end here",
      "0",
      "#",
      "1|(50,50)(60,50)(50,60)",
  };
  const cmcSegmentModel m = cmcSegmentModel::FromLines(lines);
  ASSERT_EQ(m.SegmentCount(), 3);
  EXPECT_EQ(m.SegmentAt(0).triangles.size(), 2u);
  EXPECT_TRUE(m.SegmentAt(0).drawn);
  EXPECT_FALSE(m.SegmentAt(1).drawn) << "negative count";
  EXPECT_EQ(m.SegmentAt(1).triangles.size(), 1u);
  EXPECT_DOUBLE_EQ(m.SegmentAt(0).triangles[1][1].x, 4);
  EXPECT_DOUBLE_EQ(m.SegmentAt(0).triangles[1][1].y, 2);
  EXPECT_EQ(m.BitOf(0), 2);
  EXPECT_EQ(m.BitOf(2), 0);
  // The hidden segment widens the box; the line after "#" does not.
  EXPECT_DOUBLE_EQ(m.Left(), -3);
  EXPECT_DOUBLE_EQ(m.Top(), 0);
  EXPECT_DOUBLE_EQ(m.Width(), 7);
  EXPECT_DOUBLE_EQ(m.Height(), 9);
}

TEST(cmcSegmentModel, FillerLinesCountOnlyAfterTheSegments) {
  // The filler line is skipped in the count, so the last segment line is not read.
  const std::vector<std::string> lines = {"1|(0,0)(1,0)(0,1)", "0", "1|(0,0)(9,0)(0,9)", "#"};
  const cmcSegmentModel m = cmcSegmentModel::FromLines(lines);
  EXPECT_EQ(m.SegmentCount(), 2);
  EXPECT_TRUE(m.SegmentAt(1).triangles.empty());
  EXPECT_DOUBLE_EQ(m.Width(), 1);
}

TEST(cmcSegmentModel, FromTheMainOverlay) {
  const std::vector<std::string> lines = {"#GI_PCG_Seg_Data", "1|(0,0)(2,0)(0,3)", "1|(2,0)(2,3)(0,3)", "#",
                                          "#End_Of_Ovl"};
  cmcGTex overlay;
  overlay.SetLines(lines);
  const cmcSegmentModel m = cmcSegmentModel::FromOverlay(overlay);
  EXPECT_EQ(m.SegmentCount(), 2);
  EXPECT_DOUBLE_EQ(m.Height(), 3);
}

}  // namespace
