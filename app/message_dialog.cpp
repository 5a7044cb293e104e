#include "app/message_dialog.h"

#include <memory>
#include <vector>

#include "app/dialog_layout.h"
#include "framework/accessible.h"
#include "framework/application.h"
#include "stdctrls/button.h"
#include "stdctrls/extctrls.h"
#include "graphics/gdi.h"
#include "stdctrls/label.h"

namespace app {
namespace {

struct ButtonInfo {
  const wchar_t* name;
  const wchar_t* caption;
  fw::TModalResult result;
};

constexpr ButtonInfo kButtons[] = {
    {L"Yes", L"&Yes", fw::mrYes},          {L"No", L"&No", fw::mrNo},
    {L"OK", L"OK", fw::mrOk},              {L"Cancel", L"Cancel", fw::mrCancel},
    {L"Abort", L"&Abort", fw::mrAbort},    {L"Retry", L"&Retry", fw::mrRetry},
    {L"Ignore", L"&Ignore", fw::mrIgnore}, {L"All", L"&All", fw::mrAll},
    {L"NoToAll", L"N&o to All", fw::mrNoToAll}, {L"YesToAll", L"Yes to &All", fw::mrYesToAll},
    {L"Help", L"&Help", fw::mrNone},
};
constexpr int kButtonKinds = sizeof kButtons / sizeof kButtons[0];

int g_buttonWidths[kButtonKinds] = {};  // the first dialog that shows a kind measures it

HelpHandler& Help() {
  static HelpHandler handler;
  return handler;
}

LPCWSTR StockIcon(TMsgDlgType type) {
  switch (type) {
    case dtWarning: return IDI_EXCLAMATION;
    case dtError: return IDI_HAND;
    case dtInformation: return IDI_ASTERISK;
    case dtConfirmation: return IDI_QUESTION;
    default: return nullptr;
  }
}

std::wstring WithoutAccelerators(const std::wstring& caption) {
  std::wstring out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

// A screen-compatible memory DC with the form's font selected.
class MeasureDC {
 public:
  explicit MeasureDC(HFONT font) : select_(dc_, font) {}
  HDC Get() const { return dc_.Get(); }

 private:
  fw::MemoryDC dc_;
  fw::SelectGuard select_;
};

}  // namespace

std::wstring DialogCaption(TMsgDlgType type) {
  switch (type) {
    case dtWarning: return L"Warning";
    case dtError: return L"Error";
    case dtInformation: return L"Information";
    case dtConfirmation: return L"Confirm";
    default: return fw::Application().Title();
  }
}

const wchar_t* ButtonCaption(TMsgDlgBtn button) { return kButtons[button].caption; }
const wchar_t* ButtonName(TMsgDlgBtn button) { return kButtons[button].name; }
int CachedButtonWidth(TMsgDlgBtn button) { return g_buttonWidths[button]; }
void ClearButtonWidthCacheForTesting() {
  for (int& w : g_buttonWidths) w = 0;
}
void SetHelpHandler(HelpHandler handler) { Help() = std::move(handler); }

TMessageForm::TMessageForm(fw::TComponent* owner) : fw::TForm(owner) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0)) Font().AssignLogFont(metrics.lfMessageFont);
  // Ctrl+C reaches the form from whichever button has the focus.
  SetKeyPreview(true);
}

std::wstring TMessageForm::ClipboardText() const {
  const std::wstring rule = L"---------------------------\r\n";
  std::wstring text = rule + Caption() + L"\r\n" + rule;
  std::wstring buttons;
  for (int i = 0; i < ComponentCount(); ++i) {
    fw::TComponent* c = Components(i);
    if (c->Name() == L"Message") text += static_cast<fw::TControl*>(c)->Caption() + L"\r\n";
    if (auto* button = dynamic_cast<fw::TButton*>(c)) buttons += WithoutAccelerators(button->Caption()) + L"   ";
  }
  return text + rule + buttons + L"\r\n" + rule;
}

void TMessageForm::CopyToClipboard() {
  const std::wstring text = ClipboardText();
  if (!OpenClipboard(Handle())) return;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* target = GlobalLock(memory)) {
      memcpy(target, text.c_str(), bytes);
      GlobalUnlock(memory);
      // The clipboard owns the memory once it takes it.
      if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

void TMessageForm::DescribeAccessible(fw::AccessibleFacts& facts) const {
  fw::TForm::DescribeAccessible(facts);
  facts.role = ROLE_SYSTEM_DIALOG;
  if (const auto* message = dynamic_cast<const fw::TControl*>(FindComponent(L"Message")))
    facts.description = fw::SpokenText(message->Caption());
}

void TMessageForm::WndProc(fw::TMessage& m) {
  if (m.Msg == WM_COPY) {
    CopyToClipboard();
    m.Result = 0;
    return;
  }
  fw::TForm::WndProc(m);
  // Screen readers read a dialog that says it opened as one.
  if (m.Msg == WM_SHOWWINDOW)
    NotifyWinEvent(m.WParam ? EVENT_SYSTEM_DIALOGSTART : EVENT_SYSTEM_DIALOGEND, Handle(), OBJID_WINDOW, CHILDID_SELF);
}

bool TMessageForm::DoKeyDown(fw::TMessage& m) {
  if ((m.WParam == 'C' || m.WParam == VK_INSERT) && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
    CopyToClipboard();
    return true;
  }
  return fw::TForm::DoKeyDown(m);
}

void TMessageForm::HelpButtonClick(fw::TObject*) {
  if (Help()) Help()(helpContext_, helpFile_);
}

TMessageForm* BuildMessageDialog(const std::wstring& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  auto form = std::make_unique<TMessageForm>(&fw::Application());
  form->SetBorderStyle(fw::bsDialog);
  form->SetPosition(fw::poDesigned);

  // The average letter of the form's font.
  MeasureDC dc(form->Font().Handle());
  static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE letters{};
  GetTextExtentPoint32W(dc.Get(), kLetters, 52, &letters);
  const int unitX = letters.cx / 52;
  const int unitY = letters.cy;

  // Button widths: measured once per kind for the whole run.
  std::vector<int> captionWidths;
  std::vector<TMsgDlgBtn> requested;
  for (int b = 0; b < kButtonKinds; ++b) {
    const auto kind = static_cast<TMsgDlgBtn>(b);
    if (!buttons.Contains(kind)) continue;
    requested.push_back(kind);
    if (g_buttonWidths[b] == 0) {
      RECT r{0, 0, 0, 0};
      DrawTextW(dc.Get(), kButtons[b].caption, -1, &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
      g_buttonWidths[b] = r.right - r.left + 8;
    }
    captionWidths.push_back(g_buttonWidths[b]);
  }

  // The text wraps at half the screen width.
  RECT textRect{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &textRect,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);

  const LPCWSTR icon = StockIcon(type);
  DialogLayoutInput in;
  in.unitX = unitX;
  in.unitY = unitY;
  in.textWidth = textRect.right;
  in.textHeight = textRect.bottom;
  in.hasIcon = icon != nullptr;
  in.buttonCount = static_cast<int>(requested.size());
  in.buttonWidth = CommonButtonWidth(DialogUnitsFor(unitX, unitY).leastButtonWidth, captionWidths);
  in.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  in.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  // The frame: the outer size minus the client size of this form's window.
  form->SetClientSize(100, 100);
  in.frameWidth = form->Width() - form->ClientWidth();
  in.frameHeight = form->Height() - form->ClientHeight();
  const DialogLayout layout = ComputeDialogLayout(in);

  form->SetClientSize(layout.client.cx, layout.client.cy);
  form->SetBounds(layout.windowPosition.x, layout.windowPosition.y, form->Width(), form->Height());
  form->SetCaption(DialogCaption(type));

  if (icon) {
    auto* image = new fw::TImage(form.get());
    image->SetName(L"Image");
    image->SetParent(form.get());
    image->SetIcon(LoadIconW(nullptr, icon));
    image->SetBounds(layout.icon.left, layout.icon.top, 32, 32);
  }

  auto* label = new fw::TLabel(form.get());
  label->SetName(L"Message");
  label->SetParent(form.get());
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetCaption(text);
  label->SetBounds(layout.label.left, layout.label.top, in.textWidth, in.textHeight);

  const TMsgDlgBtn defaultButton = buttons.Contains(dbOK) ? dbOK : buttons.Contains(dbYes) ? dbYes : dbRetry;
  const TMsgDlgBtn cancelButton = buttons.Contains(dbCancel) ? dbCancel : buttons.Contains(dbNo) ? dbNo : dbOK;
  fw::TButton* first = nullptr;
  for (size_t i = 0; i < requested.size(); ++i) {
    const TMsgDlgBtn kind = requested[i];
    auto* button = new fw::TButton(form.get());
    button->SetName(kButtons[kind].name);
    button->SetParent(form.get());
    button->SetCaption(kButtons[kind].caption);
    button->SetModalResult(kButtons[kind].result);
    if (kind == defaultButton) button->SetDefault(true);
    if (kind == cancelButton) button->SetCancel(true);
    const RECT& r = layout.buttons[i];
    button->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (kind == dbHelp) {
      TMessageForm* owner = form.get();
      button->OnClick = [owner](fw::TObject* sender) { owner->HelpButtonClick(sender); };
    }
    if (!first) first = button;
  }
  if (first) form->SetActiveControl(first);
  return form.release();
}

int ShowMessageDialogAt(const std::wstring& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int x,
                        int y, const std::wstring& helpFile) {
  std::unique_ptr<TMessageForm> form(BuildMessageDialog(text, type, buttons));
  form->SetHelpContext(helpContext);
  form->SetHelpFile(helpFile);
  if (x >= 0) form->SetLeft(x);
  if (y >= 0) form->SetTop(y);
  if (x < 0 && y < 0) form->SetPosition(fw::poScreenCenter);
  return form->ShowModal();
}

int ShowMessageDialog(const std::wstring& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
  return ShowMessageDialogAt(text, type, buttons, helpContext, -1, -1, L"");
}

}  // namespace app
