#pragma once
// FxEOneInstError: raised when an effect component gets a wrong owner, a
// second copy of itself on one form, or a second copy in the process.
#include <string>

#include "core/exceptions.h"

namespace fx {

enum TFxOneInstErrorKind : int {
  oeOwner = 0,      // wrong owner or second instance on a form
  oeDuplicate = 1,  // second instance in the process
};

// Resource string of the owner refusal.
inline constexpr const wchar_t* kSFxInvalidOwner = L"Invalid owner (<>TForm) or second instance on a form";

class FxEOneInstError : public core::Exception {
 public:
  FxEOneInstError(TFxOneInstErrorKind kind, const std::wstring& className);
  TFxOneInstErrorKind Kind() const { return kind_; }

  // The message for a kind: the class name, ":", a carriage return (no line
  // feed), then the kind's text.
  static std::wstring MessageFor(TFxOneInstErrorKind kind, const std::wstring& className);

 private:
  TFxOneInstErrorKind kind_;
};

}  // namespace fx
