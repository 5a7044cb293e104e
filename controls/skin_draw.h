#pragma once
// Drawing routines shared by every skinned control: shadowed text, wallpaper
// (plain and anchored), a copy of the parent's background, two-colour
// gradient, the complementary colour and the effective-wallpaper rule.
#include <windows.h>

#include <string_view>

#include "controls/skin_options.h"
#include "graphics/bitmap.h"
#include "graphics/color.h"
#include "graphics/design_scale.h"
#include "framework/parent_background.h"

namespace skin {

class TSkinImages;

// Draws `text` twice with DrawTextW and `format`: the shadow copy in
// `shadow`, then the face copy in `face`, both over a transparent background.
// By position, with s = size: spLeftTop moves the face by (s, s);
// spLeftBottom the face by (s, 0) and the shadow by (0, s); spRightBottom the
// shadow by (s, s); spRightTop the face by (0, s) and the shadow by (s, 0).
// `textRect` is left moved as the face copy was drawn (measurements with
// DT_CALCRECT come back in it). The DC's text colour and background mode are
// restored afterwards.
void DrawShadowText(HDC dc, RECT& textRect, TShadowPosition position, int size, fw::TColor shadow,
                    fw::TColor face, UINT format, std::wstring_view text);

// Fills r with the bitmap. Tiled: whole tiles from r's top-left, cut at the
// right and bottom edges, at device pixels whatever the DPI (a tiled
// wallpaper is a texture: it stays as sharp as designed and costs no copy).
// Not tiled: the bitmap pinned to the client origin, i.e. its (r.left, r.top)
// lands on (r.left, r.top), nothing repeated; a picture laid out with the
// window, so it is shown as designed for 96 DPI at `dpi`: scaled once for
// that DPI (TBitmap::AtDpi) and kept. Returns false (drawing nothing) for a
// missing or empty bitmap.
bool DrawWallpaper(HDC dc, fw::TBitmap* bitmap, const RECT& r, DWORD rop, bool tiled, int dpi = fw::kDesignDpi);

// Tiled with anchor != item: the pattern is laid over `anchor` and only the
// `item` part of it is copied, so the pattern runs on across rows. Otherwise
// DrawWallpaper into `item`. Returns whether anything was drawn.
bool DrawWallpaperAnchored(HDC dc, fw::TBitmap* bitmap, const RECT& anchor, DWORD rop, bool tiled,
                           const RECT& item, int dpi = fw::kDesignDpi);

// The parent's background behind a control, from the framework.
using fw::PaintParentBackground;
using fw::PaintParentBackgroundClipped;

// Bands of solid colour from `start` to `end` along x (gdHorizontal) or y
// (gdVertical); system colours are resolved first.
void FillGradient(HDC dc, const RECT& r, fw::TColor start, fw::TColor end,
                  TGradientDirection direction, int steps = 128);

// RGB(255 - r, 255 - g, 255 - b) of the resolved colour.
fw::TColor ComplementColor(fw::TColor color);

// The wallpaper a control paints: item idWallpaper of skinImages when that
// exists and holds a non-empty bitmap; else the control's own wallpaper when
// it exists and is not empty; else null. Nothing returned is owned by the
// caller.
fw::TBitmap* EffectiveWallpaper(const TSkinImages* skinImages, int idWallpaper, fw::TBitmap* ownWallpaper);

}  // namespace skin
