#include "mainwindow/layout.h"

#include <gtest/gtest.h>

namespace kavri {
namespace {

TEST(Layout, FiveSlotsWithTheFourthLeftEmpty) {
  // Client width 186 (the design window of 194 with its frame).
  const FormLayout layout = ComputeLayout(186, 237, 20, 24);
  EXPECT_EQ(layout.butCopy, (Bounds{0, 213, 37, 24}));
  EXPECT_EQ(layout.butMove, (Bounds{37, 213, 37, 24}));
  EXPECT_EQ(layout.butDel, (Bounds{74, 213, 37, 24}));
  EXPECT_EQ(layout.butQuit, (Bounds{148, 213, 37, 24}));
  EXPECT_EQ(layout.listBox1, (Bounds{0, 0, 186, 193}));
  EXPECT_EQ(layout.comboBox1, (Bounds{0, 193, 186, 20}));
}

TEST(Layout, SlotWidthTruncates) {
  struct Case {
    int width;
    int slot;
  };
  for (const Case c : {Case{0, 0}, Case{4, 0}, Case{5, 1}, Case{189, 37}, Case{190, 38}}) {
    SCOPED_TRACE(c.width);
    const FormLayout layout = ComputeLayout(c.width, 300, 20, 24);
    EXPECT_EQ(layout.butMove.left, c.slot);
    EXPECT_EQ(layout.butQuit.left, 4 * c.slot);
    EXPECT_EQ(layout.butQuit.width, c.slot);
  }
}

TEST(Layout, ListNeverGetsANegativeHeight) {
  const FormLayout layout = ComputeLayout(100, 30, 20, 24);
  EXPECT_EQ(layout.listBox1.height, 0);
  EXPECT_EQ(layout.comboBox1.top, 0);
  EXPECT_EQ(layout.butCopy.top, 6);
}

TEST(Layout, ScalesDesignValues) {
  EXPECT_EQ(ScaleForDpi(24, 96), 24);
  EXPECT_EQ(ScaleForDpi(24, 144), 36);
  EXPECT_EQ(ScaleForDpi(-12, 120), -15);
  EXPECT_EQ(ScaleForDpi(283, 120), 354);
}

}  // namespace
}  // namespace kavri
