#include "gbk.h"

#include <QStringEncoder>

namespace testsupport {

QByteArray gbk(const QString& text) {
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QByteArray gbkWith(const QString& text, const QByteArray& raw) {
    return gbk(text).replace('@', raw);
}

} // namespace testsupport
