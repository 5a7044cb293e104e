#pragma once
// Message dialogs: a small modal form with an icon, the message and a row of
// buttons, laid out from the system's message-box font. Like the system's
// message box, it copies its caption, text and buttons to the clipboard on
// Ctrl+C and on WM_COPY.
#include <functional>
#include <string>

#include "framework/form.h"
#include "core/set.h"

namespace app {

enum TMsgDlgType { dtWarning, dtError, dtInformation, dtConfirmation, dtCustom };
enum TMsgDlgBtn { dbYes, dbNo, dbOK, dbCancel, dbAbort, dbRetry, dbIgnore, dbAll, dbNoToAll, dbYesToAll, dbHelp };
using TMsgDlgButtons = core::TSet<TMsgDlgBtn>;

class TMessageForm : public fw::TForm {
 public:
  // Takes the system's message-box font when the system reports one.
  explicit TMessageForm(fw::TComponent* owner);
  std::wstring ClassName() const override { return L"TMessageForm"; }

  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  const std::wstring& HelpFile() const { return helpFile_; }
  void SetHelpFile(const std::wstring& value) { helpFile_ = value; }

  // "----" framed caption, text and button captions, as the system box copies them.
  std::wstring ClipboardText() const;
  void CopyToClipboard();
  // The Help button's click: asks the help handler for the help context.
  void HelpButtonClick(fw::TObject* sender);
  // A dialog, named by its caption and described by its message, which is
  // also its static text.
  void DescribeAccessible(fw::AccessibleFacts& facts) const override;

  // Places the icon, the text and the buttons (made by BuildMessageDialog)
  // from the font's measures at the form's DPI; `centre` also puts the
  // window in the middle of the screen.
  void LayOut(bool centre);

 protected:
  void WndProc(fw::TMessage& m) override;
  bool DoKeyDown(fw::TMessage& m) override;
  // Measured again at the new DPI: text and buttons keep their room.
  void DpiChanged(int oldDpi) override;

 private:
  friend TMessageForm* BuildMessageDialog(const std::wstring&, TMsgDlgType, TMsgDlgButtons);
  int helpContext_ = 0;
  std::wstring helpFile_;
  std::wstring text_;
  TMsgDlgType type_ = dtCustom;
  TMsgDlgButtons buttons_;
  bool laidOut_ = false;
};

// The help system that the Help button and a help context would call; the
// program installs none.
using HelpHandler = std::function<void(int context, const std::wstring& file)>;
void SetHelpHandler(HelpHandler handler);

// A new, hidden dialog owned by the application; the caller owns it.
TMessageForm* BuildMessageDialog(const std::wstring& text, TMsgDlgType type, TMsgDlgButtons buttons);
// Shows a dialog at (x, y) (a negative coordinate keeps the default; both
// negative: centred on the screen) and returns the modal result.
int ShowMessageDialogAt(const std::wstring& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int x,
                        int y, const std::wstring& helpFile);
// Centred on the screen.
int ShowMessageDialog(const std::wstring& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);

// The process-wide button-width cache (0: not measured yet), one for each
// DPI dialogs were shown at.
int CachedButtonWidth(TMsgDlgBtn button, int dpi = fw::kDesignDpi);
void ClearButtonWidthCacheForTesting();

// Captions of the dialog types and buttons.
std::wstring DialogCaption(TMsgDlgType type);
const wchar_t* ButtonCaption(TMsgDlgBtn button);
const wchar_t* ButtonName(TMsgDlgBtn button);

}  // namespace app
