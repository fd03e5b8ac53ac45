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

// As FUZZ_CHECK(a == b) for texts, showing where they part.
#define FUZZ_CHECK_TEXT(a, b) FuzzCheckText((a), (b), #a " == " #b, __FILE__, __LINE__)

inline void FuzzCheckText(const QString &a, const QString &b, const char *what, const char *file, int line)
{
    if (a == b)
        return;
    qsizetype at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    const qsizetype from = at < 40 ? 0 : at - 40;
    std::fprintf(stderr, "texts part at %lld:\n  %s\n  %s\n", static_cast<long long>(at),
                 qPrintable(a.mid(from, 80).toHtmlEscaped()), qPrintable(b.mid(from, 80).toHtmlEscaped()));
    std::fprintf(stderr, "property does not hold: %s (%s:%d)\n", what, file, line);
    std::abort();
}

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
