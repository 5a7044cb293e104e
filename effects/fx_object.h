#pragma once
// TFxObject: base of the effect library's settings objects (shadow, fill,
// gradient). A setter that really changes something calls Changed(), which
// raises OnChange unless an update is in progress.
#include <string>

#include "framework/object.h"

namespace fx {

class TFxObject : public fw::TObject {
 public:
  TFxObject() = default;
  std::wstring ClassName() const override { return L"TFxObject"; }

  // Copies the settings of another object. The base refuses every source
  // (EConvertError), as the framework's general assign does.
  virtual void Assign(const fw::TObject& source);

  // While an update is in progress no change notification is sent.
  void BeginUpdate() { updating_ = true; }
  // Ends the update; with notify, sends one change notification.
  void EndUpdate(bool notify = true);
  bool Updating() const { return updating_; }

  // Raised by Changed() with this object as sender.
  fw::TNotifyEvent OnChange;

 protected:
  void Changed();

 private:
  bool updating_ = false;
};

// The framework's refusal of an assignment between unrelated classes.
[[noreturn]] void RaiseCannotAssign(const fw::TObject& source, const fw::TObject& target);

}  // namespace fx
