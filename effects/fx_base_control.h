#pragma once
// TFxBaseControl: the effect library's windowless control base: it reports
// bound changes by kind, keeps an image-list link, raises mouse enter/exit
// events and repaints through one Changed() step. TFxBaseGraphicControl adds
// transparency (on by default) and the repaint policy that goes with it.
#include <functional>

#include "effects/fx_image_list.h"
#include "framework/control.h"

namespace fx {

// Kinds of bound change passed to BoundsChanged.
enum : unsigned { kFxBoundsSize = 1, kFxBoundsPosition = 2 };

class TFxBaseControl : public fw::TGraphicControl {
 public:
  explicit TFxBaseControl(fw::TComponent* owner);
  ~TFxBaseControl() override;
  std::wstring ClassName() const override { return L"TFxBaseControl"; }

  // Sets the bounds and reports what changed to BoundsChanged.
  void SetBounds(int left, int top, int width, int height) override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

  // Shared pictures; not owned, forgotten when the list goes away.
  TFxCustomImageList* ImageList() const { return imageList_; }
  void SetImageList(TFxCustomImageList* list);

  fw::TNotifyEvent OnMouseEnter;
  fw::TNotifyEvent OnMouseExit;
  // Internal observer of bound changes (flags as BoundsChanged's).
  std::function<void(unsigned flags)> OnBoundsChanged;

  // Whether whatever is behind the control shows through it.
  virtual bool IsTransparent() const { return false; }
  // True when painting would leave the area untouched.
  virtual bool NothingToDraw() const { return true; }

 protected:
  virtual void BoundsChanged(unsigned flags);
  // Something that shows changed: repaint (not while loading).
  virtual void Changed();
  virtual void ImageListChanged() { Changed(); }
  virtual void MouseEntered();
  virtual void MouseLeft();

  void CMMouseEnter(fw::TMessage& m) override;
  void CMMouseLeave(fw::TMessage& m) override;

 private:
  TFxCustomImageList* imageList_ = nullptr;  // not owned
  TFxChangeLink imageLink_;
};

class TFxBaseGraphicControl : public TFxBaseControl {
 public:
  explicit TFxBaseGraphicControl(fw::TComponent* owner);
  std::wstring ClassName() const override { return L"TFxBaseGraphicControl"; }

  bool Transparent() const { return transparent_; }
  // Switches the opaque style off (True) or on (False) and notifies.
  void SetTransparent(bool value);

  // Transparent over a parent of the library's own that is transparent too.
  bool IsTransparent() const override;

 protected:
  void Paint() override;
  // Transparent controls are invalidated (the parent repaints behind them);
  // opaque ones repaint at once.
  void Changed() override;

 private:
  bool transparent_ = true;
};

}  // namespace fx
