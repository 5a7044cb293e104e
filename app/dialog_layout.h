#pragma once
// The arithmetic of a message dialog's layout, apart from any window, so that
// it can be checked with chosen font units and text sizes.
#include <windows.h>

#include <vector>

namespace app {

// Sizes derived from the font's average letter (unit X) and height (unit Y).
struct DialogUnits {
  int horizontalMargin;
  int verticalMargin;
  int horizontalSpacing;  // icon to text
  int verticalSpacing;    // text to buttons
  int leastButtonWidth;
  int buttonHeight;
  int buttonSpacing;
};
DialogUnits DialogUnitsFor(int unitX, int unitY);

struct DialogLayoutInput {
  int unitX = 0;
  int unitY = 0;
  int textWidth = 0;   // W: right edge of the measured text rectangle
  int textHeight = 0;  // H
  bool hasIcon = false;
  int iconSize = 32;  // the icon's side, in pixels
  int buttonCount = 0;
  int buttonWidth = 0;  // the common width (least width or widest caption)
  int screenWidth = 0;
  int screenHeight = 0;
  // Outer size minus client size of the dialog window (frame and caption).
  int frameWidth = 0;
  int frameHeight = 0;
  bool rightToLeft = false;
};

struct DialogLayout {
  DialogUnits units;
  int iconTextWidth;
  int iconTextHeight;
  int buttonGroupWidth;
  SIZE client;
  POINT windowPosition;  // outer top-left, centred on the screen
  RECT icon;             // empty when there is no icon
  RECT label;
  std::vector<RECT> buttons;  // left to right
};

DialogLayout ComputeDialogLayout(const DialogLayoutInput& in);

// The common button width: the least width, or the widest cached caption width.
int CommonButtonWidth(int leastWidth, const std::vector<int>& captionWidths);

}  // namespace app
