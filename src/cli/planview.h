#pragma once

#include <QString>
#include <QStringList>

namespace zev {
struct Plan;
struct Wording;
} // namespace zev

namespace zev::cli {

// The band, the seven options with their index and text, and the 16 channel rows, in columns
// aligned by display width. Lines end with "\n".
QString formatPlan(const Plan& plan, const Wording& wording);

// The channel table's header row as the language pack words it; without a pack, plain names.
QStringList channelHeader(const Wording& wording);

} // namespace zev::cli
