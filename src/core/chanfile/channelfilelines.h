#pragma once

// Text-level pieces shared by the formatter and the file I/O of the channel file.

#include "chanfile/channelfile.h"

#include <QStringList>

namespace zev {

// The 29 lines of the file as text, without line ends.
QStringList channelFileLines(const Plan& plan, const SelectorTexts& selectorTexts);

// How many of the 29 lines that count the bytes hold, as the reader splits them.
int presentLineCount(const QByteArray& bytes);

// Fails, naming the file and the line, if a line would not read back as written: it holds a
// line feed or a character that GBK cannot store.
[[nodiscard]] Status checkStorable(const QStringList& lines, const QString& path);

// "<path>, line <n>: <text>", or "Line <n>: <text>" when no file is named.
Status lineFailure(const QString& path, int lineNumber, const QString& text);

// A character as a message shows it: itself if printable, otherwise its code point.
QString displayCharacter(QStringView character);

} // namespace zev
