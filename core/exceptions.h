#pragma once
// The program's error family. Every failure is raised as one of these and
// shown by the application's error display; nothing returns error codes.
#include <exception>
#include <string>

namespace core {

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message);
  const std::wstring& Message() const { return message_; }
  // UTF-8 copy of the message, for code that only knows std::exception.
  const char* what() const noexcept override { return narrow_.c_str(); }

 private:
  std::wstring message_;
  std::string narrow_;
};

// A text that is not a number, or a format pattern that cannot be used.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A value outside the range its property allows.
class ERangeError : public Exception {
 public:
  ERangeError() : Exception(L"Range check error") {}
};

// Arithmetic faults that are not masked.
class EMathError : public Exception {
 public:
  using Exception::Exception;
};
class EInvalidOp : public EMathError {
 public:
  EInvalidOp() : EMathError(L"Invalid floating point operation") {}
};
class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError(L"Floating point division by zero") {}
};
class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError(L"Floating point overflow") {}
};

}  // namespace core
