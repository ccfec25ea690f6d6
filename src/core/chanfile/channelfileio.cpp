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

Status saveChannelFile(const QString& path, const Plan& plan, const SelectorTexts& selectorTexts) {
    if (const Status storable = checkStorable(channelFileLines(plan, selectorTexts), path);
        !storable.ok())
        return storable;
    return writeFileAtomically(path, formatChannelFile(plan, selectorTexts));
}

Result<Plan> loadChannelFile(const QString& path) {
    Result<LoadedChannelFile> loaded = readChannelFile(path);
    if (!loaded.ok())
        return Status::failure(loaded.message());
    return std::move(loaded).value().plan;
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
    Result<Plan> file = parseChannelFile(bytes.value(), path);
    if (!file.ok())
        return Status::failure(file.message());
    return LoadedChannelFile{std::move(file).value(), presentLineCount(bytes.value())};
}

} // namespace zev
