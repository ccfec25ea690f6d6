#pragma once

#include <QString>
#include <QStringList>

namespace zev {
class VirtualLink;
}

// Frames on the wire, as hex text.
namespace testsupport {

// A block address as the frames spell it: four hex digits, upper case.
QString addressHex(int address);

// The frames the program sent over a virtual link, in order.
QStringList sentFrames(const zev::VirtualLink& link);

enum class Skipped { Left, Included };
// The frames the radio heard, in order, from rh4800-sim's trace; Skipped::Included adds the bytes
// it took for no frame (an ACK outside programming mode).
QStringList heardFrames(const QString& tracePath, Skipped skipped = Skipped::Left);

} // namespace testsupport
