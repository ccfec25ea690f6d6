#pragma once

#include "plan/plan.h"
#include "plan/wording.h"
#include "status.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace zev {

// Where the parts of a plan stand in the file, lines counted from 1.
constexpr int ChannelFileLineCount = 29;
int bandLineNumber();
int optionLineNumber(Option option);
int channelLineNumber(int row); // row 1 to 16

// A file as Open takes it, and how many of its 29 lines it holds: the rows of the lines a
// shorter file lacks open empty.
struct LoadedChannelFile {
    Plan plan;
    int lineCount = 0;
};

// The 29-line layout, GBK without byte-order mark, every line ending in CR LF. Each option index
// is followed by its selector's text (as Wording::selectorTexts gives them), which reading
// ignores. A character that GBK cannot hold comes out as '?'; saveChannelFile refuses such a
// plan instead.
QByteArray formatChannelFile(const Plan& plan, const SelectorTexts& selectorTexts);

// Reads the file as the positional rules take it. An option is a decimal digit or -1 (no
// selection). Fails, naming the line (and the file when a path is given), on an option position
// that holds neither and on text that is not GBK where a band or cell is taken.
Result<Plan> parseChannelFile(const QByteArray& bytes, const QString& path = QString());

// Replaces the file atomically: a failed save leaves any earlier file as it was.
[[nodiscard]] Status saveChannelFile(const QString& path, const Plan& plan,
                                     const SelectorTexts& selectorTexts);
Result<Plan> loadChannelFile(const QString& path);
Result<LoadedChannelFile> readChannelFile(const QString& path);

} // namespace zev
