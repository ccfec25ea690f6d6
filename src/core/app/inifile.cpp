#include "app/inifile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <utility>

namespace zev {

namespace {

const QByteArray byteOrderMark("\xEF\xBB\xBF");

// UTF-8, or for text that is not, the code page of the files the Windows program wrote (GBK).
QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gbk("GBK");
    return gbk.isValid() ? QString(gbk.decode(bytes)) : QString::fromLatin1(bytes);
}

// Names match without regard to case or the blanks around them, as names are written trimmed.
QString foldName(const QString& name) {
    return name.trimmed().toCaseFolded();
}

// The section name of a header line "[name]", nullopt for any other line.
std::optional<QString> sectionName(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    if (!text.startsWith('['))
        return std::nullopt;
    const qsizetype close = text.indexOf(']');
    const QByteArray name = close < 0 ? text.mid(1) : text.mid(1, close - 1);
    return decodeText(name.trimmed());
}

// The key of a "key=value" line; nullopt for comments, blank and garbage lines.
std::optional<QString> entryKey(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    if (text.startsWith(';') || text.startsWith('#'))
        return std::nullopt;
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0)
        return std::nullopt;
    const QByteArray key = text.left(equals).trimmed();
    if (key.isEmpty())
        return std::nullopt;
    return decodeText(key);
}

QString entryValue(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    return decodeText(text.mid(text.indexOf('=') + 1).trimmed());
}

// A key line starting like this would read as a comment or a section header.
bool readsAsKey(const QString& key) {
    const QString name = key.trimmed();
    return !name.startsWith(QLatin1Char(';')) && !name.startsWith(QLatin1Char('#')) &&
           !name.startsWith(QLatin1Char('['));
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

IniDocument IniDocument::read(const QString& path) {
    IniDocument document;
    document.m_path = path;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) {
        bytes = file.readAll();
        document.m_unreadable = file.error() != QFileDevice::NoError;
    } else {
        document.m_unreadable = file.exists();
    }
    if (document.m_unreadable)
        bytes.clear(); // part of a file is no basis for rewriting it
    document.parse(bytes);
    return document;
}

void IniDocument::parse(const QByteArray& input) {
    if (input.contains('\n') && !input.contains("\r\n"))
        m_lineBreak = "\n";
    QByteArray bytes = input;
    if (bytes.startsWith(byteOrderMark)) {
        m_byteOrderMark = byteOrderMark;
        bytes.remove(0, byteOrderMark.size());
    }

    m_blocks.append(Block());
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        const qsizetype end = newline < 0 ? bytes.size() : newline;
        Line line{bytes.mid(start, end - start), newline < 0 ? QByteArray() : "\n"};
        if (line.text.endsWith('\r')) {
            line.text.chop(1);
            line.lineBreak.prepend('\r');
        }
        start = end + 1;

        if (const std::optional<QString> name = sectionName(line.text)) {
            if (const QString folded = foldName(*name); !m_sections.contains(folded))
                m_sections.insert(folded, m_blocks.size()); // only the first of that name counts
            Block block;
            block.lines.append(line);
            m_blocks.append(block);
            continue;
        }
        Block& block = m_blocks.last();
        block.lines.append(line);
        if (m_blocks.size() == 1)
            continue; // no section holds the lines before the first header
        if (!line.text.trimmed().isEmpty())
            block.lastFilled = block.lines.size() - 1;
        if (const std::optional<QString> key = entryKey(line.text)) {
            const QString folded = foldName(*key);
            if (!block.keys.contains(folded))
                block.keys.insert(folded, block.lines.size() - 1);
        }
    }
}

QString IniDocument::path() const {
    return m_path;
}

QByteArray IniDocument::bytes() const {
    QByteArray bytes = m_byteOrderMark;
    for (const Block& block : m_blocks) {
        for (const Line& line : block.lines)
            bytes += line.text + line.lineBreak;
    }
    return bytes;
}

QString IniDocument::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    const qsizetype blockIndex = m_sections.value(foldName(section), -1);
    if (blockIndex < 0)
        return defaultValue;
    const Block& block = m_blocks.at(blockIndex);
    const qsizetype lineIndex = block.keys.value(foldName(key), -1);
    if (lineIndex < 0)
        return defaultValue;
    return entryValue(block.lines.at(lineIndex).text);
}

int IniDocument::readInt(const QString& section, const QString& key, int defaultValue) const {
    return parseInteger(readString(section, key, QString())).value_or(defaultValue);
}

Status IniDocument::writeString(const QString& section, const QString& key, const QString& value) {
    const QString sectionText = section.trimmed();
    const QString keyText = key.trimmed();
    if (sectionText.isEmpty() || keyText.isEmpty() || !fitsOnOneLine(section) ||
        !fitsOnOneLine(key) || !fitsOnOneLine(value) || section.contains(QLatin1Char(']')) ||
        key.contains(QLatin1Char('=')) || !readsAsKey(key))
        return Status::failure(
            QCoreApplication::translate(
                "zev::Settings",
                "Cannot store [%1] %2 in %3: the name or value does not fit on an INI line")
                .arg(section, key, m_path));

    const QString foldedKey = foldName(keyText);
    const QByteArray entry = keyText.toUtf8() + '=' + value.toUtf8();
    const qsizetype blockIndex = m_sections.value(foldName(sectionText), -1);
    if (blockIndex < 0) {
        endLastLine();
        Block block;
        block.lines = {Line{'[' + sectionText.toUtf8() + ']', m_lineBreak},
                       Line{entry, m_lineBreak}};
        block.lastFilled = 1;
        block.keys.insert(foldedKey, 1);
        m_sections.insert(foldName(sectionText), m_blocks.size());
        m_blocks.append(block);
        return Status::success();
    }

    Block& block = m_blocks[blockIndex];
    if (const qsizetype lineIndex = block.keys.value(foldedKey, -1); lineIndex >= 0) {
        // Only the value changes; the key keeps its spelling and indentation.
        QByteArray& text = block.lines[lineIndex].text;
        text = text.left(text.indexOf('=') + 1) + value.toUtf8();
        return Status::success();
    }
    // After the section's last line that says anything: keys after blank lines would look like
    // the start of the next section to a reader.
    if (!block.lines.at(block.lastFilled).lineBreak.endsWith('\n'))
        endLastLine(); // only the file's last line lacks a line break
    block.lines.insert(block.lastFilled + 1, Line{entry, m_lineBreak});
    ++block.lastFilled; // only blank lines follow it, so no key moves
    block.keys.insert(foldedKey, block.lastFilled);
    return Status::success();
}

Status IniDocument::writeInt(const QString& section, const QString& key, int value) {
    return writeString(section, key, QString::number(value));
}

void IniDocument::endLastLine() {
    for (auto block = m_blocks.rbegin(); block != m_blocks.rend(); ++block) {
        if (block->lines.isEmpty())
            continue;
        QByteArray& lineBreak = block->lines.last().lineBreak;
        if (lineBreak.isEmpty()) {
            lineBreak = m_lineBreak;
        } else if (lineBreak == "\r") {
            // A bare CR ends the file: finish it as CR LF, else what follows joins the line.
            lineBreak = "\r\n";
            m_lineBreak = "\r\n";
        }
        return;
    }
}

Status IniDocument::commit() const {
    const Status unableToWrite = Status::failure(
        QCoreApplication::translate("zev::Settings", "Unable to write to %1").arg(m_path));
    const QFileInfo fileInfo(m_path);
    const QFileInfo folderInfo(fileInfo.absolutePath());
    if (!folderInfo.isDir() || !hasWriteBit(folderInfo))
        return unableToWrite;
    if (fileInfo.exists() && (!fileInfo.isFile() || !hasWriteBit(fileInfo) || m_unreadable))
        return unableToWrite; // writing without its contents would destroy them

    const QByteArray content = bytes();
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        return unableToWrite;
    return Status::success();
}

bool hasWriteBit(const QFileInfo& info) {
    // Root may write anywhere; a file or folder that nobody may write is still read-only to us.
    return info.isWritable() &&
           (info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

QString IniFile::path() const {
    return m_path;
}

IniDocument IniFile::read() const {
    return IniDocument::read(m_path);
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    return read().readString(section, key, defaultValue);
}

int IniFile::readInt(const QString& section, const QString& key, int defaultValue) const {
    return read().readInt(section, key, defaultValue);
}

Status IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    IniDocument document = read();
    if (Status written = document.writeString(section, key, value); !written)
        return written;
    return document.commit();
}

Status IniFile::writeInt(const QString& section, const QString& key, int value) {
    return writeString(section, key, QString::number(value));
}

} // namespace zev
