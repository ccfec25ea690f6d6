#pragma once

#include "cliarguments.h"

#include <QJsonObject>
#include <QString>

namespace zev {
class WriteJob;
struct LoggedPlan;
} // namespace zev

// Several radios at once, one per --port, each in a thread of its own.
namespace zev::cli {

// The job's plan written to every radio, each with its own backup and verification and its own
// line in the write log; a table of the results on stdout. Exit status 0 only when every radio
// succeeded.
// command names the command in the document of --json, which carries head's fields too.
int runWriteMany(const Arguments& arguments, const WriteJob& job, const LoggedPlan& plan,
                 const QString& command = QStringLiteral("write"), const QJsonObject& head = {});
// Every radio read into --output-dir, as <device>.z81.
int runReadMany(const Arguments& arguments);

} // namespace zev::cli
