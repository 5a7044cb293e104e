#pragma once
// TSet<E, Count>: a small set of an enumeration whose values are bit numbers
// 0..Count-1 (Count at most 32), for Delphi-style set properties (font
// styles, border icons, skin options and the like). Bits at or above Count
// never enter the set, so a stored set read back from its bits keeps only
// members of the enumeration.
#include <cstdint>
#include <initializer_list>

namespace core {

template <class E, unsigned Count = 32>
class TSet {
  static_assert(Count >= 1 && Count <= 32, "a TSet holds bit numbers 0..31");

 public:
  static constexpr std::uint32_t kMask = Count == 32 ? ~std::uint32_t{0} : (std::uint32_t{1} << Count) - 1;

  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  static constexpr TSet FromBits(std::uint32_t bits) {
    TSet s;
    s.bits_ = bits & kMask;
    return s;
  }
  constexpr std::uint32_t Bits() const { return bits_; }

  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E e) { bits_ |= Bit(e); return *this; }
  constexpr TSet& Exclude(E e) { bits_ &= ~Bit(e); return *this; }
  constexpr TSet operator+(E e) const { TSet r = *this; return r.Include(e); }
  constexpr TSet operator-(E e) const { TSet r = *this; return r.Exclude(e); }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  friend constexpr bool operator==(TSet a, TSet b) { return a.bits_ == b.bits_; }

 private:
  static constexpr std::uint32_t Bit(E e) { return (std::uint32_t{1} << static_cast<unsigned>(e)) & kMask; }
  std::uint32_t bits_ = 0;
};

}  // namespace core
