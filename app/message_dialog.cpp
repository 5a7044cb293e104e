#include "app/message_dialog.h"

#include <array>
#include <map>
#include <memory>
#include <vector>

#include "app/dialog_layout.h"
#include "framework/accessible.h"
#include "framework/application.h"
#include "framework/display_scale.h"
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

// The first dialog that shows a kind at a DPI measures it.
using ButtonWidths = std::array<int, kButtonKinds>;
std::map<int, ButtonWidths>& CachedWidths() {
  static std::map<int, ButtonWidths> widths;
  return widths;
}

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
int CachedButtonWidth(TMsgDlgBtn button, int dpi) {
  const auto it = CachedWidths().find(dpi);
  return it == CachedWidths().end() ? 0 : it->second[button];
}
void ClearButtonWidthCacheForTesting() { CachedWidths().clear(); }
void SetHelpHandler(HelpHandler handler) { Help() = std::move(handler); }

TMessageForm::TMessageForm(fw::TComponent* owner) : fw::TForm(owner) {
  // The design font (96 DPI); the form draws it at its DPI.
  NONCLIENTMETRICSW metrics{};
  if (fw::NonClientMetricsForDpi(fw::kDesignDpi, metrics)) Font().AssignLogFont(metrics.lfMessageFont);
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
  form->SetCaption(DialogCaption(type));
  form->text_ = text;
  form->type_ = type;
  form->buttons_ = buttons;

  if (const LPCWSTR icon = StockIcon(type)) {
    auto* image = new fw::TImage(form.get());
    image->SetName(L"Image");
    image->SetParent(form.get());
    image->SetIcon(LoadIconW(nullptr, icon));
  }

  auto* label = new fw::TLabel(form.get());
  label->SetName(L"Message");
  label->SetParent(form.get());
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetCaption(text);

  const TMsgDlgBtn defaultButton = buttons.Contains(dbOK) ? dbOK : buttons.Contains(dbYes) ? dbYes : dbRetry;
  const TMsgDlgBtn cancelButton = buttons.Contains(dbCancel) ? dbCancel : buttons.Contains(dbNo) ? dbNo : dbOK;
  fw::TButton* first = nullptr;
  for (int b = 0; b < kButtonKinds; ++b) {
    const auto kind = static_cast<TMsgDlgBtn>(b);
    if (!buttons.Contains(kind)) continue;
    auto* button = new fw::TButton(form.get());
    button->SetName(kButtons[kind].name);
    button->SetParent(form.get());
    button->SetCaption(kButtons[kind].caption);
    button->SetModalResult(kButtons[kind].result);
    if (kind == defaultButton) button->SetDefault(true);
    if (kind == cancelButton) button->SetCancel(true);
    if (kind == dbHelp) {
      TMessageForm* owner = form.get();
      button->OnClick = [owner](fw::TObject* sender) { owner->HelpButtonClick(sender); };
    }
    if (!first) first = button;
  }
  if (first) form->SetActiveControl(first);
  // Laid out at the DPI of the monitor it shows on, which its window has.
  form->HandleNeeded();
  form->LayOut(true);
  return form.release();
}

void TMessageForm::DpiChanged(int oldDpi) {
  fw::TForm::DpiChanged(oldDpi);
  if (laidOut_) LayOut(false);
}

void TMessageForm::LayOut(bool centre) {
  // The average letter of the form's font.
  MeasureDC dc(Font().Handle());
  static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE letters{};
  GetTextExtentPoint32W(dc.Get(), kLetters, 52, &letters);
  const int unitX = letters.cx / 52;
  const int unitY = letters.cy;

  // Button widths: measured once per kind (and DPI) for the whole run.
  ButtonWidths& cached = CachedWidths()[Dpi()];
  std::vector<int> captionWidths;
  for (int b = 0; b < kButtonKinds; ++b) {
    if (!buttons_.Contains(static_cast<TMsgDlgBtn>(b))) continue;
    if (cached[static_cast<size_t>(b)] == 0) {
      RECT r{0, 0, 0, 0};
      DrawTextW(dc.Get(), kButtons[b].caption, -1, &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
      cached[static_cast<size_t>(b)] = r.right - r.left + Scaled(8);
    }
    captionWidths.push_back(cached[static_cast<size_t>(b)]);
  }

  // The text wraps at half the screen width.
  RECT textRect{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextW(dc.Get(), text_.c_str(), static_cast<int>(text_.size()), &textRect,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);

  DialogLayoutInput in;
  in.unitX = unitX;
  in.unitY = unitY;
  in.textWidth = textRect.right;
  in.textHeight = textRect.bottom;
  in.hasIcon = StockIcon(type_) != nullptr;
  in.iconSize = fw::MetricForDpi(SM_CXICON, Dpi());
  in.buttonCount = static_cast<int>(captionWidths.size());
  in.buttonWidth = CommonButtonWidth(DialogUnitsFor(unitX, unitY).leastButtonWidth, captionWidths);
  in.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  in.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  // The frame: the outer size minus the client size of this form's window.
  SetClientSize(100, 100);
  in.frameWidth = Width() - ClientWidth();
  in.frameHeight = Height() - ClientHeight();
  const DialogLayout layout = ComputeDialogLayout(in);

  SetClientSize(layout.client.cx, layout.client.cy);
  if (centre) SetBounds(layout.windowPosition.x, layout.windowPosition.y, Width(), Height());
  if (auto* image = dynamic_cast<fw::TControl*>(FindComponent(L"Image")))
    image->SetBounds(layout.icon.left, layout.icon.top, in.iconSize, in.iconSize);
  if (auto* label = dynamic_cast<fw::TControl*>(FindComponent(L"Message")))
    label->SetBounds(layout.label.left, layout.label.top, in.textWidth, in.textHeight);
  size_t i = 0;
  for (int b = 0; b < kButtonKinds; ++b) {
    if (!buttons_.Contains(static_cast<TMsgDlgBtn>(b))) continue;
    if (auto* button = dynamic_cast<fw::TControl*>(FindComponent(kButtons[b].name))) {
      const RECT& r = layout.buttons[i];
      button->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    ++i;
  }
  laidOut_ = true;
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
