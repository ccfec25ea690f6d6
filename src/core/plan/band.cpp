#include "plan/band.h"

#include "plan/frequency.h"
#include "plan/plan.h"

#include <QCoreApplication>

#include <algorithm>

namespace zev {

namespace {

constexpr qint64 TenHzPerMhz = 100000;

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A frequency cell in 10 Hz units, read as the editor reads it; a cell saved under the other
// number format counts too.
std::optional<qint64> cellTenHz(const QString& cell) {
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        const Result<QString> normalised = normaliseFrequency(cell, separator);
        if (!normalised)
            continue;
        // Always ddd, the separator, ddddd.
        const QString text = normalised.value();
        return text.left(3).toLongLong() * TenHzPerMhz + text.mid(4).toLongLong();
    }
    return std::nullopt;
}

} // namespace

std::optional<BandEdges> parseBand(const QString& band) {
    const bool form = band.size() == 10 && band.at(3) == QLatin1Char('-') &&
                      band.endsWith(QStringLiteral("MHz")) &&
                      std::all_of(band.begin(), band.begin() + 3, isDigit) &&
                      std::all_of(band.begin() + 4, band.begin() + 7, isDigit);
    if (!form)
        return std::nullopt;
    return BandEdges{band.left(3).toInt(), band.mid(4, 3).toInt()};
}

bool coversHertz(const BandEdges& edges, qint64 hertz) {
    return hertz >= edges.lowMhz * HertzPerMHz && hertz <= edges.highMhz * HertzPerMHz;
}

QList<OutOfBandChannel> outOfBandChannels(const Plan& plan) {
    QList<OutOfBandChannel> channels;
    const std::optional<BandEdges> edges = parseBand(plan.band);
    // A band that cannot be read gives no warning: there is nothing to measure against.
    if (!edges || edges->lowMhz > edges->highMhz)
        return channels;
    const auto outside = [&edges](const QString& cell) {
        if (const std::optional<qint64> tenHz = cellTenHz(cell))
            return !coversHertz(*edges, *tenHz * 10);
        // A frequency the radio cannot hold (from a file or the radio) has no channel to be
        // moved to, but it lies outside the band all the same.
        const std::optional<double> mhz = frequencyMhz(cell);
        return mhz && (*mhz < edges->lowMhz || *mhz > edges->highMhz);
    };
    for (int row = 1; row <= Plan::ChannelCount; ++row) {
        if (!plan.isUsed(row))
            continue;
        OutOfBandChannel channel{row, {}, {}};
        if (const QString rx = plan.cell(Plan::RxFrequency, row); outside(rx))
            channel.rx = rx;
        if (const QString tx = plan.cell(Plan::TxFrequency, row); outside(tx))
            channel.tx = tx;
        if (!channel.rx.isEmpty() || !channel.tx.isEmpty())
            channels.append(channel);
    }
    return channels;
}

QString describeOutOfBand(const OutOfBandChannel& channel) {
    QStringList frequencies;
    if (!channel.rx.isEmpty())
        frequencies << QCoreApplication::translate("zev::Band", "RX %1 MHz").arg(channel.rx);
    if (!channel.tx.isEmpty())
        frequencies << QCoreApplication::translate("zev::Band", "TX %1 MHz").arg(channel.tx);
    return QCoreApplication::translate("zev::Band", "Channel %1: %2")
        .arg(channel.channel, 2, 10, QLatin1Char('0'))
        .arg(frequencies.join(QStringLiteral(", ")));
}

} // namespace zev
