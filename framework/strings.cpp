#include "framework/strings.h"

#include <windows.h>

#include <utility>

#include "graphics/graphics_errors.h"

namespace fw {

namespace {

bool SameText(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                              TRUE) == CSTR_EQUAL;
}

// Keeps BeginUpdate/EndUpdate balanced when a step in between throws.
class UpdateScope {
 public:
  explicit UpdateScope(TStrings& s) : s_(s) { s_.BeginUpdate(); }
  ~UpdateScope() { s_.EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  TStrings& s_;
};

}  // namespace

// --- TStrings ---

void TStrings::Put(int index, const std::wstring& s) {
  UpdateScope scope(*this);
  std::intptr_t object = Object(index);
  Delete(index);
  InsertObject(index, s, object);
}

int TStrings::Add(const std::wstring& s) {
  const int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const std::wstring& s, std::intptr_t object) {
  const int index = Count();
  InsertObject(index, s, object);
  return index;
}

void TStrings::InsertObject(int index, const std::wstring& s, std::intptr_t object) {
  UpdateScope scope(*this);
  Insert(index, s);
  SetObject(index, object);
}

int TStrings::IndexOf(std::wstring_view s) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (SameText(Get(i), s)) return i;
  return -1;
}

int TStrings::IndexOfObject(std::intptr_t object) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (Object(i) == object) return i;
  return -1;
}

void TStrings::Exchange(int a, int b) {
  if (a == b) return;
  UpdateScope scope(*this);
  std::wstring sa = Get(a), sb = Get(b);
  std::intptr_t oa = Object(a), ob = Object(b);
  Put(a, sb);
  SetObject(a, ob);
  Put(b, sa);
  SetObject(b, oa);
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  UpdateScope scope(*this);
  std::wstring s = Get(from);
  std::intptr_t o = Object(from);
  Delete(from);
  InsertObject(to, s, o);
}

std::wstring TStrings::Text() const {
  std::wstring out;
  for (int i = 0, n = Count(); i < n; ++i) {
    out += Get(i);
    out += L"\r\n";
  }
  return out;
}

void TStrings::SetText(std::wstring_view text) {
  UpdateScope scope(*this);
  Clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring_view::npos) {
      Add(std::wstring(text.substr(start)));
      break;
    }
    Add(std::wstring(text.substr(start, end - start)));
    start = end + 1;
    if (text[end] == L'\r' && start < text.size() && text[start] == L'\n') ++start;
  }
}

void TStrings::AddStrings(const TStrings& other) {
  UpdateScope scope(*this);
  for (int i = 0, n = other.Count(); i < n; ++i) AddObject(other.Get(i), other.Object(i));
}

void TStrings::Assign(const TStrings& other) {
  if (&other == this) return;
  UpdateScope scope(*this);
  Clear();
  AddStrings(other);
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

// --- TStringList ---

TStringList::~TStringList() {
  // No notifications while going away.
  OnChange = nullptr;
  OnChanging = nullptr;
}

void TStringList::CheckIndex(int index, bool allowEnd) const {
  const int limit = allowEnd ? Count() : Count() - 1;
  if (index < 0 || index > limit)
    throw EStringListError(L"List index out of bounds (" + std::to_wstring(index) + L")");
}

void TStringList::Changing() {
  if (UpdateCount() > 0) {
    // Once per batch, before its first change.
    if (!changedWhileUpdating_) {
      changedWhileUpdating_ = true;
      if (OnChanging) OnChanging();
    }
    return;
  }
  if (OnChanging) OnChanging();
}

void TStringList::Changed() {
  if (UpdateCount() > 0) return;
  if (OnChange) OnChange();
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) {
    changedWhileUpdating_ = false;
  } else if (std::exchange(changedWhileUpdating_, false)) {
    if (OnChange) OnChange();
  }
}

std::wstring TStringList::Get(int index) const { return At(index); }

const std::wstring& TStringList::At(int index) const {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)].text;
}

void TStringList::Put(int index, const std::wstring& s) {
  CheckIndex(index);
  Changing();
  items_[static_cast<std::size_t>(index)].text = s;
  Changed();
}

std::intptr_t TStringList::Object(int index) const {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)].object;
}

void TStringList::SetObject(int index, std::intptr_t object) {
  CheckIndex(index);
  Changing();
  items_[static_cast<std::size_t>(index)].object = object;
  Changed();
}

void TStringList::Insert(int index, const std::wstring& s) {
  CheckIndex(index, true);
  Changing();
  items_.insert(items_.begin() + index, Item{s, 0});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

}  // namespace fw
