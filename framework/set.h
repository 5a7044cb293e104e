#pragma once
// TSet<E>: a small set of an enumeration whose values are bit numbers 0..31,
// for Delphi-style set properties (BorderIcons and the like).
#include <cstdint>
#include <initializer_list>

namespace fw {

template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  static constexpr TSet FromBits(std::uint32_t bits) { TSet s; s.bits_ = bits; return s; }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E e) { bits_ |= Bit(e); return *this; }
  constexpr TSet& Exclude(E e) { bits_ &= ~Bit(e); return *this; }
  constexpr TSet operator+(E e) const { TSet r = *this; return r.Include(e); }
  constexpr TSet operator-(E e) const { TSet r = *this; return r.Exclude(e); }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  constexpr std::uint32_t Bits() const { return bits_; }
  friend constexpr bool operator==(TSet a, TSet b) { return a.bits_ == b.bits_; }

 private:
  static constexpr std::uint32_t Bit(E e) { return std::uint32_t{1} << static_cast<unsigned>(e); }
  std::uint32_t bits_ = 0;
};

}  // namespace fw
