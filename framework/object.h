#pragma once
// TObject: the root of every component, control and form, with the class
// name that window classes and tools see, and the event type built on it.
#include <functional>
#include <string>

namespace fw {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // The Delphi-style class name ("TButton", "TForm1"). Windowed controls
  // register their window class under it, so override it in every class that
  // should be findable by its own name.
  virtual std::wstring ClassName() const { return L"TObject"; }
};

using TNotifyEvent = std::function<void(TObject* sender)>;

}  // namespace fw
