// Feeds every file of the fuzz corpora to its target, so an input that once broke a property
// keeps being checked by the ordinary suite, whatever the compiler.

#include "fuzzcheck.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <functional>
#include <map>

int zevFuzz_channelfile(const std::uint8_t* data, std::size_t size);
int zevFuzz_memoryimage(const std::uint8_t* data, std::size_t size);
int zevFuzz_frequency(const std::uint8_t* data, std::size_t size);
int zevFuzz_installlog(const std::uint8_t* data, std::size_t size);
int zevFuzz_inifile(const std::uint8_t* data, std::size_t size);
int zevFuzz_channelcsv(const std::uint8_t* data, std::size_t size);
int zevFuzz_paste(const std::uint8_t* data, std::size_t size);

namespace {

using Target = std::function<int(const std::uint8_t*, std::size_t)>;

const std::map<QString, Target>& targets() {
    static const std::map<QString, Target> all = {
        {QStringLiteral("channelfile"), zevFuzz_channelfile},
        {QStringLiteral("memoryimage"), zevFuzz_memoryimage},
        {QStringLiteral("frequency"), zevFuzz_frequency},
        {QStringLiteral("installlog"), zevFuzz_installlog},
        {QStringLiteral("inifile"), zevFuzz_inifile},
        {QStringLiteral("channelcsv"), zevFuzz_channelcsv},
        {QStringLiteral("paste"), zevFuzz_paste},
    };
    return all;
}

QDir corpus(const QString& target) {
    return QDir(QStringLiteral(ZEV_FUZZ_CORPUS "/") + target);
}

} // namespace

class FuzzReplayTest : public QObject {
    Q_OBJECT
private slots:
    void everyTargetHasSeeds();
    void replay_data();
    void replay();
};

void FuzzReplayTest::everyTargetHasSeeds() {
    for (const auto& [name, target] : targets())
        QVERIFY2(!corpus(name).entryList(QDir::Files).isEmpty(), qPrintable(corpus(name).path()));
}

void FuzzReplayTest::replay_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("path");
    for (const auto& [name, target] : targets()) {
        const QDir folder = corpus(name);
        for (const QString& file : folder.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name + QLatin1Char('/') + file))
                << name << folder.filePath(file);
    }
}

void FuzzReplayTest::replay() {
    QFETCH(QString, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QByteArray input = file.readAll();
    zev::fuzz::setCurrentInput(path);
    targets().at(target)(reinterpret_cast<const std::uint8_t*>(input.constData()),
                         std::size_t(input.size()));
    zev::fuzz::setCurrentInput(QString());
}

QTEST_GUILESS_MAIN(FuzzReplayTest)
#include "tst_fuzzreplay.moc"
