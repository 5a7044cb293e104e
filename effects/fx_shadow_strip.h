#pragma once
// The strip windows of the form shadow: borderless pop-ups of the window
// class "ShadowClass" that paint themselves in the shadow style and colour
// kept in their extra window memory (style at byte 0, colour at byte 4).
#include <windows.h>

#include "effects/fx_shadow.h"

namespace fx {

inline constexpr const wchar_t* kShadowClassName = L"ShadowClass";
constexpr int kShadowStripExtraBytes = 20;
constexpr int kStripStyleOffset = 0;
constexpr int kStripColorOffset = 4;

// Makes the class known for this module; registering it again is harmless.
void RegisterShadowClass();
// A hidden strip at (x, y) of w x h, owned by `owner`; null on failure.
HWND CreateShadowStrip(HWND owner, int x, int y, int w, int h);
// Writes the style and colour the strip paints with.
void WriteStripSettings(HWND strip, TFxShadowStyle style, fw::TColor color);
TFxShadowStyle StripStyle(HWND strip);
fw::TColor StripColor(HWND strip);

// Owns one strip window (DestroyWindow on release). The system may have
// destroyed it already with its owner form; then there is nothing to do.
class ShadowStrip {
 public:
  ShadowStrip() = default;
  explicit ShadowStrip(HWND wnd) : wnd_(wnd) {}
  ShadowStrip(ShadowStrip&& other) noexcept : wnd_(other.wnd_) { other.wnd_ = nullptr; }
  ShadowStrip& operator=(ShadowStrip&& other) noexcept;
  ShadowStrip(const ShadowStrip&) = delete;
  ShadowStrip& operator=(const ShadowStrip&) = delete;
  ~ShadowStrip() { Reset(); }

  HWND Get() const { return wnd_; }
  explicit operator bool() const { return wnd_ != nullptr; }
  void Reset();

 private:
  HWND wnd_ = nullptr;
};

// The class's window procedure.
LRESULT CALLBACK ShadowStripProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace fx
