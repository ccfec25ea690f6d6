#pragma once

#include "status.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class QFileInfo;

namespace zev {

// Whether the program may write the file or folder: the system allows it and, even for root,
// someone has a write bit on it.
bool hasWriteBit(const QFileInfo& info);

// An INI file held in memory: read once, any number of reads and writes, then one commit that
// replaces the file in a single step. Section and key names match without regard to case, the
// first of duplicate sections or keys counts, and every line the program does not touch is kept
// byte for byte. Keys and values are written as UTF-8; text that is not UTF-8 reads as GBK.
class IniDocument {
public:
    // A missing or unreadable file reads as empty; an unreadable one is never committed over.
    static IniDocument read(const QString& path);

    QString path() const;
    QByteArray bytes() const; // what commit() writes

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    int readInt(const QString& section, const QString& key,
                int defaultValue) const; // not an integer -> default

    // Changes the text in memory only; refuses names and values that do not fit on one line.
    [[nodiscard]] Status writeString(const QString& section, const QString& key,
                                     const QString& value);
    [[nodiscard]] Status writeInt(const QString& section, const QString& key, int value);

    // Replaces the file with the text; a failure leaves the file as it was and reports
    // "Unable to write to <path>".
    [[nodiscard]] Status commit() const;

private:
    struct Line {
        QByteArray text;      // without its line break
        QByteArray lineBreak; // "\n", "\r\n", or at the end of the file "" or a bare "\r"
    };
    // A section's lines from its header on; the first block holds the lines before any header.
    struct Block {
        QList<Line> lines;
        qsizetype lastFilled = 0;       // the last non-blank line (the header at least)
        QHash<QString, qsizetype> keys; // case-folded key -> its first line
    };

    void parse(const QByteArray& bytes);
    void endLastLine(); // gives the file's last line a line break before text follows it

    QString m_path;
    bool m_unreadable = false;
    QByteArray m_byteOrderMark;
    QByteArray m_lineBreak = "\r\n";
    QList<Block> m_blocks;
    QHash<QString, qsizetype> m_sections; // case-folded name -> its first block
};

// The file behind an INI document, one key at a time: every read reads the file and every
// write replaces it. For many keys, read an IniDocument once and commit it once.
class IniFile {
public:
    explicit IniFile(QString path);

    QString path() const;
    IniDocument read() const;

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    int readInt(const QString& section, const QString& key, int defaultValue) const;

    // A failed write leaves the file as it was and reports "Unable to write to <path>".
    [[nodiscard]] Status writeString(const QString& section, const QString& key,
                                     const QString& value);
    [[nodiscard]] Status writeInt(const QString& section, const QString& key, int value);

private:
    QString m_path;
};

} // namespace zev
