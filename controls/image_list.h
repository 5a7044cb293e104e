#pragma once
// TImageList: a non-visual list of equal-sized images (a system image list)
// that controls reference for per-item images and animation frames. Controls
// attach a TChangeLink and repaint on every change.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/color.h"
#include "framework/component.h"

namespace skin {

class TImageList;

class TChangeLink {
 public:
  TChangeLink() = default;
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;
  ~TChangeLink();

  TImageList* Sender() const { return sender_; }  // not owned
  // Moves the link to `images` (null: detach only).
  void Attach(TImageList* images);

  std::function<void()> OnChange;
  void Change();

 private:
  friend class TImageList;
  TImageList* sender_ = nullptr;
};

class TImageList : public fw::TComponent {
 public:
  explicit TImageList(fw::TComponent* owner, int width = 16, int height = 16);
  ~TImageList() override;
  std::wstring ClassName() const override { return L"TImageList"; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size empties the list.
  void SetSize(int width, int height);
  int Count() const;
  HIMAGELIST Handle() const { return handle_; }

  // Appends the images of a strip (cells of Width() across); pixels of
  // maskColor are transparent (clNone: none). Returns the first index.
  int Add(const fw::TBitmap& strip, fw::TColor maskColor = fw::clNone);
  void Delete(int index);
  void Clear();
  // Image `index` drawn over `background` into bitmap (resized to the cell).
  void GetBitmap(int index, fw::TBitmap& bitmap, fw::TColor background) const;
  void Draw(HDC dc, int x, int y, int index) const;

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);
  void Change();

 private:
  void CreateList();
  int width_, height_;
  HIMAGELIST handle_ = nullptr;
  std::vector<TChangeLink*> links_;  // not owned
};

}  // namespace skin
