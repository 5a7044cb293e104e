#pragma once
// TImage (a bitmap, 1:1, centred or stretched) and TBevel (a bevelled box,
// frame or line), both painted by their parent. Pictures are designed for
// 96 DPI and lines are one design pixel wide; both are drawn at the DPI.
#include "graphics/bitmap.h"
#include "framework/control.h"

namespace fw {

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;
  std::wstring ClassName() const override { return L"TImage"; }

  // The picture; changes repaint the image.
  TBitmap& Picture() { return picture_; }
  void SetPicture(const TBitmap& bitmap) { picture_.Assign(bitmap); }
  // An icon drawn instead of the picture when set (not owned; stock icons).
  HICON Icon() const { return icon_; }
  void SetIcon(HICON icon);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Transparent() const { return picture_.Transparent(); }
  void SetTransparent(bool value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

 protected:
  void Paint() override;
  // The picture designed for 96 DPI is drawn scaled (see Paint).
  void DpiChanged(int oldDpi) override;
  RECT DestRect() const;

 private:
  void PictureChanged();
  TBitmap picture_;
  HICON icon_ = nullptr;  // not owned
  bool stretch_ = false;
  bool center_ = false;
  bool autoSize_ = false;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* owner);
  std::wstring ClassName() const override { return L"TBevel"; }

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape value);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle value);

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

}  // namespace fw
