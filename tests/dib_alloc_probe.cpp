// Replacement operator new for the CDib tests: remembers the largest single request, so the
// tests can show that a hostile header does not make the reader allocate what it claims.
#include <cstdlib>
#include <new>

#include "tests/dib_support.h"

namespace {
std::size_t g_largest = 0;
}

std::size_t& dibtest::LargestAllocation() { return g_largest; }

void* operator new(std::size_t size) {
    if (size > g_largest) g_largest = size;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
