// The start-up trace counts what each window really received and is written
// once, when the loop first runs dry with the main window shown.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "framework/form.h"
#include "framework/startup_trace.h"
#include "tests/support/dib_surface.h"
#include "window_test_util.h"

TEST(StartupTrace, CountsEachWindowsPaintsAndErasesAndWritesOnceShown) {
  fwtest::App();
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + L"fw_trace_test.txt";
  DeleteFileW(path.c_str());

  fw::trace::Start(path.c_str());
  ASSERT_TRUE(fw::trace::On());
  fw::TForm form{nullptr};
  form.SetName(L"Traced");
  form.HandleNeeded();
  fwtest::DibSurface target(10, 10, RGB(0, 0, 0));
  for (int i = 0; i < 3; ++i) SendMessageW(form.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.DC()), 0);
  SendMessageW(form.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.DC()), 0);
  fw::trace::LoopIdle(form.Handle());  // hidden: not yet
  EXPECT_TRUE(fw::trace::On());
  // Visible without a message of its own, so the counts stay as sent.
  SetWindowLongPtrW(form.Handle(), GWL_STYLE, GetWindowLongPtrW(form.Handle(), GWL_STYLE) | WS_VISIBLE);
  fw::trace::LoopIdle(form.Handle());
  EXPECT_FALSE(fw::trace::On());

  std::string text;
  if (FILE* f = _wfopen(path.c_str(), L"rb")) {
    char chunk[4096];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, f)) > 0;) text.append(chunk, n);
    fclose(f);
  }
  std::istringstream in(text);
  std::string line, formLine;
  bool frameMarked = false;
  while (std::getline(in, line)) {
    if (line.ends_with(" Traced")) formLine = line;
    if (line.ends_with("first frame complete")) frameMarked = true;
  }
  EXPECT_TRUE(frameMarked);
  std::istringstream fields(formLine);
  double created = -1, firstPaint = -1;
  long paints = -1, erases = -1;
  fields >> created >> firstPaint >> paints >> erases;
  EXPECT_GT(created, 0);
  EXPECT_GE(firstPaint, created);
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(erases, 3);
  SetWindowLongPtrW(form.Handle(), GWL_STYLE, GetWindowLongPtrW(form.Handle(), GWL_STYLE) & ~WS_VISIBLE);
  DeleteFileW(path.c_str());
}
