#include "writelogview.h"

#include "clisupport.h"
#include "clitext.h"
#include "jobs/writelog.h"
#include "textwidth.h"

#include <QStringList>

namespace zev::cli {

namespace {

// Enough digits to tell plans apart at a glance; the receipt has them all.
constexpr int ShownHashDigits = 12;

} // namespace

QString formatWriteLog(const QList<WriteRecord>& records) {
    QList<QStringList> rows{{CliText::tr("time"), CliText::tr("port"), CliText::tr("device"),
                             CliText::tr("result"), CliText::tr("band"), CliText::tr("plan"),
                             CliText::tr("sha256"), CliText::tr("backup"), CliText::tr("reason")}};
    for (const WriteRecord& record : records) {
        QStringList row{
            writelog::timeText(record.time),         record.port,       record.device,
            writelog::outcomeWord(record.outcome),   record.band,       record.planFile,
            record.planSha256.left(ShownHashDigits), record.backupPath, oneLine(record.reason)};
        for (QString& cell : row)
            cell = visibleText(cell.isEmpty() ? QStringLiteral("-") : cell);
        rows.append(row);
    }
    QString text;
    for (const QString& line : alignedLines(rows))
        text += line + QLatin1Char('\n');
    return text;
}

} // namespace zev::cli
