#pragma once
// TFxSysInfo: system facts asked for by number. Nothing is kept: each fact is
// read from the system when asked.
#include "effects/fx_component.h"

namespace fx {

class TFxSysInfo : public TFxComponent {
 public:
  explicit TFxSysInfo(fw::TComponent* owner) : TFxComponent(owner) {}
  std::wstring ClassName() const override { return L"TFxSysInfo"; }

  // 10: width and 11: height of the primary display in pixels; 0 for any
  // other number.
  int IntegerFact(int number) const;
};

}  // namespace fx
