#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport {

// The text as GBK bytes, as channel files and settings hold it.
QByteArray gbk(const QString& text);
// The text in GBK with each "@" replaced by raw bytes, for bytes no text encodes to.
QByteArray gbkWith(const QString& text, const QByteArray& raw);

} // namespace testsupport
