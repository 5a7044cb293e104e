#pragma once
// Measuring and drawing text with a 3D effect (TFx3DCaption): the text is
// drawn several times, each copy moved a few pixels and in its own colour.
#include <windows.h>

#include <string>

#include "effects/fx_3d_caption.h"
#include "graphics/canvas.h"
#include "graphics/font.h"

namespace fx {

// State flags of FxDraw3DText.
enum : unsigned {
  kFx3DEnabled = 1,     // drawn in its normal colours
  kFx3DDisabled3D = 2,  // when disabled with dsAuto: grey and sunken
  kFx3DClip = 4,        // clip to the clip rectangle (or to the text rectangle)
};

// Grows rect's right and bottom edges to the extent of text drawn in font
// with the caption's effect and a margin on every side (the effect's depths
// and the margin are design lengths, measured at the font's DPI). An empty text (or a
// lone "&" when accelerators are processed) is measured as one space. For a
// rotated TFxAngleCaption, rect becomes the rotated text's bounding box and
// PosX/PosY the text's starting point inside it.
void FxMeasure3DText(const std::wstring& text, TFx3DCaption* caption, RECT& rect, UINT drawFlags, int margin,
                     bool processAccel, bool wordBreak, const fw::TFont& font);

// Draws text into rect on the canvas with its font and the caption's effect
// (once and plainly without a caption), at the canvas's DPI. The canvas's brush and font colours
// are left as they were.
void FxDraw3DText(fw::TCanvas& canvas, const std::wstring& text, TFx3DCaption* caption, const RECT* clip,
                  unsigned state, UINT format, const RECT& rect);

}  // namespace fx
