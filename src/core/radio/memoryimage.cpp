#include "radio/memoryimage.h"

#include <algorithm>

namespace zev {

MemoryImage::MemoryImage() : m_bytes(Size, static_cast<char>(Erased)) {}

MemoryImage::MemoryImage(const QByteArray& bytes) : m_bytes(bytes.left(Size)) {
    m_bytes.resize(Size, static_cast<char>(Erased));
}

Block MemoryImage::block(int address) const {
    if (!holdsBlock(address))
        return toBlock({});
    return toBlock(m_bytes.mid(address, BlockSize));
}

void MemoryImage::setBlock(int address, const Block& block) {
    if (holdsBlock(address))
        m_bytes.replace(address, BlockSize, toBytes(block));
}

Block toBlock(const QByteArray& bytes) {
    Block block;
    block.fill(MemoryImage::Erased);
    std::copy_n(bytes.cbegin(), std::min<qsizetype>(bytes.size(), block.size()), block.begin());
    return block;
}

QByteArray toBytes(const Block& block) {
    return QByteArray(reinterpret_cast<const char*>(block.data()), block.size());
}

} // namespace zev
