#pragma once
// The shadowed-text properties the skinned button, label and scrolling text
// share, with their one change rule: a new shadow colour, size (0 to 255) or
// position ends the simple view. A setter repaints the control (through the
// function the control gave) only when something changed.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string_view>
#include <utility>

#include "controls/skin_options.h"
#include "graphics/color.h"

namespace skin {

class ShadowedText {
 public:
  ShadowedText(const ShadowedText&) = delete;
  ShadowedText& operator=(const ShadowedText&) = delete;

  fw::TColor ShadowColor() const { return color_; }
  void SetShadowColor(fw::TColor value) { Change(color_, value); }
  int ShadowSize() const { return size_; }
  void SetShadowSize(int value) { Change(size_, std::clamp(value, 0, 255)); }
  TShadowPosition ShadowPos() const { return pos_; }
  void SetShadowPos(TShadowPosition value) { Change(pos_, value); }
  bool SimpleView() const { return simpleView_; }
  void SetSimpleView(bool value);

 protected:
  explicit ShadowedText(std::function<void()> repaint) : repaint_(std::move(repaint)) {}
  ~ShadowedText() = default;
  // Draws (or with DT_CALCRECT measures) text in r: embossed grey when
  // disabled, else once in the face colour in the simple view, else a shadow
  // copy and the face copy; the offsets are design lengths, drawn at dpi. In
  // high contrast: once, in the system's button text colour (grey text when
  // disabled).
  void DrawShadowed(HDC dc, RECT& r, UINT format, std::wstring_view text, fw::TColor face, bool enabled,
                    int dpi) const;

 private:
  template <class T>
  void Change(T& field, T value) {
    if (value == field) return;
    field = value;
    simpleView_ = false;
    repaint_();
  }

  std::function<void()> repaint_;
  fw::TColor color_ = fw::clBtnHighlight;
  int size_ = 1;
  TShadowPosition pos_ = spLeftTop;
  bool simpleView_ = false;
};

}  // namespace skin
