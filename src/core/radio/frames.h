#pragma once

#include "radio/memoryimage.h"

#include <QByteArray>

#include <cstdint>

// The frames of the programming protocol, for the program and the simulated radio alike.
namespace zev::frames {

constexpr char Ack = 0x06;
constexpr char ReadCommand = 'R';
constexpr char WriteCommand = 'W';
constexpr char BlockLength = MemoryImage::BlockSize;

// Command, address high byte, address low byte, block length.
constexpr int HeaderSize = 4;
constexpr int ReadFrameSize = HeaderSize;
constexpr int WriteFrameSize = HeaderSize + MemoryImage::BlockSize;

// Reply sizes: the receive threshold a frame is sent with.
constexpr int IdentificationSize = 8;
constexpr int ReadReplySize = HeaderSize + MemoryImage::BlockSize; // four unexamined bytes first
constexpr int AckReplySize = 1;

QByteArray entry();          // 0x02 "TALvex"
QByteArray identification(); // 0x06 " varkol"
QByteArray end();            // "do"
QByteArray ack();

QByteArray read(int address);
QByteArray write(int address, const Block& block);
// A read or write frame's first four bytes; a read reply begins with them too.
QByteArray header(char command, int address);
// The address of a read or write frame.
int address(const QByteArray& frame);
// The block of a read reply of ReadReplySize bytes.
Block replyBlock(const QByteArray& reply);

} // namespace zev::frames
