#pragma once
// A skinned control's own wallpaper picture, made on first use. Later edits of
// the picture call the owner back; a copy made through Set does not, because
// every setter does its own repainting.
#include <functional>
#include <memory>

#include "graphics/bitmap.h"

namespace skin {

class OwnedWallpaper {
 public:
  explicit OwnedWallpaper(std::function<void()> onEdit) : onEdit_(std::move(onEdit)) {}
  OwnedWallpaper(const OwnedWallpaper&) = delete;
  OwnedWallpaper& operator=(const OwnedWallpaper&) = delete;

  fw::TBitmap& Get();
  void Set(const fw::TBitmap& value);
  // The picture, or nullptr while none was ever asked for.
  fw::TBitmap* Existing() const { return bitmap_.get(); }

 private:
  std::function<void()> onEdit_;
  std::unique_ptr<fw::TBitmap> bitmap_;
  bool copying_ = false;
};

}  // namespace skin
