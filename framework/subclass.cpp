#include "framework/subclass.h"

#include <map>

#include "framework/guard.h"

namespace fw {
namespace detail {

struct HookNode {
  WindowHook::Proc proc;
  std::shared_ptr<HookNode> older;  // next in the chain towards the original
  HookNode* newer = nullptr;        // back link (not owning)
  std::weak_ptr<HookChain> chain;
  bool removed = false;
};

struct HookChain : std::enable_shared_from_this<HookChain> {
  HWND wnd = nullptr;
  WNDPROC original = nullptr;
  std::shared_ptr<HookNode> newest;
  int count = 0;

  LRESULT Call(const std::shared_ptr<HookNode>& from, UINT msg, WPARAM wParam, LPARAM lParam);
};

namespace {

// Chains by window; user-interface thread only.
std::map<HWND, std::shared_ptr<HookChain>>& Chains() {
  static std::map<HWND, std::shared_ptr<HookChain>> chains;
  return chains;
}

LRESULT CALLBACK ChainProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A window keeps its procedure as a LONG_PTR, pointer-sized in both builds:
// the casts between WNDPROC and LONG_PTR below store and read it there.
static_assert(sizeof(LONG_PTR) == sizeof(WNDPROC), "a window procedure fits its window's field");

void DropChain(HWND wnd) {
  auto it = Chains().find(wnd);
  if (it == Chains().end()) return;
  std::shared_ptr<HookChain> chain = it->second;
  Chains().erase(it);
  for (auto n = chain->newest; n; n = n->older) n->removed = true;
  chain->count = 0;
}

LRESULT CALLBACK ChainProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = Chains().find(wnd);
  if (it == Chains().end()) return DefWindowProcW(wnd, msg, wParam, lParam);
  std::shared_ptr<HookChain> chain = it->second;  // alive for this call
  LRESULT result = chain->Call(chain->newest, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    // The window is gone: every hook is off, the chain with it.
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
    DropChain(wnd);
  }
  return result;
}

}  // namespace

LRESULT HookChain::Call(const std::shared_ptr<HookNode>& from, UINT msg, WPARAM wParam,
                        LPARAM lParam) {
  std::shared_ptr<HookNode> node = from;
  while (node && node->removed) node = node->older;
  if (!node) return CallWindowProcW(original, wnd, msg, wParam, lParam);
  SubclassNext next(wnd, node->older, shared_from_this());
  auto proc = node->proc;  // the hook may remove itself meanwhile
  return Guarded([&] { return proc(wnd, msg, wParam, lParam, next); }, LRESULT{0});
}

}  // namespace detail

using detail::HookChain;
using detail::HookNode;

LRESULT SubclassNext::operator()(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return chain_->Call(older_, msg, wParam, lParam);
}

WindowHook::WindowHook(HWND wnd, Proc proc) {
  if (!wnd || !IsWindow(wnd) || !proc) return;
  auto& chains = detail::Chains();
  std::shared_ptr<HookChain> chain;
  auto it = chains.find(wnd);
  if (it != chains.end()) {
    chain = it->second;
  } else {
    chain = std::make_shared<HookChain>();
    chain->wnd = wnd;
    chain->original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC));
    chains[wnd] = chain;
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&detail::ChainProc));
  }
  node_ = std::make_shared<HookNode>();
  node_->proc = std::move(proc);
  node_->older = chain->newest;
  if (chain->newest) chain->newest->newer = node_.get();
  node_->chain = chain;
  chain->newest = node_;
  ++chain->count;
}

WindowHook::WindowHook(WindowHook&& other) noexcept : node_(std::move(other.node_)) {}

WindowHook& WindowHook::operator=(WindowHook&& other) noexcept {
  if (this != &other) {
    Remove();
    node_ = std::move(other.node_);
  }
  return *this;
}

WindowHook::~WindowHook() { Remove(); }

bool WindowHook::Installed() const { return node_ && !node_->removed; }

HWND WindowHook::Window() const {
  if (!node_) return nullptr;
  auto chain = node_->chain.lock();
  return chain ? chain->wnd : nullptr;
}

void WindowHook::Remove() {
  if (!node_) return;
  std::shared_ptr<HookNode> node = std::move(node_);
  if (node->removed) return;
  node->removed = true;
  std::shared_ptr<HookChain> chain = node->chain.lock();
  if (!chain) return;
  // Unlink; a call already running through this node still holds `older`.
  if (node->newer) {
    node->newer->older = node->older;
  } else {
    chain->newest = node->older;
  }
  if (node->older) node->older->newer = node->newer;
  node->newer = nullptr;
  if (--chain->count > 0) return;
  // The last hook: put the original procedure back if ours is still the
  // window's, else stay as a pass-through.
  HWND wnd = chain->wnd;
  if (IsWindow(wnd) &&
      reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)) == &detail::ChainProc) {
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
    detail::Chains().erase(wnd);
  }
}

int WindowHook::HookCount(HWND wnd) {
  auto it = detail::Chains().find(wnd);
  return it == detail::Chains().end() ? 0 : it->second->count;
}

int WindowHook::ChainedWindows() { return static_cast<int>(detail::Chains().size()); }

}  // namespace fw
