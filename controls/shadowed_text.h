#pragma once
// The shadowed-text settings the skinned button, label and scrolling text
// share, with their one change rule: a new shadow colour, size (0 to 255) or
// position ends the simple view. Each setter says whether anything changed,
// so that the control repaints only then.
#include <algorithm>

#include "controls/skin_options.h"
#include "graphics/color.h"

namespace skin {

struct TextShadow {
  fw::TColor color = fw::clBtnHighlight;
  int size = 1;
  TShadowPosition pos = spLeftTop;
  bool simpleView = false;

  bool SetColor(fw::TColor value) { return Change(color, value); }
  bool SetSize(int value) { return Change(size, std::clamp(value, 0, 255)); }
  bool SetPos(TShadowPosition value) { return Change(pos, value); }
  bool SetSimpleView(bool value) {
    if (value == simpleView) return false;
    simpleView = value;
    return true;
  }

 private:
  template <class T>
  bool Change(T& field, T value) {
    if (value == field) return false;
    field = value;
    simpleView = false;
    return true;
  }
};

}  // namespace skin
