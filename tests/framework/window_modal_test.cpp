// Modal forms: the result of a button and of the close box, the other
// windows disabled meanwhile and the previous window active again after.
#include <gtest/gtest.h>

#include "stdctrls/stdctrls.h"
#include "framework/window_errors.h"
#include "window_test_util.h"

namespace {

class TDialog : public fw::TForm {
 public:
  explicit TDialog(fw::TComponent* owner) : fw::TForm(owner) {
    ReadDescription([this] {
      SetBorderStyle(fw::bsDialog);
      SetPosition(fw::poScreenCenter);
      SetClientSize(200, 80);
      ok = new fw::TButton(this);
      ok->SetParent(this);
      ok->SetCaption(L"OK");
      ok->SetModalResult(fw::mrOk);
      ok->SetBounds(10, 40, 75, 25);
    });
  }
  std::wstring ClassName() const override { return L"TDialog"; }
  fw::TButton* ok = nullptr;
};

struct Owner {
  fw::TForm main{nullptr};
  Owner() {
    fwtest::App();
    main.SetBounds(10, 10, 200, 100);
    fwtest::ShowActive(main);
  }
};

TEST(Modal, AButtonsModalResultEndsTheLoopAndIsReturned) {
  Owner o;
  TDialog dialog(nullptr);
  bool mainEnabledWhileShown = true;
  bool shownBeforeVisible = false;
  dialog.OnShow = [&](fw::TObject*) {
    shownBeforeVisible = !IsWindowVisible(dialog.Handle());
    mainEnabledWhileShown = IsWindowEnabled(o.main.Handle()) != 0;
  };
  dialog.HandleNeeded();
  PostMessageW(dialog.ok->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), fw::mrOk);
  EXPECT_TRUE(shownBeforeVisible);
  EXPECT_FALSE(mainEnabledWhileShown);
  EXPECT_TRUE(IsWindowEnabled(o.main.Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
  EXPECT_FALSE(dialog.Modal());
  EXPECT_EQ(GetActiveWindow(), o.main.Handle());
}

TEST(Modal, TheCloseBoxGivesCancel) {
  Owner o;
  TDialog dialog(nullptr);
  dialog.HandleNeeded();
  PostMessageW(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(dialog.ShowModal(), fw::mrCancel);
  // Alt+F4 and WM_CLOSE end the same way.
  PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), fw::mrCancel);
  EXPECT_TRUE(IsWindowEnabled(o.main.Handle()));
}

TEST(Modal, AltF4OnTheFocusedButtonGivesCancel) {
  Owner o;
  TDialog dialog(nullptr);
  dialog.HandleNeeded();
  dialog.SetActiveControl(dialog.ok);
  // Alt+F4 as the keyboard sends it, through the framework's loop.
  PostMessageW(dialog.ok->Handle(), WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
  EXPECT_EQ(dialog.ShowModal(), fw::mrCancel);
}

TEST(Forms, MinimisingTheMainFormMinimisesTheProgramAndRestoreBringsItBack) {
  Owner o;
  fw::TForm* previous = fwtest::App().MainForm();
  fwtest::App().SetMainForm(&o.main);
  o.main.Hide();
  o.main.Show();  // as the main form: the application window carries the task-bar button
  fwtest::Pump();
  EXPECT_TRUE(IsWindowVisible(fwtest::App().Handle()));
  SendMessageW(o.main.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  fwtest::Pump();
  EXPECT_TRUE(IsIconic(fwtest::App().Handle()));
  EXPECT_FALSE(IsWindowVisible(o.main.Handle()));
  SendMessageW(fwtest::App().Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  fwtest::Pump();
  EXPECT_FALSE(IsIconic(fwtest::App().Handle()));
  EXPECT_TRUE(IsWindowVisible(o.main.Handle()));
  // Another program restoring the application window has the same effect.
  SendMessageW(o.main.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(o.main.Handle()));
  ShowWindow(fwtest::App().Handle(), SW_RESTORE);
  fwtest::Pump();
  EXPECT_TRUE(IsWindowVisible(o.main.Handle()));
  o.main.Hide();
  EXPECT_FALSE(IsWindowVisible(fwtest::App().Handle()));
  fwtest::App().SetMainForm(previous);
}

TEST(Forms, ReleaseDestroysTheFormOnceQueuedMessagesAreHandled) {
  fwtest::App();
  auto* form = new TDialog(nullptr);
  std::vector<std::wstring> calls;
  form->OnDestroy = [&](fw::TObject*) { calls.push_back(L"destroy"); };
  form->HandleNeeded();
  HWND wnd = form->Handle();
  form->Release();
  calls.push_back(L"released");
  fwtest::Pump();
  EXPECT_EQ(calls, (std::vector<std::wstring>{L"released", L"destroy"}));
  EXPECT_FALSE(IsWindow(wnd));
}

TEST(Modal, ARefusedCloseKeepsTheFormOpenUntilAllowed) {
  Owner o;
  TDialog dialog(nullptr);
  std::vector<std::wstring> calls;
  int asked = 0;
  dialog.OnCloseQuery = [&](fw::TObject*, bool& canClose) {
    canClose = ++asked > 1;
    calls.push_back(canClose ? L"query yes" : L"query no");
  };
  dialog.OnClose = [&](fw::TObject*, fw::TCloseAction& action) {
    calls.push_back(action == fw::caHide ? L"close hide" : L"close other");
  };
  dialog.HandleNeeded();
  PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
  PostMessageW(dialog.ok->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), fw::mrOk);
  EXPECT_EQ(calls, (std::vector<std::wstring>{L"query no", L"query yes", L"close hide"}));
}

TEST(Modal, ShowingAVisibleFormModallyIsRefused) {
  Owner o;
  EXPECT_THROW(o.main.ShowModal(), fw::EInvalidOperation);
}

TEST(Forms, WindowClassesAreNamedAfterTheCppClasses) {
  Owner o;
  TDialog dialog(nullptr);
  dialog.HandleNeeded();
  wchar_t name[64];
  GetClassNameW(dialog.Handle(), name, 64);
  EXPECT_STREQ(name, L"TDialog");
  GetClassNameW(dialog.ok->Handle(), name, 64);
  EXPECT_STREQ(name, L"TButton");
  // A superclass of the system button: same class styles, own name.
  EXPECT_NE(SendMessageW(dialog.ok->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_BUTTON, 0);
  EXPECT_EQ(FindWindowW(L"TApplication", L"Window tests"), fwtest::App().Handle());
}

TEST(Forms, BorderStyleIconsTopMostAndScreenCentre) {
  Owner o;
  TDialog dialog(nullptr);
  dialog.HandleNeeded();
  LONG_PTR style = GetWindowLongPtrW(dialog.Handle(), GWL_STYLE);
  LONG_PTR ex = GetWindowLongPtrW(dialog.Handle(), GWL_EXSTYLE);
  EXPECT_NE(style & WS_CAPTION, 0);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_NE(ex & WS_EX_DLGMODALFRAME, 0);

  fw::TForm single(nullptr);
  single.SetBorderStyle(fw::bsSingle);
  single.SetBorderIcons({fw::biSystemMenu, fw::biMinimize});
  single.SetFormStyle(fw::fsStayOnTop);
  single.SetPosition(fw::poScreenCenter);
  single.SetBounds(0, 0, 300, 200);
  single.Show();
  style = GetWindowLongPtrW(single.Handle(), GWL_STYLE);
  ex = GetWindowLongPtrW(single.Handle(), GWL_EXSTYLE);
  EXPECT_NE(style & WS_MINIMIZEBOX, 0);
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_NE(ex & WS_EX_TOPMOST, 0);
  RECT r;
  GetWindowRect(single.Handle(), &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 200) / 2);
}

// A screen small enough that the centred dialog falls on the program's
// top-most window: the dialog is shown above it while it is open.
TEST(Modal, ADialogOpensAboveTheProgramsTopMostWindow) {
  fwtest::App();
  fw::TForm topmost(nullptr);
  topmost.SetFormStyle(fw::fsStayOnTop);
  const int cx = GetSystemMetrics(SM_CXSCREEN) / 2, cy = GetSystemMetrics(SM_CYSCREEN) / 2;
  topmost.SetBounds(cx - 150, cy - 100, 300, 200);
  fwtest::ShowActive(topmost);
  ASSERT_TRUE(fw::ThreadHasVisibleTopmostWindow());

  TDialog dialog(nullptr);
  HWND atCentre = nullptr;
  bool topmostWhileOpen = false;
  dialog.OnShow = [&](fw::TObject*) {
    PostMessageW(dialog.ok->Handle(), BM_CLICK, 0, 0);
  };
  dialog.OnActivate = [&](fw::TObject*) {
    atCentre = GetAncestor(WindowFromPoint(POINT{cx, cy}), GA_ROOT);
    topmostWhileOpen = (GetWindowLongPtrW(dialog.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  };
  EXPECT_EQ(dialog.ShowModal(), fw::mrOk);
  EXPECT_EQ(atCentre, dialog.Handle());
  EXPECT_TRUE(topmostWhileOpen);
}

}  // namespace
