#include "radio/filecheck.h"

#include "chanfile/channelfilelines.h"
#include "radio/codec.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

namespace zev {

QStringList channelFileProblems(const QString& path, const LoadedChannelFile& loaded,
                                const Words& words, const ColumnTitles& titles) {
    QStringList problems;
    const auto add = [&](int line, const QString& text) {
        problems << lineFailure(path, line, text).message();
    };
    const Plan& file = loaded.plan;
    if (const Status band = codec::checkBand(file.band); !band)
        add(bandLineNumber(), band.message());
    // In the order of their lines, which is not the order of the options.
    QList<std::pair<int, Option>> options;
    for (Option option : allOptions)
        options.append({optionLineNumber(option), option});
    std::sort(options.begin(), options.end());
    for (const auto& [line, option] : options) {
        if (const Status checked = codec::checkOption(option, file.options[optionSlot(option)]);
            !checked)
            add(line, checked.message());
    }
    for (int row = 1; row <= Plan::ChannelCount; ++row) {
        const int line = channelLineNumber(row);
        if (line > loaded.lineCount) {
            add(line,
                QCoreApplication::translate("zev::WriteCheck", "Channel %1: the line is missing")
                    .arg(row, 2, 10, QLatin1Char('0')));
            continue;
        }
        for (const QString& problem : channelProblems(file.channels[row - 1], words, row, titles))
            add(line, problem);
    }
    return problems;
}

} // namespace zev
