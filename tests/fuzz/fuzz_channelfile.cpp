// A channel file that opens saves, and the saved file opens as the same plan.

#include "chanfile/channelfile.h"
#include "chanfile/channelfilelines.h"
#include "fuzzcheck.h"

#include <QStringList>

using namespace zev;

namespace {

QString describe(const Plan& file) {
    QString text;
    for (const QString& line : channelFileLines(file, {}))
        text += QString::fromLatin1(line.toUtf8().toPercentEncoding(" |")) + QLatin1Char('\n');
    return text;
}

} // namespace

ZEV_FUZZ_TARGET(channelfile) {
    const Result<Plan> opened = parseChannelFile(fuzz::inputBytes(data, size));
    if (!opened.ok())
        return 0;

    const Status storable = checkStorable(channelFileLines(opened.value(), {}), QString());
    FUZZ_CHECK(storable.ok(), storable.message());

    const QByteArray saved = formatChannelFile(opened.value(), {});
    const Result<Plan> reopened = parseChannelFile(saved);
    FUZZ_CHECK(reopened.ok(), reopened.message());
    FUZZ_CHECK(reopened.value() == opened.value(),
               QStringLiteral("opened:\n%1reopened:\n%2")
                   .arg(describe(opened.value()), describe(reopened.value())));
    FUZZ_CHECK(formatChannelFile(reopened.value(), {}) == saved, describe(reopened.value()));
    return 0;
}
