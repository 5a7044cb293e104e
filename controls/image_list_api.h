#pragma once
// The system image list of the common controls library (comctl32). The
// library is loaded from the system folder when the first list is made
// rather than imported at start: comctl32 is not one of the libraries that
// Windows always takes from the system folder, so an import would load a
// file of that name from the program's own folder.
#include <windows.h>
#include <commctrl.h>

namespace skin::imagelist {

// ImageList_Create: null when the list cannot be made; raises
// fw::EOutOfResources when the library cannot be loaded.
HIMAGELIST Create(int width, int height, UINT flags, int initial, int grow);

// Their ImageList_ namesakes, given lists that Create made. With no list
// (or no library) they do nothing and report failure.
BOOL Destroy(HIMAGELIST list);
int Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
int AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor);
BOOL Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
BOOL Remove(HIMAGELIST list, int index);
int GetImageCount(HIMAGELIST list);
BOOL DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int width, int height, COLORREF background,
            COLORREF foreground, UINT style);

}  // namespace skin::imagelist
