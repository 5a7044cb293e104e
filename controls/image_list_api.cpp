#include "controls/image_list_api.h"

#include "graphics/graphics_errors.h"
#include "framework/system_library.h"

namespace skin::imagelist {
namespace {

struct Functions {
  decltype(&ImageList_Create) create = nullptr;
  decltype(&ImageList_Destroy) destroy = nullptr;
  decltype(&ImageList_Add) add = nullptr;
  decltype(&ImageList_AddMasked) addMasked = nullptr;
  decltype(&ImageList_Replace) replace = nullptr;
  decltype(&ImageList_Remove) remove = nullptr;
  decltype(&ImageList_GetImageCount) getImageCount = nullptr;
  decltype(&ImageList_DrawEx) drawEx = nullptr;

  bool Complete() const {
    return create && destroy && add && addMasked && replace && remove && getImageCount && drawEx;
  }
};

// Loaded once, on first use; the library then stays.
const Functions& Get() {
  static const Functions functions = [] {
    Functions f;
    const HMODULE library = fw::LoadSystemLibrary(L"comctl32.dll");
    f.create = fw::LibraryFunction<decltype(f.create)>(library, "ImageList_Create");
    f.destroy = fw::LibraryFunction<decltype(f.destroy)>(library, "ImageList_Destroy");
    f.add = fw::LibraryFunction<decltype(f.add)>(library, "ImageList_Add");
    f.addMasked = fw::LibraryFunction<decltype(f.addMasked)>(library, "ImageList_AddMasked");
    f.replace = fw::LibraryFunction<decltype(f.replace)>(library, "ImageList_Replace");
    f.remove = fw::LibraryFunction<decltype(f.remove)>(library, "ImageList_Remove");
    f.getImageCount = fw::LibraryFunction<decltype(f.getImageCount)>(library, "ImageList_GetImageCount");
    f.drawEx = fw::LibraryFunction<decltype(f.drawEx)>(library, "ImageList_DrawEx");
    // All or nothing: a list is never made that could not be drawn.
    return f.Complete() ? f : Functions{};
  }();
  return functions;
}

}  // namespace

HIMAGELIST Create(int width, int height, UINT flags, int initial, int grow) {
  const Functions& f = Get();
  if (!f.create)
    throw fw::EOutOfResources(L"Images cannot be shown: the system library comctl32.dll could not be loaded");
  return f.create(width, height, flags, initial, grow);
}

BOOL Destroy(HIMAGELIST list) { return list && Get().destroy ? Get().destroy(list) : FALSE; }

int Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) { return list && Get().add ? Get().add(list, image, mask) : -1; }

int AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor) {
  return list && Get().addMasked ? Get().addMasked(list, image, maskColor) : -1;
}

BOOL Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask) {
  return list && Get().replace ? Get().replace(list, index, image, mask) : FALSE;
}

BOOL Remove(HIMAGELIST list, int index) { return list && Get().remove ? Get().remove(list, index) : FALSE; }

int GetImageCount(HIMAGELIST list) { return list && Get().getImageCount ? Get().getImageCount(list) : 0; }

BOOL DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int width, int height, COLORREF background,
            COLORREF foreground, UINT style) {
  return list && Get().drawEx ? Get().drawEx(list, index, dc, x, y, width, height, background, foreground, style)
                              : FALSE;
}

}  // namespace skin::imagelist
