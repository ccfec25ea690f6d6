#include "plan/plan.h"

#include <QCoreApplication>

namespace zev {

namespace {
bool isCell(int column, int row) {
    return column >= Plan::RxFrequency && column <= Plan::BusyLock && row >= 1 &&
           row <= Plan::ChannelCount;
}
} // namespace

QString Plan::cell(int column, int row) const {
    return isCell(column, row) ? channels[size_t(row - 1)][size_t(column - 1)] : QString();
}

void Plan::setCell(int column, int row, const QString& text) {
    if (isCell(column, row))
        channels[size_t(row - 1)][size_t(column - 1)] = text;
}

ChannelRow newChannel(const QString& rxFrequency, const Words& words) {
    return {rxFrequency, words.off, rxFrequency, words.off, words.high, words.on, words.off};
}

QString columnName(int column) {
    // The English pack's header titles.
    switch (column) {
    case Plan::RxFrequency:
        return QCoreApplication::translate("zev::Vocabulary", "RX Freq");
    case Plan::RxTone:
        return QCoreApplication::translate("zev::Vocabulary", "RX Tone");
    case Plan::TxFrequency:
        return QCoreApplication::translate("zev::Vocabulary", "TX Freq");
    case Plan::TxTone:
        return QCoreApplication::translate("zev::Vocabulary", "TX Tone");
    case Plan::Power:
        return QCoreApplication::translate("zev::Vocabulary", "Power");
    case Plan::ScanAdd:
        return QCoreApplication::translate("zev::Vocabulary", "Scan Add");
    case Plan::BusyLock:
        return QCoreApplication::translate("zev::Vocabulary", "Busy Lock");
    }
    return {};
}

} // namespace zev
