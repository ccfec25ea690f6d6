#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// The Chinese messages file against the code: every text the code passes to tr() or translate()
// has a finished translation there that keeps the source's placeholders.
class MessagePackTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyTextOfTheCodeIsTranslated();
    void translationsKeepThePlaceholders();

private:
    struct Message {
        QString translation;
        bool finished = false;
    };
    using Key = std::pair<QString, QString>; // context, source
    static QMap<Key, Message> readTs(const QString& path);

    QMap<Key, Message> m_pack;
};

QMap<MessagePackTest::Key, MessagePackTest::Message> MessagePackTest::readTs(const QString& path) {
    QMap<Key, Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            Message message;
            message.finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            message.translation = xml.readElementText();
            messages.insert({context, source}, message);
        }
    }
    if (xml.hasError())
        qWarning("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return messages;
}

void MessagePackTest::initTestCase() {
    m_pack = readTs(QStringLiteral(ZEV_MESSAGES_TS));
    QVERIFY2(!m_pack.isEmpty(), ZEV_MESSAGES_TS);
}

void MessagePackTest::everyTextOfTheCodeIsTranslated() {
    QTemporaryDir dir;
    const QString extracted = dir.filePath(QStringLiteral("extracted.ts"));
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    lupdate.start(QStringLiteral(ZEV_LUPDATE),
                  QStringList{QStringLiteral("-silent"), QStringLiteral("-locations"),
                              QStringLiteral("none")} +
                      QString::fromUtf8(ZEV_MESSAGE_SOURCES).split(QLatin1Char('|')) +
                      QStringList{QStringLiteral("-ts"), extracted});
    QVERIFY(lupdate.waitForFinished(120000));
    QCOMPARE(lupdate.exitCode(), 0);
    const QMap<Key, Message> used = readTs(extracted);
    QVERIFY(!used.isEmpty());

    QStringList untranslated;
    for (auto message = used.begin(); message != used.end(); ++message) {
        const Message found = m_pack.value(message.key());
        if (!found.finished || found.translation.isEmpty())
            untranslated << message.key().first + QStringLiteral(": ") + message.key().second;
    }
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
}

void MessagePackTest::translationsKeepThePlaceholders() {
    static const QRegularExpression placeholder(QStringLiteral("%\\d+"));
    const auto placeholders = [](const QString& text) {
        QStringList found;
        for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
            found << match.captured();
        found.sort();
        return found;
    };
    QStringList differing;
    for (auto message = m_pack.begin(); message != m_pack.end(); ++message) {
        if (placeholders(message.key().second) != placeholders(message->translation))
            differing << message.key().second + QStringLiteral(" -> ") + message->translation;
    }
    QVERIFY2(differing.isEmpty(), qPrintable(differing.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(MessagePackTest)
#include "tst_messagepack.moc"
