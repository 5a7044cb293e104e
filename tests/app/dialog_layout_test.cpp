// Layout arithmetic of message dialogs, with chosen font units and text sizes.
#include "app/dialog_layout.h"

#include <gtest/gtest.h>

namespace {

bool SameRect(const RECT& r, int left, int top, int width, int height) {
  return r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height;
}

TEST(DialogUnits, AverageLetterSixByThirteen) {
  const app::DialogUnits u = app::DialogUnitsFor(6, 13);
  EXPECT_EQ(u.horizontalMargin, 12);
  EXPECT_EQ(u.verticalMargin, 13);
  EXPECT_EQ(u.horizontalSpacing, 15);
  EXPECT_EQ(u.verticalSpacing, 16);  // 16.25 rounds down
  EXPECT_EQ(u.leastButtonWidth, 75);
  EXPECT_EQ(u.buttonHeight, 23);  // 22.75 rounds up
  EXPECT_EQ(u.buttonSpacing, 6);
}

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero) {
  // 8 * 7 / 8 = 7 exactly; 10 * 7 / 8 = 8.75 -> 9; 14 * 7 / 8 = 12.25 -> 12; 50 * 5 / 4 = 62.5 -> 63.
  const app::DialogUnits u = app::DialogUnitsFor(5, 7);
  EXPECT_EQ(u.verticalMargin, 7);
  EXPECT_EQ(u.verticalSpacing, 9);
  EXPECT_EQ(u.buttonHeight, 12);
  EXPECT_EQ(u.leastButtonWidth, 63);
  EXPECT_EQ(u.horizontalSpacing, 13);  // 12.5 -> 13
}

TEST(DialogLayout, ErrorDialogWithOneOkButton) {
  app::DialogLayoutInput in;
  in.unitX = 6;
  in.unitY = 13;
  in.textWidth = 150;
  in.textHeight = 13;
  in.hasIcon = true;
  in.buttonCount = 1;
  in.buttonWidth = app::CommonButtonWidth(75, {30});
  in.screenWidth = 1024;
  in.screenHeight = 768;
  in.frameWidth = 6;
  in.frameHeight = 25;
  const app::DialogLayout l = app::ComputeDialogLayout(in);
  EXPECT_EQ(l.iconTextWidth, 197);
  EXPECT_EQ(l.iconTextHeight, 32);
  EXPECT_EQ(l.client.cx, 221);
  EXPECT_EQ(l.client.cy, 97);
  EXPECT_TRUE(SameRect(l.icon, 12, 13, 32, 32));
  EXPECT_TRUE(SameRect(l.label, 59, 13, 150, 13));
  ASSERT_EQ(l.buttons.size(), 1u);
  EXPECT_TRUE(SameRect(l.buttons[0], 73, 61, 75, 23));
  // Outer 227 x 122, halves truncated: 512 - 113, 384 - 61.
  EXPECT_EQ(l.windowPosition.x, 399);
  EXPECT_EQ(l.windowPosition.y, 323);
}

TEST(DialogLayout, ThreeButtonsTakeTheWidestCaptionAndRowDecidesWidth) {
  app::DialogLayoutInput in;
  in.unitX = 6;
  in.unitY = 13;
  in.textWidth = 40;
  in.textHeight = 26;
  in.hasIcon = true;
  in.buttonCount = 3;
  in.buttonWidth = app::CommonButtonWidth(75, {40, 81, 60});
  in.screenWidth = 800;
  in.screenHeight = 600;
  const app::DialogLayout l = app::ComputeDialogLayout(in);
  EXPECT_EQ(in.buttonWidth, 81);
  EXPECT_EQ(l.buttonGroupWidth, 3 * 81 + 2 * 6);
  // The row is wider than icon and text: it sets the client width.
  EXPECT_EQ(l.client.cx, 255 + 24);
  EXPECT_EQ(l.client.cy, 32 + 23 + 16 + 26);
  ASSERT_EQ(l.buttons.size(), 3u);
  EXPECT_TRUE(SameRect(l.buttons[0], 12, 61, 81, 23));
  EXPECT_TRUE(SameRect(l.buttons[1], 99, 61, 81, 23));
  EXPECT_TRUE(SameRect(l.buttons[2], 186, 61, 81, 23));
  // The text keeps its left edge beside the icon.
  EXPECT_EQ(l.label.left, 12 + 32 + 15);
}

TEST(DialogLayout, NoIconTallText) {
  app::DialogLayoutInput in;
  in.unitX = 6;
  in.unitY = 13;
  in.textWidth = 300;
  in.textHeight = 52;
  in.hasIcon = false;
  in.buttonCount = 1;
  in.buttonWidth = 75;
  const app::DialogLayout l = app::ComputeDialogLayout(in);
  EXPECT_EQ(l.iconTextWidth, 300);
  EXPECT_EQ(l.iconTextHeight, 52);
  EXPECT_EQ(l.icon.right - l.icon.left, 0);
  EXPECT_TRUE(SameRect(l.label, 12, 13, 300, 52));
  EXPECT_EQ(l.client.cx, 324);
  EXPECT_EQ(l.buttons[0].top, 52 + 13 + 16);
  EXPECT_EQ(l.buttons[0].left, (324 - 75) / 2);
}

TEST(DialogLayout, RightToLeftMirrorsTheLabel) {
  app::DialogLayoutInput in;
  in.unitX = 6;
  in.unitY = 13;
  in.textWidth = 150;
  in.textHeight = 13;
  in.hasIcon = true;
  in.buttonCount = 1;
  in.buttonWidth = 75;
  in.rightToLeft = true;
  const app::DialogLayout l = app::ComputeDialogLayout(in);
  EXPECT_EQ(l.label.left, 221 - 59 - 150);
}

TEST(DialogLayout, NoButtons) {
  app::DialogLayoutInput in;
  in.unitX = 6;
  in.unitY = 13;
  in.textWidth = 10;
  in.textHeight = 13;
  const app::DialogLayout l = app::ComputeDialogLayout(in);
  EXPECT_EQ(l.buttonGroupWidth, 0);
  EXPECT_TRUE(l.buttons.empty());
  EXPECT_EQ(l.client.cx, 10 + 24);
}

}  // namespace
