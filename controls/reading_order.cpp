#include "controls/reading_order.h"

#include "framework/wincontrol.h"

namespace skin {

bool ReadsRightToLeft(const fw::TControl& control) {
  fw::TWinControl* parent = control.Parent();
  return parent && parent->HandleAllocated() &&
         (GetWindowLongPtrW(parent->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
}

fw::TAlignment ReadingAlignment(fw::TAlignment alignment, bool rightToLeft) {
  if (!rightToLeft) return alignment;
  if (alignment == fw::taLeftJustify) return fw::taRightJustify;
  if (alignment == fw::taRightJustify) return fw::taLeftJustify;
  return alignment;
}

}  // namespace skin
