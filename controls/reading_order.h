#pragma once
// Right-to-left reading of the skinned controls without a window: they read
// as the window that paints them (its WS_EX_RTLREADING). Such a text then
// reads right to left, and left and right alignment swap.
#include "framework/control.h"

namespace skin {

bool ReadsRightToLeft(const fw::TControl& control);

// The alignment drawn for `alignment`: left and right swapped when the text
// reads right to left, centred as it is.
fw::TAlignment ReadingAlignment(fw::TAlignment alignment, bool rightToLeft);

}  // namespace skin
