#pragma once
// A broken promise found while fuzzing aborts with a message, so libFuzzer
// keeps the input that caused it.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: promise broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

inline std::string_view FuzzBytes(const unsigned char* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}
