#include "controls/skin_picture.h"

#include <utility>

#include "controls/skin_draw.h"

namespace skin {

SkinPicture::SkinPicture(fw::TComponent& owner, Reactions reactions)
    : owner_(owner), reactions_(std::move(reactions)) {
  if (!reactions_.replaced) reactions_.replaced = reactions_.changed;
  if (!reactions_.edited) reactions_.edited = reactions_.changed;
  link_.OnChange = [this] { reactions_.changed(); };
}

SkinPicture::~SkinPicture() {
  link_.Attach(nullptr);
  if (images_) images_->RemoveFreeNotification(&owner_);
}

void SkinPicture::SetWallpaper(const fw::TBitmap& value) {
  wallpaper_.Set(value);
  reactions_.replaced();
}

void SkinPicture::SetSkinImages(TSkinImages* value) {
  if (value == images_) return;
  if (images_) images_->RemoveFreeNotification(&owner_);
  images_ = value;
  link_.Attach(value);
  if (value) value->FreeNotification(&owner_);
  reactions_.changed();
}

void SkinPicture::SetIdWallpaper(int value) {
  if (value == id_) return;
  id_ = value;
  reactions_.changed();
}

fw::TBitmap* SkinPicture::EffectiveWallpaper() const {
  return skin::EffectiveWallpaper(images_, id_, wallpaper_.Existing());
}

bool SkinPicture::SkinImagesRemoved(fw::TComponent* component, fw::TOperation operation) {
  if (operation != fw::opRemove || component != images_) return false;
  images_ = nullptr;
  link_.Attach(nullptr);
  return !owner_.IsDestroying();
}

}  // namespace skin
