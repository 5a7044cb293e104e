#include "graphics/resample.h"

#include <algorithm>
#include <cmath>

namespace fw {
namespace {

// Colour channels weighted by how much of the pixel is not the key, and that
// share itself.
struct Sample {
  double r = 0, g = 0, b = 0, opaque = 0, weight = 0;
  void Add(const Sample& s, double w) {
    r += s.r * w;
    g += s.g * w;
    b += s.b * w;
    opaque += s.opaque * w;
    weight += s.weight * w;
  }
};

struct Tap {
  int index;
  double weight;
};

// For each target position along one axis, the source positions that reach
// it and their tent weights (the tent is widened by the reduction factor).
std::vector<std::vector<Tap>> Taps(int from, int to) {
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
  const double scale = static_cast<double>(from) / to;
  const double radius = std::max(1.0, scale);
  for (int t = 0; t < to; ++t) {
    const double centre = (t + 0.5) * scale - 0.5;
    const int first = static_cast<int>(std::floor(centre - radius)) + 1;
    const int last = static_cast<int>(std::ceil(centre + radius)) - 1;
    for (int s = first; s <= last; ++s) {
      const double w = 1.0 - std::abs(s - centre) / radius;
      if (w > 0) taps[static_cast<size_t>(t)].push_back(Tap{std::clamp(s, 0, from - 1), w});
    }
  }
  return taps;
}

Sample FromPixel(std::uint32_t p, const std::optional<std::uint32_t>& key) {
  Sample s;
  s.weight = 1;
  if (key && (p & 0xFFFFFF) == *key) return s;
  s.opaque = 1;
  s.r = (p >> 16) & 0xFF;
  s.g = (p >> 8) & 0xFF;
  s.b = p & 0xFF;
  return s;
}

std::uint32_t ToPixel(const Sample& s, const std::optional<std::uint32_t>& key) {
  if (s.weight <= 0) return 0;
  if (key && s.opaque * 2 < s.weight) return *key;
  if (s.opaque <= 0) return 0;
  auto channel = [&](double v) {
    return static_cast<std::uint32_t>(std::clamp(std::lround(v / s.opaque), 0L, 255L));
  };
  return (channel(s.r) << 16) | (channel(s.g) << 8) | channel(s.b);
}

}  // namespace

PixelImage Resample(const PixelImage& source, int width, int height, std::optional<std::uint32_t> key) {
  if (source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0) return {};
  if (width == source.width && height == source.height) return source;
  const auto across = Taps(source.width, width);
  const auto down = Taps(source.height, height);
  // Along the rows first, then down the columns.
  std::vector<Sample> rows(static_cast<size_t>(width) * static_cast<size_t>(source.height));
  for (int y = 0; y < source.height; ++y) {
    const std::uint32_t* line = source.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(source.width);
    for (int x = 0; x < width; ++x) {
      Sample& out = rows[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
      for (const Tap& t : across[static_cast<size_t>(x)]) out.Add(FromPixel(line[t.index], key), t.weight);
    }
  }
  PixelImage target{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height))};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Sample sum;
      for (const Tap& t : down[static_cast<size_t>(y)])
        sum.Add(rows[static_cast<size_t>(t.index) * static_cast<size_t>(width) + static_cast<size_t>(x)], t.weight);
      target.pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = ToPixel(sum, key);
    }
  }
  return target;
}

}  // namespace fw
