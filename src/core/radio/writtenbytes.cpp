#include "radio/writtenbytes.h"

#include "chanfile/plancompare.h"
#include "plan/plan.h"
#include "plan/vocabulary.h"
#include "radio/hex.h"
#include "radio/session.h"

#include <QCoreApplication>

#include <algorithm>

namespace zev {

namespace {

// A named stretch of a block: its offset, its size and what it holds.
struct FieldSpan {
    int offset;
    int size;
    QString name; // empty: bytes that hold nothing this program knows
};

QString cellName(int channel, int column) {
    return QCoreApplication::translate("zev::WrittenBytes", "channel %1 %2")
        .arg(channel)
        .arg(columnName(column));
}

QString optionNames(std::initializer_list<Option> options) {
    QStringList names;
    for (const Option option : options)
        names << optionName(option);
    return names.join(QStringLiteral(", "));
}

// The fields of the block at address, one span for each byte that belongs to none.
QList<FieldSpan> fieldsOf(int address) {
    QList<FieldSpan> fields;
    if (const int channel = MemoryImage::channelAt(address, false)) {
        fields = {{field::RxFrequency, field::FrequencySize, cellName(channel, Plan::RxFrequency)},
                  {field::TxFrequency, field::FrequencySize, cellName(channel, Plan::TxFrequency)}};
    } else if (const int channel = MemoryImage::channelAt(address, true)) {
        fields = {{field::RxTone, field::ToneSize, cellName(channel, Plan::RxTone)},
                  {field::TxTone, field::ToneSize, cellName(channel, Plan::TxTone)},
                  {field::ChannelFlags, 1,
                   QStringList{cellName(channel, Plan::Power), columnName(Plan::ScanAdd),
                               columnName(Plan::BusyLock)}
                       .join(QStringLiteral(", "))}};
    } else if (address == MemoryImage::OptionsAddress) {
        fields = {{field::OptionFlags, 1,
                   optionNames({Option::BatterySave, Option::KeyBeep, Option::AlarmKey})},
                  {field::Squelch, 1, optionName(Option::Squelch)},
                  {field::TimeOutTimer, 1, optionName(Option::TimeOutTimer)},
                  {field::VoicePrompt, 1, optionName(Option::VoicePrompt)},
                  {field::Scan, 1, optionName(Option::Scan)}};
    } else if (address == MemoryImage::BandAddress) {
        fields = {{field::LowerBandEdge, field::BandEdgeSize,
                   QCoreApplication::translate("zev::WrittenBytes", "lower band edge")},
                  {field::UpperBandEdge, field::BandEdgeSize,
                   QCoreApplication::translate("zev::WrittenBytes", "upper band edge")}};
    }
    // Every other byte on its own.
    QList<FieldSpan> spans;
    for (int offset = 0; offset < MemoryImage::BlockSize;) {
        const auto known =
            std::find_if(fields.cbegin(), fields.cend(),
                         [offset](const FieldSpan& f) { return f.offset == offset; });
        if (known != fields.cend()) {
            spans.append(*known);
            offset += known->size;
        } else {
            spans.append({offset, 1, QString()});
            ++offset;
        }
    }
    return spans;
}

QString addressText(int address) {
    return QStringLiteral("0x") +
           QString::number(address, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QString blockName(int address) {
    if (const int channel = MemoryImage::channelAt(address, false))
        return session::channelHalf(channel, false);
    if (const int channel = MemoryImage::channelAt(address, true))
        return session::channelHalf(channel, true);
    if (address == MemoryImage::OptionsAddress)
        return session::stepName(session::Named::Options);
    if (address == MemoryImage::BandAddress)
        return session::stepName(session::Named::Band);
    return QCoreApplication::translate("zev::WrittenBytes", "the block at %1")
        .arg(addressText(address));
}

int blockStart(int address) {
    return address - address % MemoryImage::BlockSize;
}

} // namespace

QList<ByteMismatch> compareBlocks(const MemoryImage& written, const MemoryImage& held,
                                  const QList<int>& blockAddresses) {
    QList<ByteMismatch> mismatches;
    for (const int address : blockAddresses) {
        const QByteArray sent = toBytes(written.block(address));
        const QByteArray kept = toBytes(held.block(address));
        if (sent == kept)
            continue;
        for (const FieldSpan& span : fieldsOf(address)) {
            const QByteArray a = sent.mid(span.offset, span.size);
            const QByteArray b = kept.mid(span.offset, span.size);
            if (a != b)
                mismatches.append({address + span.offset, a, b});
        }
    }
    return mismatches;
}

QString describeByteMismatch(const ByteMismatch& mismatch) {
    const int start = blockStart(mismatch.address);
    QString where = blockName(start) + QStringLiteral(", ") + addressText(mismatch.address);
    for (const FieldSpan& span : fieldsOf(start))
        if (span.offset == mismatch.address - start && !span.name.isEmpty())
            where += QStringLiteral(" (%1)").arg(span.name);
    return QCoreApplication::translate("zev::WrittenBytes", "%1: wrote %2, radio holds %3")
        .arg(where, bytesToHex(mismatch.written), bytesToHex(mismatch.held));
}

QStringList describeByteMismatches(const QList<ByteMismatch>& mismatches, int limit) {
    QStringList lines;
    for (qsizetype index = 0; index < mismatches.size() && index < limit; ++index)
        lines.append(describeByteMismatch(mismatches.at(index)));
    if (mismatches.size() > limit)
        lines.append(QCoreApplication::translate("zev::WrittenBytes", "... and %1 more")
                         .arg(mismatches.size() - limit));
    return lines;
}

} // namespace zev
