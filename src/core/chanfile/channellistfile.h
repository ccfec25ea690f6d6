#pragma once

#include "chanfile/channelcsv.h"
#include "status.h"

#include <QByteArray>
#include <QString>

namespace zev {

// Written beside the target and renamed over it only when complete; a target that is there but
// no plain file (a pipe, a device) is refused.
[[nodiscard]] Status writeChannelList(const QString& path, const QByteArray& bytes);

// The list at path, refused when it is larger than any channel list can be or no plain file
// (read without waiting, so a pipe never holds the program up).
[[nodiscard]] Result<QByteArray> readChannelList(const QString& path);

} // namespace zev
