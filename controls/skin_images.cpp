#include "controls/skin_images.h"

#include <algorithm>

#include "controls/skin_draw.h"
#include "core/exceptions.h"

namespace skin {

// ---- TSkinChangeLink

TSkinChangeLink::~TSkinChangeLink() { Attach(nullptr); }

void TSkinChangeLink::Attach(TSkinImages* images) {
  if (images == sender_) return;
  if (sender_) sender_->UnRegisterChanges(this);
  if (images) images->RegisterChanges(this);
}

void TSkinChangeLink::Change() {
  if (OnChange) OnChange();
}

// ---- TBitmapItem

TBitmapItem::TBitmapItem(TBitmaps& collection) : collection_(collection) {
  bitmap_.OnChange = [this] { collection_.Changed(); };
}

void TBitmapItem::SetBitmap(const fw::TBitmap& bitmap) { bitmap_.Assign(bitmap); }

int TBitmapItem::Index() const { return collection_.IndexOf(this); }

// ---- TBitmaps

TBitmapItem& TBitmaps::Items(int index) const {
  if (index < 0 || index >= Count()) throw core::Exception(L"List index out of bounds");
  return *items_[static_cast<size_t>(index)];
}

TBitmapItem& TBitmaps::Add() {
  items_.push_back(std::make_unique<TBitmapItem>(*this));
  Changed();
  return *items_.back();
}

void TBitmaps::Delete(int index) {
  if (index < 0 || index >= Count()) throw core::Exception(L"List index out of bounds");
  items_.erase(items_.begin() + index);
  Changed();
}

void TBitmaps::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TBitmaps::Assign(const TBitmaps& source) {
  if (&source == this) return;
  std::vector<std::unique_ptr<TBitmapItem>> copy;
  for (const auto& item : source.items_) {
    auto mine = std::make_unique<TBitmapItem>(*this);
    mine->Bitmap().Assign(item->Bitmap());
    copy.push_back(std::move(mine));
  }
  items_ = std::move(copy);
  Changed();
}

int TBitmaps::IndexOf(const TBitmapItem* item) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return static_cast<int>(i);
  return -1;
}

void TBitmaps::Changed() { owner_.Change(); }

// ---- TSkinImages

TSkinImages::TSkinImages(fw::TComponent* owner) : fw::TComponent(owner), bitmaps_(*this) {}

TSkinImages::~TSkinImages() {
  Destroying();
  // The links belong to controls that may outlive the store.
  for (TSkinChangeLink* link : links_) link->sender_ = nullptr;
  links_.clear();
}

fw::TBitmap* TSkinImages::BitmapAt(int index) const {
  if (index < 0 || index >= bitmaps_.Count()) return nullptr;
  fw::TBitmap& bitmap = bitmaps_.Items(index).Bitmap();
  return bitmap.Empty() ? nullptr : &bitmap;
}

void TSkinImages::RegisterChanges(TSkinChangeLink* link) {
  if (!link) return;
  if (link->sender_ && link->sender_ != this) link->sender_->UnRegisterChanges(link);
  link->sender_ = this;
  if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TSkinImages::UnRegisterChanges(TSkinChangeLink* link) {
  if (!link) return;
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
  if (link->sender_ == this) link->sender_ = nullptr;
}

void TSkinImages::Change() {
  if (IsDestroying()) return;
  // A handler may attach or detach links; walk a copy.
  std::vector<TSkinChangeLink*> links = links_;
  for (TSkinChangeLink* link : links)
    if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Change();
}

// The effective-wallpaper rule lives with the store it reads.
fw::TBitmap* EffectiveWallpaper(const TSkinImages* skinImages, int idWallpaper, fw::TBitmap* ownWallpaper) {
  if (skinImages) {
    if (fw::TBitmap* shared = skinImages->BitmapAt(idWallpaper)) return shared;
  }
  if (ownWallpaper && !ownWallpaper->Empty()) return ownWallpaper;
  return nullptr;
}

}  // namespace skin
