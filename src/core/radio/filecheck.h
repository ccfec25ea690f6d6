#pragma once

#include "chanfile/channelfile.h"
#include "plan/vocabulary.h"
#include "radio/writecheck.h"

#include <QString>
#include <QStringList>

namespace zev {

// What in a channel file the radio would refuse, in the write check's words, each problem after
// the file and the line it stands on ("plan.z81, line 20: Channel 07: ..."), in line order: the
// band, the options, the cells, and each channel line that the file lacks (its row opens empty).
// Cells are judged by words (the other language's words pass too) and columns named by titles.
// Nothing for a file the radio takes as it is.
QStringList channelFileProblems(const QString& path, const LoadedChannelFile& loaded,
                                const Words& words, const ColumnTitles& titles);

} // namespace zev
