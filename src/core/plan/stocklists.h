#pragma once

#include "plan/band.h"
#include "plan/plan.h"
#include "plan/vocabulary.h"
#include "status.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <span>

namespace zev {

// One channel of a stock list, as the regulations publish it.
struct StockChannel {
    const char* label;     // its own name or number: "1", "WX1", "16"
    const char* frequency; // MHz as published: "446.00625"
};

// A built-in list of licence-free or common channels that a plan can start from.
struct StockList {
    const char* key;        // the command line's name for it: "pmr446"
    const char* title;      // "PMR446"; translated at use in the context "zev::StockLists"
    const char* region;     // where the channels are used; translated the same way
    const char* namePrefix; // before the label in a channel list's Name: "PMR" + "1"
    bool receiveOnly;       // the channels have no TX frequency
    std::span<const StockChannel> channels;

    int size() const { return int(channels.size()); }
    QString titleText() const;
    QString regionText() const;
    // A list longer than the plan starts at a chosen entry, 1 to this; a shorter one at 1.
    int lastFirstEntry() const;
    // The entry (1 to size) in hertz, as published.
    qint64 hertz(int entry) const;
    // The lowest and highest frequency of the list, in hertz.
    qint64 lowestHertz() const;
    qint64 highestHertz() const;
    // How many of its entries the band holds.
    int entriesIn(const BandEdges& edges) const;
    // The entry's names in a channel list: Name "PMR1", Comment "PMR446 channel 1".
    QString channelName(int entry) const;
    QString channelComment(int entry) const;
};

// The lists in the order they are offered.
std::span<const StockList> stockLists();
// The list of that key, or nothing.
const StockList* findStockList(const QString& key);

// Whether the list can start at the entry; the failure names the entries it can start at.
[[nodiscard]] Status checkFirstEntry(const StockList& list, int firstEntry);

// A plan made from a stock list, with the names of its channels for a channel list.
struct StockPlan {
    Plan plan;
    std::array<QString, Plan::ChannelCount> names;    // by channel; empty for an empty channel
    std::array<QString, Plan::ChannelCount> comments; // the same
    // Entries the radio cannot hold exactly, with what the channel holds instead; none is moved
    // unsaid.
    QStringList notes;
};

// The list's entries from firstEntry on as channels 1 to 16 (fewer when the list ends first),
// each completed as a newly entered channel in these words (a receive-only one without TX
// frequency), frequencies written with separator; the band given and the options of a new
// plan. Channels outside the band are kept: the write warns about them. Fails as
// checkFirstEntry does.
Result<StockPlan> makeStockPlan(const StockList& list, int firstEntry, const QString& band,
                                const Words& words, QChar separator);

} // namespace zev
