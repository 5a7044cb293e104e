#pragma once
// The command line: splitting it into arguments and choosing the interface
// language from the first argument.
#include <string>
#include <string_view>
#include <vector>

#include "core/texts.h"

namespace core {

// Splits a raw command line (as GetCommandLineW gives it). Blanks and control
// characters separate arguments; a pair of double quotes groups blanks into
// one argument and is removed; backslashes are ordinary characters. The
// program name, argument 0, is split by the same rules, so a quoted path with
// blanks stays one argument. An embedded NUL ends the line.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

// Russian when the second character of the first argument is "r" or "R"
// (plain ASCII case rule), English otherwise, including no argument at all.
Language ChooseLanguage(std::wstring_view commandLine);

}  // namespace core
