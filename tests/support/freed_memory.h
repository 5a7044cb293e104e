#pragma once
// Catches writes to freed memory, which would otherwise pass unseen (there is
// no address sanitizer for the Windows builds). While a FreedMemoryWatch
// lives, memory given back through operator delete is not returned to the
// heap: it is filled with a pattern and kept. A block whose pattern has
// changed was written after it was freed. A program that uses it compiles
// freed_memory.cpp in: it replaces the global operator delete.
namespace fwtest {

class FreedMemoryWatch {
 public:
  FreedMemoryWatch();
  FreedMemoryWatch(const FreedMemoryWatch&) = delete;
  FreedMemoryWatch& operator=(const FreedMemoryWatch&) = delete;
  // Gives the kept blocks back.
  ~FreedMemoryWatch();
  // Blocks freed since the watch began.
  int Freed() const;
  // Of those, the blocks written after they were freed.
  int WrittenAfterFree() const;
};

}  // namespace fwtest
