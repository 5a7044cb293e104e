#pragma once
// The picture setting of every skinned control and of the form wallpaper
// hook: an own wallpaper, or picture IdWallpaper of a TSkinImages store that
// several controls share (the store's picture wins when it has one). A
// control derives from it for these properties and is told of every change
// through the reactions it chose, so that each repaints in its own way.
#include <functional>

#include "controls/owned_wallpaper.h"
#include "controls/skin_images.h"
#include "framework/component.h"
#include "graphics/bitmap.h"

namespace skin {

class SkinPicture {
 public:
  struct Reactions {
    // Another store or id, or a change of the store's pictures.
    std::function<void()> changed;
    // The own wallpaper replaced through SetWallpaper; none given: changed.
    std::function<void()> replaced = nullptr;
    // The own wallpaper edited in place later; none given: changed.
    std::function<void()> edited = nullptr;
  };

  SkinPicture(const SkinPicture&) = delete;
  SkinPicture& operator=(const SkinPicture&) = delete;

  // The own wallpaper, created on first access.
  fw::TBitmap& Wallpaper() { return wallpaper_.Get(); }
  void SetWallpaper(const fw::TBitmap& value);
  bool HasWallpaper() const { return wallpaper_.Existing() != nullptr; }
  TSkinImages* SkinImages() const { return images_; }  // not owned
  void SetSkinImages(TSkinImages* value);
  int IdWallpaper() const { return id_; }
  void SetIdWallpaper(int value);
  // The picture shown, or null (not owned by the caller).
  fw::TBitmap* EffectiveWallpaper() const;

 protected:
  SkinPicture(fw::TComponent& owner, Reactions reactions);
  // Leaves the store before the control's base parts go.
  ~SkinPicture();
  // For the control's Notification: forgets the store when it is the one
  // going. True when it was and the control stays, to show the loss.
  bool SkinImagesRemoved(fw::TComponent* component, fw::TOperation operation);

 private:
  fw::TComponent& owner_;
  Reactions reactions_;
  OwnedWallpaper wallpaper_{[this] { reactions_.edited(); }};
  TSkinImages* images_ = nullptr;  // not owned
  int id_ = -1;
  TSkinChangeLink link_;
};

}  // namespace skin
