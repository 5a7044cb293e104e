#include "core/command_line.h"

namespace core {
namespace {

bool IsSeparator(wchar_t c) { return c <= L' '; }

}  // namespace

std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine) {
  if (auto nul = commandLine.find(L'\0'); nul != std::wstring_view::npos) commandLine = commandLine.substr(0, nul);
  std::vector<std::wstring> args;
  size_t i = 0;
  const size_t n = commandLine.size();
  for (;;) {
    while (i < n && IsSeparator(commandLine[i])) ++i;
    if (i == n) break;
    std::wstring arg;
    bool quoted = false;
    for (; i < n && (quoted || !IsSeparator(commandLine[i])); ++i) {
      if (commandLine[i] == L'"') {
        quoted = !quoted;
      } else {
        arg += commandLine[i];
      }
    }
    args.push_back(std::move(arg));
  }
  return args;
}

Language ChooseLanguage(std::wstring_view commandLine) {
  const std::vector<std::wstring> args = SplitCommandLine(commandLine);
  if (args.size() < 2 || args[1].size() < 2) return Language::kEnglish;
  wchar_t c = args[1][1];  // the first character is dropped, whatever it is
  if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return c == L'R' ? Language::kRussian : Language::kEnglish;
}

}  // namespace core
