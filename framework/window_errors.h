#pragma once
// Failures of the window layer, in the program's exception family.
#include "core/exceptions.h"

namespace fw {

// An operation not allowed in the object's current state (showing a visible
// form modally, a control without a parent window...).
class EInvalidOperation : public core::Exception {
 public:
  using core::Exception::Exception;
};

// The silent error: abandons the handler without any message.
class EAbort : public core::Exception {
 public:
  EAbort() : core::Exception(L"Operation aborted") {}
};

// Window creation failed.
class EWin32Error : public core::Exception {
 public:
  using core::Exception::Exception;
};

}  // namespace fw
