#pragma once
// The texts of the two error reports: the box shown for an error that leaves
// an event handler, and the report of an error that escapes start-up.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// The error's message with a full stop appended when the message is not
// empty and its last character lies above "." (letters, digits, Cyrillic).
std::wstring ErrorDisplayText(std::wstring_view message);

// "Exception <class> in module <module> at <offset>.\r\n<message><stop>",
// the offset as 8 hexadecimal digits, at most 1023 characters. Without an
// offset (a C++ exception carries no fault address) the first line says so
// instead of showing an address that would point somewhere else.
std::wstring FatalErrorText(std::wstring_view className, std::wstring_view moduleName,
                            std::optional<std::uintptr_t> offset, std::wstring_view message);

// A C++ class name without namespaces or template arguments ("EConvertError"
// for core::EConvertError), from the compiler's mangled type name.
std::wstring PlainClassName(const char* mangledTypeName);

}  // namespace app
