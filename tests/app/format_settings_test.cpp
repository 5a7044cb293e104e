// Reading the number separators from the thread's locale, and again after a
// change of the regional settings.
#include "app/format_settings.h"
#include "app/startup.h"
#include "test_application.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// Puts the thread's locale back when a test is done with it.
struct ThreadLocaleGuard {
  LCID saved = GetThreadLocale();
  ~ThreadLocaleGuard() { SetThreadLocale(saved); }
};

TEST(FormatSettings, EnglishUnitedStates) {
  ThreadLocaleGuard guard;
  ASSERT_TRUE(SetThreadLocale(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT)));
  core::FormatSettings s{L'?', L'?'};
  app::ReadFormatSettings(s);
  EXPECT_EQ(s.decimalSeparator, L'.');
  EXPECT_EQ(s.thousandSeparator, L',');
}

TEST(FormatSettings, RussianHasCommaAndNoBreakSpace) {
  ThreadLocaleGuard guard;
  ASSERT_TRUE(SetThreadLocale(MAKELCID(MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA), SORT_DEFAULT)));
  core::FormatSettings s{L'?', L'?'};
  app::ReadFormatSettings(s);
  EXPECT_EQ(s.decimalSeparator, L',');
  EXPECT_EQ(s.thousandSeparator, L'\u00A0');
}

TEST(FormatSettings, GermanSwapsThem) {
  ThreadLocaleGuard guard;
  ASSERT_TRUE(SetThreadLocale(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT)));
  core::FormatSettings s;
  app::ReadFormatSettings(s);
  EXPECT_EQ(s.decimalSeparator, L',');
  EXPECT_EQ(s.thousandSeparator, L'.');
}

// A user override of the decimal separator, made the way the regional
// settings make it; the previous value comes back at the end.
class DecimalOverride {
 public:
  explicit DecimalOverride(const wchar_t* value) {
    had_ = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved_, 16) > 0;
    ok_ = had_ && SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, value);
  }
  ~DecimalOverride() {
    if (had_) SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved_);
  }
  bool ok() const { return ok_; }

 private:
  wchar_t saved_[16] = {};
  bool had_ = false;
  bool ok_ = false;
};

TEST(FormatSettings, SettingChangeReturnsToTheUserLocaleAndReadsAgain) {
  ThreadLocaleGuard guard;
  // The thread strays to another locale; the settings change brings it back.
  ASSERT_TRUE(SetThreadLocale(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT)));
  app::ReadFormatSettings(app::ProcessFormatSettings());
  ASSERT_EQ(app::ProcessFormatSettings().thousandSeparator, L'.');

  wchar_t userDecimal[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, userDecimal, 8);
  app::RereadFormatSettingsAfterSettingChange();
  EXPECT_EQ(GetThreadLocale(), GetUserDefaultLCID());
  EXPECT_EQ(app::ProcessFormatSettings().decimalSeparator, userDecimal[0]);

  {
    DecimalOverride override(L"#");
    ASSERT_TRUE(override.ok());
    app::RereadFormatSettingsAfterSettingChange();
    EXPECT_EQ(app::ProcessFormatSettings().decimalSeparator, L'#');
  }
  {
    // Longer than one character: the fallback.
    DecimalOverride override(L"<>");
    ASSERT_TRUE(override.ok());
    app::RereadFormatSettingsAfterSettingChange();
    EXPECT_EQ(app::ProcessFormatSettings().decimalSeparator, L'.');
  }
  app::RereadFormatSettingsAfterSettingChange();
  EXPECT_EQ(app::ProcessFormatSettings().decimalSeparator, userDecimal[0]);
}

}  // namespace

namespace {

TEST(FormatSettings, ApplicationWindowSettingChangeReadsThemAgain) {
  ThreadLocaleGuard guard;
  fw::TApplication& application = fwtest::App();
  app::ListenForSettingChanges(application);
  ASSERT_TRUE(SetThreadLocale(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT)));
  app::ReadFormatSettings(app::ProcessFormatSettings());
  ASSERT_EQ(app::ProcessFormatSettings().thousandSeparator, L'.');
  wchar_t userThousand[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, userThousand, 8);
  ASSERT_NE(userThousand[0], L'.') << "the test needs a user locale other than German";

  SendMessageW(application.Handle(), WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
  EXPECT_EQ(GetThreadLocale(), GetUserDefaultLCID());
  EXPECT_EQ(app::ProcessFormatSettings().thousandSeparator, userThousand[0]);
}

}  // namespace
