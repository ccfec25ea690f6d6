#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace zev {

struct Plan;

// The band a radio leaves the factory with; the model list holds it when the settings name none.
inline constexpr QLatin1String FactoryBand("136-174MHz");

// The edges of a band string such as "136-174MHz": three digits of whole MHz each.
struct BandEdges {
    int lowMhz = 0;
    int highMhz = 0;
};

// The edges of a band string of the form ddd-dddMHz; nothing for any other text.
std::optional<BandEdges> parseBand(const QString& band);

// Whether the band holds the frequency, its edges included.
bool coversHertz(const BandEdges& edges, qint64 hertz);

// A used channel with a frequency the band does not cover; rx and tx hold the offending cell
// texts, an in-band (or empty) one stays empty.
struct OutOfBandChannel {
    int channel = 0;
    QString rx;
    QString tx;
    bool operator==(const OutOfBandChannel&) const = default;
};

// The used channels whose RX or TX frequency lies outside the plan's band, edges included in the
// band, in row order. The radio is written regardless: this only tells the user. A band that is not
// a band string, or whose lower edge lies above its upper one, says nothing about any frequency and
// gives no channel; so does a cell that is no frequency (the write check reports those).
QList<OutOfBandChannel> outOfBandChannels(const Plan& plan);

// "Channel 03: RX 430.00625 MHz, TX 550.00000 MHz".
QString describeOutOfBand(const OutOfBandChannel& channel);

} // namespace zev
