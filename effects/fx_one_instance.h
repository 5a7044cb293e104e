#pragma once
// TFxOneInstance: the single-instance guard placed on the main window. Once
// the window is loaded, a second copy of the program (the service object's
// mutex probe found the first) activates the first copy and ends.
#include <string>

#include "effects/fx_component.h"

namespace fx {

class TFxApplication;

enum TFxOneInstanceMode { oiActivateOnly = 0, oiDefaultMessage = 1, oiCustom = 2 };

class TFxOneInstance : public TFxComponent {
 public:
  // Raises FxEOneInstError (duplicate) when another one exists in the process.
  explicit TFxOneInstance(fw::TComponent* owner);
  ~TFxOneInstance() override;
  std::wstring ClassName() const override { return L"TFxOneInstance"; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  TFxOneInstanceMode Mode() const { return mode_; }
  void SetMode(TFxOneInstanceMode value) { mode_ = value; }
  fw::TNotifyEvent OnCustom;

  // The second-copy action.
  void Loaded() override;

  // Live objects in the process.
  static int InstanceCount();

  // Test seams: the service object whose flag is read (null: the process's
  // own), and what ends the process (null: the normal exit path, code 0).
  static void SetServiceForTesting(TFxApplication* service);
  static void SetProcessEndForTesting(void (*end)());

  // How oiDefaultMessage shows its text: the program's information dialog,
  // installed at start (app::PrepareApplication); a plain message box until
  // then (null puts it back).
  using MessageDisplay = void (*)(const std::wstring& text);
  static void SetMessageDisplay(MessageDisplay display);

 private:
  bool enabled_ = true;
  TFxOneInstanceMode mode_ = oiActivateOnly;
};

// Brings the first copy's application window forward: restored when
// minimised, else raised. Nothing when no other copy runs.
void ActivatePreviousInstance();

// The text of the oiDefaultMessage dialog for an application title.
std::wstring AlreadyStartedText(const std::wstring& title);

}  // namespace fx
