#pragma once

#include <QString>
#include <QStringList>

namespace zev {
class ChannelPlan;
}

namespace zev::cli {

// The band, the seven options with their index and text, and the 16 channel rows, in columns
// aligned by display width. Lines end with "\n".
QString formatPlan(const ChannelPlan& plan, const QString& band);

// The channel table's header row as the language pack words it; without a pack, plain names.
QStringList channelHeader(const ChannelPlan& plan);

} // namespace zev::cli
