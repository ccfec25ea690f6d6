#include "app/inifile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>

#include <optional>
#include <utility>

namespace zev {

namespace {

// UTF-8, or for text that is not, the code page of the files the Windows program wrote (GBK).
QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gbk("GBK");
    return gbk.isValid() ? QString(gbk.decode(bytes)) : QString::fromLatin1(bytes);
}

// One line of the file: its text runs from start to contentEnd, its line break (if any) to end.
struct LineSpan {
    qsizetype start = 0;
    qsizetype contentEnd = 0;
    qsizetype end = 0;
};

// Where a key stands in the parsed file.
struct Location {
    qsizetype sectionLine = -1;    // the section's header line, -1 when there is no such section
    qsizetype keyLine = -1;        // the key's line, -1 when the section lacks the key
    qsizetype lastFilledLine = -1; // the section's last non-blank line (its header at least)
};

class ParsedIni {
public:
    explicit ParsedIni(QByteArray bytes) : m_bytes(std::move(bytes)) {
        qsizetype start = 0;
        while (start < m_bytes.size()) {
            const qsizetype newline = m_bytes.indexOf('\n', start);
            LineSpan line;
            line.start = start;
            line.end = newline < 0 ? m_bytes.size() : newline + 1;
            line.contentEnd = newline < 0 ? m_bytes.size() : newline;
            if (line.contentEnd > line.start && m_bytes.at(line.contentEnd - 1) == '\r')
                --line.contentEnd;
            m_lines.append(line);
            start = line.end;
        }
    }

    const QByteArray& bytes() const { return m_bytes; }
    const QList<LineSpan>& lines() const { return m_lines; }

    QByteArray content(qsizetype index) const {
        const LineSpan& line = m_lines.at(index);
        QByteArray text = m_bytes.mid(line.start, line.contentEnd - line.start);
        if (index == 0 && text.startsWith("\xEF\xBB\xBF"))
            text.remove(0, 3); // a byte order mark is no part of the first line
        return text;
    }

    // The section name of a header line "[name]", nullopt for any other line.
    std::optional<QString> sectionName(qsizetype index) const {
        const QByteArray text = content(index).trimmed();
        if (!text.startsWith('['))
            return std::nullopt;
        const qsizetype close = text.indexOf(']');
        const QByteArray name = close < 0 ? text.mid(1) : text.mid(1, close - 1);
        return decodeText(name.trimmed());
    }

    // Key and value of a "key=value" line; nullopt for comments, blank and garbage lines.
    std::optional<std::pair<QString, QString>> entry(qsizetype index) const {
        const QByteArray text = content(index).trimmed();
        if (text.startsWith(';') || text.startsWith('#'))
            return std::nullopt;
        const qsizetype equals = text.indexOf('=');
        if (equals <= 0)
            return std::nullopt;
        const QByteArray key = text.left(equals).trimmed();
        if (key.isEmpty())
            return std::nullopt;
        return std::make_pair(decodeText(key), decodeText(text.mid(equals + 1).trimmed()));
    }

    Location find(const QString& section, const QString& key) const {
        Location location;
        for (qsizetype index = 0; index < m_lines.size(); ++index) {
            if (const auto name = sectionName(index)) {
                if (location.sectionLine >= 0)
                    break; // only the first section of that name counts
                if (name->compare(section, Qt::CaseInsensitive) == 0) {
                    location.sectionLine = index;
                    location.lastFilledLine = index;
                }
                continue;
            }
            if (location.sectionLine < 0)
                continue;
            if (!content(index).trimmed().isEmpty())
                location.lastFilledLine = index;
            if (location.keyLine < 0) {
                const auto found = entry(index);
                if (found && found->first.compare(key, Qt::CaseInsensitive) == 0)
                    location.keyLine = index;
            }
        }
        return location;
    }

    // The line break the file already uses; CR LF for a new file.
    QByteArray lineBreak() const {
        if (m_bytes.contains('\n') && !m_bytes.contains("\r\n"))
            return "\n";
        return "\r\n";
    }

private:
    QByteArray m_bytes;
    QList<LineSpan> m_lines;
};

std::optional<QByteArray> readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool hasWriteBit(const QFileInfo& info) {
    // Root may write anywhere; a file or folder that nobody may write is still read-only to us.
    return info.isWritable() &&
           (info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

bool fitsOnOneLine(const QString& text) {
    return !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) &&
           !text.contains(QChar(0));
}

std::optional<int> parseInteger(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

QString IniFile::path() const {
    return m_path;
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const std::optional<QByteArray> bytes = readFileBytes(m_path);
    if (!bytes)
        return defaultValue;
    const ParsedIni ini(*bytes);
    const Location location = ini.find(section, key);
    if (location.keyLine < 0)
        return defaultValue;
    return ini.entry(location.keyLine)->second;
}

int IniFile::readInt(const QString& section, const QString& key, int defaultValue) const {
    return parseInteger(readString(section, key, QString())).value_or(defaultValue);
}

Status IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const Status unableToWrite = Status::failure(
        QCoreApplication::translate("zev::Settings", "Unable to write to %1").arg(m_path));
    if (section.trimmed().isEmpty() || key.trimmed().isEmpty() || !fitsOnOneLine(section) ||
        !fitsOnOneLine(key) || !fitsOnOneLine(value) || section.contains(QLatin1Char(']')) ||
        key.contains(QLatin1Char('=')))
        return Status::failure(
            QCoreApplication::translate(
                "zev::Settings",
                "Cannot store [%1] %2 in %3: the name or value does not fit on an INI line")
                .arg(section, key, m_path));

    const QFileInfo fileInfo(m_path);
    const QFileInfo folderInfo(fileInfo.absolutePath());
    if (!folderInfo.isDir() || !hasWriteBit(folderInfo))
        return unableToWrite;

    QByteArray bytes;
    if (fileInfo.exists()) {
        if (!fileInfo.isFile() || !hasWriteBit(fileInfo))
            return unableToWrite;
        const std::optional<QByteArray> current = readFileBytes(m_path);
        if (!current)
            return unableToWrite; // writing without its contents would destroy them
        bytes = *current;
    }

    const ParsedIni ini(bytes);
    const QByteArray lineBreak = ini.lineBreak();
    const QByteArray entryLine = key.trimmed().toUtf8() + '=' + value.toUtf8();
    const Location location = ini.find(section, key.trimmed());
    if (location.keyLine >= 0) {
        // Only the value changes; the key keeps its spelling and indentation.
        const LineSpan& line = ini.lines().at(location.keyLine);
        const qsizetype valueStart = bytes.indexOf('=', line.start) + 1;
        bytes.replace(valueStart, line.contentEnd - valueStart, value.toUtf8());
    } else if (location.sectionLine >= 0) {
        const LineSpan& after = ini.lines().at(location.lastFilledLine);
        QByteArray insertion = entryLine + lineBreak;
        if (after.end == after.contentEnd)
            insertion.prepend(lineBreak); // the section ends the file without a line break
        bytes.insert(after.end, insertion);
    } else {
        if (!bytes.isEmpty() && !bytes.endsWith('\n'))
            bytes += lineBreak;
        bytes += '[' + section.trimmed().toUtf8() + ']' + lineBreak + entryLine + lineBreak;
    }

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return unableToWrite;
    return Status::success();
}

Status IniFile::writeInt(const QString& section, const QString& key, int value) {
    return writeString(section, key, QString::number(value));
}

} // namespace zev
