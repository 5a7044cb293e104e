#pragma once
// TStrings (the list interface controls implement over their windows) and
// TStringList (the list held in memory), with change notification.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class TStrings {
 public:
  TStrings() = default;
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;
  virtual ~TStrings() = default;

  virtual int Count() const = 0;
  virtual std::wstring Get(int index) const = 0;
  virtual void Put(int index, const std::wstring& s);  // Delete + Insert by default
  virtual std::intptr_t Object(int index) const { (void)index; return 0; }
  virtual void SetObject(int index, std::intptr_t object) { (void)index; (void)object; }
  virtual void Insert(int index, const std::wstring& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  std::wstring operator[](int index) const { return Get(index); }
  std::wstring Strings(int index) const { return Get(index); }
  int Add(const std::wstring& s);  // returns the new index
  int AddObject(const std::wstring& s, std::intptr_t object);
  void InsertObject(int index, const std::wstring& s, std::intptr_t object);
  // Case-insensitive, like the rest of the library; -1 when absent.
  virtual int IndexOf(std::wstring_view s) const;
  int IndexOfObject(std::intptr_t object) const;
  void Exchange(int a, int b);
  void Move(int from, int to);

  // Lines joined with CR LF after each one; setting splits at CR, LF or CR LF.
  std::wstring Text() const;
  void SetText(std::wstring_view text);
  void AddStrings(const TStrings& other);
  void Assign(const TStrings& other);  // strings and objects

  // Nested; the outermost EndUpdate reports changes made inside it once.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

 protected:
  // Called on the first BeginUpdate and the last EndUpdate.
  virtual void SetUpdateState(bool updating) { (void)updating; }

 private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
 public:
  TStringList() = default;
  ~TStringList() override;

  int Count() const override { return static_cast<int>(items_.size()); }
  std::wstring Get(int index) const override;
  const std::wstring& At(int index) const;  // no copy
  void Put(int index, const std::wstring& s) override;
  std::intptr_t Object(int index) const override;
  void SetObject(int index, std::intptr_t object) override;
  void Insert(int index, const std::wstring& s) override;
  void Delete(int index) override;
  void Clear() override;

  // OnChanging before and OnChange after each change; inside
  // BeginUpdate/EndUpdate both come once, at the outer bounds.
  std::function<void()> OnChanging;
  std::function<void()> OnChange;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  struct Item {
    std::wstring text;
    std::intptr_t object = 0;
  };
  void CheckIndex(int index, bool allowEnd = false) const;
  void Changing();
  void Changed();

  std::vector<Item> items_;
  bool changedWhileUpdating_ = false;
};

}  // namespace fw
