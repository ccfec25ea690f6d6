#pragma once

#include <QList>
#include <QString>

namespace zev {
struct WriteRecord;
}

namespace zev::cli {

// The records as a table, one line each under a header line, columns aligned by display width:
// time, port, device, result, band, plan, the hash's first digits, backup, reason.
QString formatWriteLog(const QList<WriteRecord>& records);

} // namespace zev::cli
