#pragma once
// A key of the main window's keypad, for the button tests and the paint
// benchmark: 57 x 25, a bold white "8" with a black shadow, elliptical and
// transparent.
#include "controls/skin_button.h"

namespace button_label_test {

inline skin::TSkinBtn* NewKeypadKey(fw::TWinControl& parent, int left, int top) {
  auto* key = new skin::TSkinBtn(&parent);
  key->SetParent(&parent);
  key->SetBounds(left, top, 57, 25);
  key->SetCaption(L"8");
  key->Font().SetName(L"MS Sans Serif");
  key->Font().SetHeight(-13);
  key->Font().SetStyle({fw::fsBold});
  key->Font().SetColor(fw::clWhite);
  key->SetShadowColor(fw::clBlack);
  key->SetOptions({skin::ocRoundedForm, skin::ocPaintTransparently});
  return key;
}

}  // namespace button_label_test
