#include "effects/fx_one_instance.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "effects/fx_application.h"
#include "effects/fx_errors.h"
#include "framework/application.h"

namespace fx {
namespace {

std::uint8_t g_instances = 0;  // an 8-bit count, as the library keeps it
TFxApplication* g_service = nullptr;
void (*g_end)() = nullptr;

void ShowInPlainBox(const std::wstring& text) {
  MessageBoxW(nullptr, text.c_str(), L"Information", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}
TFxOneInstance::MessageDisplay g_display = ShowInPlainBox;

bool PreviousInstanceFlag() { return (g_service ? *g_service : FxApplication()).PreviousInstance(); }

}  // namespace

TFxOneInstance::TFxOneInstance(fw::TComponent* owner) : TFxComponent(owner) {
  ++g_instances;
  if (g_instances > 1) {
    // The destructor does not run for a constructor that throws: undo here.
    --g_instances;
    throw FxEOneInstError(oeDuplicate, ClassName());
  }
  enabled_ = true;
  mode_ = oiActivateOnly;
}

TFxOneInstance::~TFxOneInstance() { --g_instances; }

int TFxOneInstance::InstanceCount() { return g_instances; }

void TFxOneInstance::SetServiceForTesting(TFxApplication* service) { g_service = service; }
void TFxOneInstance::SetProcessEndForTesting(void (*end)()) { g_end = end; }
void TFxOneInstance::SetMessageDisplay(MessageDisplay display) { g_display = display ? display : ShowInPlainBox; }

void TFxOneInstance::Loaded() {
  TFxComponent::Loaded();
  if (IsDesigning() || !enabled_ || !PreviousInstanceFlag()) return;
  switch (mode_) {
    case oiActivateOnly:
      ActivatePreviousInstance();
      break;
    case oiDefaultMessage:
      g_display(AlreadyStartedText(fw::Application().Title()));
      ActivatePreviousInstance();
      break;
    case oiCustom:
      if (OnCustom)
        OnCustom(this);
      else
        ActivatePreviousInstance();
      break;
    default:
      return;
  }
  fw::Application().Terminate();
  if (g_end)
    g_end();
  else
    std::exit(0);
}

void ActivatePreviousInstance() {
  if (!PreviousInstanceFlag()) return;
  fw::TApplication& application = fw::Application();
  const std::wstring title = application.Title();
  // This copy's own application window must not be the one found.
  SetWindowTextW(application.Handle(), L"");
  HWND other = FindWindowW(L"TApplication", title.c_str());
  if (!other) return;
  if (IsIconic(other))
    ShowWindow(other, SW_RESTORE);
  else
    BringWindowToTop(other);
}

std::wstring AlreadyStartedText(const std::wstring& title) {
  return L"\"" + title + L"\" was already started...";
}

}  // namespace fx
