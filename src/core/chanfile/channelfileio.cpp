#include "chanfile/channelfile.h"
#include "chanfile/channelfilelines.h"
#include "chanfile/filesystemerror.h"

#include <QCoreApplication>

namespace zev {

namespace {

// Only the first 29 lines count, and Save writes a few hundred bytes: reading more than this
// would only let a wrong file (a disk image, a log) fill the memory.
constexpr qint64 readLimit = 64 * 1024;

} // namespace

Status saveChannelFile(const QString& path, const ChannelFile& file) {
    if (const Status storable = checkStorable(channelFileLines(file), path); !storable.ok())
        return storable;
    return writeFileAtomically(path, formatChannelFile(file));
}

Result<ChannelFile> loadChannelFile(const QString& path) {
    Result<LoadedChannelFile> loaded = readChannelFile(path);
    if (!loaded.ok())
        return Status::failure(loaded.message());
    return std::move(loaded).value().file;
}

Result<LoadedChannelFile> readChannelFile(const QString& path) {
    bool complete = true;
    const Result<QByteArray> bytes = readPlainFile(path, readLimit, complete);
    if (!bytes.ok())
        return Status::failure(bytes.message());
    const qsizetype completeLines = bytes->count('\n');
    if (!complete && completeLines < ChannelFileLineCount)
        return lineFailure(
            path, int(completeLines) + 1,
            QCoreApplication::translate("zev::ChannelFile", "too long for a channel file"));
    Result<ChannelFile> file = parseChannelFile(bytes.value(), path);
    if (!file.ok())
        return Status::failure(file.message());
    return LoadedChannelFile{std::move(file).value(), presentLineCount(bytes.value())};
}

Result<LoadedChannelFile> openChannelFile(const QString& path, ChannelPlan& plan, BandList& bands) {
    Result<LoadedChannelFile> loaded = readChannelFile(path);
    if (loaded.ok())
        applyChannelFile(loaded->file, plan, bands);
    return loaded;
}

} // namespace zev
