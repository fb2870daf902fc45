#pragma once
#include <cstdint>

// Counts the program's heap allocations through operator new. Linked into the
// benchmark programs only: the game itself keeps the standard allocator.
uint64_t HeapAllocationCount();
