#include "graphics/font.h"

#include <algorithm>
#include <cwchar>

#include "graphics/graphics_errors.h"

namespace fw {

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    ClientDC screen(nullptr);
    int v = GetDeviceCaps(screen, LOGPIXELSY);
    return v > 0 ? v : 96;
  }();
  return ppi;
}

TFont::TFont()
    : name_(L"MS Sans Serif"),
      height_(-11),
      color_(clWindowText),
      charset_(DEFAULT_CHARSET),
      pitch_(fpDefault) {}

TFont::~TFont() = default;

void TFont::SetName(const std::wstring& name) {
  if (name == name_ || name.empty()) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, kDesignDpi); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, kDesignDpi, 72)); }

void TFont::SetDpi(int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  if (dpi == dpi_) return;
  dpi_ = dpi;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  // The handle does not depend on the colour; keep it.
  Notify();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetCharset(BYTE charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}

void TFont::Assign(const TFont& source) {
  if (&source == this) return;
  BeginUpdate();
  SetName(source.name_);
  SetHeight(source.height_);
  SetColor(source.color_);
  SetStyle(source.style_);
  SetCharset(source.charset_);
  SetPitch(source.pitch_);
  SetDpi(source.dpi_);
  EndUpdate();
}

void TFont::AssignLogFont(const LOGFONTW& lf) {
  BeginUpdate();
  SetName(lf.lfFaceName);
  SetHeight(lf.lfHeight);
  TFontStyles s;
  if (lf.lfWeight >= FW_BOLD) s.Include(fsBold);
  if (lf.lfItalic) s.Include(fsItalic);
  if (lf.lfUnderline) s.Include(fsUnderline);
  if (lf.lfStrikeOut) s.Include(fsStrikeOut);
  SetStyle(s);
  SetCharset(lf.lfCharSet);
  switch (lf.lfPitchAndFamily & 3) {
    case VARIABLE_PITCH: SetPitch(fpVariable); break;
    case FIXED_PITCH: SetPitch(fpFixed); break;
    default: SetPitch(fpDefault); break;
  }
  EndUpdate();
}

LOGFONTW TFont::LogFont() const {
  LOGFONTW lf{};
  lf.lfHeight = DeviceHeight();
  lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style_.Contains(fsItalic);
  lf.lfUnderline = style_.Contains(fsUnderline);
  lf.lfStrikeOut = style_.Contains(fsStrikeOut);
  lf.lfCharSet = charset_;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = pitch_ == fpVariable ? VARIABLE_PITCH : pitch_ == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
  std::size_t n = std::min<std::size_t>(name_.size(), LF_FACESIZE - 1);
  std::wmemcpy(lf.lfFaceName, name_.data(), n);
  lf.lfFaceName[n] = L'\0';
  return lf;
}

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTW lf = LogFont();
    handle_.Reset(CreateFontIndirectW(&lf));
    if (!handle_) throw EOutOfResources(L"Cannot create a font");
  }
  return handle_.Get();
}

void TFont::FreeHandle() { handle_.Reset(); }

}  // namespace fw
