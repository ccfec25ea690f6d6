#pragma once

#include "plan/plan.h"
#include "plan/wording.h"
#include "status.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zev {

struct WriteJobResult;

// How a write on one radio ended, as its log line words it.
enum class WriteOutcome {
    Verified, // written and read back the same
    Written,  // written, with the read back turned off
    Failed,
    Stopped, // by the user, or Ctrl-C
};

// One line of the write log: a write on one radio, made when it has ended.
struct WriteRecord {
    QDateTime time;     // UTC, to the millisecond
    QString port;       // as the user named it: COM1, a device, a by-id name
    QString device;     // its /dev/serial/by-id name where it has one, else the device
    QString planFile;   // the channel file written, or windowPlanFile()
    QString planSha256; // of the plan's channel-file bytes, lower-case hex
    QString band;
    WriteOutcome outcome = WriteOutcome::Failed;
    QString backupPath; // empty without a backup
    QString reason;     // why it failed or stopped

    bool operator==(const WriteRecord&) const = default;
};

// The plan of a write as every radio's line names it.
struct LoggedPlan {
    QString file;
    QString sha256;
    QString band;
};

// Logs of writes in the comma-separated layout of the channel lists, one line a write (a line
// break inside a field is written as \n, a backslash as \\), with a header line at the top.
namespace writelog {

// $XDG_STATE_HOME/zev4800/writes.csv, or ~/.local/state/zev4800/writes.csv.
QString defaultPath();

// The plan file of a plan written from the window that is no saved file: "(window)".
QString windowPlanFile();

// "verified", "written", "failed", "stopped": the log's own words, in every language.
QString outcomeWord(WriteOutcome outcome);
std::optional<WriteOutcome> outcomeOfWord(const QString& word);
// The outcome in the language of the messages, for tables and the receipt.
QString outcomeText(WriteOutcome outcome);

// Lower-case hex SHA-256 of exactly the bytes formatChannelFile gives for the plan.
QString planSha256(const Plan& plan, const Wording& wording);
// file: the channel file, or windowPlanFile().
LoggedPlan loggedPlan(const Plan& plan, const Wording& wording, const QString& file);

// The stable name of device (its /dev/serial/by-id link), or the device itself without one.
QString stableDeviceName(const QString& device);

// Now, to the millisecond, and later than every time this process gave before: the radios of
// one run that end in the same millisecond still get lines that a receipt can tell apart.
QDateTime recordTime();

// The one place a write job's result becomes a log line. verify: whether the job read back.
// A job the user declined touched no radio and has no line: nullopt.
std::optional<WriteRecord> recordOfJob(const LoggedPlan& plan, const QString& port,
                                       const QString& device, const WriteJobResult& result,
                                       bool verify, const QDateTime& time = recordTime());
// A write that ended before its job could run (the port would not open).
WriteRecord recordOfFailure(const LoggedPlan& plan, const QString& port, const QString& device,
                            const QString& reason, const QDateTime& time = recordTime());

QByteArray headerLine();
// One line, CR LF at its end.
QByteArray formatRecord(const WriteRecord& record);
// The record of one line (without its line end); nullopt when the line is damaged.
std::optional<WriteRecord> parseRecord(const QString& line);

// Appends the record as one line with a single write to a descriptor opened for appending, so
// writers in several threads or processes never mix their lines; a new log gets its header line
// first, in place before any line can be added. The folder is made when missing. A failure says
// which log and why; the write it records stands.
[[nodiscard]] Status append(const QString& path, const WriteRecord& record);

struct Contents {
    QList<WriteRecord> records; // in the order written
    QStringList problems;       // the damaged lines left out, one message each
};

// The log's records. A log that is not there yet holds none; a damaged line is left out and
// named in problems.
Result<Contents> read(const QString& path);

// The records whose time is the one given, as the log writes it.
QList<WriteRecord> recordsAt(const QList<WriteRecord>& records, const QDateTime& time);
// The one line of the log at path with the time given as timeText writes it; fails naming the
// time when no line or several have it.
Result<WriteRecord> findRecord(const QString& path, const QString& time);

// Whether the channel file at path holds the plan the record logs: its bytes, or its plan in the
// wording's words, have the logged hash. A receipt must not show another plan than the one
// written. Fails saying which file and which write.
[[nodiscard]] Status checkLoggedPlan(const QString& path, const Plan& plan, const Wording& wording,
                                     const WriteRecord& record);
// A time as the log writes it: "2026-12-10T14:35:01.123Z".
QString timeText(const QDateTime& time);
// A time as timeText writes it, or with whole seconds; invalid otherwise.
QDateTime parseTime(const QString& text);

} // namespace writelog
} // namespace zev
