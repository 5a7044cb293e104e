#pragma once
// Counts messages of one kind reaching a window, through comctl32's
// subclassing (separate from the framework's chain under test).
#include <windows.h>
#include <commctrl.h>

namespace fwtest {

class MessageCounter {
 public:
  MessageCounter(HWND wnd, UINT msg) : wnd_(wnd), msg_(msg) {
    SetWindowSubclass(wnd_, &Proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
  }
  MessageCounter(const MessageCounter&) = delete;
  MessageCounter& operator=(const MessageCounter&) = delete;
  ~MessageCounter() {
    if (IsWindow(wnd_)) RemoveWindowSubclass(wnd_, &Proc, reinterpret_cast<UINT_PTR>(this));
  }
  int Count() const { return count_; }
  void Reset() { count_ = 0; }

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<MessageCounter*>(data);
    if (msg == self->msg_) ++self->count_;
    return DefSubclassProc(wnd, msg, wp, lp);
  }
  HWND wnd_;
  UINT msg_;
  int count_ = 0;
};

}  // namespace fwtest
