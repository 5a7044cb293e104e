#pragma once
// TFont: a logical font description with a lazily created HFONT.
#include <windows.h>

#include <string>

#include "core/set.h"
#include "graphics/color.h"
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
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return height_; }
  void SetHeight(int height);
  // Points at the screen's pixels per inch (Height = -Size * ppi / 72).
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  BYTE Charset() const { return charset_; }
  void SetCharset(BYTE charset);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);

  // Copies every property; one change notification at most.
  void Assign(const TFont& source);
  // Takes name, height, style, charset and pitch from a LOGFONT (colour kept).
  void AssignLogFont(const LOGFONTW& lf);
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
  mutable GdiFont handle_;
};

// Screen pixels per inch (logical), read once.
int ScreenPixelsPerInch();

}  // namespace fw
