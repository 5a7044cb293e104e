#pragma once
// The option set shared by every skinned control and the form wallpaper hook,
// and the small enumerations of the shared drawing routines.
#include <cstdint>
#include <initializer_list>

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

// A set of TSkinOption held in the low 21 bits of a 32-bit value.
class TSkinOptions {
 public:
  static constexpr std::uint32_t kMask = (1u << 21) - 1;

  constexpr TSkinOptions() = default;
  constexpr TSkinOptions(std::initializer_list<TSkinOption> options) {
    for (TSkinOption o : options) bits_ |= Bit(o);
  }
  // Bits above 20 are dropped.
  static constexpr TSkinOptions FromBits(std::uint32_t bits) {
    TSkinOptions s;
    s.bits_ = bits & kMask;
    return s;
  }
  constexpr std::uint32_t Bits() const { return bits_; }

  constexpr bool Contains(TSkinOption o) const { return (bits_ & Bit(o)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSkinOptions& Include(TSkinOption o) { bits_ |= Bit(o); return *this; }
  constexpr TSkinOptions& Exclude(TSkinOption o) { bits_ &= ~Bit(o); return *this; }
  constexpr TSkinOptions operator+(TSkinOption o) const { TSkinOptions r = *this; return r.Include(o); }
  constexpr TSkinOptions operator-(TSkinOption o) const { TSkinOptions r = *this; return r.Exclude(o); }
  constexpr TSkinOptions operator+(TSkinOptions o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSkinOptions operator-(TSkinOptions o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSkinOptions operator*(TSkinOptions o) const { return FromBits(bits_ & o.bits_); }
  friend constexpr bool operator==(TSkinOptions a, TSkinOptions b) { return a.bits_ == b.bits_; }

 private:
  static constexpr std::uint32_t Bit(TSkinOption o) { return 1u << static_cast<unsigned>(o); }
  std::uint32_t bits_ = 0;
};

// Where a caption's shadow copy lies relative to its face copy.
enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

// Bevel cuts of labels and list items.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// gdHorizontal: the colour changes from left to right; gdVertical: top to bottom.
enum TGradientDirection { gdHorizontal, gdVertical };

}  // namespace skin
