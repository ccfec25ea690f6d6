#pragma once

#include <QCoreApplication>

namespace zev::cli {

// The command line's own texts, translated in the context of its option table:
// CliText::tr("...").
struct CliText {
    Q_DECLARE_TR_FUNCTIONS(zev::cli::CommandLine)
};

} // namespace zev::cli
