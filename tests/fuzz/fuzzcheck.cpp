#include "fuzzcheck.h"

#include <cstdio>
#include <cstdlib>

namespace zev::fuzz {

namespace {
QString currentInput;
}

void fail(const char* property, const QString& detail) {
    std::fprintf(stderr, "Fuzz property broken: %s\n", property);
    if (!currentInput.isEmpty())
        std::fprintf(stderr, "Input: %s\n", qUtf8Printable(currentInput));
    std::fprintf(stderr, "%s\n", qUtf8Printable(detail));
    std::fflush(stderr);
    std::abort();
}

void setCurrentInput(const QString& name) {
    currentInput = name;
}

} // namespace zev::fuzz
