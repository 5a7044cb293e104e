#include "effects/fx_errors.h"

namespace fx {

std::wstring FxEOneInstError::MessageFor(TFxOneInstErrorKind kind, const std::wstring& className) {
  std::wstring text = className + L":\r";
  if (kind == oeDuplicate)
    text += L"Already one " + className + L" control in this project!";
  else
    text += kSFxInvalidOwner;
  return text;
}

FxEOneInstError::FxEOneInstError(TFxOneInstErrorKind kind, const std::wstring& className)
    : core::Exception(MessageFor(kind, className)), kind_(kind) {}

}  // namespace fx
