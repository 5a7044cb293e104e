#pragma once
// The x87 unit does all extended arithmetic. Results must not depend on the
// control word the process happens to run with (a host may have set 53-bit
// precision or unmasked faults), so each operation sets its own and puts the
// caller's back afterwards.
#include <cstdint>
#include <limits>

namespace core {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the extended type must be the x87 80-bit format with a 64-bit significand");

#if !defined(__x86_64__) && !defined(__i386__)
#error "the conversion core needs the x87 unit"
#endif

// 64-bit significand, round to nearest (ties to even), every condition masked.
inline constexpr std::uint16_t kFpuExtendedMasked = 0x133F;

inline std::uint16_t ReadFpuControlWord() {
  std::uint16_t cw;
  asm volatile("fnstcw %0" : "=m"(cw) : : "memory");
  return cw;
}

inline void WriteFpuControlWord(std::uint16_t cw) {
  asm volatile("fldcw %0" : : "m"(cw) : "memory");
}

inline void ClearFpuConditions() { asm volatile("fnclex" : : : "memory"); }

// Sets the control word for its lifetime with the conditions cleared on entry
// and exit, and restores the caller's control word.
class FpuControlGuard {
 public:
  explicit FpuControlGuard(std::uint16_t cw = kFpuExtendedMasked) : saved_(ReadFpuControlWord()) {
    ClearFpuConditions();
    WriteFpuControlWord(cw);
  }
  ~FpuControlGuard() {
    ClearFpuConditions();
    WriteFpuControlWord(saved_);
  }
  FpuControlGuard(const FpuControlGuard&) = delete;
  FpuControlGuard& operator=(const FpuControlGuard&) = delete;

 private:
  std::uint16_t saved_;
};

// Passes a value through memory with a compiler barrier, so that arithmetic on
// it cannot be moved across the control-word changes of a guard.
template <class T>
inline T FpuPin(T value) {
  asm volatile("" : "+m"(value) : : "memory");
  return value;
}

}  // namespace core
