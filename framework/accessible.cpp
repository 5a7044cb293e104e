#include "framework/accessible.h"

#include <ole2.h>

#include <vector>

#include "framework/control.h"
#include "framework/system_library.h"
#include "framework/wincontrol.h"

namespace fw {
namespace {

// ---- the libraries, loaded on the first request

struct AccessibilityApi {
  decltype(&CreateStdAccessibleObject) createStandard = nullptr;
  decltype(&LresultFromObject) resultFromObject = nullptr;
  decltype(&CoInitializeEx) initializeCom = nullptr;
  decltype(&SysAllocStringLen) allocString = nullptr;
};

const AccessibilityApi* Api() {
  static AccessibilityApi api;
  static bool tried = false;
  static bool loaded = false;
  if (!tried) {
    tried = true;
    HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
    HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
    HMODULE oleaut32 = LoadSystemLibrary(L"oleaut32.dll");
    api.createStandard = LibraryFunction<decltype(api.createStandard)>(oleacc, "CreateStdAccessibleObject");
    api.resultFromObject = LibraryFunction<decltype(api.resultFromObject)>(oleacc, "LresultFromObject");
    api.initializeCom = LibraryFunction<decltype(api.initializeCom)>(ole32, "CoInitializeEx");
    api.allocString = LibraryFunction<decltype(api.allocString)>(oleaut32, "SysAllocStringLen");
    loaded = api.createStandard && api.resultFromObject && api.initializeCom && api.allocString;
  }
  if (!loaded) return nullptr;
  // The objects are handed out through COM, which needs the asking
  // window's thread in an apartment (once per thread, kept for its life).
  thread_local bool apartment = false;
  if (!apartment) {
    const HRESULT hr = api.initializeCom(nullptr, COINIT_APARTMENTTHREADED);
    apartment = SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
    if (!apartment) return nullptr;
  }
  return &api;
}

// ---- child ids: the standard object's children first (the child windows),
// then the parent's controls without a window that say what they are

std::vector<TControl*> SimpleChildren(const TWinControl& parent) {
  std::vector<TControl*> children;
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    AccessibleFacts facts;
    c->DescribeAccessible(facts);
    if (facts.role != 0) children.push_back(c);
  }
  return children;
}

AccessibleFacts FactsOf(const TControl& control) {
  AccessibleFacts facts;
  control.DescribeAccessible(facts);
  return facts;
}

// The client object of a framework window: the standard one, with what the
// control says of itself put over it.
class ClientAccessible final : public IAccessible, public IOleWindow {
 public:
  ClientAccessible(HWND window, IAccessible* standard, const AccessibilityApi& api)
      : window_(window), standard_(standard), api_(api) {}
  ClientAccessible(const ClientAccessible&) = delete;
  ClientAccessible& operator=(const ClientAccessible&) = delete;

  // ---- IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
      *out = static_cast<IAccessible*>(this);
    else if (iid == __uuidof(IOleWindow))
      *out = static_cast<IOleWindow*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // ---- IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
    if (!out) return E_POINTER;
    *out = window_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // ---- IDispatch: the standard object's
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, lcid, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, lcid, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* error, UINT* argError) override {
    return standard_->Invoke(id, iid, lcid, flags, params, result, error, argError);
  }

  // ---- IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }

  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    const HRESULT hr = standard_->get_accChildCount(count);
    if (FAILED(hr)) return hr;
    return Safely([&] {
      if (const TWinControl* control = Control()) *count += static_cast<long>(SimpleChildren(*control).size());
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return Safely([&] {
      if (Simple(child)) return S_FALSE;  // an element, not an object of its own
      return standard_->get_accChild(child, out);
    });
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    return Text(child, out, &AccessibleFacts::name, [&] { return standard_->get_accName(child, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    return Text(child, out, &AccessibleFacts::value, [&] { return standard_->get_accValue(child, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return Text(child, out, &AccessibleFacts::description,
                [&] { return standard_->get_accDescription(child, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return Text(child, out, &AccessibleFacts::shortcut,
                [&] { return standard_->get_accKeyboardShortcut(child, out); });
  }

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    if (!out) return E_POINTER;
    return Safely([&] {
      const TControl* about = Subject(child);
      const long role = about ? FactsOf(*about).role : 0;
      if (role == 0) return standard_->get_accRole(child, out);
      out->vt = VT_I4;
      out->lVal = role;
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    if (!out) return E_POINTER;
    return Safely([&] {
      const TControl* about = Subject(child);
      long state = 0;
      if (about && Simple(child)) {
        if (!about->Showing()) state |= STATE_SYSTEM_INVISIBLE;
        if (!about->Enabled()) state |= STATE_SYSTEM_UNAVAILABLE;
      } else {
        const HRESULT hr = standard_->get_accState(child, out);
        if (FAILED(hr) || !about || out->vt != VT_I4) return hr;
        state = out->lVal;
      }
      const AccessibleFacts facts = FactsOf(*about);
      out->vt = VT_I4;
      out->lVal = (state | facts.statesSet) & ~facts.statesCleared;
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
    return standard_->get_accHelp(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override { return standard_->get_accFocus(out); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override { return standard_->get_accSelection(out); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return standard_->get_accDefaultAction(child, out);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }

  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    return Safely([&] {
      const TControl* about = Simple(child) ? Subject(child) : nullptr;
      if (!about) return standard_->accLocation(left, top, width, height, child);
      const POINT origin = about->ClientOrigin();
      *left = origin.x;
      *top = origin.y;
      *width = about->Width();
      *height = about->Height();
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }

  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
    if (!out) return E_POINTER;
    return Safely([&] {
      if (const TWinControl* control = Control()) {
        POINT p{x, y};
        ScreenToClient(window_, &p);
        const std::vector<TControl*> simple = SimpleChildren(*control);
        // The topmost first: the last painted lies over the others.
        for (size_t i = simple.size(); i-- > 0;) {
          const RECT r = simple[i]->BoundsRect();
          if (PtInRect(&r, p)) {
            out->vt = VT_I4;
            out->lVal = WindowedChildren() + static_cast<long>(i) + 1;
            return S_OK;
          }
        }
      }
      return standard_->accHitTest(x, y, out);
    });
  }

  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~ClientAccessible() { standard_->Release(); }

  // No exception leaves through COM: a failure is an error code.
  template <class F>
  static HRESULT Safely(F&& work) noexcept {
    try {
      return work();
    } catch (...) {
      return E_FAIL;
    }
  }

  // The control of the window, while it exists (null from another thread).
  TWinControl* Control() const { return TWinControl::FindControl(window_); }

  long WindowedChildren() const {
    long count = 0;
    return SUCCEEDED(standard_->get_accChildCount(&count)) ? count : 0;
  }

  // The control a child id names: the window's own for CHILDID_SELF, one
  // of the simple elements, or null (a child window: the standard object's).
  const TControl* Subject(const VARIANT& child) const {
    if (child.vt != VT_I4) return nullptr;
    const TWinControl* control = Control();
    if (!control) return nullptr;
    if (child.lVal == CHILDID_SELF) return control;
    const long index = child.lVal - WindowedChildren() - 1;
    if (index < 0) return nullptr;
    const std::vector<TControl*> simple = SimpleChildren(*control);
    return index < static_cast<long>(simple.size()) ? simple[static_cast<size_t>(index)] : nullptr;
  }

  // One of the simple elements (not the window itself, nor a child window).
  bool Simple(const VARIANT& child) const {
    return child.vt == VT_I4 && child.lVal != CHILDID_SELF && Subject(child) != nullptr;
  }

  template <class Standard>
  HRESULT Text(const VARIANT& child, BSTR* out, std::optional<std::wstring> AccessibleFacts::*field,
               Standard standard) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return Safely([&]() -> HRESULT {
      const TControl* about = Subject(child);
      if (!about) return standard();
      const AccessibleFacts facts = FactsOf(*about);
      const std::optional<std::wstring>& text = facts.*field;
      if (!text) return Simple(child) ? S_FALSE : standard();
      if (text->empty()) return S_FALSE;
      *out = api_.allocString(text->data(), static_cast<UINT>(text->size()));
      return *out ? S_OK : E_OUTOFMEMORY;
    });
  }

  LONG references_ = 1;
  HWND window_;
  IAccessible* standard_;  // owned: one reference
  const AccessibilityApi& api_;
};

}  // namespace

std::wstring WithoutAccelerator(const std::wstring& caption) {
  std::wstring text;
  text.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    text.push_back(caption[i]);
  }
  return text;
}

std::wstring AcceleratorShortcut(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    return std::wstring(L"Alt+") + caption[i + 1];
  }
  return {};
}

std::wstring SpokenText(const std::wstring& text) {
  std::wstring spoken;
  bool blank = false;
  for (wchar_t c : text) {
    if (c == L' ' || c == L'\r' || c == L'\n' || c == L'\t') {
      blank = !spoken.empty();
      continue;
    }
    if (blank) spoken.push_back(L' ');
    blank = false;
    spoken.push_back(c);
  }
  return spoken;
}

LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId) {
  if (static_cast<LONG>(objectId) != OBJID_CLIENT || !IsWindow(window)) return 0;
  try {
    const AccessibilityApi* api = Api();
    if (!api) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(api->createStandard(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard))) ||
        !standard)
      return 0;
    auto* client = new ClientAccessible(window, standard, *api);
    const LRESULT result = api->resultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(client));
    client->Release();
    // Failed: the asker makes the standard object itself.
    return FAILED(static_cast<HRESULT>(result)) ? 0 : result;
  } catch (...) {
    return 0;
  }
}

void NotifyValueChange(HWND window) {
  if (window) NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace fw
