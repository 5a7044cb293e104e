#pragma once
// Smooth resampling of 32-bit pixels, for pictures drawn at another size than
// their own (a picture designed for 96 DPI shown at 144, say): each target
// pixel is a tent-weighted mean of the source pixels around its centre,
// which interpolates when enlarging and averages when reducing.
#include <cstdint>
#include <optional>
#include <vector>

namespace fw {

// Pixels 0x00RRGGBB, row after row from the top.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// `source` at width x height. With a transparent key, key pixels take no
// part in the colours, and a target pixel is the key where the key covers
// more than half of its weight, so a transparent picture keeps a clean edge
// (no key colour bleeds into it). An empty source or size gives an empty
// image; the same size gives the source unchanged.
PixelImage Resample(const PixelImage& source, int width, int height, std::optional<std::uint32_t> key = {});

}  // namespace fw
