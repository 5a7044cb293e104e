#pragma once
// Glyph cell storage shared by every glyph of one cell size: a TGlyphList is
// an image list of equal cells with a record of the used slots (freed slots
// are filled again before the list grows); the process-wide TGlyphCache holds
// one list per exact cell size and drops a list once no cell is used.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace skin {

class TGlyphList {
 public:
  TGlyphList(int width, int height);
  TGlyphList(const TGlyphList&) = delete;
  TGlyphList& operator=(const TGlyphList&) = delete;
  ~TGlyphList();

  int Width() const { return width_; }
  int Height() const { return height_; }
  HIMAGELIST Handle() const { return handle_; }

  // Stores a cell of pixels (0x00RRGGBB, top-down rows of Width()) with the
  // mask built from transparent (a COLORREF, or CLR_NONE for an opaque
  // cell). Returns its index.
  int Add(const std::vector<std::uint32_t>& pixels, COLORREF transparent);
  // Frees the slot for reuse.
  void Delete(int index);
  // Cells in use.
  int Count() const { return used_; }
  // Slots of the underlying image list, used or free.
  int Capacity() const { return static_cast<int>(slots_.size()); }

  void Draw(int index, HDC dc, int x, int y) const;

 private:
  int width_, height_;
  HIMAGELIST handle_;
  std::vector<bool> slots_;  // true: in use
  int used_ = 0;
};

// One list per cell size; created with the first glyph, destroyed with the
// last one (TGlyph keeps the count).
class TGlyphCache {
 public:
  // The list of exactly this size, made on demand.
  TGlyphList* GetList(int width, int height);
  // Destroys the list when it holds no cells any more.
  void ReturnList(TGlyphList* list);
  int ListCount() const { return static_cast<int>(lists_.size()); }
  bool Empty() const { return lists_.empty(); }

  // The process-wide cache, or null while no glyph exists.
  static TGlyphCache* Instance();

 private:
  friend class TGlyph;
  static void AddUser();
  static void RemoveUser();
  std::vector<std::unique_ptr<TGlyphList>> lists_;
};

}  // namespace skin
