#pragma once
// Common base of TFont, TBrush and TPen: change notification and batching.
#include <functional>

namespace fw {

class TCanvas;

class TGraphicsObject {
 public:
  TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;
  virtual ~TGraphicsObject() = default;

  // Raised after every real change (a setter given the current value does
  // nothing); several changes inside BeginUpdate/EndUpdate raise it once.
  std::function<void()> OnChange;

  void BeginUpdate() { ++updating_; }
  void EndUpdate();

 protected:
  // Frees the handle (after the canvas using it let go of it) and notifies.
  void Changed();
  // Notifies without touching the handle (for properties it does not hold).
  void Notify();
  virtual void FreeHandle() = 0;

 private:
  friend class TCanvas;
  // The canvas that owns this object deselects it before the handle goes.
  std::function<void()> beforeHandleFreed_;
  int updating_ = 0;
  bool pending_ = false;
};

}  // namespace fw
