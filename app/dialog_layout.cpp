#include "app/dialog_layout.h"

#include <algorithm>

namespace app {

DialogUnits DialogUnitsFor(int x, int y) {
  return DialogUnits{
      MulDiv(8, x, 4),  MulDiv(8, y, 8),  MulDiv(10, x, 4), MulDiv(10, y, 8),
      MulDiv(50, x, 4), MulDiv(14, y, 8), MulDiv(4, x, 4),
  };
}

int CommonButtonWidth(int leastWidth, const std::vector<int>& captionWidths) {
  int width = leastWidth;
  for (int w : captionWidths) width = std::max(width, w);
  return width;
}

DialogLayout ComputeDialogLayout(const DialogLayoutInput& in) {
  DialogLayout out{};
  out.units = DialogUnitsFor(in.unitX, in.unitY);
  const DialogUnits& u = out.units;

  out.iconTextWidth = in.textWidth;
  out.iconTextHeight = in.textHeight;
  if (in.hasIcon) {
    out.iconTextWidth = in.textWidth + in.iconSize + u.horizontalSpacing;
    out.iconTextHeight = std::max(in.textHeight, in.iconSize);
  }
  out.buttonGroupWidth =
      in.buttonCount > 0 ? in.buttonCount * in.buttonWidth + (in.buttonCount - 1) * u.buttonSpacing : 0;

  out.client.cx = std::max(out.iconTextWidth, out.buttonGroupWidth) + 2 * u.horizontalMargin;
  out.client.cy = out.iconTextHeight + u.buttonHeight + u.verticalSpacing + 2 * u.verticalMargin;

  const int outerWidth = out.client.cx + in.frameWidth;
  const int outerHeight = out.client.cy + in.frameHeight;
  out.windowPosition.x = in.screenWidth / 2 - outerWidth / 2;
  out.windowPosition.y = in.screenHeight / 2 - outerHeight / 2;

  if (in.hasIcon)
    out.icon = RECT{u.horizontalMargin, u.verticalMargin, u.horizontalMargin + in.iconSize, u.verticalMargin + in.iconSize};

  int labelLeft = out.iconTextWidth - in.textWidth + u.horizontalMargin;
  if (in.rightToLeft) labelLeft = out.client.cx - labelLeft - in.textWidth;
  out.label = RECT{labelLeft, u.verticalMargin, labelLeft + in.textWidth, u.verticalMargin + in.textHeight};

  int left = (out.client.cx - out.buttonGroupWidth) / 2;
  const int top = out.iconTextHeight + u.verticalMargin + u.verticalSpacing;
  for (int i = 0; i < in.buttonCount; ++i) {
    out.buttons.push_back(RECT{left, top, left + in.buttonWidth, top + u.buttonHeight});
    left += in.buttonWidth + u.buttonSpacing;
  }
  return out;
}

}  // namespace app
