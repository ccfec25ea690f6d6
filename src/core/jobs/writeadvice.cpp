#include "jobs/writeadvice.h"

#include "jobs/writejob.h"

#include <QCoreApplication>
#include <QDir>

namespace zev {

QStringList partialWriteAdvice(const WriteJobResult& result) {
    const SessionResult& session = result.session;
    if (result.phase != WritePhase::Write || !session.radioWritten || session.succeeded())
        return {};
    const QString backup = QDir::toNativeSeparators(result.backupPath);
    QStringList lines;
    // A stopped write's own message says already what the radio holds.
    if (session.outcome == SessionOutcome::Cancelled) {
        if (!backup.isEmpty())
            lines << QCoreApplication::translate(
                         "zev::FailureAdvice",
                         "To put back what the radio held before, open the backup made "
                         "before the write and write it back: %1")
                         .arg(backup);
        return lines;
    }
    lines << QCoreApplication::translate("zev::FailureAdvice",
                                         "The radio now holds a partly written plan.");
    if (backup.isEmpty())
        lines << QCoreApplication::translate("zev::FailureAdvice", "Write the plan again.");
    else
        lines << QCoreApplication::translate(
                     "zev::FailureAdvice",
                     "Write the plan again, or open the backup made before the write and "
                     "write it back: %1")
                     .arg(backup);
    return lines;
}

} // namespace zev
