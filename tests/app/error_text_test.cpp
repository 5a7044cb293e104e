// Texts of the error box and of the fatal start-up report.
#include "app/error_text.h"

#include <gtest/gtest.h>

#include "core/exceptions.h"

namespace {

TEST(ErrorDisplayText, FullStopAfterCharactersAboveTheStop) {
  EXPECT_EQ(app::ErrorDisplayText(L"'1a' is not a valid floating point value"),
            L"'1a' is not a valid floating point value.");
  EXPECT_EQ(app::ErrorDisplayText(L"Floating point overflow"), L"Floating point overflow.");
  EXPECT_EQ(app::ErrorDisplayText(L"code 7"), L"code 7.");
  EXPECT_EQ(app::ErrorDisplayText(L"Ошибка"), L"Ошибка.");
  EXPECT_EQ(app::ErrorDisplayText(L"quoted'"), L"quoted'");  // "'" is below "."
}

TEST(ErrorDisplayText, NoStopAfterStopBlankOrBelow) {
  EXPECT_EQ(app::ErrorDisplayText(L"Already ends."), L"Already ends.");
  EXPECT_EQ(app::ErrorDisplayText(L"ends in a blank "), L"ends in a blank ");
  EXPECT_EQ(app::ErrorDisplayText(L"dash-"), L"dash-");  // "-" is 45
  EXPECT_EQ(app::ErrorDisplayText(L"slash/"), L"slash/.");  // "/" is 47
  EXPECT_EQ(app::ErrorDisplayText(L""), L"");
}

TEST(FatalErrorText, ClassModuleOffsetAndMessage) {
  EXPECT_EQ(app::FatalErrorText(L"EConvertError", L"converter.exe", 0x1A2B, L"bad"),
            L"Exception EConvertError in module converter.exe at 00001A2B.\r\nbad.");
  EXPECT_EQ(app::FatalErrorText(L"EOverflow", L"converter.exe", 0x10, L"done."),
            L"Exception EOverflow in module converter.exe at 00000010.\r\ndone.");
  // Objects outside the family have no message and get no stop.
  EXPECT_EQ(app::FatalErrorText(L"bad_alloc", L"x.dll", 0, L""),
            L"Exception bad_alloc in module x.dll at 00000000.\r\n");
  // No fault address known: said, not made up.
  EXPECT_EQ(app::FatalErrorText(L"EConvertError", L"converter.exe", std::nullopt, L"bad"),
            L"Exception EConvertError in module converter.exe, fault address unknown.\r\nbad.");
}

TEST(FatalErrorText, LimitedTo1023Characters) {
  const std::wstring text = app::FatalErrorText(L"E", L"m", 0, std::wstring(5000, L'x'));
  EXPECT_EQ(text.size(), 1023u);
}

TEST(PlainClassName, DropsNamespaces) {
  EXPECT_EQ(app::PlainClassName(typeid(core::EConvertError).name()), L"EConvertError");
  EXPECT_EQ(app::PlainClassName(typeid(core::EZeroDivide).name()), L"EZeroDivide");
  EXPECT_EQ(app::PlainClassName(typeid(std::bad_alloc).name()), L"bad_alloc");
}

}  // namespace
