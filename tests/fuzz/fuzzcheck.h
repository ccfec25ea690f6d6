#pragma once

// Shared by the libFuzzer targets and their corpus replay. A target is written once; built for
// libFuzzer it is LLVMFuzzerTestOneInput, built for the replay test it gets a name of its own so
// that all targets live in one executable.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

#ifdef ZEV_FUZZ_REPLAY
#define ZEV_FUZZ_TARGET(name) int zevFuzz_##name(const std::uint8_t* data, std::size_t size)
#else
#define ZEV_FUZZ_TARGET(name)                                                                      \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
#endif

namespace zev::fuzz {

// Prints the broken property and aborts, so the fuzzer keeps the input and the replay stops.
[[noreturn]] void fail(const char* property, const QString& detail);

// Names the input being replayed in the message of a failure.
void setCurrentInput(const QString& name);

inline QByteArray inputBytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace zev::fuzz

#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::zev::fuzz::fail(#condition, detail);                                                 \
    } while (false)
