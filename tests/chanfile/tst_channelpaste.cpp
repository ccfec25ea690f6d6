#include "chanfile/channelpaste.h"

#include <QTest>

using namespace zev;

// Text on the clipboard as a paste reads and places it.
class TestChannelPaste : public QObject {
    Q_OBJECT

private slots:
    void sizeLimit_data();
    void sizeLimit();
    void rowsPastTheLastChannelAreListed_data();
    void rowsPastTheLastChannelAreListed();
};

namespace {

const QString header = QStringLiteral("Location,Name,Frequency\n");

// A list with one channel whose name makes the text exactly bytes long in UTF-8.
QString listOfBytes(qsizetype bytes, QChar nameCharacter) {
    const QString start = header + QStringLiteral("1,");
    const QString end = QStringLiteral(",146.5\n");
    const qsizetype characterBytes = QString(nameCharacter).toUtf8().size();
    const qsizetype nameBytes = bytes - start.size() - end.size();
    QString text = start + QString(nameBytes / characterBytes, nameCharacter) +
                   QString(nameBytes % characterBytes, QLatin1Char('x')) + end;
    return text;
}

} // namespace

// The limit is a file's, counted in the bytes the text has in UTF-8, and holds before the text
// is read as rows at all.
void TestChannelPaste::sizeLimit_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("taken");
    const QChar chinese(0x4E2D);
    QTest::newRow("1 MiB") << listOfBytes(csv::MaxListBytes, QLatin1Char('n')) << true;
    QTest::newRow("a byte more") << listOfBytes(csv::MaxListBytes + 1, QLatin1Char('n')) << false;
    QTest::newRow("1 MiB in Chinese") << listOfBytes(csv::MaxListBytes, chinese) << true;
    QTest::newRow("more in UTF-8 than characters")
        << listOfBytes(csv::MaxListBytes + 1, chinese) << false;
    QTest::newRow("8 MiB, one row")
        << listOfBytes(8 * csv::MaxListBytes, QLatin1Char('n')) << false;
}

void TestChannelPaste::sizeLimit() {
    QFETCH(QString, text);
    QFETCH(bool, taken);
    const Result<csv::Imported> list = csv::readPastedRows(text, englishWords(), '.');
    QCOMPARE(list.ok(), taken);
    if (taken) {
        QCOMPARE(list->channels[0]->at(0), QStringLiteral("146.50000"));
        return;
    }
    QCOMPARE(list.message(), QStringLiteral("The clipboard holds more than 1 MiB of text, too much "
                                            "for channel rows; nothing was pasted."));
}

void TestChannelPaste::rowsPastTheLastChannelAreListed_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("placed");
    QTest::addColumn<QString>("dropped");
    QTest::newRow("all in") << 13 << QList<int>{13, 14, 15, 16} << "";
    QTest::newRow("past 16, an empty row among them")
        << 15 << QList<int>{15, 16} << "row 6: it would go to channel 18";
    QTest::newRow("the last channel") << 16 << QList<int>{16}
                                      << "row 3: it would go to channel 17\n"
                                         "row 6: it would go to channel 19";
}

void TestChannelPaste::rowsPastTheLastChannelAreListed() {
    QFETCH(int, row);
    QFETCH(QList<int>, placed);
    QFETCH(QString, dropped);
    // Four rows, one of them a copied empty channel, and a bad one that takes no channel.
    const QString text = header + QStringLiteral("1,a,146.5\n"
                                                 "2,b,147\n"
                                                 "3,,\n"
                                                 "4,c,999\n"
                                                 "5,d,148\n");
    const Result<csv::Imported> list = csv::readPastedRows(text, englishWords(), '.');
    QVERIFY(list);
    QCOMPARE(csv::describe(list->problems),
             QStringLiteral("row 5: the frequency 999.000000 MHz is outside 100-550 MHz"));
    const csv::PastedRows pasted = csv::placePastedRows(list.value(), row);
    QList<int> given;
    for (int channel = 1; channel <= Plan::ChannelCount; ++channel)
        if (pasted.rows.channels[channel - 1])
            given << channel;
    QCOMPARE(given, placed);
    QCOMPARE(csv::describe(pasted.dropped), dropped);
    QCOMPARE(pasted.rows.rows[row - 1], 2);
}

QTEST_GUILESS_MAIN(TestChannelPaste)
#include "tst_channelpaste.moc"
