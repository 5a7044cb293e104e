#pragma once
// THintWindow: the plain hint window, and the base of every hint window
// class. THintWindowClass names a hint window class: it creates windows of
// that class and tells whether a window is one. The process-wide hint window
// class is the one the application creates its hint window of.
#include <memory>
#include <string>
#include <typeinfo>

#include "framework/wincontrol.h"

namespace fw {

class THintWindow;

class THintWindowClass {
 public:
  template <class T>
  static THintWindowClass Of() {
    return THintWindowClass(typeid(T), [] { return std::unique_ptr<THintWindow>(new T(nullptr)); });
  }
  // A new window of the class, owned by the caller only (no owner component).
  std::unique_ptr<THintWindow> Create() const { return create_(); }
  // Is `window` of exactly this class?
  bool IsClassOf(const THintWindow& window) const;
  bool operator==(const THintWindowClass& other) const { return *type_ == *other.type_; }

 private:
  using Factory = std::unique_ptr<THintWindow> (*)();
  THintWindowClass(const std::type_info& type, Factory create) : type_(&type), create_(create) {}
  const std::type_info* type_;
  Factory create_;
};

// The process-wide hint window class (THintWindow until changed).
THintWindowClass HintWindowClass();
void SetHintWindowClass(const THintWindowClass& windowClass);

// A top-level window: the hints give it the DPI of the monitor the hint
// shows on before they ask it for its size (its margins are design lengths).
class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* owner);
  std::wstring ClassName() const override { return L"THintWindow"; }

  // Shows the hint with its window at rect (screen coordinates).
  virtual void ActivateHint(const RECT& rect, const std::wstring& hint);
  // The same with extra data for the window class; the plain class ignores it.
  virtual void ActivateHintData(const RECT& rect, const std::wstring& hint, void* data);
  // The rectangle at (0, 0) the hint needs, at most maxWidth wide.
  virtual RECT CalcHintRect(int maxWidth, const std::wstring& hint, void* data);
  // True when msg, taken from the queue, ends the hint.
  virtual bool IsHintMsg(const MSG& msg);
  // Hides the window when it is shown (it stays for the next hint).
  void ReleaseHint();
  // A tooltip named by its text.
  void DescribeAccessible(AccessibleFacts& facts) const override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void WMNCHitTest(TMessage& m) override { m.Result = HTTRANSPARENT; }
  void WMNCPaint(TMessage& m) override;
  void CMTextChanged(TMessage& m) override;
  // Sets the text without the resizing of a plain text change.
  void SetHintText(const std::wstring& hint);

 private:
  bool activating_ = false;
};

// Where a hint window of `size` asked for at `at` goes so that it stays on
// the desktop (the virtual screen, all monitors together).
POINT KeepOnDesktop(POINT at, SIZE size, const RECT& desktop);

// The screen's hint font at the design DPI: the system's status-bar font,
// or an 8-point default when the system does not tell.
void AssignHintFont(TFont& font);

// How far below the cursor's hot spot a hint goes: the rows from the hot
// spot to the lowest visible row of the cursor's mask, or the system cursor
// height when the mask cannot be read.
int HintCursorMargin(HCURSOR cursor);

// The hint text shown: the part before the first '|'.
std::wstring GetShortHint(const std::wstring& hint);

}  // namespace fw
