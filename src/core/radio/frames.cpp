#include "radio/frames.h"

namespace zev::frames {

QByteArray entry() {
    return QByteArrayLiteral("\x02TALvex");
}

QByteArray identification() {
    return QByteArrayLiteral("\x06 varkol");
}

QByteArray end() {
    return QByteArrayLiteral("do");
}

QByteArray ack() {
    return QByteArray(1, Ack);
}

QByteArray header(char command, int address) {
    QByteArray bytes(1, command);
    bytes += static_cast<char>(address >> 8 & 0xFF);
    bytes += static_cast<char>(address & 0xFF);
    bytes += BlockLength;
    return bytes;
}

QByteArray read(int address) {
    return header(ReadCommand, address);
}

QByteArray write(int address, const Block& block) {
    return header(WriteCommand, address) + toBytes(block);
}

int address(const QByteArray& frame) {
    return static_cast<unsigned char>(frame.at(1)) * 256 + static_cast<unsigned char>(frame.at(2));
}

Block replyBlock(const QByteArray& reply) {
    return toBlock(reply.mid(HeaderSize));
}

} // namespace zev::frames
