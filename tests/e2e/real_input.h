#pragma once
// Real pointer and keyboard input, sent as a user's would be (SendInput):
// the events go to whatever window is under the pointer or has the keyboard
// focus, through the system's hit-testing, cursor and double-click rules.
#include <windows.h>

#include <initializer_list>

namespace e2e {

// The pointer to a screen point, with one real move there so that the
// window under it is told.
void PointerTo(POINT screen);
// The pointer to the middle of a window; returns that screen point.
POINT PointerOver(HWND window);
// Left clicks where the pointer is: one, or two in a row (a double click).
void ClickHere(int clicks = 1);
// The pointer to a screen point, then left clicks there.
void ClickAt(POINT screen, int clicks = 1);

// Each key pressed and let go in turn, with `modifier` (if any) held
// throughout: Tap({VK_TAB}, VK_SHIFT) is Shift+Tab.
void Tap(std::initializer_list<WORD> keys, WORD modifier = 0);
// The keys pressed together (the first ones held while the last goes down),
// then let go in reverse order: Chord({VK_MENU, VK_F4}) is Alt+F4.
void Chord(std::initializer_list<WORD> keys);

}  // namespace e2e
