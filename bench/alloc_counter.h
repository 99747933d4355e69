#pragma once

#include <cstddef>

namespace bt::bench {
// Heap allocations made by this process so far (operator new is replaced in alloc_counter.cpp).
std::size_t allocations();
} // namespace bt::bench
