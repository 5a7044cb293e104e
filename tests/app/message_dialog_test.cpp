// Message dialogs: the layout of real dialogs against the fonts they use,
// the keys and results of the modal loop, the clipboard copy and the icon's
// pixels.
#include "app/message_dialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/dialog_layout.h"
#include "stdctrls/button.h"
#include "stdctrls/extctrls.h"
#include "graphics/gdi.h"
#include "stdctrls/label.h"
#include "test_application.h"
#include "tests/support/window_watcher.h"

namespace {

using app::TMessageForm;

template <class T>
T* Named(TMessageForm& form, const wchar_t* name) {
  return dynamic_cast<T*>(form.FindComponent(name));
}

bool SameBounds(const fw::TControl& c, int left, int top, int width, int height) {
  return c.Left() == left && c.Top() == top && c.Width() == width && c.Height() == height;
}

// Unit X and unit Y of a font, measured here on their own.
SIZE LetterUnits(HFONT font) {
  fw::MemoryDC dc;
  fw::SelectGuard select(dc, font);
  SIZE s{};
  GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &s);
  return SIZE{s.cx / 52, s.cy};
}

RECT TextBlock(HFONT font, const std::wstring& text) {
  fw::MemoryDC dc;
  fw::SelectGuard select(dc, font);
  RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  return r;
}

class MessageDialog : public ::testing::Test {
 protected:
  void SetUp() override { fwtest::App(); }
};

TEST_F(MessageDialog, ErrorWithOkFollowsTheMessageFontUnits) {
  const std::wstring text = L"    What  ???   ";
  std::unique_ptr<TMessageForm> form(app::BuildMessageDialog(text, app::dtError, {app::dbOK}));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0));
  EXPECT_EQ(form->Font().Name(), metrics.lfMessageFont.lfFaceName) << "the message-box font";

  const SIZE u = LetterUnits(form->Font().Handle());
  const RECT t = TextBlock(form->Font().Handle(), text);
  const int hm = MulDiv(8, u.cx, 4), vm = MulDiv(8, u.cy, 8), hs = MulDiv(10, u.cx, 4), vs = MulDiv(10, u.cy, 8);
  const int bw = std::max(MulDiv(50, u.cx, 4), app::CachedButtonWidth(app::dbOK)), bh = MulDiv(14, u.cy, 8);
  const int iconTextWidth = t.right + 32 + hs, iconTextHeight = std::max<int>(t.bottom, 32);

  EXPECT_EQ(form->Caption(), L"Error");
  EXPECT_EQ(form->BorderStyle(), fw::bsDialog);
  EXPECT_EQ(form->ClientWidth(), std::max(iconTextWidth, bw) + 2 * hm);
  EXPECT_EQ(form->ClientHeight(), iconTextHeight + bh + vs + 2 * vm);

  auto* image = Named<fw::TImage>(*form, L"Image");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Icon(), LoadIconW(nullptr, IDI_HAND));
  EXPECT_TRUE(SameBounds(*image, hm, vm, 32, 32));

  auto* label = Named<fw::TLabel>(*form, L"Message");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Caption(), text) << "blanks kept";
  EXPECT_TRUE(label->WordWrap());
  EXPECT_TRUE(SameBounds(*label, hm + 32 + hs, vm, t.right, t.bottom));

  auto* ok = Named<fw::TButton>(*form, L"OK");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->Caption(), L"OK");
  EXPECT_EQ(ok->ModalResult(), 1);
  EXPECT_TRUE(ok->Default());
  EXPECT_TRUE(ok->Cancel());
  EXPECT_TRUE(SameBounds(*ok, (form->ClientWidth() - bw) / 2, iconTextHeight + vm + vs, bw, bh));
  EXPECT_EQ(form->ActiveControl(), ok);
  EXPECT_EQ(Named<fw::TButton>(*form, L"Cancel"), nullptr);
  // Centred by its outer size, frame included.
  EXPECT_GT(form->Width(), form->ClientWidth());
  EXPECT_EQ(form->Left(), GetSystemMetrics(SM_CXSCREEN) / 2 - form->Width() / 2);
  EXPECT_EQ(form->Top(), GetSystemMetrics(SM_CYSCREEN) / 2 - form->Height() / 2);
}

TEST_F(MessageDialog, InformationCaptionAndIcon) {
  std::unique_ptr<TMessageForm> form(app::BuildMessageDialog(L"x", app::dtInformation, {app::dbOK}));
  EXPECT_EQ(form->Caption(), L"Information");
  EXPECT_EQ(Named<fw::TImage>(*form, L"Image")->Icon(), LoadIconW(nullptr, IDI_ASTERISK));
}

TEST_F(MessageDialog, CustomHasTheTitleAndNoIcon) {
  std::unique_ptr<TMessageForm> form(app::BuildMessageDialog(L"plain", app::dtCustom, {app::dbOK}));
  EXPECT_EQ(form->Caption(), L"Converter");
  EXPECT_EQ(Named<fw::TImage>(*form, L"Image"), nullptr);
  const SIZE u = LetterUnits(form->Font().Handle());
  EXPECT_EQ(Named<fw::TLabel>(*form, L"Message")->Left(), MulDiv(8, u.cx, 4));
}

TEST_F(MessageDialog, ThreeButtonsYesNoCancel) {
  std::unique_ptr<TMessageForm> form(
      app::BuildMessageDialog(L"Save?", app::dtConfirmation, {app::dbCancel, app::dbNo, app::dbYes}));
  EXPECT_EQ(form->Caption(), L"Confirm");
  auto* yes = Named<fw::TButton>(*form, L"Yes");
  auto* no = Named<fw::TButton>(*form, L"No");
  auto* cancel = Named<fw::TButton>(*form, L"Cancel");
  ASSERT_TRUE(yes && no && cancel);
  EXPECT_EQ(yes->Caption(), L"&Yes");
  EXPECT_EQ(no->Caption(), L"&No");
  EXPECT_EQ(cancel->Caption(), L"Cancel");
  EXPECT_EQ(yes->ModalResult(), 6);
  EXPECT_EQ(no->ModalResult(), 7);
  EXPECT_EQ(cancel->ModalResult(), 2);
  EXPECT_TRUE(yes->Default());
  EXPECT_FALSE(no->Default() || cancel->Default());
  EXPECT_TRUE(cancel->Cancel());
  EXPECT_FALSE(yes->Cancel() || no->Cancel());

  const SIZE u = LetterUnits(form->Font().Handle());
  const int least = MulDiv(50, u.cx, 4), spacing = MulDiv(4, u.cx, 4);
  int widest = least;
  for (auto b : {app::dbYes, app::dbNo, app::dbCancel}) {
    EXPECT_GT(app::CachedButtonWidth(b), 8) << "measured and cached";
    widest = std::max(widest, app::CachedButtonWidth(b));
  }
  // Left to right in the order Yes, No, Cancel, one width, evenly spaced, centred.
  EXPECT_EQ(yes->Width(), widest);
  EXPECT_EQ(no->Width(), widest);
  EXPECT_EQ(cancel->Width(), widest);
  EXPECT_EQ(no->Left(), yes->Left() + widest + spacing);
  EXPECT_EQ(cancel->Left(), no->Left() + widest + spacing);
  EXPECT_EQ(yes->Left(), (form->ClientWidth() - (3 * widest + 2 * spacing)) / 2);
  EXPECT_EQ(yes->Top(), no->Top());
  EXPECT_EQ(form->ActiveControl(), yes);
}

TEST_F(MessageDialog, ButtonWidthCacheKeepsTheFirstMeasure) {
  app::ClearButtonWidthCacheForTesting();
  EXPECT_EQ(app::CachedButtonWidth(app::dbNoToAll), 0);
  std::unique_ptr<TMessageForm> first(app::BuildMessageDialog(L"a", app::dtWarning, {app::dbNoToAll}));
  const int measured = app::CachedButtonWidth(app::dbNoToAll);
  EXPECT_GT(measured, 8);
  // A dialog with a much larger message font still gets the width measured first.
  NONCLIENTMETRICSW saved{};
  saved.cbSize = sizeof saved;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 0, &saved, 0));
  NONCLIENTMETRICSW large = saved;
  large.lfMessageFont.lfHeight = -40;
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof large, &large, 0));
  std::unique_ptr<TMessageForm> second(app::BuildMessageDialog(L"b", app::dtWarning, {app::dbNoToAll}));
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0);
  EXPECT_EQ(second->Font().Height(), -40);
  EXPECT_EQ(app::CachedButtonWidth(app::dbNoToAll), measured);
  // The least width grew with the font; the button follows it.
  EXPECT_GT(second->FindComponent(L"NoToAll") ? static_cast<fw::TControl*>(second->FindComponent(L"NoToAll"))->Width() : 0,
            measured);
}

TEST_F(MessageDialog, LongTextWrapsAtHalfTheScreen) {
  std::wstring text;
  for (int i = 0; i < 80; ++i) text += L"word ";
  std::unique_ptr<TMessageForm> form(app::BuildMessageDialog(text, app::dtError, {app::dbOK}));
  auto* label = Named<fw::TLabel>(*form, L"Message");
  EXPECT_LE(label->Width(), GetSystemMetrics(SM_CXSCREEN) / 2);
  EXPECT_GT(label->Height(), 3 * LetterUnits(form->Font().Handle()).cy);
}

// ---- the modal loop

struct Outcome {
  int result = -1;
  std::wstring copied;
};

Outcome RunDialog(app::TMsgDlgButtons buttons, std::function<void(HWND)> act) {
  Outcome outcome;
  fwtest::WindowWatcher watcher(L"TMessageForm", act);
  outcome.result = app::ShowMessageDialog(L"  Type quantity measure   ", app::dtInformation, buttons, 0);
  return outcome;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (fwtest::TextOf(c) == text) return c;
  return nullptr;
}

void PostKey(HWND form, WORD key) {
  HWND target = fwtest::Focused(form);
  if (!target) target = form;
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

TEST_F(MessageDialog, EnterEscapeClickAndCloseBox) {
  EXPECT_EQ(RunDialog({app::dbOK}, [](HWND f) { PostKey(f, VK_RETURN); }).result, 1);
  EXPECT_EQ(RunDialog({app::dbOK}, [](HWND f) { PostKey(f, VK_ESCAPE); }).result, 1);
  EXPECT_EQ(RunDialog({app::dbOK}, [](HWND f) { PostMessageW(ChildWithText(f, L"OK"), BM_CLICK, 0, 0); }).result, 1);
  EXPECT_EQ(RunDialog({app::dbOK}, [](HWND f) { PostMessageW(f, WM_SYSCOMMAND, SC_CLOSE, 0); }).result, 2);
  EXPECT_EQ(RunDialog({app::dbYes, app::dbNo, app::dbCancel}, [](HWND f) { PostKey(f, VK_ESCAPE); }).result, 2);
  EXPECT_EQ(RunDialog({app::dbYes, app::dbNo, app::dbCancel}, [](HWND f) { PostKey(f, VK_RETURN); }).result, 6);
  EXPECT_EQ(RunDialog({app::dbYes, app::dbNo}, [](HWND f) { PostKey(f, VK_ESCAPE); }).result, 7);
  EXPECT_EQ(RunDialog({app::dbYes, app::dbNo},
                      [](HWND f) { PostMessageW(ChildWithText(f, L"&No"), BM_CLICK, 0, 0); })
                .result,
            7);
}

std::wstring ReadClipboard() { return fwtest::ClipboardText(); }

TEST_F(MessageDialog, CopiesCaptionTextAndButtonsLikeTheSystemBox) {
  const std::wstring expected =
      L"---------------------------\r\nInformation\r\n---------------------------\r\n"
      L"  Type quantity measure   \r\n---------------------------\r\nYes   No   Cancel   \r\n"
      L"---------------------------\r\n";
  // WM_COPY
  RunDialog({app::dbYes, app::dbNo, app::dbCancel}, [](HWND f) {
    SendMessageW(f, WM_COPY, 0, 0);
    PostMessageW(f, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(ReadClipboard(), expected);
  // Ctrl+C at the focused button: the key state is the thread's, so the
  // dialog's own thread sets it before the key arrives.
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  RunDialog({app::dbYes, app::dbNo, app::dbCancel}, [](HWND f) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(f, nullptr), &info);
    INPUT keys[4] = {};
    for (auto& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = 'C';
    keys[2].ki.wVk = 'C';
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_CONTROL;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SetForegroundWindow(f);
    SendInput(4, keys, sizeof(INPUT));
    Sleep(200);
    PostMessageW(f, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(ReadClipboard(), expected);
}

TEST_F(MessageDialog, IconPixelsAreTheStockIcon) {
  std::unique_ptr<TMessageForm> form(app::BuildMessageDialog(L"x", app::dtError, {app::dbOK}));
  auto* image = Named<fw::TImage>(*form, L"Image");
  // PaintTo draws the whole window: the client area sits inside the frame.
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  POINT client{0, 0};
  ClientToScreen(form->Handle(), &client);
  const int frameX = client.x - window.left, frameY = client.y - window.top;
  fw::OffscreenBuffer painted(nullptr, window.right - window.left, window.bottom - window.top);
  form->PaintTo(painted.DC());
  fw::OffscreenBuffer expected(nullptr, 32, 32);
  RECT all{0, 0, 32, 32};
  FillRect(expected.DC(), &all, GetSysColorBrush(COLOR_BTNFACE));
  DrawIconEx(expected.DC(), 0, 0, LoadIconW(nullptr, IDI_HAND), 32, 32, 0, nullptr, DI_NORMAL);
  int same = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      same += GetPixel(painted.DC(), frameX + image->Left() + x, frameY + image->Top() + y) == GetPixel(expected.DC(), x, y);
  EXPECT_EQ(same, 32 * 32);
}

}  // namespace

namespace {

int ProcessTopLevelWindows() { return static_cast<int>(fwtest::VisibleWindowsOfClass(L"TMessageForm").size()); }

TEST(MessageDialogCycles, BuildAndDestroyLeavesNoObjectsBehind) {
  fwtest::App();
  // The first dialog measures and caches; count from the second on.
  delete app::BuildMessageDialog(L"warm up", app::dtError, {app::dbOK});
  const long gdi = fw::GdiCounters::Live();
  const int components = fwtest::App().ComponentCount();
  for (int i = 0; i < 300; ++i) {
    std::unique_ptr<TMessageForm> form(
        app::BuildMessageDialog(L"cycle " + std::to_wstring(i), app::dtInformation, {app::dbYes, app::dbNo}));
    form->HandleNeeded();
  }
  EXPECT_EQ(fw::GdiCounters::Live(), gdi);
  EXPECT_EQ(fwtest::App().ComponentCount(), components);
  EXPECT_EQ(ProcessTopLevelWindows(), 0);
}

}  // namespace
