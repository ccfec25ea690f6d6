#pragma once

#include <QString>

namespace zev {
class ChannelPlan;
}

namespace zev::cli {

// The band, the seven options with their index and text, and the 16 channel rows, in columns
// aligned by display width. Lines end with "\n".
QString formatPlan(const ChannelPlan& plan, const QString& band);

} // namespace zev::cli
