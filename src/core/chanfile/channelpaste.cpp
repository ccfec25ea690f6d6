#include "chanfile/channelpaste.h"

#include <QCoreApplication>

namespace zev::csv {

Result<Imported> readPastedRows(const QString& text, const Words& words, QChar separator) {
    const auto tooLarge = [] {
        return Status::failure(QCoreApplication::translate(
            "zev::ChannelPaste",
            "The clipboard holds more than 1 MiB of text, too much for channel rows; nothing "
            "was pasted."));
    };
    // No UTF-8 form has fewer bytes than the text has UTF-16 units: the cheap test first.
    if (text.size() > MaxListBytes)
        return tooLarge();
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() > MaxListBytes)
        return tooLarge();
    return importChannels(bytes, {true, words, separator, true});
}

PastedRows placePastedRows(const Imported& list, int row) {
    PastedRows pasted;
    for (int index = 0; index < Plan::ChannelCount; ++index) {
        const std::optional<ChannelRow>& channel = list.channels[size_t(index)];
        if (!channel)
            continue;
        const int target = row + index;
        if (target >= 1 && target <= Plan::ChannelCount) {
            pasted.rows.channels[size_t(target - 1)] = channel;
            pasted.rows.rows[size_t(target - 1)] = list.rows[size_t(index)];
        } else if (!(*channel)[Plan::RxFrequency - 1].isEmpty()) {
            // An empty row past the last channel loses nothing.
            pasted.dropped.append(
                {list.rows[size_t(index)],
                 QCoreApplication::translate("zev::ChannelPaste", "it would go to channel %1")
                     .arg(target)});
        }
    }
    pasted.rows.problems = list.problems;
    pasted.rows.notes = list.notes;
    return pasted;
}

} // namespace zev::csv
