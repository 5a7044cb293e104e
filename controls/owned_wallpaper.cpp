#include "controls/owned_wallpaper.h"

namespace skin {

fw::TBitmap& OwnedWallpaper::Get() {
  if (!bitmap_) {
    bitmap_ = std::make_unique<fw::TBitmap>();
    bitmap_->OnChange = [this] {
      if (!copying_ && onEdit_) onEdit_();
    };
  }
  return *bitmap_;
}

void OwnedWallpaper::Set(const fw::TBitmap& value) {
  fw::TBitmap& own = Get();
  copying_ = true;
  struct EndCopy {
    bool& flag;
    ~EndCopy() { flag = false; }
  } endCopy{copying_};
  own.Assign(value);
}

}  // namespace skin
