#include "plan/stocklists.h"

#include "plan/frequency.h"

#include <QCoreApplication>

#include <algorithm>

namespace zev {

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("zev::StockLists", text);
}

} // namespace

QString StockList::titleText() const {
    return translated(title);
}

QString StockList::regionText() const {
    return translated(region);
}

int StockList::lastFirstEntry() const {
    return std::max(1, size() - Plan::ChannelCount + 1);
}

qint64 StockList::hertz(int entry) const {
    // The tables are checked by a test: every frequency reads.
    return frequencyHz(QLatin1String(channels[size_t(entry - 1)].frequency)).value_or(0);
}

qint64 StockList::lowestHertz() const {
    qint64 lowest = hertz(1);
    for (int entry = 2; entry <= size(); ++entry)
        lowest = std::min(lowest, hertz(entry));
    return lowest;
}

qint64 StockList::highestHertz() const {
    qint64 highest = hertz(1);
    for (int entry = 2; entry <= size(); ++entry)
        highest = std::max(highest, hertz(entry));
    return highest;
}

int StockList::entriesIn(const BandEdges& edges) const {
    int count = 0;
    for (int entry = 1; entry <= size(); ++entry)
        if (coversHertz(edges, hertz(entry)))
            ++count;
    return count;
}

QString StockList::channelName(int entry) const {
    return QLatin1String(namePrefix) + QLatin1String(channels[size_t(entry - 1)].label);
}

QString StockList::channelComment(int entry) const {
    return QCoreApplication::translate("zev::StockLists", "%1 channel %2")
        .arg(titleText(), QLatin1String(channels[size_t(entry - 1)].label));
}

const StockList* findStockList(const QString& key) {
    const std::span<const StockList> lists = stockLists();
    const auto found = std::find_if(lists.begin(), lists.end(), [&key](const StockList& list) {
        return key == QLatin1String(list.key);
    });
    return found == lists.end() ? nullptr : &*found;
}

Status checkFirstEntry(const StockList& list, int firstEntry) {
    const int last = list.lastFirstEntry();
    if (firstEntry >= 1 && firstEntry <= last)
        return Status::success();
    const QString key = QLatin1String(list.key);
    if (last == 1)
        return Status::failure(
            QCoreApplication::translate("zev::StockLists",
                                        "%1 has %2 channels and starts at its first, not at %3")
                .arg(key)
                .arg(list.size())
                .arg(firstEntry));
    return Status::failure(
        QCoreApplication::translate("zev::StockLists",
                                    "%1 has %2 channels and starts at one from 1 to %3, not at %4")
            .arg(key)
            .arg(list.size())
            .arg(last)
            .arg(firstEntry));
}

Result<StockPlan> makeStockPlan(const StockList& list, int firstEntry, const QString& band,
                                const Words& words, QChar separator) {
    if (Status checked = checkFirstEntry(list, firstEntry); !checked)
        return checked;
    StockPlan made;
    made.plan.band = band;
    made.plan.options = resetOptionIndices;
    for (int row = 1; row <= Plan::ChannelCount; ++row) {
        const int entry = firstEntry + row - 1;
        if (entry > list.size())
            break;
        const Result<ListedFrequency> frequency = listedFrequency(list.hertz(entry), separator);
        if (!frequency)
            return Status::failure(
                QStringLiteral("%1: %2").arg(list.channelComment(entry), frequency.message()));
        ChannelRow cells = newChannel(frequency->cell, words);
        if (list.receiveOnly)
            cells[Plan::TxFrequency - 1].clear();
        made.plan.setChannel(row, cells);
        made.names[size_t(row - 1)] = list.channelName(entry);
        made.comments[size_t(row - 1)] = list.channelComment(entry);
        if (!frequency->note.isEmpty())
            made.notes << QStringLiteral("%1: %2").arg(list.channelComment(entry), frequency->note);
    }
    return made;
}

} // namespace zev
