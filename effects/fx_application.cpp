#include "effects/fx_application.h"

#include <memory>
#include <vector>

namespace fx {

std::wstring FileNamePart(std::wstring_view path) {
  const auto cut = path.find_last_of(L"\\:");
  return std::wstring(cut == std::wstring_view::npos ? path : path.substr(cut + 1));
}

std::wstring ExecutableFileName() {
  // Paths may be longer than MAX_PATH; grow until the whole one fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return FileNamePart(std::wstring_view(buffer.data(), n));
    buffer.resize(buffer.size() * 2);
  }
}

TFxApplication::TFxApplication() : TFxApplication(ExecutableFileName()) {}

TFxApplication::TFxApplication(const std::wstring& mutexName) : mutexName_(mutexName) { Probe(); }

TFxApplication::~TFxApplication() {
  if (mutex_) CloseHandle(mutex_);
}

void TFxApplication::Probe() {
  previousInstance_ = false;
  // Never waited on, owned or released: only its existence matters, and the
  // handle keeps it in existence until this process ends.
  mutex_ = CreateMutexW(nullptr, FALSE, mutexName_.empty() ? nullptr : mutexName_.c_str());
  if (mutex_ && GetLastError() == ERROR_ALREADY_EXISTS) previousInstance_ = true;
}

HBITMAP TFxApplication::CheckerboardPattern(fw::TColor color) {
  if (pattern_ && color == patternColor_) return pattern_.Get();
  fw::MemoryDC dc;
  if (!pattern_) {
    fw::ClientDC screen(nullptr);
    pattern_.Reset(CreateCompatibleBitmap(screen, 8, 8));
    if (!pattern_) return nullptr;
    fw::SelectGuard select(dc, pattern_.Get());
    PatBlt(dc, 0, 0, 8, 8, WHITENESS);
  }
  fw::SelectGuard select(dc, pattern_.Get());
  const COLORREF rgb = fw::ColorToRGB(color);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if ((x + y) % 2 == 1) SetPixelV(dc, x, y, rgb);
  patternColor_ = color;
  ++patternBuilds_;
  return pattern_.Get();
}

namespace {

std::unique_ptr<TFxApplication>& Instance() {
  // Destroyed with the other statics at process end.
  static std::unique_ptr<TFxApplication> instance;
  return instance;
}

}  // namespace

TFxApplication& FxApplication() {
  auto& instance = Instance();
  if (!instance) instance = std::make_unique<TFxApplication>();
  return *instance;
}

void InitFxLibrary() { (void)FxApplication(); }

}  // namespace fx
