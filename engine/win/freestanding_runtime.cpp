// The few memory routines the compiler may call on its own; the DLL links no
// C runtime. Built without loop-to-call rewriting, so they cannot call themselves.
#include <stddef.h>

extern "C" {

void* memset(void* destination, int value, size_t count) {
    auto* d = static_cast<unsigned char*>(destination);
    while (count-- > 0) *d++ = static_cast<unsigned char>(value);
    return destination;
}

void* memcpy(void* destination, const void* source, size_t count) {
    auto* d = static_cast<unsigned char*>(destination);
    const auto* s = static_cast<const unsigned char*>(source);
    while (count-- > 0) *d++ = *s++;
    return destination;
}

void* memmove(void* destination, const void* source, size_t count) {
    auto* d = static_cast<unsigned char*>(destination);
    const auto* s = static_cast<const unsigned char*>(source);
    if (d < s) {
        while (count-- > 0) *d++ = *s++;
    } else {
        while (count-- > 0) d[count] = s[count];
    }
    return destination;
}

int memcmp(const void* a, const void* b, size_t count) {
    const auto* x = static_cast<const unsigned char*>(a);
    const auto* y = static_cast<const unsigned char*>(b);
    for (size_t i = 0; i < count; ++i)
        if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
    return 0;
}

}  // extern "C"
