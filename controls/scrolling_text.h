#pragma once
// TSkinScrollingText: a control without a window that moves its lines one
// pixel per step across its face, driven by a TThreadTimer, and reports each
// finished pass through OnTextScrolled. The text is shadowed like the other
// skinned controls; the face is the effective wallpaper (tiled), Color, or,
// when Transparent, whatever the parent shows behind it. It reads right to
// left when the window that paints it does.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/glyph.h"
#include "controls/shadowed_text.h"
#include "controls/skin_picture.h"
#include "controls/skin_options.h"
#include "controls/thread_timer.h"
#include "graphics/bitmap.h"
#include "framework/control.h"
#include "framework/lifetime.h"
#include "framework/strings.h"

namespace fw {
class TWinControl;
}

namespace skin {

enum TScrollDirection { sdBottomToTop, sdTopToBottom, sdLeftToRight, sdRightToLeft };

// End of a pass; the handler may set initialPosition to restart the text at
// (0, 0) instead of outside the edge it enters from.
using TTextScrolledEvent = std::function<void(fw::TObject* sender, bool& initialPosition)>;

class TSkinScrollingText : public fw::TGraphicControl, public ShadowedText, public SkinPicture {
 public:
  // 97 x 15, not scrolling.
  explicit TSkinScrollingText(fw::TComponent* owner);
  // Stops the scrolling first; a step on its way meanwhile does nothing.
  ~TSkinScrollingText() override;
  std::wstring ClassName() const override { return L"TSkinScrollingText"; }

  virtual fw::TStrings& Strings();
  // Copies the lines.
  void SetStrings(const fw::TStrings& value);

  bool Active() const { return active_; }
  void SetActive(bool value);
  unsigned Interval() const { return interval_; }
  // Milliseconds between steps; the timer takes the low 16 bits.
  void SetInterval(unsigned value);
  TScrollDirection ScrollDirection() const { return direction_; }
  // The horizontal directions also set Alignment to taLeftJustify. The text
  // stays where it is.
  void SetScrollDirection(TScrollDirection value);
  fw::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(fw::TAlignment value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  // Focused when the accelerator of the text is typed (not owned).
  fw::TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(fw::TWinControl* value);

  fw::TBitmap& Glyph() { return glyph_.Bitmap(); }
  void SetGlyph(const fw::TBitmap& value);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int value);  // above 2 is stored as 2

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

  TTextScrolledEvent OnTextScrolled;

  // Where the text's top-left corner is on the face.
  POINT TextOrigin() const { return POINT{x_, y_}; }
  const TThreadTimer& Timer() const { return *timer_; }
  // The text's rectangle as the step measures it (shadow offset included).
  RECT MeasureText();
  // One step, as the timer hands it to the user-interface thread: move one
  // pixel (or end the pass) and show the new position.
  void TimerStep();

  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void SetName(const std::wstring& name) override;
  // Static text named by its lines, moving while active.
  void DescribeAccessible(fw::AccessibleFacts& facts) const override;

 protected:
  // Back to (0, 0) when resting, else just outside the entry edge.
  virtual void ResetPosition(bool resting);
  // Draws (or with DT_CALCRECT measures) the text on canvas in r.
  virtual void DrawTextIn(fw::TCanvas& canvas, RECT& r, UINT flags);
  // Fits the size to the text (AutoSize, with a parent, not loading).
  virtual void AdjustBounds();
  void Paint() override;
  // The text keeps its place in the box, measured at the new DPI.
  void DpiChanged(int oldDpi) override;

  void CMTextChanged(fw::TMessage& m) override;
  void CMFontChanged(fw::TMessage& m) override;
  void CMDialogChar(fw::TMessage& m) override;
  void CMEnabledChanged(fw::TMessage& m) override;

 private:
  std::wstring DrawnText() const;
  // The alignment drawn: with right-to-left reading (controls/reading_order.h)
  // left and right swap, except in a pass across, which keeps the text at its
  // origin.
  fw::TAlignment DrawnAlignment() const;
  void UpdateTimer();
  // OnTextScrolled, then the position reset; false when the handler
  // destroyed this text.
  bool EndPass();
  void ShowStep(int dx, int dy);
  void ScrollParent(int dx, int dy);
  void RenderParent();
  void RenderFace();

  fw::TStringList strings_;
  bool active_ = false;
  unsigned interval_ = 25;
  TScrollDirection direction_ = sdRightToLeft;
  fw::TAlignment alignment_ = fw::taLeftJustify;
  bool transparent_ = false;
  bool showAccelChar_ = true;
  fw::TWinControl* focusControl_ = nullptr;  // not owned
  TGlyph glyph_;
  bool autoSize_ = false;
  int x_ = 0, y_ = 0;
  std::unique_ptr<TThreadTimer> timer_;
  fw::Lifetime lifetime_;
};

}  // namespace skin
