// The little runtime setup.exe carries instead of a C runtime DLL: the systems
// it installs onto have none (bringing one is its job). It holds the entry
// point, the heap, and the memory and string routines the compiler emits
// calls to (it turns plain loops into memset, memcpy and strlen). Only
// setup.exe links it; the host tools and the tests keep their normal runtime.
#include <windows.h>

#include <new>

#include "setup.h"

extern "C" {

void* malloc(size_t n) { return HeapAlloc(GetProcessHeap(), 0, n); }
void free(void* p) {
    if (p) HeapFree(GetProcessHeap(), 0, p);
}
void* realloc(void* p, size_t n) {
    if (!p) return malloc(n);
    if (!n) {
        free(p);
        return nullptr;
    }
    return HeapReAlloc(GetProcessHeap(), 0, p, n);
}

// Plain byte loops: this file is built so that the compiler does not turn
// them back into calls to themselves.
void* memcpy(void* dst, const void* src, size_t n) {
    auto d = static_cast<unsigned char*>(dst);
    auto s = static_cast<const unsigned char*>(src);
    while (n--) *d++ = *s++;
    return dst;
}
void* memmove(void* dst, const void* src, size_t n) {
    auto d = static_cast<unsigned char*>(dst);
    auto s = static_cast<const unsigned char*>(src);
    if (d < s) {
        while (n--) *d++ = *s++;
    } else {
        while (n--) d[n] = s[n];
    }
    return dst;
}
void* memset(void* dst, int c, size_t n) {
    auto d = static_cast<unsigned char*>(dst);
    while (n--) *d++ = static_cast<unsigned char>(c);
    return dst;
}
int memcmp(const void* a, const void* b, size_t n) {
    auto x = static_cast<const unsigned char*>(a);
    auto y = static_cast<const unsigned char*>(b);
    for (; n; n--, x++, y++)
        if (*x != *y) return *x - *y;
    return 0;
}

size_t strlen(const char* s) {
    size_t n = 0;
    while (s[n]) n++;
    return n;
}

// A pure virtual call is a bug: end at once rather than run on.
void __cxa_pure_virtual() { ExitProcess(3); }

// Constructors of globals, in the list the linker gathers between its -1 and
// 0 marks; run last to first, as the linker orders them.
extern void (*__CTOR_LIST__[])();
static void RunConstructors() {
    int n = 0;
    while (__CTOR_LIST__[n + 1]) n++;
    for (; n > 0; n--) __CTOR_LIST__[n]();
}

// The process starts here. The system calls it with a stack that may be
// aligned to four bytes only, hence the realignment on i686.
#ifdef __i386__
__attribute__((force_align_arg_pointer))
#endif
void WinMainCRTStartup() {
    STARTUPINFOA si;
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    RunConstructors();
    // SW_SHOWDEFAULT is Win32's own; Win32s hands ShowWindow on to Windows 3.1.
    int show = si.dwFlags & STARTF_USESHOWWINDOW ? si.wShowWindow : SW_SHOWNORMAL;
    ExitProcess(WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(SkipProgramName(GetCommandLineA())),
                        show));
}

}  // extern "C"

namespace std {
const nothrow_t nothrow{};
}

// Allocation failures give null, which the callers test; nothing throws.
void* operator new(size_t n) { return malloc(n ? n : 1); }
void* operator new[](size_t n) { return malloc(n ? n : 1); }
void* operator new(size_t n, const std::nothrow_t&) noexcept { return malloc(n ? n : 1); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return malloc(n ? n : 1); }
void operator delete(void* p) noexcept { free(p); }
void operator delete[](void* p) noexcept { free(p); }
void operator delete(void* p, size_t) noexcept { free(p); }
void operator delete[](void* p, size_t) noexcept { free(p); }
