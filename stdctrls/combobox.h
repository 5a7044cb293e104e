#pragma once
// TCustomComboBox: the system combo box, superclassed under the control's
// class name, with its items kept in the object and mirrored into the window
// (so they survive the window being recreated), owner drawing through
// CN_DRAWITEM / CN_MEASUREITEM, and change, drop-down and close-up events.
#include <functional>
#include <memory>

#include "framework/strings.h"
#include "framework/wincontrol.h"

namespace fw {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// Owner-draw item state: the ODS_* bits of the draw request.
using TOwnerDrawState = UINT;
constexpr TOwnerDrawState odSelected = ODS_SELECTED;
constexpr TOwnerDrawState odGrayed = ODS_GRAYED;
constexpr TOwnerDrawState odDisabled = ODS_DISABLED;
constexpr TOwnerDrawState odChecked = ODS_CHECKED;
constexpr TOwnerDrawState odFocused = ODS_FOCUS;
constexpr TOwnerDrawState odDefault = ODS_DEFAULT;
constexpr TOwnerDrawState odComboBoxEdit = ODS_COMBOBOXEDIT;

class TCustomComboBox;
using TDrawItemEvent = std::function<void(TObject* sender, int index, const RECT& rect, TOwnerDrawState state)>;
using TMeasureItemEvent = std::function<void(TObject* sender, int index, int& height)>;

// The items of a combo box: a string list whose changes go to the window.
class TComboBoxStrings : public TStrings {
 public:
  explicit TComboBoxStrings(TCustomComboBox& combo) : combo_(combo) {}
  int Count() const override { return list_.Count(); }
  std::wstring Get(int index) const override { return list_.Get(index); }
  void Put(int index, const std::wstring& s) override;
  std::intptr_t Object(int index) const override { return list_.Object(index); }
  void SetObject(int index, std::intptr_t object) override;
  void Insert(int index, const std::wstring& s) override;
  void Delete(int index) override;
  void Clear() override;
  int IndexOf(std::wstring_view s) const override { return list_.IndexOf(s); }
  // Puts every item into a new window.
  void FillWindow(HWND wnd) const;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  HWND Window() const;
  TCustomComboBox& combo_;
  TStringList list_;
};

class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;
  std::wstring ClassName() const override { return L"TCustomComboBox"; }

  TStrings& Items() { return *items_; }
  int ItemIndex() const;
  void SetItemIndex(int index);  // raises no change event
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int count);
  // The design height of an owner-drawn item (96 DPI); the system's item
  // height of the others once there is a window.
  int ItemHeight() const;
  void SetItemHeight(int height);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  bool DroppedDown() const;
  void SetDroppedDown(bool value);

  // A combo box whose value is the chosen item, collapsed or expanded. Its
  // text never names it: only the name the form gives.
  void DescribeAccessible(AccessibleFacts& facts) const override;

  // The canvas of the item being drawn (valid while drawing).
  TCanvas& Canvas() { return canvas_; }

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  virtual void Change();
  virtual void DropDown();
  virtual void CloseUp();
  // Draws one item on Canvas() (OnDrawItem when assigned, else the
  // highlight or window colours and the text).
  virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);
  // Height of an item of csOwnerDrawVariable (OnMeasureItem).
  virtual void MeasureItem(int index, int& height);
  // An item's height in device pixels: owner-drawn items at the control's
  // DPI, the others as the system has them.
  int RowHeight() const;
  // Owner-drawn items and the selection field get their heights for the
  // new DPI (the window is made again).
  void DpiChanged(int oldDpi) override;

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  std::wstring GetText() const override;
  // A drop-down list selects the item with that text (or none).
  void SetTextBuf(const std::wstring& text) override;
  // Enter and Esc close an open list instead of reaching the form.
  void CMWantSpecialKey(TMessage& m) override;
  void CNCommand(TMessage& m) override;
  void CNDrawItem(TMessage& m) override;
  void CNMeasureItem(TMessage& m) override;
  void WMCtlColor(TMessage& m) override;

 private:
  friend class TComboBoxStrings;
  void AdjustDropDown();

  std::unique_ptr<TComboBoxStrings> items_;
  TCanvas canvas_;
  TComboBoxStyle style_ = csDropDown;
  int dropDownCount_ = 8;
  int itemHeight_ = 16;
  int maxLength_ = 0;
  int itemIndex_ = -1;  // while there is no window
  bool sorted_ = false;
};

class TComboBox : public TCustomComboBox {
 public:
  using TCustomComboBox::TCustomComboBox;
  std::wstring ClassName() const override { return L"TComboBox"; }
};

}  // namespace fw
