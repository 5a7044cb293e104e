#pragma once
// TFxCustomImageList: a shared source of pictures (several lists of images)
// that components such as the form fill take their list bitmap from, and the
// change link through which it tells them that its pictures changed.
#include <functional>
#include <vector>

#include "graphics/bitmap.h"
#include "framework/component.h"

namespace fx {

class TFxCustomImageList;

// Held by a user of an image list; unregisters itself when destroyed.
class TFxChangeLink {
 public:
  TFxChangeLink() = default;
  TFxChangeLink(const TFxChangeLink&) = delete;
  TFxChangeLink& operator=(const TFxChangeLink&) = delete;
  ~TFxChangeLink();

  TFxCustomImageList* Sender() const { return sender_; }
  std::function<void()> OnChange;

 private:
  friend class TFxCustomImageList;
  TFxCustomImageList* sender_ = nullptr;  // not owned
};

class TFxCustomImageList : public fw::TComponent {
 public:
  explicit TFxCustomImageList(fw::TComponent* owner) : fw::TComponent(owner) {}
  ~TFxCustomImageList() override;
  std::wstring ClassName() const override { return L"TFxCustomImageList"; }

  // Copies image `image` of list `list` into target; false when the list has
  // no such image (target is then left as it was).
  virtual bool GetListBitmap(int list, int image, fw::TBitmap& target) = 0;

  void RegisterChanges(TFxChangeLink& link);
  void UnRegisterChanges(TFxChangeLink& link);

 protected:
  // Tells every registered link that the pictures changed.
  void Change();

 private:
  std::vector<TFxChangeLink*> links_;  // not owned
};

}  // namespace fx
