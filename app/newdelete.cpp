// The program's own operator new and delete: straight to the C heap, with no
// exceptions. They keep the C++ runtime's exception machinery out of
// setup.exe; a failed allocation gives null, which the callers test.
#include <cstdlib>
#include <new>

void* operator new(std::size_t n) { return malloc(n ? n : 1); }
void* operator new[](std::size_t n) { return malloc(n ? n : 1); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return malloc(n ? n : 1); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return malloc(n ? n : 1); }
void operator delete(void* p) noexcept { free(p); }
void operator delete[](void* p) noexcept { free(p); }
void operator delete(void* p, std::size_t) noexcept { free(p); }
void operator delete[](void* p, std::size_t) noexcept { free(p); }
