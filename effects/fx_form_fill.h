#pragma once
// TFxCustomFormFill and TFxFormFill: paint a form's client area from fill
// settings instead of the form's colour, by answering WM_ERASEBKGND in a
// hook on the form's window procedure. Whatever DC comes with the message is
// painted, in the form's client coordinates, so controls that ask the form
// for their background (with their own DC and a shifted origin) get the fill.
#include <windows.h>

#include <functional>
#include <memory>

#include "effects/fx_fill.h"
#include "effects/fx_image_list.h"
#include "effects/fx_wndproc_component.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"

namespace fx {

enum TFxPaintMode : int {
  pcNone = 0,       // no painting: the form erases as usual
  pcControl = 1,    // the component paints its fill
  pcOwnerDraw = 2,  // OnPaint paints
};

// Owner-draw handler; dest is the client rectangle.
using TFxFillPaintEvent = std::function<void(fw::TObject* sender, fw::TCanvas& canvas, const RECT& dest)>;

class TFxCustomFormFill : public TFxWndProcComponent {
 public:
  explicit TFxCustomFormFill(fw::TComponent* owner);
  ~TFxCustomFormFill() override;
  std::wstring ClassName() const override { return L"TFxCustomFormFill"; }

  void Notification(fw::TComponent* component, fw::TOperation operation) override;

  // Hook-on when set to True, hook-off when set to False (the hook itself
  // stays; messages are then only passed on and the form erases as usual).
  void SetEnabled(bool value);
  TFxPaintMode PaintMode() const { return paintMode_; }
  void SetPaintMode(TFxPaintMode value);
  bool DefaultFill() const { return defaultFill_; }
  void SetDefaultFill(bool value);
  TFxFillPaintEvent OnPaint;

  // Not owned; cleared when the image list is removed.
  TFxCustomImageList* ImageList() const { return imageList_; }
  void SetImageList(TFxCustomImageList* value);
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int value);  // negative values are ignored
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);  // negative values are ignored

  bool SizeChanged() const { return sizeChanged_; }
  // Whether a size change erases before repainting.
  bool EraseOnSize() const { return eraseOnSize_; }

  // InvalidateRect on the hooked window (nothing when there is none).
  void Invalidate(bool erase = true) const;

  // True when the client area has been painted into dc and the form must
  // not erase it.
  virtual bool Paint(HDC dc);

 protected:
  void HookOn() override;
  void HookOff() override;
  void WndProc(fw::TMessage& m) override;

  // Copies the image list's picture into the fill; the base has none.
  virtual void RefreshFromImageList() {}
  // Whether a pcControl fill looks the same whatever the client size.
  virtual bool FillIndependentOfSize() const { return false; }
  void UpdateEraseOnSize();
  // The owner-draw paint: OnPaint with DefaultFill.
  bool OwnerDrawPaint(HDC dc);
  RECT ClientArea() const;
  fw::TColor FormColor() const;

  bool sizeChanged_ = false;

 private:
  TFxPaintMode paintMode_ = pcControl;
  bool defaultFill_ = true;
  bool eraseOnSize_ = false;
  TFxCustomImageList* imageList_ = nullptr;  // not owned
  int listIndex_ = 0;
  int imageIndex_ = 0;
  TFxChangeLink link_;
};

class TFxFormFill : public TFxCustomFormFill {
 public:
  explicit TFxFormFill(fw::TComponent* owner);
  ~TFxFormFill() override;
  std::wstring ClassName() const override { return L"TFxFormFill"; }

  // The hook's after-load step, then the erase-on-size flag.
  void Loaded() override;
  bool Paint(HDC dc) override;

  TFxFillObject& FillObject() { return *fill_; }
  // Copies the given settings into the owned ones.
  void SetFillObject(const TFxFillObject& value) { fill_->Assign(value); }
  // The rendering kept for sfGradient (empty otherwise).
  const fw::TBitmap& Cache() const { return *cache_; }

 protected:
  void RefreshFromImageList() override;
  bool FillIndependentOfSize() const override;

 private:
  void SettingsChanged();

  std::unique_ptr<TFxFillObject> fill_;
  std::unique_ptr<fw::TBitmap> cache_;
};

}  // namespace fx
