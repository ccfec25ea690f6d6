#pragma once

#include "status.h"

#include <QString>

namespace zev {

// An INI file read and written the way the system's profile functions do it: section and key
// names match without regard to case, the first of duplicate sections or keys counts, every
// write goes to the file at once, and every line the program does not touch is kept byte for
// byte. Keys and values are written as UTF-8; text that is not UTF-8 reads as GBK.
class IniFile {
public:
    explicit IniFile(QString path);

    QString path() const;

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    int readInt(const QString& section, const QString& key,
                int defaultValue) const; // not an integer -> default

    // A failed write leaves the file as it was and reports "Unable to write to <path>".
    [[nodiscard]] Status writeString(const QString& section, const QString& key,
                                     const QString& value);
    [[nodiscard]] Status writeInt(const QString& section, const QString& key, int value);

private:
    QString m_path;
};

} // namespace zev
