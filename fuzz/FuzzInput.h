#pragma once
// Turns a fuzzer's bytes into the program's texts, and stops the run on a broken rule.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

inline QString fuzzText(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Aborts so that libFuzzer records the input, with the rule that broke.
#define FUZZ_REQUIRE(condition)                                                       \
    do {                                                                              \
        if (!(condition)) {                                                           \
            std::fprintf(stderr, "broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                             \
        }                                                                             \
    } while (false)
