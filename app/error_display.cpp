#include "app/error_display.h"

#include <cxxabi.h>

#include <cstdio>

#include "app/error_text.h"
#include "core/exceptions.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/window_errors.h"

namespace app {
namespace {

std::wstring Widen(const char* utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (n <= 1) return {};
  std::wstring text(static_cast<size_t>(n - 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), n);
  return text;
}

std::wstring CurrentExceptionClass() {
  const std::type_info* type = abi::__cxa_current_exception_type();
  return type ? PlainClassName(type->name()) : L"Exception";
}

// The file name, without folder, of a module (the program itself for null).
std::wstring ModuleFileName(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  std::wstring name = path;
  if (const auto slash = name.find_last_of(L"\\/:"); slash != std::wstring::npos) name.erase(0, slash + 1);
  return name;
}

std::wstring ProgramFileName() { return ModuleFileName(nullptr); }

// Module and offset of an address: the module that holds it, or the program
// itself with the conventional 0x1000 code start when none does.
void Locate(const void* address, std::wstring& module, std::uintptr_t& offset) {
  HMODULE handle = nullptr;
  const bool inModule = GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      static_cast<LPCWSTR>(address), &handle);
  module = ModuleFileName(inModule ? handle : nullptr);
  // Addresses as numbers of their own width, for the offset into the module.
  const auto at = reinterpret_cast<std::uintptr_t>(address);
  offset = inModule ? at - reinterpret_cast<std::uintptr_t>(handle) : at - 0x1000;
}

// Moves a window's top-left corner without resizing or activating it.
void MoveWindowTo(HWND window, POINT topLeft) {
  SetWindowPos(window, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

ErrorMessage MessageOfError(std::exception_ptr error) {
  if (!error) return {false, {}};
  try {
    std::rethrow_exception(error);
  } catch (const fw::EAbort&) {
    return {false, {}};
  } catch (const core::Exception& e) {
    return {true, e.Message()};
  } catch (const std::exception& e) {
    return {true, Widen(e.what())};
  } catch (...) {
    return {true, L"Exception " + CurrentExceptionClass()};
  }
}

void ShowErrorBox(HWND owner, const std::wstring& title, const std::wstring& message) {
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
  const std::wstring text = ErrorDisplayText(message);
  HWND active = GetActiveWindow();

  // A box on the monitor the user looks at: the owner moves there for it.
  bool moved = false;
  RECT ownerRect{};
  if (owner && active && GetWindowRect(owner, &ownerRect) &&
      MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST) != MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST), &info)) {
      MoveWindowTo(owner, POINT{(info.rcMonitor.left + info.rcMonitor.right) / 2,
                                (info.rcMonitor.top + info.rcMonitor.bottom) / 2});
      moved = true;
    }
  }
  {
    fw::TaskWindowsDisabler disabled;
    // Above the program's top-most main window, not under it.
    const UINT topmost = fw::ThreadHasVisibleTopmostWindow() ? MB_TOPMOST : 0;
    MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP | topmost);
  }
  if (moved) MoveWindowTo(owner, POINT{ownerRect.left, ownerRect.top});
  if (active && IsWindow(active)) SetActiveWindow(active);
}

void DisplayError(fw::TApplication& application, std::exception_ptr error) {
  const ErrorMessage message = MessageOfError(error);
  if (!message.shown) return;
  ShowErrorBox(application.Handle(), application.Title(), message.text);
}

void InstallErrorDisplay(fw::TApplication& application) {
  application.OnException = [&application](fw::TObject*, std::exception_ptr error) {
    DisplayError(application, error);
  };
}

// ---- the fatal report

FatalReport MakeFatalReport(std::exception_ptr error) {
  std::wstring className = L"Exception";
  std::wstring message;
  if (error) {
    try {
      std::rethrow_exception(error);
    } catch (const core::Exception& e) {
      className = CurrentExceptionClass();
      message = e.Message();
    } catch (const std::exception& e) {
      className = CurrentExceptionClass();
      message = Widen(e.what());
    } catch (...) {
      // Outside the family: the class only, no message.
      className = CurrentExceptionClass();
    }
  }
  return FatalReport{L"Application Error", FatalErrorText(className, ProgramFileName(), std::nullopt, message)};
}

FatalReport MakeFatalReport(const EXCEPTION_RECORD& record) {
  std::wstring className = L"EExternalException";
  wchar_t message[64];
  std::swprintf(message, 64, L"External exception %08lX", static_cast<unsigned long>(record.ExceptionCode));
  if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION) {
    className = L"EAccessViolation";
    std::swprintf(message, 64, L"Access violation");
  } else if (record.ExceptionCode == EXCEPTION_STACK_OVERFLOW) {
    className = L"EStackOverflow";
    std::swprintf(message, 64, L"Stack overflow");
  }
  std::wstring module;
  std::uintptr_t offset = 0;
  Locate(record.ExceptionAddress, module, offset);
  return FatalReport{L"Application Error", FatalErrorText(className, module, offset, message)};
}

void ShowFatalReportAndExit(const FatalReport& report) {
  MessageBoxW(nullptr, report.text.c_str(), report.caption.c_str(), MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(1);
}

namespace {

LONG WINAPI UnhandledProcessorException(EXCEPTION_POINTERS* pointers) {
  ShowFatalReportAndExit(MakeFatalReport(*pointers->ExceptionRecord));
}

[[noreturn]] void TerminateWithReport() { ShowFatalReportAndExit(MakeFatalReport(std::current_exception())); }

}  // namespace

void InstallFatalErrorHandlers() {
  SetUnhandledExceptionFilter(UnhandledProcessorException);
  std::set_terminate(TerminateWithReport);
}

}  // namespace app
