#include "app/error_text.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace app {

std::wstring ErrorDisplayText(std::wstring_view message) {
  std::wstring text(message);
  if (!text.empty() && text.back() > L'.') text += L'.';
  return text;
}

std::wstring FatalErrorText(std::wstring_view className, std::wstring_view moduleName,
                            std::optional<std::uintptr_t> offset, std::wstring_view message) {
  std::wstring text = L"Exception ";
  text += className;
  text += L" in module ";
  text += moduleName;
  if (offset) {
    wchar_t hex[20];
    std::swprintf(hex, sizeof hex / sizeof hex[0], L"%08llX", static_cast<unsigned long long>(*offset));
    text += L" at ";
    text += hex;
  } else {
    text += L", fault address unknown";
  }
  text += L".\r\n";
  text += message;
  if (!message.empty() && message.back() != L'.') text += L'.';
  if (text.size() > 1023) text.resize(1023);
  return text;
}

std::wstring PlainClassName(const char* mangledTypeName) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(mangledTypeName, nullptr, nullptr, &status), &std::free);
  std::string name = (status == 0 && demangled) ? demangled.get() : mangledTypeName;
  if (const auto angle = name.find('<'); angle != std::string::npos) name.resize(angle);
  if (const auto colons = name.rfind("::"); colons != std::string::npos) name.erase(0, colons + 2);
  return std::wstring(name.begin(), name.end());
}

}  // namespace app
