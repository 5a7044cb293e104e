#pragma once
// TGlyph: a glyph strip of one to four cells (enabled, disabled, ...) drawn
// from cells kept in the process-wide glyph cache. The enabled cell is cell 0
// as it is; the disabled cell is cell 1 recoloured for system colours, or,
// for a single cell, an embossed picture made from the glyph's dark pixels.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/color.h"
#include "graphics/design_scale.h"

namespace skin {

class TGlyphList;

class TGlyph {
 public:
  TGlyph();
  TGlyph(const TGlyph&) = delete;
  TGlyph& operator=(const TGlyph&) = delete;
  ~TGlyph();

  fw::TBitmap& Bitmap() { return bitmap_; }
  // Copies the picture and takes its transparent colour; when its width is
  // an exact multiple of its height the cell count becomes width / height if
  // that is below 5, else 1. An empty picture clears the glyph.
  void SetBitmap(const fw::TBitmap& bitmap);
  bool Empty() const { return bitmap_.Empty(); }

  int NumGlyphs() const { return numGlyphs_; }
  // 1..4; anything else is ignored.
  void SetNumGlyphs(int value);

  fw::TColor TransparentColor() const { return transparentColor_; }

  // The DPI the glyph is drawn at (96 until set): its picture is designed
  // for 96 DPI, and its cells are made once for the DPI, scaled smoothly
  // (with clean transparent edges), and kept in the glyph cache.
  int Dpi() const { return dpi_; }
  void SetDpi(int dpi);

  // Width of one cell by the picture's height, at the glyph's DPI; 0 x 0
  // without a picture.
  SIZE CellSize() const;
  SIZE PictureSize() const;

  // Draws the enabled or disabled cell at (x, y), transparent. Nothing when
  // there is no picture.
  void Draw(HDC dc, int x, int y, bool enabled);
  // The same with the whole picture as the one cell, whatever the count.
  void DrawAsOneCell(HDC dc, int x, int y, bool enabled) const;

  // Raised after the picture or the cell count changed.
  std::function<void()> OnChange;

 private:
  enum Cell { kEnabled, kDisabled };
  int CellIndex(Cell cell);
  SIZE DesignCellSize() const;
  std::vector<std::uint32_t> CellPixels(int cell);
  std::vector<std::uint32_t> DisabledPixels();
  // A cell made at its design size, at the glyph's DPI.
  std::vector<std::uint32_t> ForDpi(std::vector<std::uint32_t> pixels);
  void ReleaseCells();
  void Changed();

  fw::TBitmap bitmap_;
  int numGlyphs_ = 1;
  int dpi_ = fw::kDesignDpi;
  fw::TColor transparentColor_ = fw::clDefault;
  TGlyphList* list_ = nullptr;  // in the cache, not owned
  int indexes_[2] = {-1, -1};
};

}  // namespace skin
