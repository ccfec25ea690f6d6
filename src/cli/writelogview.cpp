#include "writelogview.h"

#include "clisupport.h"
#include "jobs/writelog.h"
#include "textwidth.h"

#include <QStringList>

namespace zev::cli {

namespace {

// Enough digits to tell plans apart at a glance; the receipt has them all.
constexpr int ShownHashDigits = 12;

} // namespace

QString formatWriteLog(const QList<WriteRecord>& records) {
    QList<QStringList> rows{
        {QStringLiteral("time"), QStringLiteral("port"), QStringLiteral("device"),
         QStringLiteral("result"), QStringLiteral("band"), QStringLiteral("plan"),
         QStringLiteral("sha256"), QStringLiteral("backup"), QStringLiteral("reason")}};
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
