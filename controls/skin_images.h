#pragma once
// TSkinImages: a non-visual store of bitmaps that several skinned controls
// share by index. A control attaches a TSkinChangeLink to the store and is
// told of every change so it can repaint.
#include <functional>
#include <memory>
#include <vector>

#include "graphics/bitmap.h"
#include "framework/component.h"

namespace skin {

class TSkinImages;

// Tells its owner (a control) that the store it is attached to changed.
// Detaches itself when destroyed; the store detaches it when the store goes.
class TSkinChangeLink {
 public:
  TSkinChangeLink() = default;
  TSkinChangeLink(const TSkinChangeLink&) = delete;
  TSkinChangeLink& operator=(const TSkinChangeLink&) = delete;
  ~TSkinChangeLink();

  // The store this link is attached to (not owned), or null.
  TSkinImages* Sender() const { return sender_; }
  // Moves the link from its current store to `images` (null: detach only).
  void Attach(TSkinImages* images);

  std::function<void()> OnChange;
  void Change();

 private:
  friend class TSkinImages;
  TSkinImages* sender_ = nullptr;  // not owned
};

class TBitmaps;

// One entry of the store: a bitmap (empty until assigned).
class TBitmapItem {
 public:
  explicit TBitmapItem(TBitmaps& collection);
  TBitmapItem(const TBitmapItem&) = delete;
  TBitmapItem& operator=(const TBitmapItem&) = delete;

  fw::TBitmap& Bitmap() { return bitmap_; }
  // Copies the picture into the item's own bitmap.
  void SetBitmap(const fw::TBitmap& bitmap);
  int Index() const;

 private:
  TBitmaps& collection_;
  fw::TBitmap bitmap_;
};

// The store's collection of items; any change of it or of an item's picture
// is reported to the owning store.
class TBitmaps {
 public:
  explicit TBitmaps(TSkinImages& owner) : owner_(owner) {}
  TBitmaps(const TBitmaps&) = delete;
  TBitmaps& operator=(const TBitmaps&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  // Throws core::Exception for an index outside 0..Count-1.
  TBitmapItem& Items(int index) const;
  TBitmapItem& operator[](int index) const { return Items(index); }
  TBitmapItem& Add();
  void Delete(int index);
  void Clear();
  // Copies every picture of source (the items are made anew).
  void Assign(const TBitmaps& source);
  int IndexOf(const TBitmapItem* item) const;

 private:
  friend class TBitmapItem;
  void Changed();
  TSkinImages& owner_;
  std::vector<std::unique_ptr<TBitmapItem>> items_;
};

class TSkinImages : public fw::TComponent {
 public:
  explicit TSkinImages(fw::TComponent* owner);
  ~TSkinImages() override;
  std::wstring ClassName() const override { return L"TSkinImages"; }

  TBitmaps& Bitmaps() { return bitmaps_; }
  const TBitmaps& Bitmaps() const { return bitmaps_; }
  void SetBitmaps(const TBitmaps& source) { bitmaps_.Assign(source); }

  // The picture of item `index` when it exists and is not empty, else null.
  fw::TBitmap* BitmapAt(int index) const;

  void RegisterChanges(TSkinChangeLink* link);
  void UnRegisterChanges(TSkinChangeLink* link);
  // Tells every attached link.
  void Change();

 private:
  TBitmaps bitmaps_;
  std::vector<TSkinChangeLink*> links_;  // not owned
};

}  // namespace skin
