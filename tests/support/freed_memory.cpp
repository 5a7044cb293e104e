#include "tests/support/freed_memory.h"

#include <malloc.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace fwtest {
namespace {

constexpr unsigned char kFreedByte = 0xDD;
constexpr int kMostKept = 1 << 16;

struct Kept {
  unsigned char* block;
  size_t size;
};

// Any thread may free memory; the kept list itself never allocates.
SRWLOCK lock = SRWLOCK_INIT;
bool watching = false;
Kept kept[kMostKept];
int keptCount = 0;

void Release(void* p) noexcept {
  if (!p) return;
  AcquireSRWLockExclusive(&lock);
  if (watching && keptCount < kMostKept) {
    // operator new takes its blocks from malloc.
    const size_t size = _msize(p);
    std::memset(p, kFreedByte, size);
    kept[keptCount++] = Kept{static_cast<unsigned char*>(p), size};
    ReleaseSRWLockExclusive(&lock);
    return;
  }
  ReleaseSRWLockExclusive(&lock);
  std::free(p);
}

}  // namespace

FreedMemoryWatch::FreedMemoryWatch() {
  AcquireSRWLockExclusive(&lock);
  watching = true;
  keptCount = 0;
  ReleaseSRWLockExclusive(&lock);
}

FreedMemoryWatch::~FreedMemoryWatch() {
  AcquireSRWLockExclusive(&lock);
  watching = false;
  for (int i = 0; i < keptCount; ++i) std::free(kept[i].block);
  keptCount = 0;
  ReleaseSRWLockExclusive(&lock);
}

int FreedMemoryWatch::Freed() const {
  AcquireSRWLockExclusive(&lock);
  const int n = keptCount;
  ReleaseSRWLockExclusive(&lock);
  return n;
}

int FreedMemoryWatch::WrittenAfterFree() const {
  AcquireSRWLockExclusive(&lock);
  int written = 0;
  for (int i = 0; i < keptCount; ++i)
    for (size_t b = 0; b < kept[i].size; ++b)
      if (kept[i].block[b] != kFreedByte) {
        ++written;
        break;
      }
  ReleaseSRWLockExclusive(&lock);
  return written;
}

}  // namespace fwtest

// The program's own operator delete: every delete, sized or not, of any
// object goes through here while the program runs.
void operator delete(void* p) noexcept { fwtest::Release(p); }
void operator delete(void* p, std::size_t) noexcept { fwtest::Release(p); }
