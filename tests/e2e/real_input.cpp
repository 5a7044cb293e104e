#include "tests/e2e/real_input.h"

#include <vector>

namespace e2e {
namespace {

void Send(std::vector<INPUT>& input) {
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

INPUT Mouse(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  return in;
}

INPUT Key(WORD key, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = key;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

}  // namespace

void PointerTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  std::vector<INPUT> move{Mouse(MOUSEEVENTF_MOVE)};  // (0, 0): one real move where it is
  Send(move);
}

POINT PointerOver(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  PointerTo(middle);
  return middle;
}

void ClickHere(int clicks) {
  std::vector<INPUT> input;
  for (int i = 0; i < clicks; ++i) {
    input.push_back(Mouse(MOUSEEVENTF_LEFTDOWN));
    input.push_back(Mouse(MOUSEEVENTF_LEFTUP));
  }
  Send(input);
}

void ClickAt(POINT screen, int clicks) {
  PointerTo(screen);
  ClickHere(clicks);
}

void Tap(std::initializer_list<WORD> keys, WORD modifier) {
  std::vector<INPUT> input;
  if (modifier) input.push_back(Key(modifier, false));
  for (WORD k : keys) {
    input.push_back(Key(k, false));
    input.push_back(Key(k, true));
  }
  if (modifier) input.push_back(Key(modifier, true));
  Send(input);
}

void Chord(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  for (WORD k : keys) input.push_back(Key(k, false));
  for (auto k = std::rbegin(keys); k != std::rend(keys); ++k) input.push_back(Key(*k, true));
  Send(input);
}

}  // namespace e2e
