#pragma once
// TFont: a logical font description with a lazily created HFONT. The height
// is a design height (96 DPI); the handle is made for the font's DPI.
#include <windows.h>

#include <string>

#include "core/set.h"
#include "graphics/color.h"
#include "graphics/design_scale.h"
#include "graphics/gdi.h"
#include "graphics/graphics_object.h"

namespace fw {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

using TFontStyles = core::TSet<TFontStyle, 4>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TGraphicsObject {
 public:
  TFont();  // "MS Sans Serif", height -11, clWindowText, no style
  ~TFont() override;

  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name);
  // Negative: character height in pixels; positive: cell height. A design
  // height: at 96 DPI in pixels, scaled for the font's DPI.
  int Height() const { return height_; }
  void SetHeight(int height);
  // Points (Height = -Size * 96 / 72, the design height of that size).
  int Size() const;
  void SetSize(int points);
  // The DPI the handle is made for (96 until set); the handle's height is
  // Height scaled to it. Windows set it to the DPI they are drawn at.
  int Dpi() const { return dpi_; }
  void SetDpi(int dpi);
  // The height of the handle, in device pixels.
  int DeviceHeight() const { return ScaleToDpi(height_, dpi_); }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  BYTE Charset() const { return charset_; }
  void SetCharset(BYTE charset);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);

  // Copies every property, the DPI too; one change notification at most.
  void Assign(const TFont& source);
  // Takes name, height, style, charset and pitch from a LOGFONT of the
  // design DPI (colour and DPI kept).
  void AssignLogFont(const LOGFONTW& lf);
  // What the handle is made from: the height scaled to the font's DPI.
  LOGFONTW LogFont() const;

  // Created on first use and again after any change. Owned by the font.
  HFONT Handle() const;
  bool HandleAllocated() const { return static_cast<bool>(handle_); }

 protected:
  void FreeHandle() override;

 private:
  std::wstring name_;
  int height_;
  TColor color_;
  TFontStyles style_;
  BYTE charset_;
  TFontPitch pitch_;
  int dpi_ = kDesignDpi;
  mutable GdiFont handle_;
};

// Screen pixels per inch (logical), read once.
int ScreenPixelsPerInch();

}  // namespace fw
