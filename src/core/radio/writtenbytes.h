#pragma once

#include "radio/memoryimage.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zev {

// A run of bytes within one field (or one unnamed stretch of a block) that the radio holds
// otherwise than they were written.
struct ByteMismatch {
    int address = 0; // of the first byte
    QByteArray written;
    QByteArray held;
    bool operator==(const ByteMismatch&) const = default;
};

// Every byte of the given blocks in which held differs from written, in address order, runs
// of neighbouring bytes of the same field taken together.
QList<ByteMismatch> compareBlocks(const MemoryImage& written, const MemoryImage& held,
                                  const QList<int>& blockAddresses);

// "the first half of channel 3, 0x0030 (channel 3 RX Freq): wrote 25060043, radio holds
// FFFFFFFF": the block, the address and, where the bytes belong to a known field, what it is.
QString describeByteMismatch(const ByteMismatch& mismatch);

// At most limit lines, and a last line counting the rest.
QStringList describeByteMismatches(const QList<ByteMismatch>& mismatches, int limit);

} // namespace zev
