#pragma once
// The option set shared by every skinned control and the form wallpaper hook,
// and the small enumerations of the shared drawing routines.
#include "core/set.h"

namespace skin {

// Bit numbers are fixed: stored descriptions hold the set as its bits.
enum TSkinOption : unsigned {
  ocPaintWallpaper = 0,
  ocPaintSelWallpaper = 1,
  ocPaintCaptionWallpaper = 2,
  ocTileWallpaper = 3,
  ocInvertWallpaperAsSelect = 4,
  ocPaintGradiently = 5,
  ocBevelOnlyIfSel = 6,
  ocNoHighlightImage = 7,
  ocNoImageAttached = 8,
  ocUseImageList = 9,
  oc3dMDIForm = 10,
  ocWallpaperForMDIChildren = 11,
  ocGradientForMDIChildren = 12,
  ocNoCaption = 13,
  ocSmallCaption = 14,
  ocNoMDIChildrensCaptions = 15,
  ocDragUsingClientArea = 16,
  ocNoDragUsingCaption = 17,
  ocRoundedForm = 18,
  ocFlatBorder = 19,
  ocPaintTransparently = 20,
};

// Held in the low 21 bits of a 32-bit value; higher bits are dropped.
using TSkinOptions = core::TSet<TSkinOption, 21>;

// Where a caption's shadow copy lies relative to its face copy.
enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

// Bevel cuts of labels and list items.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// gdHorizontal: the colour changes from left to right; gdVertical: top to bottom.
enum TGradientDirection { gdHorizontal, gdVertical };

}  // namespace skin
