// How captions and texts become what a screen reader says: the accelerator
// mark goes (and becomes the shortcut), blanks and line breaks laid out for
// the eye become single spaces.
#include <gtest/gtest.h>

#include "framework/accessible.h"

namespace {

TEST(AccessibleText, NamesShortcutsAndSpokenText) {
  const struct {
    const wchar_t* text;
    const wchar_t* name;
    const wchar_t* shortcut;
    const wchar_t* spoken;
  } cases[] = {
      {L"&Print", L"Print", L"Alt+P", L"&Print"},
      {L"&Закрыть", L"Закрыть", L"Alt+З", L"&Закрыть"},
      {L"Save && &quit", L"Save & quit", L"Alt+q", L"Save && &quit"},
      {L"C", L"C", L"", L"C"},
      {L"end&", L"end&", L"", L"end&"},
      {L"", L"", L"", L""},
      {L"  Quantity converter    v 2.3   ", L"  Quantity converter    v 2.3   ", L"", L"Quantity converter v 2.3"},
      {L"  Programming:     A\r\n                   B \r\n\r\n", L"  Programming:     A\r\n                   B \r\n\r\n",
       L"", L"Programming: A B"},
      {L"\t\r\n ", L"\t\r\n ", L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fw::WithoutAccelerator(c.text), c.name);
    EXPECT_EQ(fw::AcceleratorShortcut(c.text), c.shortcut);
    EXPECT_EQ(fw::SpokenText(c.text), c.spoken);
  }
}

}  // namespace
