#pragma once

#include "plan/bandlist.h"
#include "plan/channelplan.h"
#include "plan/vocabulary.h"
#include "status.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace zev {

// One channel plan as the .z81 file holds it.
struct ChannelFile {
    QString band;                                 // text of the model selector
    OptionIndices options{};                      // by option, -1 = no selection
    std::array<QString, OptionCount> optionTexts; // selector texts at save time; never read back
    std::array<ChannelRow, ChannelPlan::ChannelCount> channels; // columns 1..7 of rows 1..16

    bool operator==(const ChannelFile&) const = default;
};

// Where the parts of a plan stand in the file, lines counted from 1.
constexpr int ChannelFileLineCount = 29;
int bandLineNumber();
int optionLineNumber(Option option);
int channelLineNumber(int row); // row 1 to 16

// A file as Open takes it, and how many of its 29 lines it holds: the rows of the lines a
// shorter file lacks open empty.
struct LoadedChannelFile {
    ChannelFile file;
    int lineCount = 0;
};

ChannelFile channelFileFromPlan(const ChannelPlan& plan, const BandList& bands);

// The 29-line layout, GBK without byte-order mark, every line ending in CR LF. A character that
// GBK cannot hold comes out as '?'; saveChannelFile refuses such a plan instead.
QByteArray formatChannelFile(const ChannelFile& file);

// Reads the file as the positional rules take it. An option is a decimal digit or -1 (no
// selection). Fails, naming the line (and the file when a path is given), on an option position
// that holds neither and on text that is not GBK where a band or cell is taken.
Result<ChannelFile> parseChannelFile(const QByteArray& bytes, const QString& path = QString());

// Replaces the file atomically: a failed save leaves any earlier file as it was.
[[nodiscard]] Status saveChannelFile(const QString& path, const ChannelFile& file);
Result<ChannelFile> loadChannelFile(const QString& path);
Result<LoadedChannelFile> readChannelFile(const QString& path);

// Band looked up or appended and selected (the title follows bands.bandApplied), the seven
// option indices set, the table cleared and filled, and the words of either language re-worded
// into the plan's. The plan is not reset.
void applyChannelFile(const ChannelFile& file, ChannelPlan& plan, BandList& bands);

// Open in one step: the whole file is read and checked before anything changes, so a failure
// leaves the plan and the model list exactly as they were. Gives the file as it was read.
[[nodiscard]] Result<LoadedChannelFile> openChannelFile(const QString& path, ChannelPlan& plan,
                                                        BandList& bands);

} // namespace zev
