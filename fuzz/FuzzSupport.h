#pragma once
// Shared by the fuzz targets: a property that does not hold stops the run with its text, so
// libFuzzer keeps the input and the replay test fails.
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "property does not hold: %s (%s:%d)\n", #condition, __FILE__, \
                         __LINE__);                                                              \
            std::abort();                                                                        \
        }                                                                                        \
    } while (0)

inline QByteArray FuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Splits the first byte off as a selector (0 for empty input).
inline uint8_t FuzzTakeByte(const uint8_t *&data, size_t &size)
{
    if (size == 0)
        return 0;
    const uint8_t b = data[0];
    ++data;
    --size;
    return b;
}
