// Interface texts, the command-line splitting and the language choice, and the
// order in which a language is applied to the window.
#include <gtest/gtest.h>

#include "core/command_line.h"
#include "core/converter_logic.h"
#include "core/texts.h"
#include "fake_view.h"

namespace {

using core::Language;
using Args = std::vector<std::wstring>;

TEST(SplitCommandLine, BlanksControlCharactersAndQuotes) {
  EXPECT_EQ(core::SplitCommandLine(L""), Args{});
  EXPECT_EQ(core::SplitCommandLine(L"   "), Args{});
  EXPECT_EQ(core::SplitCommandLine(L"conv.exe"), Args{L"conv.exe"});
  EXPECT_EQ(core::SplitCommandLine(L"conv.exe -r"), (Args{L"conv.exe", L"-r"}));
  EXPECT_EQ(core::SplitCommandLine(L"conv.exe\t-r\x01x\ny"), (Args{L"conv.exe", L"-r", L"x", L"y"}));
  EXPECT_EQ(core::SplitCommandLine(L"  a   b  "), (Args{L"a", L"b"}));
  EXPECT_EQ(core::SplitCommandLine(L"a \"b c\" d"), (Args{L"a", L"b c", L"d"}));
  EXPECT_EQ(core::SplitCommandLine(L"a x\"b c\"y"), (Args{L"a", L"xb cy"}));
  EXPECT_EQ(core::SplitCommandLine(L"a \"\" b"), (Args{L"a", L"", L"b"}));
  EXPECT_EQ(core::SplitCommandLine(L"a \"unclosed b"), (Args{L"a", L"unclosed b"}));
  EXPECT_EQ(core::SplitCommandLine(L"a \\\"b c"), (Args{L"a", L"\\b c"})) << "backslashes are ordinary";
  EXPECT_EQ(core::SplitCommandLine(std::wstring_view(L"a b\0c", 5)), (Args{L"a", L"b"}));
}

TEST(SplitCommandLine, ProgramNameWithBlanksInQuotes) {
  EXPECT_EQ(core::SplitCommandLine(L"\"C:\\Program Files\\Conv\\converter.exe\" /r"),
            (Args{L"C:\\Program Files\\Conv\\converter.exe", L"/r"}));
  // An unquoted name ends at the first blank: what follows is argument 1.
  EXPECT_EQ(core::SplitCommandLine(L"C:\\conv.exe -r"), (Args{L"C:\\conv.exe", L"-r"}));
  // The program name is not argument 1 even when it looks like a switch.
  EXPECT_EQ(core::ChooseLanguage(L"-r"), Language::kEnglish);
  EXPECT_EQ(core::ChooseLanguage(L"\"C:\\My -r dir\\conv.exe\""), Language::kEnglish);
  EXPECT_EQ(core::ChooseLanguage(L"\"C:\\My dir\\conv.exe\" -r"), Language::kRussian);
}

TEST(ChooseLanguage, FirstArgumentTable) {
  struct Case {
    const wchar_t* args;
    Language language;
  } cases[] = {
      {L"", Language::kEnglish},         {L"-r", Language::kRussian},       {L"/r", Language::kRussian},
      {L"/R", Language::kRussian},       {L"xr", Language::kRussian},       {L"rr", Language::kRussian},
      {L"-russian", Language::kRussian}, {L"R", Language::kEnglish},        {L"r", Language::kEnglish},
      {L"-e", Language::kEnglish},       {L"-en", Language::kEnglish},      {L"--r", Language::kEnglish},
      {L"-\u0440", Language::kEnglish},  {L"-\u0420", Language::kEnglish},  {L"\"-r\"", Language::kRussian},
      {L"-r -e", Language::kRussian},    {L"-e -r", Language::kEnglish},    {L"\" r\"", Language::kRussian},
      {L"\"\" -r", Language::kEnglish},  {L"\u00e9r", Language::kRussian},
  };
  for (const Case& c : cases) {
    const std::wstring line = std::wstring(L"converter.exe ") + c.args;
    EXPECT_EQ(core::ChooseLanguage(line), c.language) << testing::PrintToString(line);
  }
}

TEST(InterfaceTexts, EnglishAndRussian) {
  const core::LanguageTexts& en = core::TextsFor(Language::kEnglish);
  EXPECT_EQ(en.printCaption, L"&Print");
  EXPECT_EQ(en.printHint, L"Print");
  EXPECT_EQ(en.aboutCaption, L"&About");
  EXPECT_EQ(en.aboutHint, L"About");
  EXPECT_EQ(en.closeCaption, L"&Close");
  EXPECT_EQ(en.closeHint, L"Close");
  EXPECT_EQ(en.windowCaption, L"Quantity converter");
  EXPECT_EQ(en.valueHeading, L"Meaning input");
  EXPECT_EQ(en.pairHeading, L"Meaning quantity for conversion");
  EXPECT_EQ(en.resultHeading, L"Result");
  EXPECT_EQ(en.notAUnitMessage, L"    What  ???   ");
  EXPECT_EQ(en.noTargetMessage, L"  Type quantity measure   ");
  const core::LanguageTexts& ru = core::TextsFor(Language::kRussian);
  EXPECT_EQ(ru.printCaption, L"&Печать");
  EXPECT_EQ(ru.printHint, L"Печать");
  EXPECT_EQ(ru.aboutCaption, L"&Подробнее");
  EXPECT_EQ(ru.aboutHint, L"О программе");
  EXPECT_EQ(ru.closeCaption, L"&Закрыть");
  EXPECT_EQ(ru.closeHint, L"Закрыть");
  EXPECT_EQ(ru.windowCaption, L"Конвертер величин");
  EXPECT_EQ(ru.valueHeading, L"Ввод значения");
  EXPECT_EQ(ru.pairHeading, L"Выбор величин для конвертации");
  EXPECT_EQ(ru.resultHeading, L"Результат");
  EXPECT_EQ(ru.notAUnitMessage, L" Издеваетесь ??? ");
  EXPECT_EQ(ru.noTargetMessage, L" Введите величины для конвертации ");
  // Code points, not code-page bytes: "П" is U+041F.
  EXPECT_EQ(ru.printCaption[1], L'\u041F');
}

TEST(InterfaceTexts, TextsThatStayTheSame) {
  EXPECT_EQ(core::kManyZerosMessage, L" Точно издеваетесь ");
  EXPECT_EQ(core::kValueFieldHint, L"Ввод значения");
  EXPECT_EQ(core::kResultFieldHint, L"Результат");
  EXPECT_EQ(core::kSourceListHint, L"Выбор первой  единицы измерения");
  EXPECT_EQ(core::kTargetListHint, L"Выбор второй единицы измерения");
  EXPECT_EQ(core::kApplicationTitle, L"Converter");
  for (Language language : {Language::kEnglish, Language::kRussian}) {
    const core::Message m = core::MessageFor(core::MessageId::kManyZeros, language);
    EXPECT_EQ(m.text, L" Точно издеваетесь ");
    EXPECT_EQ(m.kind, core::DialogKind::kError);
  }
}

class ApplyLanguage : public testing::Test {
 protected:
  ApplyLanguage() : logic(view, settings) { view.logic = &logic; }
  core::FormatSettings settings;
  FakeView view;
  core::ConverterLogic logic;
};

TEST_F(ApplyLanguage, RussianInTheDocumentedOrder) {
  logic.FormShown(L"converter.exe /r");
  EXPECT_EQ(logic.language(), Language::kRussian);
  const std::vector<std::wstring> expected{
      L"caption 0 &Печать",   L"hint 0 Печать",   L"caption 1 &Подробнее",
      L"hint 1 О программе",  L"caption 2 &Закрыть", L"hint 2 Закрыть",
      L"caption 3 Конвертер величин", L"caption 4 Ввод значения", L"caption 5 Выбор величин для конвертации",
      L"caption 6 Результат", L"source items 24",
  };
  EXPECT_EQ(view.log, expected);
  EXPECT_EQ(view.sourceItems[19], L"Кубометр");
  EXPECT_EQ(view.sourceItems[17], L"Меры объема");
}

TEST_F(ApplyLanguage, EnglishByDefault) {
  logic.FormShown(L"converter.exe");
  EXPECT_EQ(logic.language(), Language::kEnglish);
  ASSERT_EQ(view.log.size(), 11u);
  EXPECT_EQ(view.log[0], L"caption 0 &Print");
  EXPECT_EQ(view.log[1], L"hint 0 Print");
  EXPECT_EQ(view.log[6], L"caption 3 Quantity converter");
  EXPECT_EQ(view.log[10], L"source items 24");
  EXPECT_EQ(view.sourceItems[0], L"--------------");
  EXPECT_EQ(view.sourceItems[19], L"Cubic meter");
}

TEST_F(ApplyLanguage, ShowingClearsTheFirstKeyFlag) {
  logic.FormShown(L"converter.exe");
  view.Press(core::KeypadKey::k4);  // refused, but sets the flag
  EXPECT_TRUE(logic.firstKeyFlag());
  logic.FormShown(L"converter.exe");
  EXPECT_FALSE(logic.firstKeyFlag());
}

}  // namespace
