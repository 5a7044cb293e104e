#include "controls/image_list.h"

#include <algorithm>

#include "controls/image_list_api.h"
#include "graphics/canvas.h"
#include "graphics/graphics_errors.h"

namespace skin {

TChangeLink::~TChangeLink() { Attach(nullptr); }

void TChangeLink::Attach(TImageList* images) {
  if (images == sender_) return;
  if (sender_) sender_->UnRegisterChanges(this);
  if (images) images->RegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange();
}

TImageList::TImageList(fw::TComponent* owner, int width, int height)
    : fw::TComponent(owner), width_(std::max(width, 1)), height_(std::max(height, 1)) {
  CreateList();
}

TImageList::~TImageList() {
  Destroying();
  for (TChangeLink* link : links_) link->sender_ = nullptr;
  links_.clear();
  if (handle_) imagelist::Destroy(handle_);
}

void TImageList::CreateList() {
  HIMAGELIST list = imagelist::Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
  if (!list) throw fw::EOutOfResources(L"Cannot create an image list");
  if (handle_) imagelist::Destroy(handle_);
  handle_ = list;
}

void TImageList::SetSize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  CreateList();
  Change();
}

int TImageList::Count() const { return imagelist::GetImageCount(handle_); }

int TImageList::Add(const fw::TBitmap& strip, fw::TColor maskColor) {
  if (strip.Empty()) return -1;
  // ImageList_AddMasked blackens the masked pixels of what it is given, so
  // it gets a copy and the caller's picture stays as it is.
  fw::TBitmap copy;
  copy.Assign(strip);
  const int first = maskColor == fw::clNone
                        ? imagelist::Add(handle_, copy.Handle(), nullptr)
                        : imagelist::AddMasked(handle_, copy.Handle(), fw::ColorToRGB(maskColor));
  if (first < 0) throw fw::EOutOfResources(L"Cannot add to an image list");
  Change();
  return first;
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  imagelist::Remove(handle_, index);
  Change();
}

void TImageList::Clear() {
  if (Count() == 0) return;
  imagelist::Remove(handle_, -1);
  Change();
}

void TImageList::GetBitmap(int index, fw::TBitmap& bitmap, fw::TColor background) const {
  bitmap.SetSize(width_, height_);
  fw::TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(background);
  canvas.FillRect(RECT{0, 0, width_, height_});
  Draw(canvas.Handle(), 0, 0, index);
}

void TImageList::Draw(HDC dc, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  imagelist::DrawEx(handle_, index, dc, x, y, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
}

void TImageList::RegisterChanges(TChangeLink* link) {
  if (!link) return;
  if (link->sender_ && link->sender_ != this) link->sender_->UnRegisterChanges(link);
  link->sender_ = this;
  if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TImageList::UnRegisterChanges(TChangeLink* link) {
  if (!link) return;
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
  if (link->sender_ == this) link->sender_ = nullptr;
}

void TImageList::Change() {
  if (IsDestroying()) return;
  std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links)
    if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Change();
}

}  // namespace skin
