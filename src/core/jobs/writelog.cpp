#include "jobs/writelog.h"

#include "chanfile/channelcsv.h"
#include "chanfile/channelfile.h"
#include "chanfile/filesystemerror.h"
#include "jobs/writejob.h"
#include "radio/portlist.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zev::writelog {

namespace {

enum Field { Time, Port, Device, PlanFile, PlanSha256, Band, Outcome, Backup, Reason, FieldCount };

constexpr const char* fieldNames[FieldCount] = {"time", "port",   "device", "plan",  "plan_sha256",
                                                "band", "result", "backup", "reason"};

// Far beyond any log a shop writes in years; a larger one is read only as far as this.
constexpr qint64 readLimit = 256 * 1024 * 1024;

// A line break would end the record: it travels as \n, and a backslash as \\. A ' in front
// would be taken for the one that keeps a spreadsheet from running the field: it travels as \'.
QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (out.isEmpty() && c == QLatin1Char('\''))
            out += QStringLiteral("\\'");
        else if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

std::optional<QString> unescaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text.at(i).unicode()) {
        case '\\':
            out += QLatin1Char('\\');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case '\'':
            out += QLatin1Char('\'');
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

Status notLogged(const QString& why) {
    return Status::failure(QCoreApplication::translate(
                               "zev::WriteLog", "The write was not recorded in the write log: %1")
                               .arg(why));
}

// Closes on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

// The whole buffer in one write(2): with O_APPEND the system puts it at the end as one piece,
// whoever else appends. Only a write that nothing was written by is tried again.
int writeOnce(int fd, const QByteArray& bytes) {
    for (;;) {
        const ssize_t count = ::write(fd, bytes.constData(), size_t(bytes.size()));
        if (count == bytes.size())
            return 0;
        if (count >= 0)
            return count == 0 ? EIO : ENOSPC;
        if (errno != EINTR)
            return errno;
    }
}

// A new log is made whole with its header beside path and linked into place, which fails when
// another writer was first: no line can land before the header, and no header after a line.
Status createWithHeader(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        return Status::success();
    // Hidden beside the log, under a name no other writer takes. Made with the umask's rights, as
    // the log itself: a log that several users share stays open to them.
    QByteArray temporaryName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporaryName =
            QFile::encodeName(QDir(info.absolutePath())
                                  .filePath(QStringLiteral(".%1.%2-%3.new")
                                                .arg(info.fileName())
                                                .arg(::getpid())
                                                .arg(QRandomGenerator::global()->generate())));
        fd = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC,
                    0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    const Descriptor temporary{fd};
    if (temporary.fd < 0)
        return notLogged(fileSystemFailure(errno, path).message());
    const auto removeTemporary = [&temporaryName] { ::unlink(temporaryName.constData()); };
    if (const int error = writeOnce(temporary.fd, headerLine()); error != 0) {
        removeTemporary();
        return notLogged(fileSystemFailure(error, path).message());
    }
    const QByteArray name = QFile::encodeName(path);
    int error = ::link(temporaryName.constData(), name.constData()) == 0 ? 0 : errno;
    if (error == EPERM || error == EOPNOTSUPP) {
        // A file system without hard links: made in place, where a writer at the same moment
        // may come first, and the header then stands after its line.
        const Descriptor direct{
            ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666)};
        error = direct.fd >= 0 ? writeOnce(direct.fd, headerLine()) : errno;
    }
    removeTemporary();
    if (error != 0 && error != EEXIST)
        return notLogged(fileSystemFailure(error, path).message());
    return Status::success();
}

} // namespace

QString defaultPath() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // A relative value is to be ignored, as the other XDG folders are.
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state) + QStringLiteral("/zev4800/writes.csv");
}

QString windowPlanFile() {
    return QStringLiteral("(window)");
}

QString outcomeWord(WriteOutcome outcome) {
    switch (outcome) {
    case WriteOutcome::Verified:
        return QStringLiteral("verified");
    case WriteOutcome::Written:
        return QStringLiteral("written");
    case WriteOutcome::Failed:
        return QStringLiteral("failed");
    case WriteOutcome::Stopped:
        return QStringLiteral("stopped");
    }
    return QString();
}

std::optional<WriteOutcome> outcomeOfWord(const QString& word) {
    for (const WriteOutcome outcome : {WriteOutcome::Verified, WriteOutcome::Written,
                                       WriteOutcome::Failed, WriteOutcome::Stopped})
        if (outcomeWord(outcome) == word)
            return outcome;
    return std::nullopt;
}

QString outcomeText(WriteOutcome outcome) {
    switch (outcome) {
    case WriteOutcome::Verified:
        return QCoreApplication::translate("zev::WriteLog", "written and verified");
    case WriteOutcome::Written:
        return QCoreApplication::translate("zev::WriteLog", "written, not verified");
    case WriteOutcome::Failed:
        return QCoreApplication::translate("zev::WriteLog", "failed");
    case WriteOutcome::Stopped:
        return QCoreApplication::translate("zev::WriteLog", "stopped");
    }
    return QString();
}

QString planSha256(const Plan& plan, const Wording& wording) {
    return QString::fromLatin1(
        QCryptographicHash::hash(formatChannelFile(plan, wording.selectorTexts(plan.options)),
                                 QCryptographicHash::Sha256)
            .toHex());
}

LoggedPlan loggedPlan(const Plan& plan, const Wording& wording, const QString& file) {
    return {file, planSha256(plan, wording), plan.band};
}

QString stableDeviceName(const QString& device) {
    if (const QString stable = stableNameOf(device); !stable.isEmpty())
        return stable;
    const QString node = QFileInfo(device).canonicalFilePath();
    return node.isEmpty() ? device : node;
}

std::optional<WriteRecord> recordOfJob(const LoggedPlan& plan, const QString& port,
                                       const QString& device, const WriteJobResult& result,
                                       bool verify, const QDateTime& time) {
    // Neither a declined question nor a refused plan sent the radio a byte.
    if (result.declined || result.session.outcome == SessionOutcome::Refused)
        return std::nullopt;
    WriteRecord record = recordOfFailure(plan, port, device, QString(), time);
    record.backupPath = result.backupPath;
    switch (result.session.outcome) {
    case SessionOutcome::Success:
        record.outcome = verify ? WriteOutcome::Verified : WriteOutcome::Written;
        break;
    case SessionOutcome::Cancelled:
        record.outcome = WriteOutcome::Stopped;
        record.reason = result.session.reason.isEmpty()
                            ? QCoreApplication::translate("zev::WriteLog",
                                                          "The write was stopped before it ended.")
                            : result.session.reason;
        break;
    case SessionOutcome::Failed:
    case SessionOutcome::Refused:
        record.outcome = WriteOutcome::Failed;
        if (result.phase == WritePhase::Backup)
            record.reason = QCoreApplication::translate(
                                "zev::WriteLog",
                                "No backup of the radio could be made, so nothing was written: %1")
                                .arg(result.session.reason);
        else if (result.phase == WritePhase::Verify && result.mismatches.isEmpty())
            record.reason =
                QCoreApplication::translate(
                    "zev::WriteLog",
                    "The write went through, but the radio could not be read back to check it: %1")
                    .arg(result.session.reason);
        else
            record.reason = result.session.reason;
        break;
    }
    return record;
}

WriteRecord recordOfFailure(const LoggedPlan& plan, const QString& port, const QString& device,
                            const QString& reason, const QDateTime& time) {
    WriteRecord record;
    record.time = time.toUTC();
    record.port = port;
    record.device = stableDeviceName(device);
    record.planFile = plan.file;
    record.planSha256 = plan.sha256;
    record.band = plan.band;
    record.outcome = WriteOutcome::Failed;
    record.reason = reason;
    return record;
}

QDateTime recordTime() {
    static QMutex mutex;
    static qint64 last = 0;
    const QMutexLocker lock(&mutex);
    last = std::max(last + 1, QDateTime::currentMSecsSinceEpoch());
    return QDateTime::fromMSecsSinceEpoch(last, Qt::UTC);
}

QString timeText(const QDateTime& time) {
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime parseTime(const QString& text) {
    const QDateTime time = QDateTime::fromString(text.trimmed(), Qt::ISODateWithMs);
    return time.isValid() ? time.toUTC() : QDateTime();
}

QByteArray headerLine() {
    QStringList names;
    for (const char* name : fieldNames)
        names << QLatin1String(name);
    return names.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

QByteArray formatRecord(const WriteRecord& record) {
    QStringList fields(FieldCount);
    fields[Time] = timeText(record.time);
    fields[Port] = record.port;
    fields[Device] = record.device;
    fields[PlanFile] = record.planFile;
    fields[PlanSha256] = record.planSha256;
    fields[Band] = record.band;
    fields[Outcome] = outcomeWord(record.outcome);
    fields[Backup] = record.backupPath;
    fields[Reason] = record.reason;
    for (QString& field : fields)
        field = csv::listField(escaped(field));
    return fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

std::optional<WriteRecord> parseRecord(const QString& line) {
    const std::optional<QStringList> split = csv::splitListLine(line);
    if (!split || split->size() != FieldCount)
        return std::nullopt;
    QStringList fields;
    for (const QString& field : *split) {
        const std::optional<QString> text = unescaped(csv::fieldText(field));
        if (!text)
            return std::nullopt;
        fields << *text;
    }
    WriteRecord record;
    record.time = parseTime(fields[Time]);
    const std::optional<WriteOutcome> outcome = outcomeOfWord(fields[Outcome]);
    if (!record.time.isValid() || !outcome)
        return std::nullopt;
    record.port = fields[Port];
    record.device = fields[Device];
    record.planFile = fields[PlanFile];
    record.planSha256 = fields[PlanSha256];
    record.band = fields[Band];
    record.outcome = *outcome;
    record.backupPath = fields[Backup];
    record.reason = fields[Reason];
    return record;
}

Status append(const QString& path, const WriteRecord& record) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return notLogged(
            QCoreApplication::translate("zev::WriteLog", "the folder %1 cannot be made.")
                .arg(QDir::toNativeSeparators(folder)));
    if (const Status plain = checkPlainFile(path); !plain)
        return notLogged(plain.message());
    if (const Status made = createWithHeader(path); !made)
        return made;
    // Without waiting: a pipe in the log's place is refused, not waited on.
    const Descriptor log{::open(QFile::encodeName(path).constData(),
                                O_WRONLY | O_APPEND | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)};
    if (log.fd < 0)
        return notLogged(fileSystemFailure(errno, path).message());
    struct stat status;
    if (::fstat(log.fd, &status) != 0)
        return notLogged(fileSystemFailure(errno, path).message());
    if (!S_ISREG(status.st_mode))
        return notLogged(checkPlainFile(path).message());
    if (const int error = writeOnce(log.fd, formatRecord(record)); error != 0)
        return notLogged(fileSystemFailure(error, path).message());
    return Status::success();
}

Result<Contents> read(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return Contents{};
    bool complete = false;
    const Result<QByteArray> bytes = readPlainFile(
        path, qBound<qint64>(64 * 1024, info.size() + 64 * 1024, readLimit), complete);
    if (!bytes)
        return Status::failure(
            QCoreApplication::translate("zev::WriteLog", "The write log cannot be read: %1")
                .arg(bytes.message()));
    Contents contents;
    const QList<QByteArray> lines = bytes->split('\n');
    const QByteArray header = headerLine().trimmed();
    for (qsizetype index = 0; index < lines.size(); ++index) {
        QByteArray line = lines.at(index);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || (index == 0 && line == header))
            continue;
        // The line the limit cut is no damage of the log's.
        if (!complete && index + 1 == lines.size())
            break;
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder.decode(line);
        std::optional<WriteRecord> record;
        if (!decoder.hasError())
            record = parseRecord(text);
        if (record)
            contents.records.append(*record);
        else
            contents.problems.append(
                QCoreApplication::translate(
                    "zev::WriteLog", "Line %1 of the write log %2 is damaged and was left out.")
                    .arg(index + 1)
                    .arg(QDir::toNativeSeparators(path)));
    }
    if (!complete)
        contents.problems.append(
            QCoreApplication::translate(
                "zev::WriteLog",
                "The write log %1 is larger than %2 MiB; only its first %2 MiB were read.")
                .arg(QDir::toNativeSeparators(path))
                .arg(readLimit / (1024 * 1024)));
    return contents;
}

QList<WriteRecord> recordsAt(const QList<WriteRecord>& records, const QDateTime& time) {
    QList<WriteRecord> found;
    for (const WriteRecord& record : records)
        if (record.time == time)
            found.append(record);
    return found;
}

Result<WriteRecord> findRecord(const QString& path, const QString& time) {
    const Result<Contents> contents = read(path);
    if (!contents)
        return Status::failure(contents.message());
    const QList<WriteRecord> found = recordsAt(contents->records, parseTime(time));
    if (found.size() == 1)
        return found.first();
    if (found.isEmpty())
        return Status::failure(QCoreApplication::translate(
                                   "zev::WriteLog", "No write in the write log %1 has the time %2.")
                                   .arg(QDir::toNativeSeparators(path), time));
    return Status::failure(
        QCoreApplication::translate("zev::WriteLog",
                                    "%1 writes in the write log %2 have the time %3; a receipt "
                                    "needs one.")
            .arg(found.size())
            .arg(QDir::toNativeSeparators(path), time));
}

Status checkLoggedPlan(const QString& path, const Plan& plan, const Wording& wording,
                       const WriteRecord& record) {
    // A channel file is a few hundred bytes.
    bool complete = false;
    const Result<QByteArray> bytes = readPlainFile(path, 1024 * 1024, complete);
    const QString fileHash =
        bytes ? QString::fromLatin1(
                    QCryptographicHash::hash(bytes.value(), QCryptographicHash::Sha256).toHex())
              : QString();
    if (fileHash == record.planSha256 || planSha256(plan, wording) == record.planSha256)
        return Status::success();
    return Status::failure(
        QCoreApplication::translate("zev::WriteLog",
                                    "%1 does not hold the plan written at %2: the SHA-256 of its "
                                    "plan is not the logged %3. It has changed since, or another "
                                    "language's words were written.")
            .arg(QDir::toNativeSeparators(path), timeText(record.time), record.planSha256));
}

} // namespace zev::writelog
